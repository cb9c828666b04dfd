// Input through SendInput: it goes to whatever window has the keyboard, as a person's typing would.
#include "TUserInput.h"

#include <cstring>
#include <vector>

namespace
{

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT CharacterInput(wchar_t character, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = character;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void Send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Lets the target's queue take the keys before the next ones come.
    Sleep(30);
}

INPUT MouseInput(DWORD flags, POINT screen)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// The target thread's own view of its windows: what it activated and where its focus is.
GUITHREADINFO ThreadState(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD limitMilliseconds)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start >= limitMilliseconds)
            return false;
        Sleep(20);
    }
    return true;
}

bool BringToFront(HWND window)
{
    // Keys go to the focus of the foreground thread: until that thread has handled its activation, they go
    // to whatever it focused before, or nowhere.
    return WaitFor(
        [&] {
            if (GetForegroundWindow() != window)
                SetForegroundWindow(window);
            return GetForegroundWindow() == window && ThreadState(window).hwndActive == window;
        },
        5000);
}

bool WaitUntilFocused(HWND control, DWORD limitMilliseconds)
{
    return WaitFor([&] { return ThreadState(control).hwndFocus == control; }, limitMilliseconds);
}

bool ClickWhenReachable(HWND window, POINT client, DWORD limitMilliseconds)
{
    if (!BringToFront(GetAncestor(window, GA_ROOT)))
        return false;
    POINT screen = client;
    ClientToScreen(window, &screen);
    if (!WaitFor([&] { return WindowFromPoint(screen) == window; }, limitMilliseconds))
        return false;
    ClickAt(window, client);
    return true;
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier)
        inputs.push_back(KeyInput(*modifier, true));
    Send(std::move(inputs));
}

void TypeText(const std::wstring& text)
{
    for (wchar_t character : text)
        Send({CharacterInput(character, false), CharacterInput(character, true)});
}

bool PutOnClipboard(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool put = false;
    if (void* target = memory == nullptr ? nullptr : GlobalLock(memory))
    {
        std::memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory);
        // The clipboard owns the memory once it took it.
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!put && memory != nullptr)
        GlobalFree(memory);
    CloseClipboard();
    return put;
}

void ClickAt(HWND window, POINT client)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    // The pointer is moved by input alone: under Wine's virtual desktop a pointer put by SetCursorPos is
    // reported back later from the display's old place, so that a press or release went to the desktop.
    // The target's thread is let take the move first; each button carries the point, and the release waits
    // until the press has been taken (the tree and the list capture the mouse then), so that no move can come
    // between them: they would take such a click for the start of a drag.
    Send({MouseInput(MOUSEEVENTF_MOVE, screen)});
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    // Two clicks at one place within the double-click time are a double-click, which selects nothing.
    static DWORD lastClick = GetTickCount() - GetDoubleClickTime();
    const DWORD since = GetTickCount() - lastClick;
    if (since <= GetDoubleClickTime())
        Sleep(GetDoubleClickTime() - since + 50);
    Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, screen)});
    // Controls that take no capture on a press get the release after a short wait.
    WaitFor([&] { return ThreadState(window).hwndCapture != nullptr; }, 300);
    Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, screen)});
    lastClick = GetTickCount();
}
