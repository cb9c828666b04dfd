// The about box's pictures, drawn with GDI into bitmaps of the screen's format.
#include "DialogPictures.h"

#include <windows.h>

#include <utility>

namespace
{

// A memory DC with a new bitmap of that size (at 96 DPI) at the DPI selected, for drawing in the units of
// 96 DPI: the drawing is scaled as it is made, text included.
class TCanvas
{
public:
    TCanvas(int width, int height, TDpi dpi)
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = TBitmap(CreateCompatibleBitmap(screen, dpi(width), dpi(height)));
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_.Get());
        SetGraphicsMode(dc_, GM_ADVANCED);
        const float scale = static_cast<float>(dpi.Value()) / TDpi::kStandard;
        const XFORM transform{scale, 0, 0, scale, 0, 0};
        SetWorldTransform(dc_, &transform);
    }
    ~TCanvas()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Dc() const { return dc_; }
    // The finished picture; the canvas lets go of it first.
    TBitmap Take()
    {
        SelectObject(dc_, old_);
        old_ = nullptr;
        return std::move(bitmap_);
    }

private:
    HDC dc_ = nullptr;
    TBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

void FillSolid(HDC dc, const RECT& area, COLORREF colour)
{
    TBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

void PaintCentredText(HDC dc, const wchar_t* text, RECT area, int points, int weight, bool italic,
                      COLORREF colour)
{
    TFont font(CreateFontW(-points * 4 / 3, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, L"Arial"));
    HGDIOBJ old = SelectObject(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
}

// A sheet with a folded corner and a few lines of text.
void DrawSheet(HDC dc, int left, int top, int width, int height)
{
    const int fold = width / 4;
    const POINT outline[] = {{left, top},
                             {left + width - fold, top},
                             {left + width, top + fold},
                             {left + width, top + height},
                             {left, top + height}};
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, outline, 5);
    for (int y = top + fold + 2; y < top + height - 3; y += 4)
    {
        MoveToEx(dc, left + 3, y, nullptr);
        LineTo(dc, left + width - 4, y);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

// An arrow pointing up, in green.
void DrawUpArrow(HDC dc, int left, int top, int width, int height)
{
    const int shaft = width / 3;
    const POINT arrow[] = {{left + width / 2, top},
                           {left + width, top + height / 2},
                           {left + width - shaft, top + height / 2},
                           {left + width - shaft, top + height},
                           {left + shaft, top + height},
                           {left + shaft, top + height / 2},
                           {left, top + height / 2}};
    TBrush green(CreateSolidBrush(RGB(0, 160, 60)));
    HGDIOBJ oldBrush = SelectObject(dc, green.Get());
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, arrow, 7);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

} // namespace

TBitmap MakeBannerPicture(TDpi dpi)
{
    TCanvas canvas(kBannerWidth, kBannerHeight, dpi);
    HDC dc = canvas.Dc();
    // From dark blue at the top to teal at the bottom, one band of pixels at a time.
    for (int y = 0; y < kBannerHeight; ++y)
    {
        const int share = y * 255 / (kBannerHeight - 1);
        FillSolid(dc, {0, y, kBannerWidth, y + 1}, RGB(0, 40 + share * 80 / 255, 100 + share * 50 / 255));
    }
    // A server tower at the left, and the file coming back from it.
    FillSolid(dc, {22, 86, 62, 166}, RGB(190, 190, 200));
    for (int bay = 0; bay < 4; ++bay)
        FillSolid(dc, {28, 94 + bay * 16, 56, 102 + bay * 16}, RGB(90, 90, 110));
    DrawUpArrow(dc, 76, 104, 26, 40);
    DrawSheet(dc, 112, 96, 34, 44);
    PaintCentredText(dc, L"Retrove 98", {0, 18, kBannerWidth, 70}, 24, FW_BOLD, true, RGB(255, 255, 255));
    PaintCentredText(dc, L"Brings back files deleted from NetWare volumes", {150, 98, kBannerWidth - 8, 170},
                     8, FW_NORMAL, false, RGB(220, 235, 255));
    return canvas.Take();
}

TBitmap MakeIconPicture(TDpi dpi)
{
    TCanvas canvas(kIconPictureSide, kIconPictureSide, dpi);
    HDC dc = canvas.Dc();
    FillSolid(dc, {0, 0, kIconPictureSide, kIconPictureSide}, RGB(255, 255, 255));
    DrawSheet(dc, 9, 2, 20, 26);
    DrawUpArrow(dc, 1, 10, 14, 20);
    return canvas.Take();
}
