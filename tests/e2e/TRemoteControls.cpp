// Reading another process's controls through messages and memory placed in that process.
#include "TRemoteControls.h"

#include <commctrl.h>

#include <algorithm>

namespace
{

constexpr UINT kReplyMilliseconds = 5000;
constexpr size_t kTextCharacters = 1024;

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyMilliseconds, &result) ==
        0)
        return 0;
    return static_cast<LRESULT>(result);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring WithoutAmpersands(std::wstring text)
{
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return text;
}

struct TChildSearch
{
    const wchar_t* windowClass = nullptr;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<TChildSearch*>(parameter);
    if (_wcsicmp(ClassOf(window).c_str(), search->windowClass) == 0)
        search->found.push_back(window);
    return TRUE;
}

std::wstring TreeItemText(HWND tree, HTREEITEM item)
{
    TRemoteBuffer buffer(tree, sizeof(TVITEMW) + kTextCharacters * sizeof(wchar_t));
    if (!buffer.Valid())
        return {};
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = static_cast<wchar_t*>(buffer.At(sizeof(TVITEMW)));
    query.cchTextMax = static_cast<int>(kTextCharacters);
    buffer.Write(&query, sizeof(query));
    if (Ask(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.Address())) == 0)
        return {};
    return buffer.ReadText(sizeof(TVITEMW), kTextCharacters);
}

void CollectTree(HWND tree, HTREEITEM item, std::vector<std::wstring>& texts)
{
    for (; item != nullptr; item = reinterpret_cast<HTREEITEM>(
                                Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
    {
        texts.push_back(TreeItemText(tree, item));
        if (IsExpanded(tree, item))
            CollectTree(tree,
                        reinterpret_cast<HTREEITEM>(
                            Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
                        texts);
    }
}

} // namespace

bool IsExpanded(HWND tree, HTREEITEM item)
{
    return (Ask(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

TRemoteBuffer::TRemoteBuffer(HWND ofWindow, size_t size)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(ofWindow, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr)
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

TRemoteBuffer::~TRemoteBuffer()
{
    if (address_ != nullptr)
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr)
        CloseHandle(process_);
}

bool TRemoteBuffer::Write(const void* data, size_t size, size_t offset) const
{
    SIZE_T written = 0;
    return WriteProcessMemory(process_, At(offset), data, size, &written) != 0 && written == size;
}

bool TRemoteBuffer::Read(void* data, size_t size, size_t offset) const
{
    SIZE_T read = 0;
    return ReadProcessMemory(process_, At(offset), data, size, &read) != 0 && read == size;
}

std::wstring TRemoteBuffer::ReadText(size_t offset, size_t characters) const
{
    std::wstring text(characters, L'\0');
    if (!Read(text.data(), characters * sizeof(wchar_t), offset))
        return {};
    text.resize(wcsnlen(text.c_str(), characters));
    return text;
}

std::wstring RemoteText(HWND window)
{
    std::wstring text(kTextCharacters, L'\0');
    const LRESULT length = Ask(window, WM_GETTEXT, kTextCharacters, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return text;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* windowClass)
{
    TChildSearch search{windowClass, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChild(HWND parent, const wchar_t* windowClass)
{
    const std::vector<HWND> found = ChildrenOfClass(parent, windowClass);
    return found.empty() ? nullptr : found.front();
}

int ListViewRowCount(HWND list)
{
    return static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns)
{
    std::vector<std::vector<std::wstring>> rows;
    TRemoteBuffer buffer(list, sizeof(LVITEMW) + kTextCharacters * sizeof(wchar_t));
    if (!buffer.Valid())
        return rows;
    const int count = ListViewRowCount(list);
    for (int row = 0; row < count; ++row)
    {
        std::vector<std::wstring> cells;
        for (int column = 0; column < columns; ++column)
        {
            LVITEMW query{};
            query.iSubItem = column;
            query.pszText = static_cast<wchar_t*>(buffer.At(sizeof(LVITEMW)));
            query.cchTextMax = static_cast<int>(kTextCharacters);
            buffer.Write(&query, sizeof(query));
            const LRESULT length =
                Ask(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.Address()));
            cells.push_back(
                buffer.ReadText(sizeof(LVITEMW), static_cast<size_t>(std::max<LRESULT>(length, 0))));
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::vector<std::wstring> TreeItemTexts(HWND tree)
{
    std::vector<std::wstring> texts;
    CollectTree(tree, reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), texts);
    return texts;
}

HTREEITEM TreeSelection(HWND tree)
{
    return reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::wstring TreeSelectionText(HWND tree)
{
    HTREEITEM selected = TreeSelection(tree);
    return selected == nullptr ? std::wstring() : TreeItemText(tree, selected);
}

std::wstring StatusBarText(HWND bar, int part)
{
    const LRESULT lengths = Ask(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    const size_t length = LOWORD(lengths);
    TRemoteBuffer buffer(bar, (length + 1) * sizeof(wchar_t));
    if (!buffer.Valid())
        return {};
    Ask(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer.Address()));
    return buffer.ReadText(0, length);
}

bool IsMessageBox(HWND window)
{
    return ClassOf(window) == L"#32770" && FindChild(window, L"Button") != nullptr;
}

TMessageBoxView ReadMessageBox(HWND window)
{
    TMessageBoxView view;
    view.window = window;
    view.caption = RemoteText(window);
    for (HWND label : ChildrenOfClass(window, L"Static"))
    {
        const std::wstring text = RemoteText(label);
        if (!text.empty())
            view.text += view.text.empty() ? text : L"\n" + text;
    }
    for (HWND button : ChildrenOfClass(window, L"Button"))
        view.buttons.push_back(WithoutAmpersands(RemoteText(button)));
    return view;
}

bool PressButton(HWND dialog, const std::wstring& caption)
{
    for (HWND button : ChildrenOfClass(dialog, L"Button"))
    {
        if (WithoutAmpersands(RemoteText(button)) != WithoutAmpersands(caption))
            continue;
        // A click as the dialog sees it: the button's command reaches its parent.
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                            reinterpret_cast<LPARAM>(button)) != 0;
    }
    return false;
}

namespace
{

HTREEITEM FindInTree(HWND tree, HTREEITEM item, const std::wstring& text)
{
    for (; item != nullptr; item = reinterpret_cast<HTREEITEM>(
                                Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
    {
        if (TreeItemText(tree, item) == text)
            return item;
        if (!IsExpanded(tree, item))
            continue;
        const auto child = reinterpret_cast<HTREEITEM>(
            Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        if (HTREEITEM found = FindInTree(tree, child, text); found != nullptr)
            return found;
    }
    return nullptr;
}

} // namespace

HTREEITEM FindTreeItem(HWND tree, const std::wstring& text)
{
    return FindInTree(tree, reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), text);
}

RECT TreeItemLabelRect(HWND tree, HTREEITEM item)
{
    RECT rectangle{};
    TRemoteBuffer buffer(tree, sizeof(RECT));
    if (!buffer.Valid())
        return rectangle;
    // The message takes the item in the rectangle's place and gives the rectangle back there.
    buffer.Write(&item, sizeof(item));
    if (Ask(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.Address())) != 0)
        buffer.Read(&rectangle, sizeof(rectangle));
    return rectangle;
}
