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
    SetWindowTextW(lActionMessage_, message.c_str());
    RepaintNow();
}

void TFActionMessage::HideActionMessage()
{
    animate1_->Stop();
    if (IsWindowVisible(window_))
        ShowWindow(window_, SW_HIDE);
}

void TFActionMessage::RepaintNow()
{
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
