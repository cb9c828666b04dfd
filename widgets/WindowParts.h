// What the program's own windows share: child controls in the dialog font, the program's font, placing on
// the screen and texts.
#pragma once

#include "TDpi.h"
#include "TUniqueHandle.h"

#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <optional>
#include <string>

// Creates a child control with the given ID and bounds (left, top, width, height, at 96 DPI: they are scaled
// by the parent's DPI) in the dialog font.
HWND CreateChildControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                        const RECT& bounds, DWORD extendedStyle = 0);

// Outer bounds (left, top, width, height) of a top-level window of that style whose client area has the size
// (at 96 DPI, scaled by the screen's), centred on the screen.
RECT ScreenCentredBounds(int clientWidth, int clientHeight, DWORD style, DWORD extendedStyle);

// Bounds (left, top, width, height) moved and, where they must be, narrowed so that they lie within the
// primary screen's work area.
RECT WithinWorkArea(const RECT& bounds);

// Moves a top-level window to the middle of the screen, keeping its size.
void CentreOnScreen(HWND window);
// Moves a top-level window to the middle of another (of the screen without one), keeping its size and
// wholly on that window's monitor's work area.
void CentreOver(HWND window, HWND over);

// A child's own visible flag: a hidden form's children still count as shown.
bool Shown(HWND control);

// The text of a window or control.
std::wstring WindowText(HWND window);

// The program's 8-bit texts (NetWare names) in the windows' UTF-16, and back, through the ANSI code page.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);

// A new font of the program's face, "MS Sans Serif", at that size in points at the DPI (the screen's when
// none is given); the caller owns it.
TFont CreateSansSerifFont(int points, TDpi dpi = TDpi::OfScreen());
// The controls' font at another DPI than the screen's: the dialog font, grown or shrunk with it.
TFont CreateDialogFont(TDpi dpi);

// After a window moved to a monitor of another scale: moves and sizes the window's controls (and those of
// the program's own windows inside it, such as tab pages) by the change of scale, and gives every control
// in the font oldFont the font newFont.
void RescaleChildren(HWND window, TDpi from, TDpi to, HFONT oldFont, HFONT newFont);

// For the subclass of a dialog's main edit, whose Enter acts as the dialog's main button: takes the key from
// the dialog's modal loop and runs press for it. Nothing for any other message or key.
std::optional<LRESULT> EnterAsMainButton(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         const std::function<void()>& press);

// A page of a tab control: a window over the tab control's display area, a child of the form beside the tab
// control, that hands its controls' commands and notifications to the form. Returns the page; its client
// size is the display area's.
HWND CreateTabPage(HWND form, HWND tabs);

// Takes the sunken border off a control (a tree or list that fills a pane of its own).
void RemoveBorder(HWND control);

// Gives a top-level window the program's icon, in the title bar's size and the task switcher's.
void UseProgramIcon(HWND window);
