// The filter dialog: the criteria that narrow the deleted-file lists.
#include "TFFilter.h"

#include "UBrowseDirectory.h"
#include "WindowParts.h"

namespace
{

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
constexpr int idEFilter = 100;
constexpr int idEDeleted = 101;
constexpr int idBSelectDeleted = 102;
constexpr int idEOwner = 103;
constexpr int idBSelectOwner = 104;
constexpr int idDDeleted = 105;
constexpr int idRNone = 106;
constexpr int idRExactly = 107;
constexpr int idRGreater = 108;
constexpr int idRLess = 109;
constexpr int idBNew = 110;

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked)
{
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The dialog's defaults: every name, any user, no date test, today.
TFilterCriteria DefaultCriteria()
{
    return TodaysCriteria("*.*");
}

SYSTEMTIME SystemDate(nw::TDateTime date)
{
    const nw::TDateParts parts = nw::DecodeDateTime(date);
    SYSTEMTIME result{};
    result.wYear = static_cast<WORD>(parts.year);
    result.wMonth = static_cast<WORD>(parts.month);
    result.wDay = static_cast<WORD>(parts.day);
    return result;
}

} // namespace

TFFilter::TFFilter(HWND owner)
{
    CreateForm({L"TFFilter", kCaption,
                ScreenCentredBounds(kClientWidth, kClientHeight, kStyle, kExtendedStyle), kStyle,
                kExtendedStyle},
               owner);
    CreateControls();
    SetCriteria(DefaultCriteria());
    // A dialog keeps only its place; it is never shown other than modally.
    DeclareStorage(kStorageRoot, kStorageSection).SetOption(TFormPlacementOption::fpState, false);
}

TFFilter::~TFFilter()
{
    // The window goes while its subclass still exists.
    filterSubclass_.Detach();
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void TFFilter::CreateLabel(const wchar_t* text, const RECT& bounds)
{
    CreateChildControl(window_, L"STATIC", text, SS_LEFT, 0, bounds);
}

void TFFilter::CreateControls()
{
    image1_ = CreateChildControl(window_, L"STATIC", L"", SS_ICON, 0, {12, 12, 32, 32});
    SendMessageW(image1_, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_QUESTION)), 0);
    // The message labels the pattern below it, and gives it an access key.
    lMsg_ = CreateChildControl(window_, L"STATIC", kMessageWithKey, SS_LEFT, 0, {56, 12, 271, 30});
    eFilter_ = CreateChildControl(window_, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, idEFilter,
                                  {56, 48, 271, 21}, WS_EX_CLIENTEDGE);

    CreateLabel(L"&Deleted By:", {12, 95, 80, 16});
    eDeleted_ = CreateChildControl(window_, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, idEDeleted,
                                   {96, 92, 150, 21}, WS_EX_CLIENTEDGE);
    bSelectDeleted_ = CreateChildControl(window_, L"BUTTON", L"&Select...", BS_PUSHBUTTON | WS_TABSTOP,
                                         idBSelectDeleted, {252, 91, 75, 23});
    CreateLabel(L"Owne&r:", {12, 129, 80, 16});
    eOwner_ = CreateChildControl(window_, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, idEOwner,
                                 {96, 126, 150, 21}, WS_EX_CLIENTEDGE);
    bSelectOwner_ = CreateChildControl(window_, L"BUTTON", L"Selec&t...", BS_PUSHBUTTON | WS_TABSTOP,
                                       idBSelectOwner, {252, 125, 75, 23});

    CreateLabel(L"Deletion D&ate:", {12, 170, 120, 16});
    dDeleted_ = CreateChildControl(window_, DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT | WS_TABSTOP,
                                   idDDeleted, {12, 190, 110, 21});
    rNone_ = CreateChildControl(window_, L"BUTTON", L"Non&e", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                                idRNone, {140, 168, 187, 18});
    rExactly_ = CreateChildControl(window_, L"BUTTON", L"E&xactly", BS_AUTORADIOBUTTON, idRExactly,
                                   {140, 190, 187, 18});
    rGreater_ = CreateChildControl(window_, L"BUTTON", L"&Greater than or equal to", BS_AUTORADIOBUTTON,
                                   idRGreater, {140, 212, 187, 18});
    rLess_ = CreateChildControl(window_, L"BUTTON", L"&Less than or equal to", BS_AUTORADIOBUTTON, idRLess,
                                {140, 234, 187, 18});

    CreateChildControl(window_, L"STATIC", L"", SS_ETCHEDHORZ, 0, {8, 304, kClientWidth - 16, 2});
    bNew_ = CreateChildControl(window_, L"BUTTON", L"&New", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, idBNew,
                               {8, 318, 75, 25});
    bOK_ = CreateChildControl(window_, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                              {kClientWidth - 166, 318, 75, 25});
    bCancel_ = CreateChildControl(window_, L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
                                  {kClientWidth - 83, 318, 75, 25});
    filterSubclass_.Attach(eFilter_, [this](HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
        return EFilterMessage(edit, message, wParam, lParam);
    });
}

TFilterCriteria TFFilter::Criteria() const
{
    return Fields().Read();
}

void TFFilter::SetCriteria(const TFilterCriteria& criteria)
{
    Fields().Write(criteria);
}

TCriteriaFields TFFilter::Fields() const
{
    return {eFilter_, eDeleted_, eOwner_, dDeleted_, rNone_, rExactly_, rGreater_, rLess_};
}

std::optional<LRESULT> TFFilter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        CloseForm(IDCANCEL);
        return 0;
    default:
        return TForm::HandleMessage(message, wParam, lParam);
    }
}

void TFFilter::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id)
    {
    case idRNone:
    case idRExactly:
    case idRGreater:
    case idRLess:
        Fields().MatchDateToTest();
        break;
    case idBSelectDeleted:
        BSelect_DeletedClick();
        break;
    case idBSelectOwner:
        BSelect_OwnerClick();
        break;
    case idBNew:
        BNewClick();
        break;
    case IDOK:
        BOKClick();
        break;
    case IDCANCEL:
        BCancelClick();
        break;
    default:
        break;
    }
}

std::optional<LRESULT> TFFilter::EFilterMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EnterAsMainButton(edit, message, wParam, lParam, [this] { BOKClick(); });
}

void TFFilter::FormShow()
{
    SetFocus(eFilter_);
    snapshot_.filter = WindowText(eFilter_);
    snapshot_.deleted = WindowText(eDeleted_);
    snapshot_.owner = WindowText(eOwner_);
    if (DateTime_GetSystemtime(dDeleted_, &snapshot_.date) != GDT_VALID)
        snapshot_.date = SystemDate(nw::Today());
    const HWND radios[4] = {rNone_, rExactly_, rGreater_, rLess_};
    for (int i = 0; i < 4; ++i)
        snapshot_.radios[i] = Checked(radios[i]);
    Fields().MatchDateToTest();
}

void TFFilter::FormClose()
{
    if (Accepted())
        return;
    // The criteria in force before the dialog was shown stay in force.
    SetWindowTextW(eFilter_, snapshot_.filter.c_str());
    SetWindowTextW(eDeleted_, snapshot_.deleted.c_str());
    SetWindowTextW(eOwner_, snapshot_.owner.c_str());
    DateTime_SetSystemtime(dDeleted_, GDT_VALID, &snapshot_.date);
    const HWND radios[4] = {rNone_, rExactly_, rGreater_, rLess_};
    for (int i = 0; i < 4; ++i)
        SetChecked(radios[i], snapshot_.radios[i]);
    Fields().MatchDateToTest();
}

void TFFilter::BSelect_DeletedClick()
{
    PickUserInto(picker_, eDeleted_);
}

void TFFilter::BSelect_OwnerClick()
{
    PickUserInto(picker_, eOwner_);
}

void TFFilter::BNewClick()
{
    SetCriteria(DefaultCriteria());
}

void TFFilter::BOKClick()
{
    Accept();
}

void TFFilter::BCancelClick()
{
    Cancel();
}
