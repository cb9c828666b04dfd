#include "ListHeaderPainting.h"

#include "TUniqueHandle.h"

#include <commctrl.h>

#include <algorithm>

namespace
{

constexpr int kTextInset = 4;
constexpr int kArrowGap = 8;

// Draws an engraved triangle: the lit edges in the highlight colour, the others in the shadow colour.
void DrawSortArrow(HDC dc, const RECT& box, bool up)
{
    const int side = box.right - box.left;
    const POINT apex{box.left + side / 2, up ? box.top : box.top + side};
    const POINT left{box.left, up ? box.top + side : box.top};
    const POINT right{box.left + side, up ? box.top + side : box.top};
    const TPen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHILIGHT)));
    const TPen dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW)));
    const HGDIOBJ previous = SelectObject(dc, dark.Get());
    MoveToEx(dc, apex.x, apex.y, nullptr);
    LineTo(dc, left.x, left.y);
    SelectObject(dc, up ? light.Get() : dark.Get());
    LineTo(dc, right.x, right.y);
    SelectObject(dc, light.Get());
    LineTo(dc, apex.x, apex.y);
    SelectObject(dc, previous);
}

} // namespace

THeaderCellLayout LayOutHeaderCell(const RECT& cell, int textWidth, int alignment, int arrowSide, bool arrow)
{
    THeaderCellLayout layout;
    const int innerLeft = cell.left + kTextInset;
    const int innerRight = cell.right - kTextInset;
    const int available = std::max(0, innerRight - innerLeft);
    const int width = std::min(textWidth, available);
    layout.text = cell;
    const int format = alignment & LVCFMT_JUSTIFYMASK;
    if (format == LVCFMT_RIGHT)
    {
        layout.text.right = innerRight;
        layout.text.left = innerRight - width;
    }
    else if (format == LVCFMT_CENTER)
    {
        layout.text.left = innerLeft + (available - width) / 2;
        layout.text.right = layout.text.left + width;
    }
    else
    {
        layout.text.left = innerLeft;
        layout.text.right = innerLeft + width;
    }
    if (!arrow || arrowSide <= 0)
        return layout;
    const int top = cell.top + (cell.bottom - cell.top - arrowSide) / 2;
    if (format == LVCFMT_RIGHT)
    {
        const int arrowRight = layout.text.left - kArrowGap;
        layout.arrow = {arrowRight - arrowSide, top, arrowRight, top + arrowSide};
        layout.showArrow = layout.arrow.left >= innerLeft;
    }
    else
    {
        const int arrowLeft = layout.text.right + kArrowGap;
        layout.arrow = {arrowLeft, top, arrowLeft + arrowSide, top + arrowSide};
        layout.showArrow = layout.arrow.right <= innerRight;
    }
    return layout;
}

int SortArrowSide(int textHeight)
{
    return (textHeight + 1) / 2 * 2 - 6;
}

void PaintHeaderCell(const DRAWITEMSTRUCT& draw, const THeaderCell& cell)
{
    const HDC dc = draw.hDC;
    FillRect(dc, &draw.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ previousFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(draw.hwndItem, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, cell.caption.c_str(), static_cast<int>(cell.caption.size()), &extent);
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"Wy", 2, &letters);
    RECT box = draw.rcItem;
    if ((draw.itemState & ODS_SELECTED) != 0)
        OffsetRect(&box, 1, 1);
    const THeaderCellLayout layout =
        LayOutHeaderCell(box, extent.cx, cell.alignment, SortArrowSide(letters.cy), cell.arrow);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = layout.text;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    format |= (cell.alignment & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? DT_RIGHT
              : (cell.alignment & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER
                                                                       : DT_LEFT;
    DrawTextW(dc, cell.caption.c_str(), static_cast<int>(cell.caption.size()), &text, format);
    if (layout.showArrow)
        DrawSortArrow(dc, layout.arrow, cell.arrowUp);
    SelectObject(dc, previousFont);
}

void SetHeaderOwnerDrawn(HWND header, bool ownerDrawn)
{
    for (int i = 0; i < Header_GetItemCount(header); ++i)
    {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt = ownerDrawn ? item.fmt | HDF_OWNERDRAW : item.fmt & ~HDF_OWNERDRAW;
        Header_SetItem(header, i, &item);
    }
    InvalidateRect(header, nullptr, TRUE);
}
