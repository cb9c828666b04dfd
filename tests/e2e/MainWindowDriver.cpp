// Driving the real program's main window as a user does.
#include "MainWindowDriver.h"

#include "SalvageListing.h"
#include "TE2ETest.h"
#include "TRemoteControls.h"
#include "TUserInput.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

HWND WaitForMainWindow(const TProgramRun& run)
{
    return run.WaitForVisible(L"TFMain", kAppearMilliseconds);
}

std::string Joined(const std::vector<std::wstring>& texts)
{
    std::string joined;
    for (const std::wstring& text : texts)
    {
        joined += '[';
        joined += Utf8(text);
        joined += "] ";
    }
    return joined;
}

std::optional<DWORD> CloseAndWait(const TProgramRun& run, HWND main)
{
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    return run.WaitForExit(kAppearMilliseconds);
}

std::vector<TSalvageRow> SalvageRows(const std::string& printed)
{
    std::vector<TSalvageRow> rows;
    for (const TSalvageEntry& entry : ParseSalvage(printed))
        rows.push_back({entry.name, entry.deletedBy});
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<TSalvageRow> ListedRows(HWND list)
{
    std::vector<TSalvageRow> rows;
    for (const std::vector<std::wstring>& cells : ListViewRows(list, 4))
        rows.push_back({cells[0], cells[3]});
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Selects the drive in the tree by the keyboard, then the folder below it.
bool SelectTreeFolder(HWND main, const std::wstring& drive, const std::wstring& folder)
{
    HWND tree = FindChild(main, WC_TREEVIEWW);
    std::vector<std::wstring> shown;
    if (tree == nullptr || !WaitForTreeItems(tree, {drive}, shown))
        return false;
    if (!ClickIntoTree(tree) || !SelectByKey(tree, VK_DOWN, drive, 40))
        return false;
    if (folder.empty())
        return true;
    return OpenAndSelectBelow(main, tree, folder, 40);
}

std::vector<int> SelectedListRows(HWND list)
{
    std::vector<int> rows;
    for (int row =
             static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
         row >= 0; row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED)))
        rows.push_back(row);
    return rows;
}

int FocusedListRow(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

int ListRowOf(HWND list, const std::wstring& caption)
{
    const std::vector<std::vector<std::wstring>> rows = ListViewRows(list, 1);
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row][0] == caption)
            return static_cast<int>(row);
    return -1;
}

bool SelectListRowByKeyboard(HWND list, int row)
{
    // The top row's label, a little in from its left edge.
    const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    TRemoteBuffer buffer(list, sizeof(RECT));
    RECT place{LVIR_LABEL, 0, 0, 0};
    if (!buffer.Valid() || !buffer.Write(&place, sizeof(place)) ||
        SendMessageW(list, LVM_GETITEMRECT, top, reinterpret_cast<LPARAM>(buffer.Address())) == 0 ||
        !buffer.Read(&place, sizeof(place)))
        return false;
    if (!ClickWhenReachable(list, {place.left + 8, (place.top + place.bottom) / 2}) ||
        !WaitFor(
            [&] { return FocusedListRow(list) == top && SelectedListRows(list) == std::vector<int>{top}; },
            kAppearMilliseconds))
        return false;
    for (int step = 0; step < 1000 && FocusedListRow(list) != row; ++step)
    {
        const int focused = FocusedListRow(list);
        PressKey(focused < row ? VK_DOWN : VK_UP);
        // The key has arrived once the focus has moved.
        WaitFor([&] { return FocusedListRow(list) != focused; }, kAppearMilliseconds);
    }
    return WaitFor([&] { return SelectedListRows(list) == std::vector<int>{row}; }, kAppearMilliseconds);
}

TFolderSnapshot Snapshot(const std::filesystem::path& folder)
{
    TFolderSnapshot files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file())
            files[Utf8(entry.path().lexically_relative(folder).wstring())] = ReadAll(entry.path());
    return files;
}

std::string ReadAll(const std::filesystem::path& file)
{
    std::string text;
    if (FILE* in = _wfopen(file.c_str(), L"rb"))
    {
        char chunk[4096];
        size_t read = 0;
        while ((read = fread(chunk, 1, sizeof(chunk), in)) > 0)
            text.append(chunk, read);
        fclose(in);
    }
    return text;
}

bool TypeIntoField(HWND field, const std::wstring& text)
{
    if (!ClickWhenReachable(field, {4, 4}) || !WaitUntilFocused(field))
        return false;
    PressKey(VK_HOME);
    PressKey(VK_END, {VK_SHIFT});
    TypeText(text);
    return WaitFor([&] { return RemoteText(field) == text; }, kAppearMilliseconds);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

TSaveDialogRun SaveByKeyboard(const TProgramRun& run, const std::filesystem::path& path)
{
    TSaveDialogRun shown;
    HWND save = run.WaitForVisible(L"#32770", kAppearMilliseconds);
    if (save == nullptr)
        return shown;
    shown.caption = RemoteText(save);
    // The dialog opens with the keyboard in its name field.
    HWND name = nullptr;
    if (!WaitFor([&] { return (name = FocusOf(save)) != nullptr && IsWindowVisible(name); },
                 kAppearMilliseconds))
        return shown;
    shown.proposed = RemoteText(name);
    if (!TypeIntoField(name, path.wstring()))
        return shown;
    PressKey(VK_RETURN);
    shown.saved =
        WaitFor([&] { return std::filesystem::exists(path) && !IsWindowVisible(save); }, kAppearMilliseconds);
    return shown;
}
