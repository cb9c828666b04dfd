// The dialog that asks for a new name when a recovered file's name exists again.
#include "TFRename.h"

#include "RecoveryNames.h"
#include "TLocaleCellFormat.h"
#include "WindowParts.h"

namespace
{

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
constexpr int idImage1 = 100;
constexpr int idLMsg = 101;
constexpr int idEFilename = 102;
constexpr int idLReason = 103;

} // namespace

TFRename::TFRename(HWND owner) : messageFont_(CreateSansSerifFont(10)) // the message stands out
{
    CreateForm({L"TFRename", kCaption,
                ScreenCentredBounds(kClientWidth, kClientHeight, kStyle, kExtendedStyle), kStyle,
                kExtendedStyle},
               owner);
    CreateControls();
}

TFRename::~TFRename()
{
    // The window goes while its subclass and font still exist.
    filenameSubclass_.Detach();
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void TFRename::CreateControls()
{
    image1_ = CreateChildControl(window_, L"STATIC", L"", SS_ICON, idImage1, {12, 14, 32, 32});
    SendMessageW(image1_, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)), 0);
    lMsg_ =
        CreateChildControl(window_, L"STATIC", kMessage, SS_LEFT | SS_NOPREFIX, idLMsg, {56, 10, 260, 50});
    SendMessageW(lMsg_, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont_.Get()), FALSE);
    eFilename_ = CreateChildControl(window_, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, idEFilename,
                                    {56, 68, 260, 22}, WS_EX_CLIENTEDGE);
    lReason_ =
        CreateChildControl(window_, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, idLReason, {56, 92, 260, 16});
    bOK_ = CreateChildControl(window_, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                              {160, 110, 75, 25});
    bCancel_ = CreateChildControl(window_, L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
                                  {241, 110, 75, 25});
    filenameSubclass_.Attach(eFilename_, [this](HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
        return EFilenameMessage(edit, message, wParam, lParam);
    });
}

void TFRename::DpiChanged(TDpi)
{
    messageFont_ = CreateSansSerifFont(10, Dpi());
    SendMessageW(lMsg_, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont_.Get()), TRUE);
}

void TFRename::BeforeExecute()
{
    CentreOnScreen(window_);
    NameChanged();
}

std::optional<LRESULT> TFRename::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        if (LOWORD(wParam) == idEFilename && HIWORD(wParam) == EN_CHANGE)
            NameChanged();
        else if (LOWORD(wParam) == IDOK)
            BOKClick();
        else if (LOWORD(wParam) == IDCANCEL)
            BCancelClick();
        return 0;
    default:
        return TForm::HandleMessage(message, wParam, lParam);
    }
}

std::optional<LRESULT> TFRename::EFilenameMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const std::optional<LRESULT> enter =
            EnterAsMainButton(edit, message, wParam, lParam, [this] { BOKClick(); }))
        return enter;
    if (message == WM_CHAR)
        return EFilenameKeyPress(edit, wParam, lParam);
    return std::nullopt;
}

std::optional<LRESULT> TFRename::EFilenameKeyPress(HWND edit, WPARAM key, LPARAM lParam)
{
    const auto typed = static_cast<wchar_t>(key);
    if (!IsCharAlphaW(typed))
        return std::nullopt;
    // The name goes to the client in its code page: a letter is upper-cased as that code page does it.
    const std::wstring upper = ClientUpperCase(std::wstring(1, typed));
    return DefSubclassProc(edit, WM_CHAR, static_cast<WPARAM>(upper[0]), lParam);
}

void TFRename::FocusRestored(HWND target)
{
    if (target == eFilename_)
        SendMessageW(eFilename_, EM_SETSEL, 0, -1);
}

void TFRename::NameChanged()
{
    EnableWindow(bOK_, GetWindowTextLengthW(eFilename_) > 0);
    SetWindowTextW(lReason_, L"");
}

void TFRename::BOKClick()
{
    const std::wstring problem = RecoveryNameProblem(WindowText(eFilename_), folder_);
    if (problem.empty())
    {
        Accept();
        return;
    }
    // The operator mends the name in place rather than starting the recovery over.
    SetWindowTextW(lReason_, problem.c_str());
    SetFocus(eFilename_);
    SendMessageW(eFilename_, EM_SETSEL, 0, -1);
}

void TFRename::BCancelClick()
{
    Cancel();
}
