// The properties of one deleted entry.
#include "TFProperties.h"

#include <algorithm>

#include "DeletedFileListRows.h"
#include "DeletedFileRows.h"
#include "PropertyTexts.h"
#include "WindowParts.h"

#include <commctrl.h>

namespace
{

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
constexpr int idPages = 100;
constexpr int idLName = 110;
constexpr int idLLocation = 111;
constexpr int idLSize = 112;
constexpr int idLAttributes = 113;
constexpr int idLDeleted = 114;
constexpr int idLDeletedBy = 115;
constexpr int idLOwner = 116;
constexpr int idLCreated = 117;
constexpr int idLAccessed = 118;

// Where the rows lie on the page, in the page control's client coordinates.
constexpr int kCaptionLeft = 18;
constexpr int kValueLeft = 100;
constexpr int kValueWidth = 228;
constexpr int kRowHeight = 24;

std::wstring Wide(const std::u16string& text)
{
    return {text.begin(), text.end()};
}

// The locale's long date of a day; empty when the locale gives none.
std::u16string LocaleLongDate(const nw::TDateParts& parts)
{
    SYSTEMTIME day{};
    day.wYear = static_cast<WORD>(parts.year);
    day.wMonth = static_cast<WORD>(parts.month);
    day.wDay = static_cast<WORD>(parts.day);
    wchar_t text[128] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &day, nullptr, text, 128, nullptr) <= 1)
        return {};
    return std::u16string(text, text + wcslen(text));
}

std::wstring DateTimeLabel(nw::TDateTime value)
{
    return Wide(PropertyDateTimeText(value, LocaleLongDate));
}

// How much wider than designed the values must be (at 96 DPI) for every date of the operator's locale to
// show whole: the last second of each day of the week in each month, with two-digit days.
int DateWidening()
{
    HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    int widest = 0;
    const nw::TDateTime lastSecond = nw::EncodeTime(23, 59, 59, 0);
    const auto measure = [&](nw::TDateTime day) {
        const std::wstring text = DateTimeLabel(day + lastSecond);
        SIZE extent{};
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
    };
    for (int month = 1; month <= 12; ++month)
        for (int day = 22; day <= 28; ++day)
            measure(nw::EncodeDate(2026, month, day));
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    // A pixel more for the rounding between scales.
    return std::max(0, TDpi::OfScreen().Unscaled(widest) + 1 - kValueWidth);
}

} // namespace

TFProperties::TFProperties(HWND owner) : widening_(DateWidening())
{
    CreateForm({L"TFProperties", kCaption,
                ScreenCentredBounds(kClientWidth + widening_, kClientHeight, kStyle, kExtendedStyle), kStyle,
                kExtendedStyle},
               owner);
    CreateControls();
    tips_ = std::make_unique<TFullTextTips>(window_);
}

TFProperties::~TFProperties()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void TFProperties::CreateControls()
{
    pages_ = CreateChildControl(window_, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, idPages,
                                {8, 8, 342 + widening_, 336});
    TCITEMW page{};
    page.mask = TCIF_TEXT;
    page.pszText = const_cast<wchar_t*>(L"General");
    TabCtrl_InsertItem(pages_, 0, &page);

    // The labels lie on the form above the page control, so that they take the dialog's colours.
    lName_ = CreateChildControl(window_, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, idLName,
                                {8 + kCaptionLeft, 48, 300 + widening_, 18});
    AddRule(74);
    lLocation_ = AddRow(L"Location:", idLLocation, 86);
    lSize_ = AddRow(L"Size:", idLSize, 86 + kRowHeight);
    lAttributes_ = AddRow(L"Attributes:", idLAttributes, 86 + 2 * kRowHeight);
    AddRule(164);
    lDeleted_ = AddRow(L"Deleted:", idLDeleted, 176);
    lDeletedBy_ = AddRow(L"Deleted By:", idLDeletedBy, 176 + kRowHeight);
    lOwner_ = AddRow(L"Owner:", idLOwner, 176 + 2 * kRowHeight);
    AddRule(254);
    lCreated_ = AddRow(L"Created:", idLCreated, 266);
    lAccessed_ = AddRow(L"Accessed:", idLAccessed, 266 + kRowHeight);

    bOK_ = CreateChildControl(window_, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                              {194 + widening_, 354, 75, 25});
    bCancel_ = CreateChildControl(window_, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
                                  {275 + widening_, 354, 75, 25});
}

HWND TFProperties::AddRow(const wchar_t* caption, int id, int top)
{
    CreateChildControl(window_, L"STATIC", caption, SS_LEFT, 0, {8 + kCaptionLeft, top, 80, 18});
    return CreateChildControl(window_, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, id,
                              {8 + kValueLeft, top, kValueWidth + widening_, 18});
}

void TFProperties::AddRule(int top)
{
    CreateChildControl(window_, L"STATIC", L"", SS_ETCHEDHORZ, 0,
                       {8 + kCaptionLeft, top, 306 + widening_, 2});
}

void TFProperties::FillProperties(const std::wstring& name, const nw::TNWDeletedFileInfoX& info,
                                  const std::wstring& location)
{
    // A value too long for its field ends in an ellipsis and shows whole in a tip.
    tips_->SetText(lName_, name);
    tips_->SetText(lLocation_, location);
    tips_->SetText(lSize_, Wide(SizeText(info.Size)));
    tips_->SetText(lAttributes_, WideFromAnsi(AttributeText(info.Attributes)));
    tips_->SetText(lDeleted_, DateTimeLabel(info.Deleted));
    tips_->SetText(lDeletedBy_, WideFromAnsi(info.DeletedBy));
    tips_->SetText(lOwner_, WideFromAnsi(info.Owner));
    tips_->SetText(lCreated_, DateTimeLabel(info.Created));
    tips_->SetText(lAccessed_, DateTimeLabel(info.Accessed));
}

bool TFProperties::FillProperties(const TListRow& row, const std::wstring& location)
{
    const TDeletedRowData* data = DeletedRowData(row);
    if (data == nullptr)
        return false;
    FillProperties(row.caption, data->Info(), location);
    return true;
}

void TFProperties::Execute()
{
    CentreOnScreen(window_);
    ShowModal();
}

std::optional<LRESULT> TFProperties::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
    {
        BOKClick();
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
    {
        BCancelClick();
        return 0;
    }
    return TForm::HandleMessage(message, wParam, lParam);
}

void TFProperties::BOKClick()
{
    CloseForm(IDOK);
}

void TFProperties::BCancelClick()
{
    CloseForm(IDCANCEL);
}
