// The new-folder prompt.
#include "TNewFolderPrompt.h"

#include "TApplicationErrors.h"
#include "TModal.h"
#include "WindowClass.h"
#include "WindowParts.h"

namespace
{

constexpr int kEditId = 100;
constexpr wchar_t kWindowClass[] = L"TNewFolderPrompt";

} // namespace

bool TNewFolderPrompt::Execute(HWND owner)
{
    RegisterWindowClassOnce(kWindowClass, &TNewFolderPrompt::WindowProc);
    name_.clear();
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kWindowClass, kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                              CW_USEDEFAULT, CW_USEDEFAULT, TDpi::OfScreen()(320), TDpi::OfScreen()(130),
                              owner, nullptr, GetModuleHandleW(nullptr), this);
    CreateChildControl(window_, L"STATIC", L"&Name of the new folder:", 0, -1, {10, 10, 290, 16});
    edit_ = CreateChildControl(window_, L"EDIT", L"New Folder", WS_TABSTOP | ES_AUTOHSCROLL, kEditId,
                               {10, 28, 290, 22}, WS_EX_CLIENTEDGE);
    CreateChildControl(window_, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {130, 60, 80, 24});
    CreateChildControl(window_, L"BUTTON", L"Cancel", WS_TABSTOP, IDCANCEL, {220, 60, 80, 24});
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
    auto* self = WindowObject<TNewFolderPrompt>(window, message, lParam);
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
