// Rows of a list as plain text, as the clipboard takes them: a header line with the captions of the shown
// columns in their current order, then a line per row with its cells as shown, separated by tabs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TExtListView;

std::wstring RowsAsText(const TExtListView& list, const std::vector<size_t>& rows);

// Puts Unicode text on the clipboard for the window; false when the clipboard could not be had.
bool PutClipboardText(HWND owner, const std::wstring& text);

// Ctrl+C and Edit > Copy: the selected text of an edit field that has the keyboard, else the list's selected
// rows with their header.
void CopySelectedRows(HWND owner, const TExtListView& list);
