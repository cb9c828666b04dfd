// Input through SendInput: it goes to whatever window has the keyboard, as a person's typing would.
#include "TUserInput.h"

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

} // namespace

bool BringToFront(HWND window)
{
    for (int attempt = 0; attempt < 50; ++attempt)
    {
        SetForegroundWindow(window);
        if (GetForegroundWindow() == window)
            return true;
        Sleep(20);
    }
    return false;
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

void ClickAt(HWND window, POINT client)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    Send({MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen),
          MouseInput(MOUSEEVENTF_LEFTUP, screen)});
}
