// The display's scale. The windows are laid out in pixels at 96 DPI (100 %); every size and position they use
// goes through the TDpi of the window it belongs to, so that at 144 DPI (150 %) a 12-pixel gap is 18 pixels.
#pragma once

#include <windows.h>

// Sent to child windows after their window moved to a monitor of another scale (Windows 10 1703 and later).
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

class TDpi
{
public:
    static constexpr int kStandard = 96;

    explicit TDpi(int dpi = kStandard) : dpi_(dpi > 0 ? dpi : kStandard) {}
    // The DPI of the window (of its monitor, for a program that follows each monitor's scale), else the
    // screen's.
    static TDpi Of(HWND window);
    // The DPI of the primary screen, for a window yet to be made there.
    static TDpi OfScreen();

    int Value() const { return dpi_; }
    bool operator==(const TDpi& other) const { return dpi_ == other.dpi_; }
    bool operator!=(const TDpi& other) const { return dpi_ != other.dpi_; }

    // A size at 96 DPI, at this DPI.
    int operator()(int size) const { return MulDiv(size, dpi_, kStandard); }
    // Every member scaled: bounds (left, top, width, height) or a rectangle alike.
    RECT operator()(const RECT& bounds) const;
    // A size at this DPI, at 96 DPI: for values stored so that they keep their meaning at another scale.
    int Unscaled(int size) const { return MulDiv(size, kStandard, dpi_); }
    // A size at another DPI, at this one.
    int From(const TDpi& other, int size) const { return MulDiv(size, dpi_, other.dpi_); }
    // The side of small pictures at this DPI: 16, 20, 24 or 32 pixels, the largest that is not wider than 16
    // scaled.
    int SmallPictureSide() const;

private:
    int dpi_;
};
