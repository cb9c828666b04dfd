// The main window's frame, its view state and its stored settings.
#include "TFMain.h"

#include "AppIdentity.h"
#include "DeletedFileListRows.h"
#include "MainCommands.h"
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

constexpr int kStatusBarHeight = 19;
constexpr int kStatusPanelWidth = 300;
constexpr int kTitleHeight = 20;
constexpr int kComboWidth = 193;
constexpr int kComboDroppedHeight = 320;
constexpr int kTreeIndent = 19;

// The view buttons in the order that decides the view, with their menu items and list styles.
struct TViewChoice
{
    int button;
    int menuItem;
    TViewStyle style;
};
constexpr std::array<TViewChoice, 4> kViewChoices{{
    {cmBLargeIcons, cmMLargeIcons, TViewStyle::vsIcon},
    {cmBSmallIcons, cmMSmallIcons, TViewStyle::vsSmallIcon},
    {cmBList, cmMList, TViewStyle::vsList},
    {cmBDetails, cmMDetails, TViewStyle::vsReport},
}};

// A child's own visible flag: a hidden form's children still count as shown.
bool Shown(HWND control)
{
    return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

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

void TFMain::CreateControls()
{
    MakePictures();
    CreateToolbar();
    CreateSplitters();
    CreateStatusBar();
    CreateListing();
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
    listing_->ListDeletedFiles(folder);
    // A selection made during the listing is listed now, so that the list shows the folder selected; one made
    // during that listing in turn is listed after it.
    while (listSelectionAfterListing_ && !closeAfterListing_ && !listing_->ListingBusy())
    {
        listSelectionAfterListing_ = false;
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
    SetWindowTextW(rightView_, (L"Deleted Contents of '" + folder + L"'").c_str());
    // The caption must be readable while the rows come in.
    UpdateWindow(rightView_);
}

void TFMain::ShowFileCount(size_t rows)
{
    SendMessageW(statusBar_, SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>((std::to_wstring(rows) + L" file(s)").c_str()));
}

void TFMain::CreateToolbar()
{
    toolbar_ = std::make_unique<TToolBar>(window_, idToolbar, RECT{0, 0, 654, 28});
    toolbar_->SetImageLists(expImage_.Get(), dExpImage_.Get());
    UseFormFont(toolbar_->Handle());
    // The combo is the tool bar's child, so that its notifications reach it through the tool bar.
    shellCombo_ = std::make_unique<TPTShellCombo>(toolbar_->Handle(), idShellCombo1,
                                                  RECT{0, 0, kComboWidth, kComboDroppedHeight});
    UseFormFont(shellCombo_->Handle());
    toolbar_->AddControl(shellCombo_->Handle(), kComboWidth, kComboDroppedHeight);
    toolbar_->AddSeparator();
    toolbar_->AddButton(cmBUpLevel, tpUpLevel, L"Up One Level");
    toolbar_->AddSeparator();
    toolbar_->AddButton(cmBProperties, tpProperties, L"Properties");
    toolbar_->AddSeparator();
    toolbar_->AddButton(cmBLargeIcons, tpLargeIcons, L"Large Icons", TToolButtonKind::tbkGroupCheck);
    toolbar_->AddButton(cmBSmallIcons, tpSmallIcons, L"Small Icons", TToolButtonKind::tbkGroupCheck);
    toolbar_->AddButton(cmBList, tpList, L"List", TToolButtonKind::tbkGroupCheck);
    toolbar_->AddButton(cmBDetails, tpDetails, L"Details", TToolButtonKind::tbkGroupCheck);
    toolbar_->SetDown(cmBDetails, true);
    toolbar_->AddSeparator();
    toolbar_->AddButton(cmBRetrove, tpRetrove, L"Retrove");
    toolbar_->AddButton(cmBPurge, tpPurge, L"Purge");
    toolbar_->AddButton(cmBStop, tpStop, L"Stop");
    toolbar_->AddSeparator();
    toolbar_->AddButton(cmBFilter, tpFilter, L"Filter");
    toolbar_->AddButton(cmBFind, tpFind, L"Find Deleted Files");
}

void TFMain::CreateSplitters()
{
    splitTitle_ = std::make_unique<TPTSplitter>(window_, idSplitTitle, RECT{0, 28, 654, 48},
                                                TPTSplitterSettings{kInitialSplit, 2, true});
    const auto titlePanel = [this](int pane, int id, const wchar_t* caption) {
        HWND panel = CreateChildControl(splitTitle_->Pane(pane), L"STATIC", caption,
                                        SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | SS_ENDELLIPSIS, id, {});
        UseFormFont(panel);
        return panel;
    };
    leftView_ = titlePanel(0, idLLeftView, L" All Folders");
    rightView_ = titlePanel(1, idLRightView, L"");

    splitMain_ = std::make_unique<TPTSplitter>(window_, idSplitMain, RECT{0, 48, 654, 400},
                                               TPTSplitterSettings{kInitialSplit, 2, false});
    TPTShellTreeSettings treeSettings;
    treeSettings.showRoot = false;
    treeSettings.readOnly = true;
    // The tree is a navigator: nothing dropped on it may move or copy the live files on a volume.
    treeSettings.options = treeSettings.options.Without(TPTShellTreeOption::ptstoOleDrop);
    treeSettings.indent = kTreeIndent;
    treeDel_ = std::make_unique<TPTShellTree>(splitMain_->Pane(0), idTreeDel, RECT{}, treeSettings);
    explorerList_ =
        std::make_unique<TExtListView>(splitMain_->Pane(1), idExplorerList, RECT{}, DeletedFileColumns(),
                                       LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS);
    for (HWND control : {treeDel_->Handle(), explorerList_->Handle()})
    {
        RemoveBorder(control);
        UseFormFont(control);
    }
    shellCombo_->SetShellTree(treeDel_.get());
    explorerList_->SaveSettings.autoSave = true;
    explorerList_->SaveSettings.registryKey = kListRegistryKey;
    explorerList_->OnChange = [this] { ExplorerListChange(); };
    explorerList_->OnOpen = [this](size_t row) { ShowPropertiesOf(row); };

    splitMain_->OnSplitterDrag = [this](int position) { SplitMainSplitterDrag(position); };
    splitMain_->OnSplitterDrop = [this](int position) { SplitMainSplitterDrop(position); };
    splitTitle_->OnSplitterDrag = [this](int position) { SplitTitleSplitterDrag(position); };
    splitTitle_->OnSplitterDrop = [this](int position) { SplitTitleSplitterDrop(position); };
}

void TFMain::CreateStatusBar()
{
    statusBar_ = CreateChildControl(window_, STATUSCLASSNAMEW, L"",
                                    CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | SBARS_SIZEGRIP,
                                    idStatusBar, {0, 0, 654, kStatusBarHeight});
    UseFormFont(statusBar_);
    // The count, and beside it a note when the list may not hold all the folder has.
    SetStatusParts();
}

void TFMain::SetStatusParts()
{
    int parts[] = {Dpi()(kStatusPanelWidth), -1};
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void TFMain::MakePictures()
{
    const int side = Dpi().SmallPictureSide();
    expImage_ = MakeToolImages(false, side);
    dExpImage_ = MakeToolImages(true, side);
    objects1_ = MakeObjectImages(side);
}

void TFMain::DpiChanged(TDpi)
{
    font_ = CreateSansSerifFont(8, Dpi());
    for (HWND control : {toolbar_->Handle(), shellCombo_->Handle(), leftView_, rightView_, treeDel_->Handle(),
                         explorerList_->Handle(), statusBar_})
        UseFormFont(control);
    MakePictures();
    toolbar_->SetDpi(Dpi());
    toolbar_->SetImageLists(expImage_.Get(), dExpImage_.Get());
    splitMain_->SetDpi(Dpi());
    splitTitle_->SetDpi(Dpi());
    TreeView_SetIndent(treeDel_->Handle(), Dpi()(kTreeIndent));
    SetStatusParts();
    LayOut();
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
    };
}

void TFMain::UseFormFont(HWND control) const
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void TFMain::LayOut()
{
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    int top = 0;
    int bottom = client.bottom;
    if (Shown(toolbar_->Handle()))
    {
        MoveWindow(toolbar_->Handle(), 0, 0, width, toolbar_->Height(), TRUE);
        top = toolbar_->Height();
    }
    if (Shown(statusBar_))
    {
        bottom = std::max(top, bottom - Dpi()(kStatusBarHeight));
        MoveWindow(statusBar_, 0, bottom, width, Dpi()(kStatusBarHeight), TRUE);
        // The bar paints only what a move uncovers; its size grip must be drawn anew at its right end.
        InvalidateRect(statusBar_, nullptr, TRUE);
    }
    MoveWindow(splitTitle_->Handle(), 0, top, width, Dpi()(kTitleHeight), TRUE);
    top += Dpi()(kTitleHeight);
    MoveWindow(splitMain_->Handle(), 0, top, width, std::max(0, bottom - top), TRUE);
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

void TFMain::OnCommand(int command)
{
    switch (command)
    {
    case cmBLargeIcons:
    case cmBSmallIcons:
    case cmBList:
    case cmBDetails:
        BViewClick();
        break;
    case cmMLargeIcons:
        MViewClick(cmBLargeIcons);
        break;
    case cmMSmallIcons:
        MViewClick(cmBSmallIcons);
        break;
    case cmMList:
        MViewClick(cmBList);
        break;
    case cmMDetails:
        MViewClick(cmBDetails);
        break;
    case cmMToolBar:
        MToolBarClick();
        break;
    case cmMStatusBar:
        MStatusBarClick();
        break;
    case cmMSelectAll:
        MSelectAllClick();
        break;
    case cmMInvertSelection:
        MInvertSelectionClick();
        break;
    case cmBUpLevel:
        BUpLevelClick();
        break;
    case cmBStop:
        BStopClick();
        break;
    case cmMRefresh:
        MRefreshClick();
        break;
    case cmBAbout:
        BAboutClick();
        break;
    case cmBRetrove:
    case cmMRetrove:
    case cmPMRetrove:
        BRetroveClick();
        break;
    case cmBPurge:
    case cmMPurge:
    case cmPMPurge:
        BPurgeClick();
        break;
    case cmMUpper:
        MUpperClick();
        break;
    case cmMRename:
        MRenameClick();
        break;
    case cmMSkip:
        MSkipClick();
        break;
    case cmBProperties:
    case cmMProperties:
    case cmPMProperties:
        BPropertiesClick();
        break;
    case cmBFilter:
    case cmMFilter:
        BFilterClick();
        break;
    case cmBFind:
    case cmMFind:
        BFindClick();
        break;
    case cmExit1:
        Exit1Click();
        break;
    default:
        break;
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

void TFMain::SplitMainSplitterDrag(int position)
{
    splitTitle_->SetPosition(position);
}

void TFMain::SplitMainSplitterDrop(int position)
{
    splitTitle_->SetPosition(position);
}

void TFMain::SplitTitleSplitterDrag(int position)
{
    splitMain_->SetPosition(position);
}

void TFMain::SplitTitleSplitterDrop(int position)
{
    splitMain_->SetPosition(position);
}

void TFMain::ExplorerListChange()
{
    SetSelectionCommands(explorerList_->SelectedCount() > 0);
}

void TFMain::SetSelectionCommands(bool enabled)
{
    for (const int button : {cmBRetrove, cmBProperties, cmBPurge})
        toolbar_->SetEnabled(button, enabled);
    for (const int item : {cmMRetrove, cmMProperties, cmMPurge})
        menu_.SetEnabled(item, enabled);
    // The pop-up menu comes up on the list only while it has something to act on.
    popDelAttached_ = enabled;
}

void TFMain::BViewClick()
{
    // The button group has already put the clicked button down.
    ApplyViewStyle();
}

void TFMain::MViewClick(int button)
{
    for (const TViewChoice& choice : kViewChoices)
        toolbar_->SetDown(choice.button, choice.button == button);
    ApplyViewStyle();
}

void TFMain::MToolBarClick()
{
    const bool show = !Shown(toolbar_->Handle());
    ShowWindow(toolbar_->Handle(), show ? SW_SHOW : SW_HIDE);
    menu_.SetChecked(cmMToolBar, show);
    LayOut();
}

void TFMain::MStatusBarClick()
{
    const bool show = !Shown(statusBar_);
    ShowWindow(statusBar_, show ? SW_SHOW : SW_HIDE);
    menu_.SetChecked(cmMStatusBar, show);
    LayOut();
}

void TFMain::MSelectAllClick()
{
    SetFocus(explorerList_->Handle());
    explorerList_->SelectAll();
}

void TFMain::MInvertSelectionClick()
{
    SetFocus(explorerList_->Handle());
    explorerList_->InvertSelection();
}

void TFMain::BUpLevelClick()
{
    treeDel_->GoUp(1);
}

void TFMain::BPropertiesClick()
{
    const std::vector<size_t> selected = explorerList_->SelectedRows();
    if (!selected.empty())
        ShowPropertiesOf(selected.front());
}

void TFMain::ShowPropertiesOf(size_t row)
{
    if (properties_ == nullptr || row >= explorerList_->Count())
        return;
    // The location is the tree's folder as the tree gives it.
    if (properties_->FillProperties(explorerList_->Row(row), treeDel_->SelectedPath()))
        properties_->Execute();
}

void TFMain::BRetroveClick()
{
    if (actionWindows_ == nullptr || listing_->ListingBusy())
        return;
    RetroveSelected(treeDel_->SelectedPath(), *explorerList_, RetroveOptions(), *actionWindows_,
                    [this](size_t rows) { ShowFileCount(rows); });
}

void TFMain::BPurgeClick()
{
    // A purge may run while a listing pumps messages: it removes rows, and the listing only adds them.
    if (actionWindows_ != nullptr && ConfirmAndPurgeSelected(*explorerList_, *actionWindows_))
        ShowFileCount(explorerList_->Count());
}

void TFMain::MUpperClick()
{
    menu_.SetChecked(cmMUpper, !menu_.Checked(cmMUpper));
}

void TFMain::MRenameClick()
{
    menu_.CheckRadio(cmMRename, cmMSkip, cmMRename);
}

void TFMain::MSkipClick()
{
    menu_.CheckRadio(cmMRename, cmMSkip, cmMSkip);
}

void TFMain::BAboutClick()
{
    if (about_ != nullptr)
        about_->ShowModal();
}

void TFMain::BFilterClick()
{
    if (filter_ != nullptr && filter_->Execute())
        ListSelectedFolder();
}

void TFMain::BFindClick()
{
    if (find_ == nullptr)
        return;
    find_->SetImageLists(smallImage_, largeImage_);
    find_->SLook_In().Location().Assign(treeDel_->SelectedFolder());
    find_->Execute();
}

void TFMain::ListSelectedFolder()
{
    if (listing_->ListingBusy())
    {
        // Only one listing runs at a time: the running one, of another folder or under other criteria, stops
        // at its next row, and the folder now selected is listed once it has.
        listing_->RequestStop();
        listSelectionAfterListing_ = true;
        return;
    }
    ListDeletedFiles(treeDel_->SelectedPath());
}

void TFMain::Exit1Click()
{
    SendMessageW(window_, WM_CLOSE, 0, 0);
}
