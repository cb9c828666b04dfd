// The window that searches a folder and its subfolders for deleted files.
#include "TFFind.h"

#include "DeletedFileListRows.h"
#include "ListBrackets.h"
#include "MenuItems.h"
#include "TFProperties.h"
#include "TFlagScope.h"
#include "TModal.h"
#include "TWaitCursor.h"
#include "UBrowseDirectory.h"
#include "WindowParts.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

namespace
{

enum TControlId : int
{
    idPageControl = 200,
    idEName,
    idSLookIn,
    idBBrowse,
    idCInclude,
    idCIncludeHidden,
    idEDeleted,
    idBSelectDeleted,
    idEOwner,
    idBSelectOwner,
    idDDeleted,
    idRNone,
    idRExactly,
    idRGreater,
    idRLess,
    idBFind,
    idBStop,
    idBNew,
    idFindAnimate,
    idFindList,
    idStatusBar,
};

constexpr int kStatusBarHeight = 19;
constexpr int kMinTrackWidth = 400;
constexpr RECT kPageControlBounds{8, 8, 370, 186};
constexpr int kButtonLeft = 388;
constexpr int kButtonWidth = 90;
constexpr int kComboDroppedHeight = 300;

// The View items in the order that decides the view, with their list styles.
struct TViewChoice
{
    int command;
    TViewStyle style;
};
constexpr std::array<TViewChoice, 4> kViewChoices{{
    {TFFind::cmMLargeIcons, TViewStyle::vsIcon},
    {TFFind::cmMSmallIcons, TViewStyle::vsSmallIcon},
    {TFFind::cmMList, TViewStyle::vsList},
    {TFFind::cmMDetails, TViewStyle::vsReport},
}};

void UseDialogFont(HWND control)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
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

// From the start of a search to its end, also when the end is an exception: the flags, Stop, Find Now and
// the animation, and status panel 1 emptied at the end.
class TFFind::TSearchScope
{
public:
    explicit TSearchScope(TFFind& find) : find_(find)
    {
        find_.HoldStatusPainting(true);
        EnableWindow(find_.bStop_, TRUE);
        // The focus must not stay on the button that goes grey: the keyboard would reach nothing.
        if (GetFocus() == find_.bFind_)
            SetFocus(find_.bStop_);
        EnableWindow(find_.bFind_, FALSE);
        SetMenuItemEnabled(find_.menuBar_.Get(), cmMFind, false);
        find_.findAnimate_->Play();
    }
    ~TSearchScope()
    {
        find_.findAnimate_->Stop();
        EnableWindow(find_.bFind_, TRUE);
        EnableWindow(find_.bStop_, FALSE);
        find_.FocusAfterSearch();
        SetMenuItemEnabled(find_.menuBar_.Get(), cmMFind, true);
        find_.SetStatusText(1, L"");
        find_.HoldStatusPainting(false);
    }
    TSearchScope(const TSearchScope&) = delete;
    TSearchScope& operator=(const TSearchScope&) = delete;

private:
    TFFind& find_;
    // The hourglass from the first folder to the last, rather than flickering back between folders.
    TWaitCursor cursor_;
};

TFFind::TFFind(HWND owner)
{
    // In the middle of the screen until a placement is stored.
    const TDpi screen = TDpi::OfScreen();
    CreateForm({kWindowClass,
                kCaption,
                {(GetSystemMetrics(SM_CXSCREEN) - screen(kDesignWidth)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - screen(kDesignHeight)) / 2, screen(kDesignWidth),
                 screen(kDesignHeight)},
                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                0},
               owner);
    UseProgramIcon(window_);
    listHeight_ = Dpi()(kDesignListHeight);
    browseDialog1_ = std::make_unique<TPTFolderBrowseDlg>(window_);
    for (const TPTFolderBrowseOption option :
         {TPTFolderBrowseOption::ptfbContextMenus, TPTFolderBrowseOption::ptfbReadOnly,
          TPTFolderBrowseOption::ptfbShowHidden})
        browseDialog1_->SetOption(option, true);
    CreateMenus();
    CreateControls();
    CreateSearch();
    DeclareStoredProperties();
    // The form has been loaded: the combo fills itself, and the list reads its column layout.
    sLookIn_->FormLoaded();
    KeepColumnLayout(*findList_);
    ResetCriteria();
    LayOut();
}

TFFind::~TFFind()
{
    eNameSubclass_.Detach();
    // The window goes while the controls still exist, so that they save their settings.
    if (window_ != nullptr)
    {
        SetMenu(window_, nullptr);
        DestroyWindow(window_);
    }
}

void TFFind::CreateMenus()
{
    menuBar_ = TMenuHandle(BuildMenuBar({
        {L"&File",
         {{cmMFind, L"F&ind Now", L"F5", ifNone},
          kMenuSeparator,
          {cmMRetrove, L"&Retrove", L"F2", ifDisabled},
          {cmMPurge, L"&Purge", L"F9", ifDisabled},
          {cmMProperties, L"P&roperties", L"", ifDisabled},
          kMenuSeparator,
          {cmMClose, L"&Close", L"", ifNone}}},
        {L"&Edit",
         {{cmMSelectAll, L"Select &All", L"Ctrl+A", ifNone},
          {cmMInvertSelection, L"&Invert Selection", L"", ifNone}}},
        {L"&View",
         {{cmMLargeIcons, L"Lar&ge Icons", L"", ifRadio},
          {cmMSmallIcons, L"S&mall Icons", L"", ifRadio},
          {cmMList, L"&List", L"", ifRadio},
          {cmMDetails, L"&Details", L"", ifRadio | ifChecked}}},
    }));
    popFind_ = TMenuHandle(BuildPopupMenu({{cmPMRetrove, L"Retrove", L"F2", ifNone},
                                           {cmPMPurge, L"&Purge", L"F9", ifNone},
                                           {cmPMProperties, L"Properties", L"", ifNone}}));
    ACCEL keys[] = {{FVIRTKEY, VK_F5, cmMFind},
                    {FVIRTKEY, VK_F2, cmMRetrove},
                    {FVIRTKEY, VK_F9, cmMPurge},
                    {FVIRTKEY | FCONTROL, 'A', cmMSelectAll},
                    {FVIRTKEY | FCONTROL, VK_TAB, cmNextPage},
                    {FVIRTKEY | FCONTROL | FSHIFT, VK_TAB, cmPreviousPage}};
    accelerators_ = TAcceleratorTable(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
    SetAccelerators(accelerators_.Get());
    SetMenu(window_, menuBar_.Get());
}

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

void TFFind::CreateSearch()
{
    TDeletedFileSearchView view;
    view.reached = [this](const std::wstring& folder) { ShowSearchedFolder(folder); };
    view.pump = [this] { Pump(); };
    view.betweenAnswers = [this] { PaintSearchedFolder(); };
    view.scanned = [this](size_t) { ShowCount(); };
    search_ = std::make_unique<TDeletedFileSearch>(*findList_, std::move(view));
}

void TFFind::DeclareStoredProperties()
{
    DeclareStorage(kStorageRoot, kStorageSection).StoredProps = {
        stored::MenuChecked(L"MLargeIcons.Checked", menuBar_.Get(), cmMLargeIcons),
        stored::MenuChecked(L"MList.Checked", menuBar_.Get(), cmMList),
        stored::MenuChecked(L"MSmallIcons.Checked", menuBar_.Get(), cmMSmallIcons),
        stored::MenuChecked(L"MDetails.Checked", menuBar_.Get(), cmMDetails),
    };
}

TCriteriaFields TFFind::Fields() const
{
    return {eName_, eDeleted_, eOwner_, dDeleted_, rNone_, rExactly_, rGreater_, rLess_};
}

void TFFind::SetImageLists(HIMAGELIST small, HIMAGELIST large)
{
    smallImages_ = small;
    largeImages_ = large;
    findList_->SetImageLists(small, large);
}

bool TFFind::Expanded() const
{
    return Shown(findList_->Handle());
}

void TFFind::LayOut()
{
    RECT client{};
    GetClientRect(window_, &client);
    const int statusHeight = Dpi()(kStatusBarHeight);
    const int statusTop = std::max(0, static_cast<int>(client.bottom) - statusHeight);
    MoveWindow(statusBar_, 0, statusTop, client.right, statusHeight, TRUE);
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

HWND TFFind::FirstFieldOfPage() const
{
    return TabCtrl_GetCurSel(pageControl_) == 0 ? eName_ : eDeleted_;
}

void TFFind::FocusAfterSearch()
{
    // Find Now and Stop go grey in turn, and the keyboard must not stay on either: it goes to the hits when
    // there are some, else back to the criteria. Not while another window is in front.
    if (GetActiveWindow() != window_)
        return;
    if (Expanded() && findList_->Count() > 0)
        SetFocus(findList_->Handle());
    else
        SetFocus(FirstFieldOfPage());
}

void TFFind::Execute()
{
    ShowModal();
}

void TFFind::FormShow()
{
    ClearResults();
    Collapse();
    ResetCriteria();
    ApplyViewStyle();
    EnableWindow(bStop_, FALSE);
    TabCtrl_SetCurSel(pageControl_, 0);
    ShowActivePage();
    SetFocus(eName_);
}

void TFFind::ResetCriteria()
{
    Fields().Write(TodaysCriteria(""));
}

void TFFind::ClearResults()
{
    // Without its image lists the list does not redraw icons for every row that goes.
    findList_->SetImageLists(nullptr, nullptr);
    {
        TListUpdateBracket update(*findList_);
        findList_->Clear();
    }
    findList_->SetImageLists(smallImages_, largeImages_);
    SetStatusText(0, L"");
    shownCount_ = kNoCountShown;
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
    int parts[] = {Dpi()(width), -1};
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void TFFind::SetStatusText(int panel, const std::wstring& text)
{
    SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

void TFFind::HoldStatusPainting(bool hold)
{
    if (hold == statusHeld_)
        return;
    statusHeld_ = hold;
    SendMessageW(statusBar_, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
    if (hold)
    {
        statusPaintedAt_ = GetTickCount() - kStatusPaintMilliseconds; // the first folder shows at once
        reachedFolder_.clear();
        shownFolder_.clear();
    }
    else
        InvalidateRect(statusBar_, nullptr, TRUE);
}

void TFFind::ShowSearchedFolder(const std::wstring& folder)
{
    reachedFolder_ = folder;
    PaintSearchedFolder();
}

void TFFind::PaintSearchedFolder()
{
    // Only a search reaches folders, and it holds the bar's painting from its first folder to its last. The
    // bar paints a few times a second at most; a folder whose scan takes longer is shown during the scan.
    if (!statusHeld_ || reachedFolder_ == shownFolder_ ||
        GetTickCount() - statusPaintedAt_ < kStatusPaintMilliseconds)
        return;
    shownFolder_ = reachedFolder_;
    SetStatusText(1, L"Searching " + shownFolder_);
    SendMessageW(statusBar_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(statusBar_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SendMessageW(statusBar_, WM_SETREDRAW, FALSE, 0);
    statusPaintedAt_ = GetTickCount();
}

const TFilterCriteria& TFFind::CurrentCriteria()
{
    if (criteriaChanged_)
    {
        criteria_ = Criteria();
        criteriaChanged_ = false;
    }
    return criteria_;
}

void TFFind::ShowCount()
{
    const size_t count = findList_->Count();
    if (count == shownCount_)
        return;
    shownCount_ = count;
    SetStatusText(0, std::to_wstring(count) + L" file(s)");
}

void TFFind::ApplyViewStyle()
{
    for (const TViewChoice& choice : kViewChoices)
        if (MenuItemChecked(menuBar_.Get(), choice.command))
            findList_->SetViewStyle(choice.style);
    InvalidateRect(findList_->Handle(), nullptr, TRUE);
}

void TFFind::Pump()
{
    if (pump_)
        pump_();
}

std::optional<LRESULT> TFFind::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == pageControl_ && header->code == TCN_SELCHANGE)
            ShowActivePage();
        if (header->hwndFrom == dDeleted_ && header->code == DTN_DATETIMECHANGE)
            criteriaChanged_ = true;
        return std::nullopt;
    }
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SIZE:
        if (statusBar_ != nullptr)
            LayOut();
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_CLOSE:
        FormClose();
        return 0;
    default:
        return TForm::HandleMessage(message, wParam, lParam);
    }
}

void TFFind::OnCommand(int id, int code)
{
    switch (id)
    {
    case idEName:
    case idEDeleted:
    case idEOwner:
        if (code == EN_CHANGE)
            criteriaChanged_ = true;
        break;
    case idRNone:
    case idRExactly:
    case idRGreater:
    case idRLess:
        criteriaChanged_ = true;
        Fields().MatchDateToTest();
        break;
    case cmMFind:
    case idBFind:
    case IDOK:
        BFindClick();
        break;
    case idBStop:
        BStopClick();
        break;
    case idBNew:
        BNewClick();
        break;
    case idBBrowse:
        BBrowseClick();
        break;
    case idBSelectDeleted:
        BSelect_DeletedClick();
        break;
    case idBSelectOwner:
        BSelect_OwnerClick();
        break;
    case cmMRetrove:
    case cmPMRetrove:
        MRetroveClick();
        break;
    case cmMPurge:
    case cmPMPurge:
        MPurgeClick();
        break;
    case cmMProperties:
    case cmPMProperties:
        MPropertiesClick();
        break;
    case cmMClose:
    case IDCANCEL:
        FormClose();
        break;
    case cmMSelectAll:
        MSelectAllClick();
        break;
    case cmMInvertSelection:
        MInvertSelectionClick();
        break;
    case cmNextPage:
        TurnPage(1);
        break;
    case cmPreviousPage:
        TurnPage(-1);
        break;
    case cmMLargeIcons:
    case cmMSmallIcons:
    case cmMList:
    case cmMDetails:
        MViewClick(id);
        break;
    default:
        break;
    }
}

void TFFind::OnContextMenu(HWND control, POINT at)
{
    if (control != findList_->Handle() || !popFindAttached_)
        return;
    at = findList_->ContextMenuPoint(at);
    if (const UINT command = TModal::PopupMenu(popFind_.Get(), window_, at))
        OnCommand(static_cast<int>(command), 0);
}

void TFFind::OnGetMinMaxInfo(MINMAXINFO* info) const
{
    info->ptMinTrackSize.x = Dpi()(kMinTrackWidth);
    info->ptMinTrackSize.y = Dpi()(kCollapsedHeight);
}

std::optional<LRESULT> TFFind::ENameKeyPress(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EnterAsMainButton(edit, message, wParam, lParam, [this] { BFindClick(); });
}

void TFFind::FormClose()
{
    // The search still works on the list: it stops at its next step, and the window closes after it.
    if (search_->Running())
    {
        search_->RequestStop();
        closeAfterSearch_ = true;
        return;
    }
    CloseForm(IDCANCEL);
}

void TFFind::BFindClick()
{
    // Find Now is disabled while a search runs; Enter in Named and F5 come here too. A Retrove or Purge
    // works on the rows that a new search would take away.
    if (search_->Running() || acting_)
        return;
    ClearResults();
    Expand();
    // The fields may have been set without telling: the search starts from what they show.
    criteriaChanged_ = true;
    {
        const TSearchScope scope(*this);
        TDeletedFileSearchRequest request;
        request.folder = sLookIn_->Location().Path();
        request.includeSubfolders = Checked(cInclude_);
        request.includeHidden = Checked(cIncludeHidden_);
        request.criteria = [this]() -> const TFilterCriteria& { return CurrentCriteria(); };
        search_->Run(request);
    }
    if (closeAfterSearch_)
    {
        closeAfterSearch_ = false;
        newAfterSearch_ = false;
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    else if (newAfterSearch_)
    {
        newAfterSearch_ = false;
        BNewClick();
    }
}

void TFFind::BNewClick()
{
    if (acting_)
        return;
    // The search stops at its next step; the window empties once it has.
    if (search_->Running())
    {
        search_->RequestStop();
        newAfterSearch_ = true;
        return;
    }
    ClearResults();
    Collapse();
    ResetCriteria();
}

void TFFind::BBrowseClick()
{
    browseDialog1_->StartFolder().Assign(sLookIn_->Location());
    if (browseDialog1_->Execute())
        sLookIn_->Location().Assign(browseDialog1_->Folder());
}

void TFFind::BSelect_DeletedClick()
{
    PickUserInto(picker_, eDeleted_);
}

void TFFind::BSelect_OwnerClick()
{
    PickUserInto(picker_, eOwner_);
}

void TFFind::FindListChange()
{
    const bool any = findList_->SelectedCount() > 0;
    for (const int item : {cmMRetrove, cmMProperties, cmMPurge})
        SetMenuItemEnabled(menuBar_.Get(), item, any);
    // The pop-up menu comes up on the list only while it has something to act on.
    popFindAttached_ = any;
}

void TFFind::SetActions(std::unique_ptr<IDeletedFileActionsUI> ui, std::function<TRetroveOptions()> options)
{
    actions_ = std::move(ui);
    retroveOptions_ = std::move(options);
}

void TFFind::MRetroveClick()
{
    if (actions_ == nullptr || search_->ScanInProgress() || acting_)
        return;
    const TFlagScope acting(acting_);
    // Each row comes back into the folder it was found in.
    RetroveSelected([this](size_t row) { return findList_->CellText(row, kFoundPathColumn); }, *findList_,
                    retroveOptions_ ? retroveOptions_() : TRetroveOptions{}, *actions_,
                    [this](size_t) { ShowCount(); });
}

void TFFind::MPurgeClick()
{
    // A purge may run while a search pumps messages: it removes rows, and the search only adds them.
    if (actions_ == nullptr || acting_)
        return;
    const TFlagScope acting(acting_);
    if (ConfirmAndPurgeSelected(*findList_, *actions_))
        ShowCount();
}

void TFFind::MPropertiesClick()
{
    const std::vector<size_t> selected = findList_->SelectedRows();
    if (!selected.empty())
        ShowPropertiesOf(selected.front());
}

void TFFind::ShowPropertiesOf(size_t row)
{
    if (properties_ == nullptr || row >= findList_->Count())
        return;
    // The location is the folder in which the entry was found.
    if (properties_->FillProperties(findList_->Row(row), findList_->CellText(row, kFoundPathColumn)))
        properties_->Execute();
}

bool TFFind::IsCriteriaControl(HWND control) const
{
    for (HWND field : {eName_, eDeleted_, eOwner_, dDeleted_, sLookIn_->Handle()})
        if (control == field || IsChild(field, control))
            return true;
    return control == rNone_ || control == rExactly_ || control == rGreater_ || control == rLess_;
}

bool TFFind::FormKey(const MSG& message)
{
    HWND focus = GetFocus();
    if (focus == findList_->Handle() && HitsKey(message))
        return true;
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN)
        return false;
    // In the hits, Enter shows the focused one rather than searching them away.
    if (focus == findList_->Handle())
    {
        const int row = findList_->FocusedRow();
        if (row >= 0)
            ShowPropertiesOf(static_cast<size_t>(row));
        return true;
    }
    // The dialog keys make Enter in a criterion a press of Find Now, and in a push button a press of that
    // button; anywhere else (a check box, the tabs) it does nothing.
    wchar_t windowClass[16] = {};
    GetClassNameW(focus, windowClass, static_cast<int>(std::size(windowClass)));
    const bool pushButton =
        lstrcmpiW(windowClass, L"Button") == 0 &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    return !IsCriteriaControl(focus) && !pushButton;
}

bool TFFind::HitsKey(const MSG& message)
{
    // As in Explorer: Alt+Enter shows the selected hit, Delete purges the selected hits (as F9, so only
    // with something to purge).
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_RETURN)
    {
        MPropertiesClick();
        return true;
    }
    if (message.message != WM_KEYDOWN || message.wParam != VK_DELETE || GetKeyState(VK_CONTROL) < 0 ||
        GetKeyState(VK_MENU) < 0)
        return false;
    if (MenuItemEnabled(menuBar_.Get(), cmMPurge))
        MPurgeClick();
    return true;
}

void TFFind::MSelectAllClick()
{
    if (!Expanded())
        return;
    SetFocus(findList_->Handle());
    findList_->SelectAll();
}

void TFFind::MInvertSelectionClick()
{
    if (!Expanded())
        return;
    SetFocus(findList_->Handle());
    findList_->InvertSelection();
}

void TFFind::MViewClick(int command)
{
    for (const TViewChoice& choice : kViewChoices)
        SetMenuItemChecked(menuBar_.Get(), choice.command, choice.command == command);
    ApplyViewStyle();
}
