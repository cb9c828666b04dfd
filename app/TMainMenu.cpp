// The main window's menus.
#include "TMainMenu.h"

#include "MainCommands.h"
#include "MenuItems.h"

#include <vector>

namespace
{

HMENU BuildBar()
{
    return BuildMenuBar({
        {L"&File",
         {{cmMRetrove, L"&Retrove", L"F2", ifDisabled},
          {cmMPurge, L"&Purge", L"F9", ifDisabled},
          {cmMFilter, L"&Filter", L"F7", ifNone},
          kMenuSeparator,
          {cmMFind, L"F&ind Deleted Files...", L"F3", ifNone},
          {cmMProperties, L"P&roperties", L"", ifDisabled},
          kMenuSeparator,
          {cmMExport, L"&Export List...", L"", ifNone},
          {cmMExportSelected, L"Export &Selected Rows...", L"", ifDisabled},
          kMenuSeparator,
          {cmExit1, L"&Close", L"", ifNone}}},
        {L"&Edit",
         {{cmMCopy, L"&Copy", L"Ctrl+C", ifDisabled},
          kMenuSeparator,
          {cmMSelectAll, L"Select &All", L"Ctrl+A", ifNone},
          {cmMInvertSelection, L"&Invert Selection", L"", ifNone}}},
        {L"&View",
         {{cmMToolBar, L" &Toolbar", L"", ifChecked},
          {cmMStatusBar, L" Status &Bar", L"", ifChecked},
          kMenuSeparator,
          {cmMLargeIcons, L" Lar&ge Icons", L"", ifRadio},
          {cmMSmallIcons, L" S&mall Icons", L"", ifRadio},
          {cmMList, L" &List", L"", ifRadio},
          {cmMDetails, L" &Details", L"", ifRadio | ifChecked},
          kMenuSeparator,
          {cmMRefresh, L" &Refresh", L"F5", ifNone}}},
        {L"&Options",
         {{cmMUpper, L"&Upper Case", L"", ifChecked},
          kMenuSeparator,
          {cmMRename, L"&Rename", L"", ifRadio | ifChecked},
          {cmMSkip, L"&Skip", L"", ifRadio},
          kMenuSeparator,
          {cmMContents, L"Include Folder &Contents", L"", ifChecked}}},
        {L"&Help", {{cmBAbout, L"&About...", L"", ifNone}}},
    });
}

HMENU BuildPopDel()
{
    return BuildPopupMenu({{cmPMRetrove, L"&Retrove", L"F2", ifNone},
                           {cmPMPurge, L"&Purge", L"F9", ifNone},
                           {cmPMProperties, L"P&roperties", L"", ifNone}});
}

HACCEL BuildAccelerators()
{
    std::vector<ACCEL> keys{
        {FVIRTKEY, VK_F2, cmMRetrove},       {FVIRTKEY, VK_F9, cmMPurge},
        {FVIRTKEY, VK_F7, cmMFilter},        {FVIRTKEY | FCONTROL, 'A', cmMSelectAll},
        {FVIRTKEY, VK_F5, cmMRefresh},       {FVIRTKEY, VK_F3, cmMFind},
        {FVIRTKEY | FCONTROL, 'F', cmMFind}, {FVIRTKEY | FCONTROL, 'C', cmMCopy},
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
    return MenuItemChecked(MenuOf(command), command);
}

void TMainMenu::SetChecked(int command, bool checked)
{
    SetMenuItemChecked(MenuOf(command), command, checked);
}

void TMainMenu::CheckRadio(int first, int last, int command)
{
    for (int item = first; item <= last; ++item)
        SetChecked(item, item == command);
}

bool TMainMenu::Enabled(int command) const
{
    return MenuItemEnabled(MenuOf(command), command);
}

void TMainMenu::SetEnabled(int command, bool enabled)
{
    SetMenuItemEnabled(MenuOf(command), command, enabled);
}

std::wstring TMainMenu::Caption(int command) const
{
    return MenuItemCaption(MenuOf(command), command);
}
