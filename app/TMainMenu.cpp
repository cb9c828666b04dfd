// The main window's menus.
#include "TMainMenu.h"

#include "MainCommands.h"

#include <initializer_list>
#include <vector>

namespace
{

enum TItemFlag : unsigned
{
    ifNone = 0,
    ifChecked = 1,
    ifRadio = 2,
    ifDisabled = 4,
};

struct TItem
{
    int command; // 0 for a separator
    const wchar_t* caption;
    const wchar_t* shortcut;
    unsigned flags;
};

struct TSubmenu
{
    const wchar_t* caption;
    std::initializer_list<TItem> items;
};

constexpr TItem kSeparator{0, L"", L"", ifNone};

void Append(HMENU menu, const TItem& item)
{
    if (item.command == 0)
    {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    std::wstring text = item.caption;
    if (*item.shortcut != L'\0')
        text += std::wstring(L"\t") + item.shortcut;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_STRING | ((item.flags & ifRadio) != 0 ? MFT_RADIOCHECK : 0);
    info.fState = ((item.flags & ifChecked) != 0 ? MFS_CHECKED : 0) |
                  ((item.flags & ifDisabled) != 0 ? MFS_DISABLED : 0);
    info.wID = static_cast<UINT>(item.command);
    info.dwTypeData = text.data();
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

HMENU BuildBar()
{
    const std::initializer_list<TSubmenu> menus{
        {L"&File",
         {{cmMRetrove, L"&Retrove", L"F2", ifDisabled},
          {cmMPurge, L"&Purge", L"F9", ifDisabled},
          {cmMFilter, L"&Filter", L"F7", ifNone},
          kSeparator,
          {cmMFind, L"F&ind Deleted Files...", L"", ifNone},
          {cmMProperties, L"P&roperties", L"", ifDisabled},
          kSeparator,
          {cmExit1, L"&Close", L"", ifNone}}},
        {L"&Edit",
         {{cmMSelectAll, L"Select &All", L"Ctrl+A", ifNone},
          {cmMInvertSelection, L"&Invert Selection", L"", ifNone}}},
        {L"&View",
         {{cmMToolBar, L" &Toolbar", L"", ifChecked},
          {cmMStatusBar, L" Status &Bar", L"", ifChecked},
          kSeparator,
          {cmMLargeIcons, L" Lar&ge Icons", L"", ifRadio},
          {cmMSmallIcons, L" S&mall Icons", L"", ifRadio},
          {cmMList, L" &List", L"", ifRadio},
          {cmMDetails, L" &Details", L"", ifRadio | ifChecked},
          kSeparator,
          {cmMRefresh, L" &Refresh", L"F5", ifNone}}},
        {L"&Options",
         {{cmMUpper, L"&Upper Case", L"", ifChecked},
          kSeparator,
          {cmMRename, L"&Rename", L"", ifRadio | ifChecked},
          {cmMSkip, L"&Skip", L"", ifRadio}}},
        {L"&Help", {{cmBAbout, L"&About...", L"", ifNone}}},
    };
    HMENU bar = CreateMenu();
    for (const TSubmenu& submenu : menus)
    {
        HMENU popup = CreatePopupMenu();
        for (const TItem& item : submenu.items)
            Append(popup, item);
        AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), submenu.caption);
    }
    return bar;
}

HMENU BuildPopDel()
{
    HMENU menu = CreatePopupMenu();
    for (const TItem& item :
         {TItem{cmPMRetrove, L"&Retrove", L"F2", ifNone}, TItem{cmPMPurge, L"&Purge", L"F9", ifNone},
          TItem{cmPMProperties, L"P&roperties", L"", ifNone}})
        Append(menu, item);
    return menu;
}

HACCEL BuildAccelerators()
{
    std::vector<ACCEL> keys{
        {FVIRTKEY, VK_F2, cmMRetrove}, {FVIRTKEY, VK_F9, cmMPurge},
        {FVIRTKEY, VK_F7, cmMFilter},  {FVIRTKEY | FCONTROL, 'A', cmMSelectAll},
        {FVIRTKEY, VK_F5, cmMRefresh},
    };
    return CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

} // namespace

TMainMenu::TMainMenu() : bar_(BuildBar()), popDel_(BuildPopDel()), accelerators_(BuildAccelerators()) {}

HMENU TMainMenu::MenuOf(int command) const
{
    return command >= cmPMRetrove && command <= cmPMProperties ? popDel_.Get() : bar_.Get();
}

bool TMainMenu::Checked(int command) const
{
    return (GetMenuState(MenuOf(command), static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TMainMenu::SetChecked(int command, bool checked)
{
    CheckMenuItem(MenuOf(command), static_cast<UINT>(command),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TMainMenu::CheckRadio(int first, int last, int command)
{
    for (int item = first; item <= last; ++item)
        SetChecked(item, item == command);
}

bool TMainMenu::Enabled(int command) const
{
    return (GetMenuState(MenuOf(command), static_cast<UINT>(command), MF_BYCOMMAND) &
            (MF_DISABLED | MF_GRAYED)) == 0;
}

void TMainMenu::SetEnabled(int command, bool enabled)
{
    EnableMenuItem(MenuOf(command), static_cast<UINT>(command),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

std::wstring TMainMenu::Caption(int command) const
{
    wchar_t text[128] = {};
    GetMenuStringW(MenuOf(command), static_cast<UINT>(command), text, 128, MF_BYCOMMAND);
    return text;
}
