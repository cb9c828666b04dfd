// Rows of a list as text, and that text on the clipboard.
#include "ListText.h"

#include "TExtListView.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>

namespace
{

// A tab or a line break inside a cell would split its row; such a character is shown as a space.
std::wstring OneCell(const std::wstring& text)
{
    std::wstring cell = text;
    std::replace_if(
        cell.begin(), cell.end(), [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; }, L' ');
    return cell;
}

std::wstring Line(const std::vector<int>& columns, const std::function<std::wstring(int)>& cell)
{
    std::wstring line;
    for (size_t i = 0; i < columns.size(); ++i)
        line += (i == 0 ? L"" : L"\t") + OneCell(cell(columns[i]));
    return line + L"\r\n";
}

struct TClipboardScope
{
    explicit TClipboardScope(HWND owner) : open(OpenClipboard(owner) != FALSE) {}
    ~TClipboardScope()
    {
        if (open)
            CloseClipboard();
    }
    TClipboardScope(const TClipboardScope&) = delete;
    TClipboardScope& operator=(const TClipboardScope&) = delete;
    bool open;
};

} // namespace

std::wstring RowsAsText(const TExtListView& list, const std::vector<size_t>& rows)
{
    // A column dragged to zero width is not shown, so it is not copied either.
    std::vector<int> columns;
    for (const int column : list.ColumnOrder())
        if (list.ColumnWidth(column) > 0)
            columns.push_back(column);
    std::wstring text = Line(columns, [&](int column) { return list.ColumnCaption(column); });
    for (const size_t row : rows)
        text += Line(columns, [&](int column) { return list.CellTextCopy(row, column); });
    return text;
}

bool PutClipboardText(HWND owner, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr)
        return false;
    void* place = GlobalLock(memory);
    if (place == nullptr)
    {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(place, text.c_str(), bytes);
    GlobalUnlock(memory);
    const TClipboardScope clipboard(owner);
    // Once the clipboard holds the memory, the system owns it.
    if (clipboard.open && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr)
        return true;
    GlobalFree(memory);
    return false;
}

void CopySelectedRows(HWND owner, const TExtListView& list)
{
    // The command's key is the window's accelerator: in an edit field it must copy the field's text.
    HWND focus = GetFocus();
    wchar_t focusClass[16] = L"";
    if (focus != nullptr && GetClassNameW(focus, focusClass, 16) > 0 && _wcsicmp(focusClass, L"Edit") == 0)
    {
        SendMessageW(focus, WM_COPY, 0, 0);
        return;
    }
    const std::vector<size_t> rows = list.SelectedRows();
    if (rows.empty() || !PutClipboardText(owner, RowsAsText(list, rows)))
        MessageBeep(MB_OK);
}
