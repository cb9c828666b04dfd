// Keyboard driving of the main window's tree and the reading of its listing.
#include "MainWindowDriving.h"

#include "MainCommands.h"
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
    RECT area{};
    GetClientRect(tree, &area);
    // A window that has just come up now and then lets the first click go by (under Wine, when the
    // activation of the window is still on its way); a user clicks again, and so does this.
    for (int attempt = 0; attempt < 3; ++attempt)
        if (ClickWhenReachable(tree, {area.right / 2, area.bottom - 4}) && WaitUntilFocused(tree, 2000))
            return true;
    return false;
}

bool SelectByKey(HWND tree, WORD key, const std::wstring& part, int most,
                 const std::function<bool()>& settled)
{
    for (int i = 0; i < most; ++i)
    {
        const HTREEITEM before = TreeSelection(tree);
        if (TreeSelectionText(tree).find(part) != std::wstring::npos)
            return true;
        PressKey(key);
        // The next key waits until this one has moved the selection: a busy program takes keys late, and
        // keys given meanwhile would carry the selection past the folder sought.
        if (!WaitFor([&] { return TreeSelection(tree) != before; }) || !WaitFor(settled))
            return false;
    }
    return TreeSelectionText(tree).find(part) != std::wstring::npos;
}

bool ListingRuns(HWND main)
{
    return SendMessageW(FindChild(main, TOOLBARCLASSNAMEW), TB_ISBUTTONENABLED, cmBStop, 0) != 0;
}

bool OpenAndSelectBelow(HWND main, HWND tree, const std::wstring& part, int most)
{
    // A folder is listed while its selection is handled, so once the tree reports the new selection, Stop
    // tells whether that listing still runs. Each key waits for it, so that every folder on the way is listed
    // before the next is selected.
    const auto listed = [&] { return !ListingRuns(main); };
    if (!WaitFor(listed))
        return false;
    // Right on an open folder would select its first child: only a closed one is opened, and Down waits until
    // it has opened, or it would go to the folder after it.
    if (!IsExpanded(tree, TreeSelection(tree)))
        PressKey(VK_RIGHT);
    std::vector<std::wstring> shown;
    return WaitForTreeItems(tree, {part}, shown) && SelectByKey(tree, VK_DOWN, part, most, listed);
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
