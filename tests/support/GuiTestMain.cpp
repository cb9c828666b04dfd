// The main of the GUI test programs: COM and the common controls, a hidden owner window, and the scripted
// answers to every modal box and dialog.
#include "TGuiTest.h"

#include <commctrl.h>
#include <objbase.h>

#include <cwctype>
#include <map>

namespace
{

HWND& OwnerWindow()
{
    static HWND owner = nullptr;
    return owner;
}

HWND CreateOwnerWindow()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RetroveTestOwner";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"Retrove test owner", WS_OVERLAPPEDWINDOW, 0, 0,
                           100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
}

} // namespace

HWND TestOwnerWindow()
{
    return OwnerWindow();
}

std::vector<uint32_t> ScreenPixels(HWND window, bool repaintFirst)
{
    if (repaintFirst)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = client.right;
    format.bmiHeader.biHeight = -client.bottom;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> captured(pixels, pixels + static_cast<size_t>(client.right) * client.bottom);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return captured;
}

HWND CreateTestFrame(const wchar_t* title, int width, int height)
{
    static const ATOM frameClass = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = L"RetroveTestFrame";
        return RegisterClassW(&windowClass);
    }();
    HWND frame =
        CreateWindowExW(0, MAKEINTATOM(frameClass), title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                        width, height, OwnerWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(frame, SW_SHOWNORMAL);
    return frame;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // OLE, not only COM: the windows register drop targets and use the clipboard.
    if (FAILED(OleInitialize(nullptr)))
        return 2;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES |
                                                        ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OwnerWindow() = CreateOwnerWindow();
    TModal::SetResponder(&TTestModals::Instance());

    const int result = RUN_ALL_TESTS();

    TModal::SetResponder(nullptr);
    DestroyWindow(OwnerWindow());
    OleUninitialize();
    return result;
}

namespace
{

// The access key of a control or menu text, upper case; 0 for none ("&&" is an ampersand).
wchar_t AccessKeyOf(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == L'&')
        {
            if (text[i + 1] != L'&')
                return static_cast<wchar_t>(towupper(text[i + 1]));
            ++i;
        }
    return 0;
}

BOOL CALLBACK CollectControlText(HWND control, LPARAM texts)
{
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    const bool label =
        lstrcmpiW(kind, L"Static") == 0 && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) == 0;
    if (label || lstrcmpiW(kind, L"Button") == 0)
    {
        wchar_t text[256] = {};
        GetWindowTextW(control, text, 256);
        reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(text);
    }
    return TRUE;
}

} // namespace

std::vector<std::string> AccessKeyClashes(HWND window)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(window, &CollectControlText, reinterpret_cast<LPARAM>(&texts));
    if (HMENU bar = GetMenu(window))
        for (int item = 0; item < GetMenuItemCount(bar); ++item)
        {
            wchar_t text[128] = {};
            GetMenuStringW(bar, static_cast<UINT>(item), text, 128, MF_BYPOSITION);
            texts.push_back(text);
        }
    std::map<wchar_t, std::vector<std::wstring>> claims;
    for (const std::wstring& text : texts)
        if (const wchar_t key = AccessKeyOf(text))
            claims[key].push_back(text);
    std::vector<std::string> clashes;
    for (const auto& [key, claimants] : claims)
    {
        if (claimants.size() < 2)
            continue;
        std::string line(1, static_cast<char>(key));
        line += ":";
        for (const std::wstring& text : claimants)
            line += " " + std::string(text.begin(), text.end());
        clashes.push_back(line);
    }
    return clashes;
}
