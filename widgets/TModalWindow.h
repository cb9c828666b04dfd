// The modal loop of the program's own dialog windows: the owner is disabled while the window runs, and the
// loop ends when the window sets its result.
#pragma once

#include <windows.h>

class TModalWindow
{
public:
    // Shows the window and handles messages until EndModal is called; returns the result given to it.
    INT_PTR Run(HWND window, HWND owner);
    void EndModal(INT_PTR result);
    bool Running() const { return running_; }

private:
    bool running_ = false;
    INT_PTR result_ = IDCANCEL;
};
