// The about box: the program's banner and its version.
#include "TFAbout.h"

#include "DialogPictures.h"
#include "FileVersion.h"
#include "WindowParts.h"

namespace
{

// A dialog border and a caption, but no caption buttons: OK closes the box.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
constexpr int idImage1 = 100;
constexpr int idImage2 = 101;
constexpr int idPBuild = TFAbout::kPBuildId;

HWND CreatePicture(HWND parent, int id, const RECT& bounds, HBITMAP picture)
{
    HWND control = CreateChildControl(parent, L"STATIC", L"", SS_BITMAP, id, bounds);
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    return control;
}

} // namespace

TFAbout::TFAbout(HWND owner)
    : background_(CreateSolidBrush(RGB(255, 255, 255))), banner_(MakeBannerPicture(TDpi::OfScreen())),
      icon_(MakeIconPicture(TDpi::OfScreen()))
{
    CreateForm({L"TFAbout", kCaption,
                ScreenCentredBounds(kClientWidth, kClientHeight, kStyle, kExtendedStyle), kStyle,
                kExtendedStyle},
               owner);
    CreateControls();
}

TFAbout::~TFAbout()
{
    // The window goes while the pictures its controls show still exist.
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void TFAbout::CreateControls()
{
    image1_ = CreatePicture(window_, idImage1, {10, 14, kIconPictureSide, kIconPictureSide}, icon_.Get());
    image2_ = CreatePicture(window_, idImage2, {50, 12, kBannerWidth, kBannerHeight}, banner_.Get());
    bOk_ = CreateChildControl(window_, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                              {kClientWidth - 85, 12, 75, 25});
    pBuild_ = CreateChildControl(window_, L"STATIC", L"", SS_RIGHT | SS_NOPREFIX, idPBuild,
                                 {kClientWidth - 210, kClientHeight - 24, 200, 16});
}

void TFAbout::DpiChanged(TDpi)
{
    banner_ = MakeBannerPicture(Dpi());
    icon_ = MakeIconPicture(Dpi());
    SendMessageW(image1_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(icon_.Get()));
    SendMessageW(image2_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_.Get()));
}

std::optional<LRESULT> TFAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SHOWWINDOW:
        if (wParam)
            FormShow();
        return std::nullopt;
    case WM_COMMAND:
        // OK, Enter or Escape.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            BOkClick();
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_.Get());
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return TForm::HandleMessage(message, wParam, lParam);
    }
}

LRESULT TFAbout::OnControlColour(HDC dc, HWND control)
{
    SetBkColor(dc, RGB(255, 255, 255));
    if (control == pBuild_)
        SetTextColor(dc, kBuildColour);
    return reinterpret_cast<LRESULT>(background_.Get());
}

void TFAbout::FormShow()
{
    CentreOnScreen(window_);
    const std::optional<TFileVersion> version = ReadFileVersion(ProgramFilePath());
    SetWindowTextW(pBuild_, version ? FileVersionText(*version).c_str() : L"");
}

void TFAbout::BOkClick()
{
    CloseForm(IDOK);
}
