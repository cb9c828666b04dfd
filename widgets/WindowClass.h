// The window classes of the program's own windows: each registered once, and the object a window belongs to.
#pragma once

#include <windows.h>

// Registers a window class of the dialog colour and arrow cursor the first time it is asked for.
void RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure);

// The object that a window was created for: taken from the creation parameters at WM_NCCREATE and kept in
// the window's user data; nullptr until then, or once cleared.
template <typename T> T* WindowObject(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
