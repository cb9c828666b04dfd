// The main of the GUI test programs: COM and the common controls, a hidden owner window, and the scripted
// answers to every modal box and dialog.
#include "TGuiTest.h"

#include <commctrl.h>
#include <objbase.h>

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
