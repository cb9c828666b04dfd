// Driving the real program's main window as a user does.
#include "MainWindowDriver.h"

#include "TE2ETest.h"
#include "TRemoteControls.h"
#include "TUserInput.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace
{

// A directory name as the program shows it, typeless: CN=ALICE.OU=SALES.O=TARVEX is ALICE.SALES.TARVEX.
std::wstring Typeless(const std::string& name)
{
    std::wstring result;
    size_t start = 0;
    while (start <= name.size())
    {
        const size_t dot = std::min(name.find('.', start), name.size());
        std::string part = name.substr(start, dot - start);
        if (const size_t equals = part.find('='); equals != std::string::npos)
            part = part.substr(equals + 1);
        if (!result.empty())
            result += L'.';
        result += std::wstring(part.begin(), part.end());
        start = dot + 1;
    }
    return result;
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD limitMilliseconds)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start >= limitMilliseconds)
            return false;
        Sleep(50);
    }
    return true;
}

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

// The entries that "nwsim salvage" prints for one folder: each line ends in size, date, time and deletor.
std::vector<TSalvageRow> SalvageRows(const std::string& printed)
{
    std::vector<TSalvageRow> rows;
    std::istringstream lines(printed);
    std::string line;
    std::getline(lines, line); // the folder
    while (std::getline(lines, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<size_t> cuts;
        size_t end = line.size();
        for (int field = 0; field < 4 && end > 0; ++field)
        {
            const size_t blank = line.find_last_of(' ', end - 1);
            if (blank == std::string::npos)
                break;
            cuts.push_back(blank);
            end = line.find_last_not_of(' ', blank);
            end = end == std::string::npos ? 0 : end + 1;
        }
        if (cuts.size() < 4)
            continue; // the count line
        std::string name = line.substr(0, end);
        name.erase(0, name.find_first_not_of(' '));
        rows.push_back({std::wstring(name.begin(), name.end()), Typeless(line.substr(cuts[0] + 1))});
    }
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

// The title pane above the list.
bool SelectTreeFolder(HWND main, const std::wstring& drive, const std::wstring& folder)
{
    HWND tree = FindChild(main, WC_TREEVIEWW);
    std::vector<std::wstring> shown;
    if (tree == nullptr || !WaitForTreeItems(tree, {drive}, shown))
        return false;
    // Keys that went elsewhere while the window came to the front are given again.
    bool selected = false;
    for (int attempt = 0; attempt < 3 && !selected; ++attempt)
        selected = ClickIntoTree(tree) && SelectByKey(tree, VK_DOWN, drive, 40);
    if (!selected)
        return false;
    if (folder.empty())
        return true;
    PressKey(VK_RIGHT);
    return SelectByKey(tree, VK_DOWN, folder, 40);
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
    // As with the tree: a window just come up may lose the front to the desktop once, and the click with it.
    bool focused = false;
    for (int attempt = 0; attempt < 3 && !focused; ++attempt)
    {
        BringToFront(GetAncestor(list, GA_ROOT));
        ClickAt(list, {place.left + 8, (place.top + place.bottom) / 2});
        focused = WaitFor([&] { return FocusedListRow(list) == top; }, kAppearMilliseconds / 3);
    }
    if (!focused)
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
            files[entry.path().lexically_relative(folder).string()] = ReadAll(entry.path());
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
