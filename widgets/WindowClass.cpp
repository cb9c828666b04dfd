#include "WindowClass.h"

#include <set>
#include <string>

void RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure)
{
    static std::set<std::wstring> registered;
    if (!registered.insert(name).second)
        return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}
