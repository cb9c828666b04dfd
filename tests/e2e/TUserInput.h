// Keyboard and mouse input to another process's window, through the system's input queue as a user's keys
// and clicks arrive.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

// Brings the window to the front so that it receives the keyboard; false when it did not come.
bool BringToFront(HWND window);

// Presses and releases one key, with the modifiers held down around it.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});

// Types the characters of a text one key at a time.
void TypeText(const std::wstring& text);

// A left click at a point of a window's client area.
void ClickAt(HWND window, POINT client);
