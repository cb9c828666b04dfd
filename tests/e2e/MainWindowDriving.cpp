// Keyboard driving of the main window's tree and the reading of its listing.
#include "MainWindowDriving.h"

#include "TRemoteControls.h"
#include "TUserInput.h"

#include <commctrl.h>

bool WaitForTreeItems(HWND tree, const std::vector<std::wstring>& parts, std::vector<std::wstring>& shown,
                      DWORD limitMilliseconds)
{
    const DWORD start = GetTickCount();
    do
    {
        shown = TreeItemTexts(tree);
        bool all = true;
        for (const std::wstring& part : parts)
        {
            bool found = false;
            for (const std::wstring& text : shown)
                found = found || text.find(part) != std::wstring::npos;
            all = all && found;
        }
        if (all)
            return true;
        Sleep(50);
    } while (GetTickCount() - start < limitMilliseconds);
    return false;
}

bool ClickIntoTree(HWND tree)
{
    // A click can be lost while the program's window is still coming to the front: click again until the
    // tree has the keyboard.
    const DWORD thread = GetWindowThreadProcessId(tree, nullptr);
    RECT area{};
    GetClientRect(tree, &area);
    for (int attempt = 0; attempt < 20; ++attempt)
    {
        BringToFront(GetAncestor(tree, GA_ROOT));
        ClickAt(tree, {area.right / 2, area.bottom - 4});
        for (int wait = 0; wait < 10; ++wait)
        {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            if (GetGUIThreadInfo(thread, &info) && info.hwndFocus == tree)
                return true;
            Sleep(50);
        }
    }
    return false;
}

bool SelectByKey(HWND tree, WORD key, const std::wstring& part, int most)
{
    for (int i = 0; i < most; ++i)
    {
        if (TreeSelectionText(tree).find(part) != std::wstring::npos)
            return true;
        PressKey(key);
        Sleep(30);
    }
    return TreeSelectionText(tree).find(part) != std::wstring::npos;
}

std::wstring ListedCaption(HWND main)
{
    for (HWND label : ChildrenOfClass(main, L"Static"))
    {
        const std::wstring text = RemoteText(label);
        if (text.rfind(L"Deleted Contents of ", 0) == 0)
            return text;
    }
    return {};
}

bool WaitForListing(HWND main, const std::wstring& caption, const std::wstring& status,
                    DWORD limitMilliseconds)
{
    HWND bar = FindChild(main, STATUSCLASSNAMEW);
    const DWORD start = GetTickCount();
    do
    {
        if (ListedCaption(main) == caption && StatusBarText(bar, 0) == status)
            return true;
        Sleep(50);
    } while (GetTickCount() - start < limitMilliseconds);
    return false;
}
