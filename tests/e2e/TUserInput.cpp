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
    // The display's own pointer is put on the point first, and the target's thread is let take what it has
    // queued. A window that comes up under the pointer where it stood before reports a move to that old
    // place; arriving between the press and the release, such a move makes the tree and the list start a
    // drag instead of taking the click.
    SetCursorPos(screen.x + 1, screen.y);
    SetCursorPos(screen.x, screen.y);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    // Two clicks at one place within the double-click time are a double-click, which selects nothing.
    static DWORD lastClick = GetTickCount() - GetDoubleClickTime();
    const DWORD since = GetTickCount() - lastClick;
    if (since <= GetDoubleClickTime())
        Sleep(GetDoubleClickTime() - since + 50);
    Send({MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen),
          MouseInput(MOUSEEVENTF_LEFTUP, screen)});
    lastClick = GetTickCount();
}
