// Selects a folder in the running program's tree by the keyboard, as a user does, and waits until the program
// has listed it; the demo takes its screenshot after this. Argument: a drive-letter path such as
// F:\PROJECTS. Prints what the program shows; exits 1 when it did not get there.
#include "MainWindowDriving.h"
#include "TRemoteControls.h"
#include "TUserInput.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

constexpr DWORD kLimitMilliseconds = 60000;

HWND WaitForMainWindow()
{
    const DWORD start = GetTickCount();
    do
    {
        HWND main = FindWindowW(L"TFMain", nullptr);
        if (main != nullptr && IsWindowVisible(main))
            return main;
        Sleep(100);
    } while (GetTickCount() - start < kLimitMilliseconds);
    return nullptr;
}

// The folder names below the drive, in order.
std::vector<std::wstring> FolderNames(const std::wstring& path)
{
    std::vector<std::wstring> names;
    for (size_t start = 3; start < path.size();)
    {
        const size_t end = std::min(path.find(L'\\', start), path.size());
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// The caption names the folder from the start of its listing; the listing has ended when Stop is disabled.
bool WaitForListed(HWND main, const std::wstring& caption)
{
    const DWORD start = GetTickCount();
    do
    {
        if (ListedCaption(main) == caption && !ListingRuns(main))
            return true;
        Sleep(100);
    } while (GetTickCount() - start < kLimitMilliseconds);
    return false;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "list_folder_by_keyboard: %s\n", what);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 || std::wstring(argv[1]).size() < 2 || argv[1][1] != L':')
    {
        std::fprintf(stderr, "usage: list_folder_by_keyboard DRIVE:\\FOLDER\\...\n");
        return 2;
    }
    std::wstring path = argv[1];
    if (path.size() == 2)
        path += L'\\';
    const std::wstring drive = std::wstring(L"(") + path.substr(0, 2) + L")";

    HWND main = WaitForMainWindow();
    if (main == nullptr)
        return Fail("the main window did not appear");
    HWND tree = FindChild(main, WC_TREEVIEWW);
    std::vector<std::wstring> shown;
    if (tree == nullptr || !WaitForTreeItems(tree, {drive}, shown, kLimitMilliseconds))
        return Fail("the tree does not show the drive");
    if (!ClickIntoTree(tree))
        return Fail("the tree did not take the keyboard");
    if (!SelectByKey(tree, VK_DOWN, drive, 60))
        return Fail("the drive could not be selected");
    std::wstring listed = path.substr(0, 3);
    for (const std::wstring& name : FolderNames(path))
    {
        if (!WaitForListed(main, L"Deleted Contents of '" + listed + L"'"))
            return Fail("a folder on the way was not listed");
        if (!OpenAndSelectBelow(main, tree, name, 60))
            return Fail("a folder on the way could not be selected");
        listed += name + L"\\";
    }
    if (!WaitForListed(main, L"Deleted Contents of '" + listed + L"'"))
        return Fail("the folder was not listed");
    const std::wstring status = StatusBarText(FindChild(main, STATUSCLASSNAMEW), 0);
    std::printf("listed %ls: %ls, %d rows shown\n", listed.c_str(), status.c_str(),
                ListViewRowCount(FindChild(main, WC_LISTVIEWW)));
    return 0;
}
