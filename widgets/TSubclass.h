// Subclasses a window for the lifetime of the object, with a handler that may take a message or pass it on.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <optional>

class TSubclass
{
public:
    // Returns the message's result when it took the message, nothing to pass it on.
    using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    TSubclass() = default;
    TSubclass(HWND window, THandler handler);
    ~TSubclass();

    TSubclass(const TSubclass&) = delete;
    TSubclass& operator=(const TSubclass&) = delete;

    void Attach(HWND window, THandler handler);
    void Detach();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    HWND window_ = nullptr;
    THandler handler_;
};
