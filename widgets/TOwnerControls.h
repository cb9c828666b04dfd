// The windowed controls of a form in component order, which the connection component notifies of changes.
#pragma once

#include "INWOwnerForm.h"

#include <windows.h>

#include <vector>

class TOwnerControls : public nw::INWOwnerForm
{
public:
    // Appends a control; the form adds its controls in the order it creates them.
    void Add(HWND control) { controls_.push_back(control); }

    // Sends the message to each control that still has a window, and returns when each has handled it.
    void SendToWindowedControls(uint32_t message) override;

private:
    std::vector<HWND> controls_;
};
