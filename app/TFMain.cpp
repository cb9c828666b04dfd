// The main window: its start, its listing of the selected folder, its keys and messages, and its stored
// settings.
#include "TFMain.h"

#include "AppIdentity.h"
#include "DeletedFileListRows.h"
#include "FilterSummary.h"
#include "MainCommands.h"
#include "MainViewChoices.h"
#include "ProgramState.h"
#include "TItemIdList.h"
#include "TModal.h"
#include "TNWLib.h"
#include "TNWNDS.h"
#include "TNWServer.h"
#include "ToolPictures.h"
#include "WindowParts.h"

#include <windowsx.h>

#include <array>
#include <shellapi.h>

namespace
{

HIMAGELIST SystemImages(UINT size)
{
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"*.*", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | size));
}

// True at the first attached server that is not in a directory tree.
bool AnyBinderyServer()
{
    for (const nw::TNWStringItem& server : nw::TNWLib::GetConnectionList())
        if (!nw::TNWNDS::IsDSServer(nw::TNWServer::OpenServerConnection(server.text)))
            return true;
    return false;
}

void ShowMessage(HWND owner, const wchar_t* text)
{
    TModal::ShowMessage(owner, text, kAppTitle, MB_OK);
}

} // namespace

TFMain::TFMain() : font_(CreateSansSerifFont(8))
{
    // Where a stored placement does not say otherwise: the designed place and size, on the screen.
    CreateForm({kWindowClass, kAppTitle, WithinWorkArea(TDpi::OfScreen()(RECT{278, 168, 654, 471})),
                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0},
               nullptr);
    UseProgramIcon(window_);
    SetMenu(window_, menu_.Bar());
    CreateControls();
    DeclareStoredProperties();
    // The form has been loaded: the combo fills the tree and itself, and the list reads its column layout.
    treeDel_->FormLoaded();
    // The drives are what the operator picks from: show them under the computer's node.
    treeDel_->Expand(TItemIdList::SpecialFolder(CSIDL_DRIVES).Get());
    KeepColumnLayout(*explorerList_);
    LayOut();
}

TFMain::~TFMain()
{
    // The window goes while the controls still exist, so that they save their settings.
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void TFMain::CreateListing()
{
    TListingView view;
    view.ShowFolder = [this](const std::wstring& folder) { ShowListedFolder(folder); };
    view.ShowCount = [this](size_t rows) { ShowFileCount(rows); };
    view.ShowNote = [this](const std::wstring& note) {
        SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(note.c_str()));
    };
    view.ShowRunning = [this](bool running) { toolbar_->SetEnabled(cmBStop, running); };
    view.ShowOutOfMemory = [this](const std::wstring& text) {
        TModal::ShowMessage(window_, text, kAppTitle, MB_OK | MB_ICONWARNING);
    };
    listing_ = std::make_unique<TDeletedListing>(*explorerList_, std::move(view),
                                                 [] { TApplication::Instance().ProcessMessages(); });
    treeDel_->OnChange = [this] { TreeDelChange(); };
}

void TFMain::SetFilterCriteriaSource(std::function<TFilterCriteria()> source)
{
    listing_->SetCriteriaSource(std::move(source));
}

void TFMain::SetFilterDialog(TFFilter* filter)
{
    filter_ = filter;
    if (filter == nullptr)
        SetFilterCriteriaSource(nullptr);
    else
        SetFilterCriteriaSource([filter] { return filter->Criteria(); });
}

void TFMain::SetActionWindows(TFRename* rename, TFActionMessage* actionMessage)
{
    if (rename == nullptr || actionMessage == nullptr)
        actionWindows_.reset();
    else
        actionWindows_ =
            std::make_unique<TDeletedFileActionWindows>(window_, kAppTitle, *rename, *actionMessage);
}

TRetroveOptions TFMain::RetroveOptions() const
{
    TRetroveOptions options;
    options.UpperCase = menu_.Checked(cmMUpper);
    options.IncludeContents = menu_.Checked(cmMContents);
    options.ContentCriteria = listing_->Criteria();
    if (menu_.Checked(cmMRename))
        options.Conflict = TNameConflictPolicy::ncpRename;
    else if (menu_.Checked(cmMSkip))
        options.Conflict = TNameConflictPolicy::ncpSkip;
    else
        options.Conflict = TNameConflictPolicy::ncpAttempt;
    return options;
}

void TFMain::ListDeletedFiles(const std::wstring& folder)
{
    ShowFilterState();
    listing_->ListDeletedFiles(folder);
    // A selection made during the listing is listed now, so that the list shows the folder selected; one made
    // during that listing in turn is listed after it.
    while (listSelectionAfterListing_ && !closeAfterListing_ && !listing_->ListingBusy())
    {
        listSelectionAfterListing_ = false;
        ShowFilterState();
        listing_->ListDeletedFiles(treeDel_->SelectedPath());
    }
    if (closeAfterListing_ && !listing_->ListingBusy())
    {
        closeAfterListing_ = false;
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
}

void TFMain::TreeDelChange()
{
    ListSelectedFolder();
}

void TFMain::MRefreshClick()
{
    if (!listing_->ListingBusy())
        ListDeletedFiles(treeDel_->SelectedPath());
}

void TFMain::ShowListedFolder(const std::wstring& folder)
{
    listedFolder_ = folder;
    SetWindowTextW(rightView_, (L"Deleted Contents of '" + folder + L"'").c_str());
    // The caption must be readable while the rows come in.
    UpdateWindow(rightView_);
}

// While the filter narrows the list, its tool button stays down and the status bar says how.
void TFMain::ShowFilterState()
{
    const std::wstring summary = FilterSummary(listing_->Criteria());
    toolbar_->SetDown(cmBFilter, !summary.empty());
    filterText_ = summary.empty() ? std::wstring() : L"Filter: " + summary;
    SetStatusParts();
    SendMessageW(statusBar_, SB_SETTEXTW, kFilterPanel, reinterpret_cast<LPARAM>(filterText_.c_str()));
}

void TFMain::ShowSelectedCount()
{
    const size_t selected = explorerList_->SelectedCount();
    const std::wstring text = selected > 0 ? std::to_wstring(selected) + L" selected" : std::wstring();
    SendMessageW(statusBar_, SB_SETTEXTW, kSelectedPanel, reinterpret_cast<LPARAM>(text.c_str()));
}

void TFMain::ShowFileCount(size_t rows)
{
    SendMessageW(statusBar_, SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>((std::to_wstring(rows) + L" file(s)").c_str()));
}

void TFMain::DeclareStoredProperties()
{
    TFormStorage& storage = DeclareStorage(kStorageRoot, kStorageSection);
    storage.MainForm = true;
    HMENU bar = menu_.Bar();
    HWND toolbar = toolbar_->Handle();
    storage.StoredProps = {
        stored::Integer(
            // In pixels at 96 DPI, so that the tree keeps its share of the window at another scale.
            L"SplitMain.Position", [this] { return Dpi().Unscaled(splitMain_->Position()); },
            [this](int position) { splitMain_->SetPosition(Dpi()(position)); }),
        stored::ToolButtonDown(L"BDetails.Down", toolbar, cmBDetails),
        stored::ToolButtonDown(L"BList.Down", toolbar, cmBList),
        stored::ToolButtonDown(L"BSmallIcons.Down", toolbar, cmBSmallIcons),
        stored::ToolButtonDown(L"BLargeIcons.Down", toolbar, cmBLargeIcons),
        stored::MenuChecked(L"MStatusBar.Checked", bar, cmMStatusBar),
        stored::MenuChecked(L"MToolBar.Checked", bar, cmMToolBar),
        stored::MenuChecked(L"MLargeIcons.Checked", bar, cmMLargeIcons),
        stored::WindowVisible(L"Toolbar.Visible", toolbar),
        stored::WindowVisible(L"StatusBar.Visible", statusBar_),
        stored::MenuChecked(L"MDetails.Checked", bar, cmMDetails),
        stored::MenuChecked(L"MList.Checked", bar, cmMList),
        stored::MenuChecked(L"MSmallIcons.Checked", bar, cmMSmallIcons),
        stored::ListViewStyle(L"ExplorerList.ViewStyle", *explorerList_),
        stored::MenuChecked(L"MUpper.Checked", bar, cmMUpper),
        stored::MenuChecked(L"MRename.Checked", bar, cmMRename),
        stored::MenuChecked(L"MSkip.Checked", bar, cmMSkip),
        stored::MenuChecked(L"MContents.Checked", bar, cmMContents),
    };
}

void TFMain::ShowFirstTime()
{
    // The stored placement may show the window itself (maximized, say); otherwise it shows as designed.
    ShowForm(SW_SHOWNORMAL);
    FormShow();
    UpdateWindow(window_);
}

void TFMain::InitializeMainWindow()
{
    TProgramState& program = Program();
    program.StartupStage = kStageMainInitialize;
    smallImage_ = SystemImages(SHGFI_SMALLICON);
    largeImage_ = SystemImages(0);
    explorerList_->SetImageLists(smallImage_, largeImage_);
    ApplyViewStyle();
    SetSelectionCommands(false);
    toolbar_->SetEnabled(cmBStop, false);

    try
    {
        program.NWBase1 = std::make_unique<nw::TNWBase>();
    }
    catch (...)
    {
        // Without a connection object nothing can go on.
        EndStartup(L"Unable to initialize Netware API.");
        return;
    }
    program.StartupStage = kStageNetAvailable;
    if (!program.NWBase1->NetAvailable())
    {
        EndStartup(L"The Netware Client 32 APIs are not loaded.");
        return;
    }
    program.UseNDS = program.NWBase1->NetAvailable() && program.NWBase1->NDSAvailable();
    program.UseBindery = AnyBinderyServer();
    TApplication::Instance().ShowMainForm = true;
}

void TFMain::EndStartup(const wchar_t* message)
{
    ShowMessage(window_, message);
    // The program ends without its main window, and says so in its exit code.
    TApplication::Instance().Terminate(1);
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

void TFMain::ApplyViewStyle()
{
    for (const TViewChoice& choice : kViewChoices)
        if (toolbar_->Down(choice.button))
        {
            explorerList_->SetViewStyle(choice.style);
            menu_.CheckRadio(cmMLargeIcons, cmMDetails, choice.menuItem);
        }
    InvalidateRect(explorerList_->Handle(), nullptr, TRUE);
}

HWND TFMain::FirstFocus() const
{
    return treeDel_ != nullptr ? treeDel_->Handle() : nullptr;
}

bool TFMain::FormKeyDown(const MSG& message)
{
    return CyclePanes(message) || PaneKeyDown(message);
}

bool TFMain::CyclePanes(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.wParam != VK_TAB && message.wParam != VK_F6) ||
        GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    std::vector<HWND> panes;
    for (HWND pane : {shellCombo_ != nullptr ? shellCombo_->Handle() : nullptr,
                      treeDel_ != nullptr ? treeDel_->Handle() : nullptr,
                      explorerList_ != nullptr ? explorerList_->Handle() : nullptr})
        if (pane != nullptr && IsWindowVisible(pane) && IsWindowEnabled(pane))
            panes.push_back(pane);
    if (panes.empty())
        return false;
    const HWND focus = GetFocus();
    size_t current = panes.size();
    for (size_t i = 0; i < panes.size(); ++i)
        if (panes[i] == focus || IsChild(panes[i], focus))
            current = i;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    size_t next = 0;
    if (current == panes.size())
        next = backwards ? panes.size() - 1 : 0;
    else
        next = backwards ? (current + panes.size() - 1) % panes.size() : (current + 1) % panes.size();
    SetFocus(panes[next]);
    return true;
}

bool TFMain::PaneKeyDown(const MSG& message)
{
    const HWND focus = GetFocus();
    const bool inList = explorerList_ != nullptr && focus == explorerList_->Handle();
    const bool inTree = treeDel_ != nullptr && focus == treeDel_->Handle();
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_RETURN && inList)
    {
        BPropertiesClick();
        return true;
    }
    // Alt+F4 closes from every pane: the tree keeps the key to itself.
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4)
    {
        PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    // As in Explorer: Delete in the list purges (as F9, so only with something to purge), Backspace in the
    // tree or the list goes up a level. In the location combo both keys edit its text.
    if (message.wParam == VK_DELETE && inList)
    {
        if (menu_.Enabled(cmMPurge))
            BPurgeClick();
        return true;
    }
    if (message.wParam == VK_BACK && (inList || inTree))
    {
        BUpLevelClick();
        return true;
    }
    return false;
}

std::optional<LRESULT> TFMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(LOWORD(lParam)))
            return TRUE;
        return std::nullopt;
    case WM_SIZE:
        if (toolbar_ != nullptr)
            FormResize();
        return 0;
    case WM_CLOSE:
        if (FormCloseQuery())
            DestroyForm();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    default:
        return std::nullopt;
    }
}

void TFMain::OnContextMenu(HWND control, POINT at)
{
    if (control != explorerList_->Handle() || !popDelAttached_)
        return;
    at = explorerList_->ContextMenuPoint(at);
    if (const UINT command = TModal::PopupMenu(menu_.PopDel(), window_, at))
        OnCommand(static_cast<int>(command));
}

bool TFMain::OnSetCursor(UINT hitTest)
{
    // Every child asks this window first: over any of them the hourglass stays while a listing runs. The
    // frame's edges keep their sizing cursors.
    if (!listing_->ListingBusy() || hitTest != HTCLIENT)
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

void TFMain::FormShow()
{
    // The restored settings may have hidden a bar: lay out again, then line the titles up.
    FormResize();
}

void TFMain::FormResize()
{
    LayOut();
    splitTitle_->SetPosition(splitMain_->Position());
}

bool TFMain::FormCloseQuery()
{
    // The listing still works on the list: it stops at its next row, and the window closes after it.
    if (listing_->ListingBusy())
    {
        listing_->RequestStop();
        closeAfterListing_ = true;
        return false;
    }
    return true;
}

void TFMain::FormDestroy()
{
    // The menu bar is ours, not the window's.
    SetMenu(window_, nullptr);
    // Closing the main window ends the program.
    TApplication::Instance().Terminate();
}

void TFMain::ExplorerListChange()
{
    SetSelectionCommands(explorerList_->SelectedCount() > 0);
    ShowSelectedCount();
}
