// Keyboard and mouse input to another process's window, through the system's input queue as a user's keys
// and clicks arrive.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

// How long the driving waits for what a user would see, unless told otherwise.
inline constexpr DWORD kDrivingLimitMilliseconds = 30000;

// Waits until the condition holds; false when it did not within the limit.
bool WaitFor(const std::function<bool()>& condition, DWORD limitMilliseconds = kDrivingLimitMilliseconds);

// Brings the window to the front so that it receives the keyboard: it is the foreground window and its own
// thread has taken the activation. False when it did not come.
bool BringToFront(HWND window);

// Waits until the control has the keyboard focus in its own thread; false when it did not get it in time.
bool WaitUntilFocused(HWND control, DWORD limitMilliseconds = 10000);

// Brings the window's top-level window to the front, waits until the point of the window's client area lies
// on the window itself (not on a window still coming over it or one going away), then clicks there once.
// False when the point never came to lie on the window.
bool ClickWhenReachable(HWND window, POINT client, DWORD limitMilliseconds = 10000);

// Presses and releases one key, with the modifiers held down around it.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});

// Types the characters of a text one key at a time.
void TypeText(const std::wstring& text);

// Puts a text on the clipboard, as a user copies it from elsewhere before pasting it with Ctrl+V.
bool PutOnClipboard(const std::wstring& text);

// A left click at a point of a window's client area.
void ClickAt(HWND window, POINT client);
