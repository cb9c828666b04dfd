// The main window's menu bar, its pop-up menu for selected rows and the keyboard shortcuts of their items.
#pragma once

#include "TUniqueHandle.h"

#include <windows.h>

#include <string>

class TMainMenu
{
public:
    TMainMenu();

    TMainMenu(const TMainMenu&) = delete;
    TMainMenu& operator=(const TMainMenu&) = delete;

    // MainMenu1. The menu stays ours: a window that shows it must give it back before it goes.
    HMENU Bar() const { return bar_.Get(); }
    // PopDel.
    HMENU PopDel() const { return popDel_.Get(); }
    HACCEL Accelerators() const { return accelerators_.Get(); }

    // Items by command, in either menu.
    bool Checked(int command) const;
    void SetChecked(int command, bool checked);
    // Checks the item of a radio group and clears the others of the group, first to last.
    void CheckRadio(int first, int last, int command);
    bool Enabled(int command) const;
    void SetEnabled(int command, bool enabled);
    // The caption as shown, with its access key marked and its shortcut after a tab.
    std::wstring Caption(int command) const;

private:
    HMENU MenuOf(int command) const;

    TMenuHandle bar_;
    TMenuHandle popDel_;
    TAcceleratorTable accelerators_;
};
