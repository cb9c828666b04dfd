// Menus built from tables of items.
#include "MenuItems.h"

void AppendMenuEntry(HMENU menu, const TMenuItem& item)
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

HMENU BuildMenuBar(std::initializer_list<TSubmenu> menus)
{
    HMENU bar = CreateMenu();
    for (const TSubmenu& submenu : menus)
    {
        HMENU popup = CreatePopupMenu();
        for (const TMenuItem& item : submenu.items)
            AppendMenuEntry(popup, item);
        AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), submenu.caption);
    }
    return bar;
}

HMENU BuildPopupMenu(std::initializer_list<TMenuItem> items)
{
    HMENU menu = CreatePopupMenu();
    for (const TMenuItem& item : items)
        AppendMenuEntry(menu, item);
    return menu;
}

bool MenuItemChecked(HMENU menu, int command)
{
    return (GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void SetMenuItemChecked(HMENU menu, int command, bool checked)
{
    CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuItemEnabled(HMENU menu, int command)
{
    return (GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) == 0;
}

void SetMenuItemEnabled(HMENU menu, int command, bool enabled)
{
    EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

std::wstring MenuItemCaption(HMENU menu, int command)
{
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(command), text, 128, MF_BYCOMMAND);
    return text;
}
