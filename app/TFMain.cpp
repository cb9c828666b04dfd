// The main window of Retrove 98.
#include "TFMain.h"

#include "AppTitle.h"
#include "TModal.h"

#include <exception>
#include <string>

namespace
{

constexpr wchar_t kWindowClass[] = L"TFMain";

} // namespace

TFMain::~TFMain()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

bool TFMain::Create(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &TFMain::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    window_ = CreateWindowExW(0, kWindowClass, kAppTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              760, 520, nullptr, nullptr, instance, this);
    return window_ != nullptr;
}

void TFMain::Show(int showCommand)
{
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

LRESULT CALLBACK TFMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* self = static_cast<TFMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TFMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    try
    {
        return self->HandleMessage(message, wParam, lParam);
    }
    catch (const std::exception& error)
    {
        // No exception may cross into Windows: report it and end the program.
        const std::string what = error.what();
        TModal::MessageBox(nullptr, std::wstring(what.begin(), what.end()), kAppTitle, MB_OK | MB_ICONERROR);
        PostQuitMessage(1);
        return 0;
    }
}

LRESULT TFMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void TFMain::OnDestroy()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    PostQuitMessage(0);
}
