// Menus built from tables of items, and the state of an item by its command: what the program's windows
// share for their menu bars and pop-up menus.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

enum TMenuItemFlag : unsigned
{
    ifNone = 0,
    ifChecked = 1,
    ifRadio = 2,
    ifDisabled = 4,
};

struct TMenuItem
{
    int command; // 0 for a separator
    const wchar_t* caption;
    const wchar_t* shortcut;
    unsigned flags;
};

inline constexpr TMenuItem kMenuSeparator{0, L"", L"", ifNone};

struct TSubmenu
{
    const wchar_t* caption;
    std::initializer_list<TMenuItem> items;
};

// Appends an item, its shortcut after a tab.
void AppendMenuEntry(HMENU menu, const TMenuItem& item);
// A menu bar of pop-up menus; the caller owns it.
HMENU BuildMenuBar(std::initializer_list<TSubmenu> menus);
// A pop-up menu; the caller owns it.
HMENU BuildPopupMenu(std::initializer_list<TMenuItem> items);

// Items by command, anywhere below the menu.
bool MenuItemChecked(HMENU menu, int command);
void SetMenuItemChecked(HMENU menu, int command, bool checked);
bool MenuItemEnabled(HMENU menu, int command);
void SetMenuItemEnabled(HMENU menu, int command, bool enabled);
// The caption as shown, with its access key marked and its shortcut after a tab.
std::wstring MenuItemCaption(HMENU menu, int command);
