// The main window's layout: its tool bar, splitters, panes and status bar, their sizes at the window's
// display scale, and how they are placed as the window is sized.
#include "TFMain.h"

#include "MainCommands.h"
#include "TFullTextTips.h"
#include "ToolPictures.h"
#include "WindowParts.h"

#include <algorithm>

namespace
{

constexpr int kStatusBarHeight = 19;
constexpr int kStatusPanelWidth = 300;
constexpr int kStatusSelectedWidth = 90;
// Room on each side of a panel's text.
constexpr int kStatusTextMargin = 12;
constexpr int kTitleHeight = 20;
constexpr int kComboWidth = 193;
constexpr int kComboDroppedHeight = 320;
constexpr int kTreeIndent = 19;

} // namespace

void TFMain::CreateControls()
{
    MakePictures();
    CreateToolbar();
    CreateSplitters();
    CreateStatusBar();
    CreateListing();
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
    statusBar_ =
        CreateChildControl(window_, STATUSCLASSNAMEW, L"",
                           CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | SBARS_SIZEGRIP | SBARS_TOOLTIPS,
                           idStatusBar, {0, 0, 654, kStatusBarHeight});
    UseFormFont(statusBar_);
    // The count; a note when the list may not hold all the folder has; the count of selected rows; and the
    // filter's text while it narrows the list.
    SetStatusParts();
}

void TFMain::SetStatusParts()
{
    RECT bar{};
    GetClientRect(statusBar_, &bar);
    const int count = Dpi()(kStatusPanelWidth);
    const int selected = Dpi()(kStatusSelectedWidth);
    // The filter's panel is as wide as its text, up to a third of the bar; a tip shows what it cuts.
    int filter = 0;
    if (!filterText_.empty())
    {
        const int wanted = TextWidthIn(statusBar_, filterText_) + Dpi()(2 * kStatusTextMargin);
        filter = std::min(wanted, static_cast<int>(bar.right / 3));
    }
    const int note = std::max(count, static_cast<int>(bar.right) - selected - filter);
    int parts[] = {count, note, note + selected, -1};
    SendMessageW(statusBar_, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));
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
        SetStatusParts();
        // The bar paints only what a move uncovers; its size grip must be drawn anew at its right end.
        InvalidateRect(statusBar_, nullptr, TRUE);
    }
    MoveWindow(splitTitle_->Handle(), 0, top, width, Dpi()(kTitleHeight), TRUE);
    top += Dpi()(kTitleHeight);
    MoveWindow(splitMain_->Handle(), 0, top, width, std::max(0, bottom - top), TRUE);
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
