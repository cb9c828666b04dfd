// The main window's tests: the program started on the GUI world, with the helpers that click, press keys and
// read the window as a user sees it.
#pragma once

#include "TProgramTest.h"

#include "MainCommands.h"
#include "TApplication.h"
#include "TItemIdList.h"
#include "TSubclass.h"

#include <commctrl.h>
#include <string>
#include <vector>

class TFMainTest : public TProgramTest
{
protected:
    static constexpr const wchar_t* kKey = L"Software\\Tarvex\\Retrove";

    static std::wstring TextOf(HWND window)
    {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return text;
    }

    static RECT BoundsIn(HWND window, HWND parent)
    {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    }

    // A click of the left mouse button on a point of a control, as the control sees it.
    static void Click(HWND control, POINT at)
    {
        const LPARAM point = MAKELPARAM(at.x, at.y);
        SendMessageW(control, WM_MOUSEMOVE, 0, point);
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(control, WM_LBUTTONUP, 0, point);
        PumpMessages();
    }

    static void ClickButton(TFMain& main, int command)
    {
        const RECT place = main.Toolbar().ButtonRect(command);
        Click(main.Toolbar().Handle(), {(place.left + place.right) / 2, (place.top + place.bottom) / 2});
    }

    static void Command(TFMain& main, int command)
    {
        SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        PumpMessages();
    }

    // Drags a splitter's bar by the mouse to a new position.
    static void DragBar(TPTSplitter& splitter, int to)
    {
        HWND bar = splitter.Handle();
        const int from = splitter.Position() + 1;
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 5));
        SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from + to) / 2, 5));
        SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to + 1, 5));
        SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(to + 1, 5));
    }

    static std::wstring ToolTipOf(TToolBar& toolbar, int command)
    {
        HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar.Handle(), TB_GETTOOLTIPS, 0, 0));
        wchar_t text[80] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = toolbar.Handle();
        tool.uId = static_cast<UINT_PTR>(command);
        tool.lpszText = text;
        SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    // Presses a key on the list, with or without Ctrl, as the event loop hands it to the form's shortcuts;
    // returns whether a shortcut took it.
    static bool PressShortcut(TFMain& main, WORD key, bool control)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{main.ExplorerList().Handle(), WM_KEYDOWN, key, 1, 0, {}};
        const bool taken = TranslateAcceleratorW(main.Handle(), main.Accelerators(), &message) != 0;
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        PumpMessages();
        return taken;
    }

    // Presses a key as the event loop hands it to the main window first (Tab, F6), with or without Shift;
    // returns whether the window took it.
    static bool PressFormKey(TFMain& main, WORD key, bool shift)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        const bool taken = main.FormKeyDown(message);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        PumpMessages();
        return taken;
    }

    // Whether the keyboard is in the pane or in a control inside it.
    static bool FocusIn(HWND pane)
    {
        HWND focus = GetFocus();
        return focus != nullptr && (focus == pane || IsChild(pane, focus));
    }

    static bool Checked(TFMain& main, int item) { return main.Menu().Checked(item); }

    void SetUp() override
    {
        TProgramTest::SetUp();
        LoadWorld();
        Start();
    }

    // The main window shown by the event loop for the first time.
    TFMain& Shown()
    {
        Main().ShowFirstTime();
        PumpMessages();
        return Main();
    }

    // A main window of the next run, on the settings that this one saved.
    static std::unique_ptr<TFMain> NextRun()
    {
        auto next = std::make_unique<TFMain>();
        next->ShowFirstTime();
        PumpMessages();
        return next;
    }

    void AddRows(size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            Main().ExplorerList().AddRow({L"FILE" + std::to_wstring(i) + L".TXT", -1, {L"10"}, nullptr});
    }
};
