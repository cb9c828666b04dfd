// The Find window's controls and layout: its pages, buttons, result list and status bar, their sizes at the
// window's display scale, collapsing and expanding the result list, and how the window is sized.
#include "TFFind.h"

#include "DeletedFileListRows.h"
#include "FindWindowParts.h"
#include "WindowParts.h"

#include <algorithm>

using namespace find_window;

namespace
{

constexpr int kStatusBarHeight = 19;
constexpr int kSelectedPanelWidth = 90;
constexpr int kMinTrackWidth = 400;
constexpr RECT kPageControlBounds{8, 8, 370, 186};
constexpr int kButtonLeft = 388;
constexpr int kButtonWidth = 90;
constexpr int kComboDroppedHeight = 300;

void UseDialogFont(HWND control)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void SetChecked(HWND button, bool checked)
{
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Height(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds.bottom - bounds.top;
}

HWND CreateLabel(HWND parent, const wchar_t* text, const RECT& bounds)
{
    return CreateChildControl(parent, L"STATIC", text, SS_LEFT, 0, bounds);
}

HWND CreateEdit(HWND parent, int id, const RECT& bounds)
{
    return CreateChildControl(parent, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, id, bounds,
                              WS_EX_CLIENTEDGE);
}

HWND CreateButton(HWND parent, const wchar_t* caption, int id, const RECT& bounds,
                  DWORD style = BS_PUSHBUTTON)
{
    return CreateChildControl(parent, L"BUTTON", caption, style | WS_TABSTOP, id, bounds);
}

} // namespace

void TFFind::CreateControls()
{
    pageControl_ = CreateChildControl(window_, WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS,
                                      idPageControl, kPageControlBounds);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(L"Name && Location");
    TabCtrl_InsertItem(pageControl_, 0, &tab);
    tab.pszText = const_cast<wchar_t*>(L"Advanced");
    TabCtrl_InsertItem(pageControl_, 1, &tab);
    tNameLocation_ = CreateTabPage(window_, pageControl_);
    tAdvanced_ = CreateTabPage(window_, pageControl_);
    CreateNameLocationPage();
    CreateAdvancedPage();
    CreateButtons();
    CreateResults();
    ShowActivePage();
}

void TFFind::CreateNameLocationPage()
{
    HWND page = tNameLocation_;
    RECT area{};
    GetClientRect(page, &area);
    // The page's width at 96 DPI, as the controls' bounds are.
    const int pageWidth = Dpi().Unscaled(area.right);
    const int fieldWidth = pageWidth - 88;
    CreateLabel(page, L"&Named:", {8, 15, 70, 16});
    eName_ = CreateEdit(page, idEName, {80, 12, fieldWidth, 21});
    CreateLabel(page, L"&Look in:", {8, 47, 70, 16});
    // The combo takes its edges (left, top, right, bottom with the list dropped).
    sLookIn_ = std::make_unique<TPTShellCombo>(
        page, idSLookIn, Dpi()(RECT{80, 44, 80 + fieldWidth - 86, 44 + kComboDroppedHeight}));
    UseDialogFont(sLookIn_->Handle());
    bBrowse_ = CreateButton(page, L"&Browse...", idBBrowse, {pageWidth - 88, 43, 80, 23});
    cInclude_ =
        CreateButton(page, L"Include &subfolders", idCInclude, {80, 78, fieldWidth, 18}, BS_AUTOCHECKBOX);
    cIncludeHidden_ = CreateButton(page, L"Include &hidden folders", idCIncludeHidden,
                                   {80, 100, fieldWidth, 18}, BS_AUTOCHECKBOX);
    // The search options start checked and then stay as the operator leaves them.
    SetChecked(cInclude_, true);
    SetChecked(cIncludeHidden_, true);
    eNameSubclass_.Attach(eName_, [this](HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
        return ENameKeyPress(edit, message, wParam, lParam);
    });
}

void TFFind::CreateAdvancedPage()
{
    HWND page = tAdvanced_;
    CreateLabel(page, L"&Deleted By:", {8, 15, 76, 16});
    eDeleted_ = CreateEdit(page, idEDeleted, {88, 12, 170, 21});
    bSelectDeleted_ = CreateButton(page, L"Sele&ct...", idBSelectDeleted, {264, 11, 75, 23});
    CreateLabel(page, L"Owne&r:", {8, 47, 76, 16});
    eOwner_ = CreateEdit(page, idEOwner, {88, 44, 170, 21});
    bSelectOwner_ = CreateButton(page, L"Selec&t...", idBSelectOwner, {264, 43, 75, 23});
    CreateLabel(page, L"Deletion D&ate:", {8, 82, 90, 16});
    dDeleted_ = CreateChildControl(page, DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT | WS_TABSTOP,
                                   idDDeleted, {8, 102, 110, 21});
    rNone_ = CreateChildControl(page, L"BUTTON", L"N&one", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                                idRNone, {140, 80, 200, 18});
    rExactly_ =
        CreateChildControl(page, L"BUTTON", L"E&xactly", BS_AUTORADIOBUTTON, idRExactly, {140, 100, 200, 18});
    rGreater_ = CreateChildControl(page, L"BUTTON", L"&Greater than or equal to", BS_AUTORADIOBUTTON,
                                   idRGreater, {140, 120, 200, 18});
    rLess_ = CreateChildControl(page, L"BUTTON", L"Less than or eq&ual to", BS_AUTORADIOBUTTON, idRLess,
                                {140, 140, 200, 18});
}

void TFFind::CreateButtons()
{
    bFind_ =
        CreateButton(window_, L"F&ind Now", idBFind, {kButtonLeft, 30, kButtonWidth, 25}, BS_DEFPUSHBUTTON);
    bStop_ = CreateButton(window_, L"Sto&p", idBStop, {kButtonLeft, 62, kButtonWidth, 25});
    bNew_ = CreateButton(window_, L"Ne&w Search", idBNew, {kButtonLeft, 94, kButtonWidth, 25});
    EnableWindow(bStop_, FALSE);
    findAnimate_ = std::make_unique<TActionAnimation>(
        window_, idFindAnimate, RECT{kButtonLeft, 128, kButtonWidth, 60}, TAnimationClip::acFindFile);
}

void TFFind::CreateResults()
{
    findList_ = std::make_unique<TExtListView>(
        window_, idFindList, RECT{0, kCriteriaHeight, kDesignWidth, 200}, FoundFileColumns(),
        LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS);
    findList_->SaveSettings.autoSave = true;
    findList_->SaveSettings.registryKey = kListRegistryKey;
    findList_->SetAutoSortAscending(true);
    findList_->OnChange = [this] { FindListChange(); };
    findList_->OnOpen = [this](size_t row) { ShowPropertiesOf(row); };
    statusBar_ = CreateChildControl(window_, STATUSCLASSNAMEW, L"",
                                    CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | SBARS_SIZEGRIP,
                                    idStatusBar, {0, 0, kDesignWidth, kStatusBarHeight});
    SetCountPanelWidth(kCountPanelWidth);
}

void TFFind::LayOut()
{
    RECT client{};
    GetClientRect(window_, &client);
    const int statusHeight = Dpi()(kStatusBarHeight);
    const int statusTop = std::max(0, static_cast<int>(client.bottom) - statusHeight);
    MoveWindow(statusBar_, 0, statusTop, client.right, statusHeight, TRUE);
    SetStatusParts();
    // The bar paints only what a move uncovers; its size grip must be drawn anew at its right end.
    InvalidateRect(statusBar_, nullptr, TRUE);
    // A hidden list keeps the height it had, which expanding gives back.
    if (Expanded())
        MoveWindow(findList_->Handle(), 0, Dpi()(kCriteriaHeight), client.right,
                   std::max(0, statusTop - Dpi()(kCriteriaHeight)), TRUE);
}

void TFFind::ShowActivePage()
{
    const int active = TabCtrl_GetCurSel(pageControl_);
    ShowWindow(tNameLocation_, active == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(tAdvanced_, active == 1 ? SW_SHOW : SW_HIDE);
}

void TFFind::TurnPage(int step)
{
    const int count = TabCtrl_GetItemCount(pageControl_);
    TabCtrl_SetCurSel(pageControl_, (TabCtrl_GetCurSel(pageControl_) + step + count) % count);
    ShowActivePage();
    SetFocus(FirstFieldOfPage());
}

void TFFind::Collapse()
{
    if (!Expanded())
        return;
    const int shownHeight = Height(findList_->Handle());
    ShowWindow(findList_->Handle(), SW_HIDE);
    SetCountPanelWidth(0);
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    const int height = bounds.bottom - bounds.top;
    // Never shorter than the criteria area needs, whatever the frame's metrics.
    const int least = Dpi()(kCollapsedHeight);
    const int collapsed = height <= least ? least : std::max(least, height - shownHeight);
    // Expanding gives back what collapsing took; a list squeezed to almost nothing comes back at its designed
    // height.
    const int taken = height - collapsed;
    const int designed = Dpi()(kDesignListHeight);
    listHeight_ = taken >= designed / 4 ? taken : designed;
    SetWindowPos(window_, nullptr, 0, 0, bounds.right - bounds.left, collapsed,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

void TFFind::Expand()
{
    if (Expanded())
        return;
    ShowWindow(findList_->Handle(), SW_SHOW);
    SetCountPanelWidth(kCountPanelWidth);
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    SetWindowPos(window_, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top + listHeight_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

void TFFind::DpiChanged(TDpi from)
{
    listHeight_ = Dpi().From(from, listHeight_);
    SetCountPanelWidth(Expanded() ? kCountPanelWidth : 0);
    LayOut();
}

void TFFind::SetCountPanelWidth(int width)
{
    countPanelWidth_ = width;
    SetStatusParts();
}

// The count, the folder searched, and at the right end the count of selected hits.
void TFFind::SetStatusParts()
{
    RECT bar{};
    GetClientRect(statusBar_, &bar);
    const int count = Dpi()(countPanelWidth_);
    const int folder = std::max(count, static_cast<int>(bar.right) - Dpi()(kSelectedPanelWidth));
    int parts[] = {count, folder, -1};
    SendMessageW(statusBar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
}

void TFFind::OnGetMinMaxInfo(MINMAXINFO* info) const
{
    info->ptMinTrackSize.x = Dpi()(kMinTrackWidth);
    info->ptMinTrackSize.y = Dpi()(kCollapsedHeight);
}
