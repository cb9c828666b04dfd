// The display's scale of a window or of the screen.
#include "TDpi.h"

#include <initializer_list>

TDpi TDpi::Of(HWND window)
{
    // Windows 10 and later know a DPI for each window; the function is looked up so that older systems run.
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<TGetDpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window != nullptr && getDpiForWindow != nullptr)
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return TDpi(static_cast<int>(dpi));
    return OfScreen();
}

TDpi TDpi::OfScreen()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return TDpi(dpi);
}

RECT TDpi::operator()(const RECT& bounds) const
{
    return {(*this)(bounds.left), (*this)(bounds.top), (*this)(bounds.right), (*this)(bounds.bottom)};
}

int TDpi::SmallPictureSide() const
{
    const int wanted = (*this)(16);
    int side = 16;
    for (const int standard : {20, 24, 32})
        if (standard <= wanted)
            side = standard;
    return side;
}
