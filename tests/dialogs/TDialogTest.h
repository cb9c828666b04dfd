// What the dialog tests share: the size of a window's client area, typing into a control and clicking one.
#pragma once

#include "TGuiTest.h"
#include "WindowParts.h"

#include <string>

inline SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Whether the window's middle is the screen's middle, to the pixel.
inline bool CentredOnScreen(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int x = (bounds.left + bounds.right) / 2;
    const int y = (bounds.top + bounds.bottom) / 2;
    return std::abs(x - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
           std::abs(y - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
}

// Each character as the keyboard would give it to the control.
inline void TypeInto(HWND control, const std::wstring& text)
{
    for (const wchar_t c : text)
        SendMessageW(control, WM_CHAR, c, 1);
}

inline bool HasStyle(HWND window, LONG style)
{
    return (GetWindowLongW(window, GWL_STYLE) & style) == style;
}

inline void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

inline bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline bool Enabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}
