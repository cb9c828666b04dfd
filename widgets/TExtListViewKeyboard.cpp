// The program's list view: the keyboard's ways through it (typing a name, the control's find requests) and
// fitting the columns to their texts.
#include "TExtListView.h"

#include <algorithm>

LRESULT TExtListView::OnFindItem(const NMLVFINDITEMW* find) const
{
    const LVFINDINFOW& info = find->lvfi;
    if ((info.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || info.psz == nullptr || Count() == 0)
        return -1;
    const size_t start = find->iStart >= 0 && static_cast<size_t>(find->iStart) < Count()
                             ? static_cast<size_t>(find->iStart)
                             : 0;
    return FindRowStartingWith(info.psz, start, (info.flags & LVFI_WRAP) != 0);
}

int TExtListView::FindRowStartingWith(const std::wstring& text, size_t start, bool wrap) const
{
    const auto begins = [&](size_t row) {
        const std::wstring& name = CellText(row, 0);
        return name.size() >= text.size() &&
               CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(),
                              static_cast<int>(text.size()), text.c_str(),
                              static_cast<int>(text.size())) == CSTR_EQUAL;
    };
    for (size_t row = start; row < Count(); ++row)
        if (begins(row))
            return static_cast<int>(row);
    for (size_t row = 0; wrap && row < std::min(start, Count()); ++row)
        if (begins(row))
            return static_cast<int>(row);
    return -1;
}

void TExtListView::TypeAhead(wchar_t letter)
{
    // Letters typed within a second of each other make one name, as in Explorer.
    constexpr DWORD kTypingPause = 1000;
    const DWORD now = GetTickCount();
    if (now - lastTyped_ > kTypingPause)
        typed_.clear();
    lastTyped_ = now;
    typed_ += letter;
    if (Count() == 0)
        return;
    const int focused = FocusedRow();
    // A first letter looks past the focused row, so that typing it again goes on to the next such name.
    const size_t start =
        focused < 0 ? 0 : (static_cast<size_t>(focused) + (typed_.size() == 1 ? 1 : 0)) % Count();
    const int row = FindRowStartingWith(typed_, start, true);
    if (row < 0)
        return;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list_, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ListView_EnsureVisible(list_, row, FALSE);
}

void TExtListView::FitColumns()
{
    // Only the details view has columns to fit.
    if (ViewStyle() != TViewStyle::vsReport)
        return;
    for (size_t column = 0; column < columns_.size(); ++column)
        ListView_SetColumnWidth(list_, static_cast<int>(column), FittingWidth(static_cast<int>(column)));
}

int TExtListView::FittingWidth(int column) const
{
    // The margins the control leaves around a cell's text, and around a caption with its sort arrow.
    constexpr int kCellMargin = 12;
    constexpr int kCaptionMargin = 24;
    int indent = 0;
    if (column == 0 && ListView_GetImageList(list_, LVSIL_SMALL) != nullptr)
        indent = GetSystemMetrics(SM_CXSMICON) + 4;
    const auto widthOf = [&](const std::wstring& text) {
        return ListView_GetStringWidth(list_, text.c_str());
    };
    int widest = widthOf(columns_[static_cast<size_t>(column)].caption) + kCaptionMargin;
    // Longest texts first; a text cannot be wider than its length in the widest glyphs, so the search ends
    // once none left can be (hundreds of thousands of rows stay quick).
    int glyph = 1;
    for (const wchar_t* wide : {L"W", L"M", L"@", L"%", L"\u2014"})
        glyph = std::max(glyph, widthOf(wide));
    std::vector<size_t> rows(Count());
    for (size_t row = 0; row < rows.size(); ++row)
        rows[row] = row;
    std::sort(rows.begin(), rows.end(),
              [&](size_t a, size_t b) { return CellText(a, column).size() > CellText(b, column).size(); });
    for (const size_t row : rows)
    {
        const std::wstring& text = CellText(row, column);
        if (static_cast<int>(text.size()) * glyph + kCellMargin + indent <= widest)
            break;
        widest = std::max(widest, widthOf(text) + kCellMargin + indent);
    }
    return widest;
}
