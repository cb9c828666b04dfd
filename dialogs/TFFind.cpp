// The window that searches a folder and its subfolders for deleted files.
#include "TFFind.h"

#include "FindWindowParts.h"
#include "ListBrackets.h"
#include "MenuItems.h"
#include "TFlagScope.h"
#include "TModal.h"
#include "TWaitCursor.h"
#include "WindowParts.h"

#include <windowsx.h>

using namespace find_window;

namespace
{

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
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
          {cmMExport, L"&Export List...", L"", ifNone},
          {cmMExportSelected, L"Export &Selected Rows...", L"", ifDisabled},
          kMenuSeparator,
          {cmMClose, L"&Close", L"", ifNone}}},
        {L"&Edit",
         {{cmMCopy, L"&Copy", L"Ctrl+C", ifDisabled},
          kMenuSeparator,
          {cmMSelectAll, L"Select &All", L"Ctrl+A", ifNone},
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
                    {FVIRTKEY | FCONTROL, 'C', cmMCopy},
                    {FVIRTKEY | FCONTROL, VK_TAB, cmNextPage},
                    {FVIRTKEY | FCONTROL | FSHIFT, VK_TAB, cmPreviousPage}};
    accelerators_ = TAcceleratorTable(CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
    SetAccelerators(accelerators_.Get());
    SetMenu(window_, menuBar_.Get());
}

void TFFind::CreateSearch()
{
    TDeletedFileSearchView view;
    view.reached = [this](const std::wstring& folder) { ShowSearchedFolder(folder); };
    view.pump = [this] { Pump(); };
    view.betweenAnswers = [this] { PaintSearchedFolder(); };
    view.scanned = [this](size_t) { ShowCount(); };
    view.outOfMemory = [this](const std::wstring& text) {
        // The box bears the program's title, which the window's owner has.
        TModal::ShowMessage(window_, text, WindowText(GetWindow(window_, GW_OWNER)), MB_OK | MB_ICONWARNING);
    };
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

void TFFind::SetActions(std::unique_ptr<IDeletedFileActionsUI> ui, std::function<TRetroveOptions()> options)
{
    actions_ = std::move(ui);
    retroveOptions_ = std::move(options);
}
