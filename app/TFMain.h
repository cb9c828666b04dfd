// The main window: the tool bar with the location combo, the title panes, the folder tree beside the
// deleted-file list, the status bar and the menus; its view state and its stored settings.
#pragma once

#include "DeletedFileActions.h"
#include "FilterCriteria.h"
#include "TApplication.h"
#include "TDeletedFileActionWindows.h"
#include "TDeletedListing.h"
#include "TExtListView.h"
#include "TFFilter.h"
#include "TFFind.h"
#include "TFProperties.h"
#include "TForm.h"
#include "TFormStorage.h"
#include "TMainMenu.h"
#include "TPTShellCombo.h"
#include "TPTShellTree.h"
#include "TPTSplitter.h"
#include "TToolBar.h"
#include "TUniqueHandle.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFMain : public TForm, public IMainForm
{
public:
    static constexpr const wchar_t* kWindowClass = L"TFMain";
    // Where the list keeps its column layout, and where the form keeps its placement and properties.
    static constexpr const wchar_t* kListRegistryKey = L"Software\\Tarvex\\Retrove";
    static constexpr const wchar_t* kStorageRoot = L"Software";
    static constexpr const wchar_t* kStorageSection = L"Tarvex\\Retrove";
    static constexpr int kInitialSplit = 162;

    TFMain();
    ~TFMain() override;

    HWND Handle() const override { return window_; }
    HACCEL Accelerators() const override { return menu_.Accelerators(); }
    void ShowFirstTime() override;
    // Tab and F6 move to the next pane (location, folder tree, list), with Shift to the one before; Delete,
    // Backspace and Alt+Enter act in the pane that has the keyboard.
    bool FormKeyDown(const MSG& message) override;

    // Once, after every window exists and before the event loop: the image lists, the designed view, the
    // disabled selection commands, the NetWare connection object and what the user picker offers. Closes
    // the window (which ends the program) when the NetWare client cannot be used.
    void InitializeMainWindow();
    // The list takes the view style of the view button that is down, and its menu item is checked.
    void ApplyViewStyle();
    // The about box that the Help menu shows; it is created after the main window, which owns it.
    void SetAboutBox(TForm* about) { about_ = about; }
    // The dialog that the Properties command fills from the first selected row and shows.
    void SetPropertiesDialog(TFProperties* properties) { properties_ = properties; }
    // The Find window that the Find command opens on the tree's folder.
    void SetFindWindow(TFFind* find) { find_ = find; }
    // The windows that recover and purge work with; created after the main window, which owns them.
    void SetActionWindows(TFRename* rename, TFActionMessage* actionMessage);
    // What the Options menu says a recovery does: Upper Case, and Rename or Skip for a name that exists
    // again.
    TRetroveOptions RetroveOptions() const;
    // Where the listing reads the criteria in force (the filter dialog's); without one every entry passes.
    void SetFilterCriteriaSource(std::function<TFilterCriteria()> source);

    // The listing of the folder tree's folder into ExplorerList.
    void ListDeletedFiles(const std::wstring& folder);
    void ClearDeletedList() { listing_->ClearDeletedList(); }
    void TreeDelChange();
    void BStopClick() { listing_->RequestStop(); }
    void MRefreshClick();
    bool ListingBusy() const { return listing_->ListingBusy(); }
    bool StopRequested() const { return listing_->StopRequested(); }
    // What the listing calls between kept entries; the application's message round unless a test says
    // otherwise.
    void SetListingEventPump(TDeletedListing::TEventPump pump) { listing_->SetEventPump(std::move(pump)); }

    // The filter dialog that the Filter command runs and whose criteria the listing applies; created after
    // the main window.
    void SetFilterDialog(TFFilter* filter);

    // The controls, for the windows and commands that work on them.
    TMainMenu& Menu() { return menu_; }
    TToolBar& Toolbar() { return *toolbar_; }
    TPTShellCombo& ShellCombo1() { return *shellCombo_; }
    TPTSplitter& SplitTitle() { return *splitTitle_; }
    TPTSplitter& SplitMain() { return *splitMain_; }
    HWND LLeftView() const { return leftView_; }
    HWND LRightView() const { return rightView_; }
    TPTShellTree& TreeDel() { return *treeDel_; }
    TExtListView& ExplorerList() { return *explorerList_; }
    HWND StatusBar() const { return statusBar_; }
    TFormStorage& RStorage1() { return Storage(); }
    HIMAGELIST Objects1() const { return objects1_.Get(); }
    HIMAGELIST SmallImage() const { return smallImage_; }
    HIMAGELIST LargeImage() const { return largeImage_; }
    // Whether PopDel comes up on the list.
    bool PopDelAttached() const { return popDelAttached_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(TDpi from) override;
    // The keyboard starts in the folder tree, on the selected folder.
    HWND FirstFocus() const override;

private:
    void CreateControls();
    void CreateToolbar();
    void CreateSplitters();
    void CreateStatusBar();
    void DeclareStoredProperties();
    // Start-up cannot go on: the message, then the end of the program.
    void EndStartup(const wchar_t* message);
    void LayOut();
    // The tool bar's and the directory objects' pictures at the window's scale.
    void MakePictures();
    void SetStatusParts();
    void UseFormFont(HWND control) const;

    void OnCommand(int command);
    void OnContextMenu(HWND control, POINT at);
    // The cursor over the window or any of its children; false leaves it to the default.
    bool OnSetCursor(UINT hitTest);

    void FormShow();
    void FormResize();
    bool FormCloseQuery();
    void FormDestroy();

    void SplitMainSplitterDrag(int position);
    void SplitMainSplitterDrop(int position);
    void SplitTitleSplitterDrag(int position);
    void SplitTitleSplitterDrop(int position);

    void CreateListing();
    void ShowListedFolder(const std::wstring& folder);
    void ShowFileCount(size_t rows);
    void ShowFilterState();
    // File > Export List... and Export Selected Rows...
    void MExportClick(bool selectedOnly);
    void ShowSelectedCount();

    void ExplorerListChange();
    void SetSelectionCommands(bool enabled);

    void BViewClick();
    void MViewClick(int button);
    void MToolBarClick();
    void MStatusBarClick();
    void MSelectAllClick();
    void MInvertSelectionClick();
    void BUpLevelClick();
    void BAboutClick();
    void BRetroveClick();
    void BPurgeClick();
    void MUpperClick();
    void MRenameClick();
    void MSkipClick();
    void MContentsClick();
    void BPropertiesClick();
    void ShowPropertiesOf(size_t row);
    bool CyclePanes(const MSG& message);
    bool PaneKeyDown(const MSG& message);
    void BFilterClick();
    void BFindClick();
    // Lists the folder selected in the tree again, with the criteria in force; during a listing, once that
    // has stopped.
    void ListSelectedFolder();
    void Exit1Click();

    TMainMenu menu_;
    TFont font_;
    TImageList expImage_;
    TImageList dExpImage_;
    TImageList objects1_;
    // The system's image lists, shared: never destroyed.
    HIMAGELIST smallImage_ = nullptr;
    HIMAGELIST largeImage_ = nullptr;
    std::unique_ptr<TToolBar> toolbar_;
    std::unique_ptr<TPTShellCombo> shellCombo_;
    std::unique_ptr<TPTSplitter> splitTitle_;
    std::unique_ptr<TPTSplitter> splitMain_;
    HWND leftView_ = nullptr;
    HWND rightView_ = nullptr;
    std::unique_ptr<TPTShellTree> treeDel_;
    std::unique_ptr<TExtListView> explorerList_;
    HWND statusBar_ = nullptr;
    // The status bar's panels after the count and the note.
    static constexpr int kSelectedPanel = 2;
    static constexpr int kFilterPanel = 3;
    std::wstring filterText_;
    // The folder whose deleted files the list shows, as the listing gave it.
    std::wstring listedFolder_;
    std::unique_ptr<TDeletedListing> listing_;
    // Closing was asked for while a listing ran: the window closes once the listing has stopped.
    bool closeAfterListing_ = false;
    // A folder was selected while a listing ran: that listing stops and the selection is listed after it.
    bool listSelectionAfterListing_ = false;
    bool popDelAttached_ = false;
    TForm* about_ = nullptr;
    TFProperties* properties_ = nullptr;
    TFFilter* filter_ = nullptr;
    TFFind* find_ = nullptr;
    std::unique_ptr<TDeletedFileActionWindows> actionWindows_;
};
