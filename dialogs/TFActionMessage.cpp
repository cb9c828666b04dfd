// The small window that names the file that recover or purge works on.
#include "TFActionMessage.h"

#include "WindowParts.h"

namespace
{

// A dialog border and a caption, but no caption buttons: the window goes when its loop ends.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
constexpr int idAnimate1 = 100;
constexpr int idLActionMessage = 101;
constexpr int idLCount = 102;
constexpr ULONGLONG kTreeShowMilliseconds = 100;

} // namespace

TFActionMessage::TFActionMessage(HWND owner)
{
    CreateForm({L"TFActionMessage", kCaption,
                ScreenCentredBounds(kClientWidth, kClientHeight, kStyle, kExtendedStyle), kStyle,
                kExtendedStyle},
               owner);
    animate1_ = std::make_unique<TActionAnimation>(window_, idAnimate1, RECT{8, 6, kClientWidth - 16, 62});
    lActionMessage_ =
        CreateChildControl(window_, L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS,
                           idLActionMessage, {12, 76, kClientWidth - 24, 20});
    lCount_ = CreateChildControl(window_, L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, idLCount,
                                 {12, 110, kClientWidth - 24 - 88, 20});
    bCancel_ = CreateChildControl(window_, L"BUTTON", L"Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL,
                                  {kClientWidth - 12 - 75, 106, 75, 25});
    ShowWindow(lCount_, SW_HIDE);
    ShowWindow(bCancel_, SW_HIDE);
}

TFActionMessage::~TFActionMessage()
{
    // The window goes while the animation still exists.
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void TFActionMessage::ShowActionMessage()
{
    SetWindowTextW(lActionMessage_, L"");
    if (!IsWindowVisible(window_))
    {
        CentreOnScreen(window_);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
    animate1_->Play();
    RepaintNow();
}

void TFActionMessage::SetActionMessage(const std::wstring& message)
{
    if (treeShown_)
    {
        latestMessage_ = message;
        return;
    }
    SetWindowTextW(lActionMessage_, message.c_str());
    RepaintNow();
}

void TFActionMessage::HideActionMessage()
{
    animate1_->Stop();
    if (IsWindowVisible(window_))
        ShowWindow(window_, SW_HIDE);
    if (treeShown_)
    {
        ShowWindow(lCount_, SW_HIDE);
        ShowWindow(bCancel_, SW_HIDE);
        SetClientHeight(kClientHeight);
        treeShown_ = false;
    }
    cancelled_ = false;
}

bool TFActionMessage::ShowTreeProgress(size_t done)
{
    if (!treeShown_)
    {
        treeShown_ = true;
        latestMessage_ = WindowText(lActionMessage_);
        lastShown_ = 0;
        SetClientHeight(kTreeClientHeight);
        ShowWindow(lCount_, SW_SHOWNA);
        ShowWindow(bCancel_, SW_SHOWNA);
        // The keyboard can reach Cancel: the window takes it while its owner is disabled.
        ShowWindow(window_, SW_SHOW);
        SetActiveWindow(window_);
        SetFocus(bCancel_);
    }
    latestDone_ = done;
    const ULONGLONG now = GetTickCount64();
    if (now - lastShown_ >= kTreeShowMilliseconds)
    {
        lastShown_ = now;
        ShowLatest();
        PumpOwnMessages();
    }
    return cancelled_;
}

void TFActionMessage::ShowLatest()
{
    if (!treeShown_)
        return;
    SetWindowTextW(lActionMessage_, latestMessage_.c_str());
    SetWindowTextW(lCount_, (L"Done: " + std::to_wstring(latestDone_)).c_str());
    RepaintNow();
}

std::optional<LRESULT> TFActionMessage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
    {
        cancelled_ = true;
        return 0;
    }
    return TForm::HandleMessage(message, wParam, lParam);
}

void TFActionMessage::SetClientHeight(int designed)
{
    RECT outer{};
    RECT client{};
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    const int frame = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, frame + Dpi()(designed),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Only the window's own input is taken (Cancel, by the mouse or the keyboard); the other windows only paint,
// so that nothing else starts while the loop runs.
void TFActionMessage::PumpOwnMessages()
{
    MSG message{};
    while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE))
        if (!IsDialogMessageW(window_, &message))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageW(&message);
}

void TFActionMessage::RepaintNow()
{
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
