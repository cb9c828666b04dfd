// The new-folder prompt.
#include "TNewFolderPrompt.h"

#include "TApplicationErrors.h"
#include "TModal.h"

namespace
{

constexpr int kEditId = 100;
constexpr wchar_t kWindowClass[] = L"TNewFolderPrompt";

HWND AddControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                RECT bounds)
{
    HWND control = CreateWindowExW(windowClass == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, windowClass,
                                   text, WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top, bounds.right,
                                   bounds.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

} // namespace

void TNewFolderPrompt::RegisterWindowClass()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &TNewFolderPrompt::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

bool TNewFolderPrompt::Execute(HWND owner)
{
    RegisterWindowClass();
    name_.clear();
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kWindowClass, kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                              CW_USEDEFAULT, CW_USEDEFAULT, 320, 130, owner, nullptr,
                              GetModuleHandleW(nullptr), this);
    AddControl(window_, L"STATIC", L"&Name of the new folder:", 0, -1, {10, 10, 290, 16});
    edit_ =
        AddControl(window_, L"EDIT", L"New Folder", WS_TABSTOP | ES_AUTOHSCROLL, kEditId, {10, 28, 290, 22});
    AddControl(window_, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {130, 60, 80, 24});
    AddControl(window_, L"BUTTON", L"Cancel", WS_TABSTOP, IDCANCEL, {220, 60, 80, 24});
    SetFocus(edit_);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
    const INT_PTR result =
        TModal::Dialog({window_, kCaption, [this, owner] { return modal_.Run(window_, owner); }});
    DestroyWindow(window_);
    window_ = nullptr;
    return result == IDOK && !name_.empty();
}

void TNewFolderPrompt::OnOk()
{
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(edit_, text, MAX_PATH);
    name_ = text;
    modal_.EndModal(IDOK);
}

LRESULT CALLBACK TNewFolderPrompt::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<TNewFolderPrompt*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return GuardCallback([&] { return self->HandleMessage(window, message, wParam, lParam); }, LRESULT{0});
}

LRESULT TNewFolderPrompt::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OnOk();
        else if (LOWORD(wParam) == IDCANCEL)
            modal_.EndModal(IDCANCEL);
        return 0;
    case WM_CLOSE:
        modal_.EndModal(IDCANCEL);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
