// Window subclassing tied to an object's lifetime.
#include "TSubclass.h"

#include "TApplicationErrors.h"

TSubclass::TSubclass(HWND window, THandler handler)
{
    Attach(window, std::move(handler));
}

TSubclass::~TSubclass()
{
    Detach();
}

void TSubclass::Attach(HWND window, THandler handler)
{
    Detach();
    window_ = window;
    handler_ = std::move(handler);
    SetWindowSubclass(window_, &TSubclass::Procedure, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
}

void TSubclass::Detach()
{
    if (window_ != nullptr)
        RemoveWindowSubclass(window_, &TSubclass::Procedure, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT CALLBACK TSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self)
{
    auto* subclass = reinterpret_cast<TSubclass*>(self);
    if (message == WM_NCDESTROY)
    {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        subclass->Detach();
        return result;
    }
    const std::optional<LRESULT> handled = GuardCallback(
        [&] { return subclass->handler_(window, message, wParam, lParam); }, std::optional<LRESULT>());
    return handled ? *handled : DefSubclassProc(window, message, wParam, lParam);
}
