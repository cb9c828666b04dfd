// Reading and working the controls of another process, as an accessibility tool would: texts, list view
// rows, tree items, status bar panels and message boxes.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <string>
#include <vector>

// Memory in another process, for the control messages that take a pointer.
class TRemoteBuffer
{
public:
    TRemoteBuffer(HWND ofWindow, size_t size);
    ~TRemoteBuffer();
    TRemoteBuffer(const TRemoteBuffer&) = delete;
    TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    void* Address() const { return address_; }
    // The address of a byte offset inside the buffer, as the other process sees it.
    void* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(const void* data, size_t size, size_t offset = 0) const;
    bool Read(void* data, size_t size, size_t offset = 0) const;
    std::wstring ReadText(size_t offset, size_t characters) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// The text of any window of another process (WM_GETTEXT is carried across processes).
std::wstring RemoteText(HWND window);

// The first child window (at any depth) of that class; nullptr when there is none.
HWND FindChild(HWND parent, const wchar_t* windowClass);
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* windowClass);

// Every row of a list view: the texts of its first columns.
std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns);
int ListViewRowCount(HWND list);

// The texts of a tree view's items that are shown (expanded parents' children), depth first.
std::vector<std::wstring> TreeItemTexts(HWND tree);
HTREEITEM TreeSelection(HWND tree);
// Whether the item shows its children.
bool IsExpanded(HWND tree, HTREEITEM item);
std::wstring TreeSelectionText(HWND tree);

// The text of a status bar's part.
std::wstring StatusBarText(HWND bar, int part);

// A message box of another process: its caption, its text and its buttons.
struct TMessageBoxView
{
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<std::wstring> buttons;
};

bool IsMessageBox(HWND window);
TMessageBoxView ReadMessageBox(HWND window);
// Presses the button with that caption (ampersands ignored), as a click would.
bool PressButton(HWND dialog, const std::wstring& caption);

// The shown item of a tree view with that text (depth first), or nullptr.
HTREEITEM FindTreeItem(HWND tree, const std::wstring& text);
// The rectangle of a tree item's label in the tree's client area; empty when it cannot be read.
RECT TreeItemLabelRect(HWND tree, HTREEITEM item);
