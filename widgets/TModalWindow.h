// The modal loop of the program's own dialog windows: the owner is disabled while the window runs, and the
// loop ends when the window sets its result.
#pragma once

#include <windows.h>

#include <functional>

class TModalWindow
{
public:
    // What the window makes of a message before it is dispatched (its shortcuts, its dialog keys); true when
    // it took the message.
    using TPreTranslate = std::function<bool(MSG&)>;

    // Shows the window and handles messages until EndModal is called; returns the result given to it. Without
    // a pre-translation the window gets the dialog keys.
    INT_PTR Run(HWND window, HWND owner, const TPreTranslate& preTranslate = nullptr);
    void EndModal(INT_PTR result);
    bool Running() const { return running_; }

private:
    bool running_ = false;
    INT_PTR result_ = IDCANCEL;
};
