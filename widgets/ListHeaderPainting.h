// The list view's owner-drawn header: where a cell's caption and sort arrow go, and the painting of a cell.
#pragma once

#include <windows.h>

#include <string>

// Where an owner-drawn header cell puts its caption and its sort arrow.
struct THeaderCellLayout
{
    RECT text{};
    RECT arrow{};
    bool showArrow = false;
};

// The caption 4 pixels in from its aligned edge, the arrow 8 pixels after it (before it when right-aligned),
// left out when it does not fit.
THeaderCellLayout LayOutHeaderCell(const RECT& cell, int textWidth, int alignment, int arrowSide, bool arrow);
// The side of the sort arrow for a font: the height of "Wy" rounded up to even, less 6 pixels.
int SortArrowSide(int textHeight);

// What one header cell shows.
struct THeaderCell
{
    const std::wstring& caption;
    int alignment;
    bool arrow;
    bool arrowUp;
};

// Paints a header cell in the header's own font, pressed in while it is held down.
void PaintHeaderCell(const DRAWITEMSTRUCT& draw, const THeaderCell& cell);
// Every cell of the header drawn by its owner, or by the header itself.
void SetHeaderOwnerDrawn(HWND header, bool ownerDrawn);
