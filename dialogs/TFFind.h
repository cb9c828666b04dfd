// The window that searches a folder and the folders below it for deleted files that match criteria, lists
// the hits with the folder each was found in, and recovers, purges or shows them.
#pragma once

#include "DeletedFileActions.h"
#include "FilterCriteria.h"
#include "TActionAnimation.h"
#include "TCriteriaFields.h"
#include "TDeletedFileSearch.h"
#include "TExtListView.h"
#include "TForm.h"
#include "TFormStorage.h"
#include "TPTFolderBrowseDlg.h"
#include "TPTShellCombo.h"
#include "TSubclass.h"
#include "TUniqueHandle.h"

#include <functional>
#include <memory>
#include <string>

class TFBrowseDirectory;
class TFProperties;

class TFFind : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Find: Deleted Files";
    static constexpr const wchar_t* kWindowClass = L"TFFind";
    static constexpr const wchar_t* kStorageRoot = L"Software";
    static constexpr const wchar_t* kStorageSection = L"Tarvex\\Retrove\\FFind";
    static constexpr const wchar_t* kListRegistryKey = L"Software\\Tarvex\\Retrove\\FFind";
    // Sizes at 96 DPI.
    static constexpr int kDesignWidth = 494;
    static constexpr int kDesignHeight = 484;
    // The window's height without its result list.
    static constexpr int kCollapsedHeight = 268;
    // The criteria area at the top keeps this height; the result list takes the rest above the status bar.
    static constexpr int kCriteriaHeight = 200;
    static constexpr int kDesignListHeight = 216;
    static constexpr int kCountPanelWidth = 100;
    // While a search runs the status bar paints at most this often.
    static constexpr DWORD kStatusPaintMilliseconds = 100;

    // The commands of the menus; the controls' IDs follow them.
    enum TCommand : int
    {
        cmMFind = 100,
        cmMRetrove,
        cmMPurge,
        cmMProperties,
        cmMClose,
        cmMSelectAll,
        cmMInvertSelection,
        cmMCopy,
        cmMExport,
        cmMExportSelected,
        cmMLargeIcons,
        cmMSmallIcons,
        cmMList,
        cmMDetails,
        cmPMRetrove,
        cmPMPurge,
        cmPMProperties,
        // Ctrl+Tab and Ctrl+Shift+Tab, as in a property sheet.
        cmNextPage,
        cmPreviousPage,
    };

    using TEventPump = std::function<void()>;

    explicit TFFind(HWND owner);
    ~TFFind() override;

    // What the search runs between folders and kept entries: the application's message round in the program.
    void SetEventPump(TEventPump pump) { pump_ = std::move(pump); }
    // The system image lists that the result rows' icons index, shared with the main window.
    void SetImageLists(HIMAGELIST small, HIMAGELIST large);
    // The dialogs behind Properties and the two Select buttons; created after this window.
    void SetPropertiesDialog(TFProperties* properties) { properties_ = properties; }
    void SetUserPicker(TFBrowseDirectory* picker) { picker_ = picker; }
    // What Retrove and Purge work with: the windows they talk to, and the main window's Options menu, read
    // at each Retrove.
    void SetActions(std::unique_ptr<IDeletedFileActionsUI> ui, std::function<TRetroveOptions()> options);

    // Shows the window modally, empty and collapsed with the default criteria; the Look-in location is
    // what the caller assigned to SLook_In before.
    void Execute();

    // The criteria from the fields now; a date that cannot be read counts as today.
    TFilterCriteria Criteria() const { return Fields().Read(); }

    bool Searching() const { return search_->Running(); }
    bool Acting() const { return acting_; }
    bool StopRequested() const { return search_->StopRequested(); }
    bool ScanInProgress() const { return search_->ScanInProgress(); }
    // Whether the result list is shown (the window is expanded).
    bool Expanded() const;

    // The handlers, for the menus, the buttons and the keys.
    void FormShow();
    void SettingsRestored() override { FormShow(); }
    void BFindClick();
    void BStopClick() { search_->RequestStop(); }
    void BNewClick();
    void BBrowseClick();
    void BSelect_DeletedClick();
    void BSelect_OwnerClick();
    void MRetroveClick();
    void MPurgeClick();
    void MPropertiesClick();
    void MSelectAllClick();
    void MInvertSelectionClick();
    void MViewClick(int command);

    // The controls.
    HWND PageControl() const { return pageControl_; }
    HWND TNameLocation() const { return tNameLocation_; }
    HWND TAdvanced() const { return tAdvanced_; }
    HWND EName() const { return eName_; }
    TPTShellCombo& SLook_In() { return *sLookIn_; }
    HWND BBrowse() const { return bBrowse_; }
    HWND CInclude() const { return cInclude_; }
    HWND CInclude_Hidden() const { return cIncludeHidden_; }
    HWND EDeleted() const { return eDeleted_; }
    HWND BSelect_Deleted() const { return bSelectDeleted_; }
    HWND EOwner() const { return eOwner_; }
    HWND BSelect_Owner() const { return bSelectOwner_; }
    HWND DDeleted() const { return dDeleted_; }
    HWND RNone() const { return rNone_; }
    HWND RExactly() const { return rExactly_; }
    HWND RGreater() const { return rGreater_; }
    HWND RLess() const { return rLess_; }
    HWND BFind() const { return bFind_; }
    HWND BStop() const { return bStop_; }
    HWND BNew() const { return bNew_; }
    TActionAnimation& Find_Animate() { return *findAnimate_; }
    TExtListView& FindList() { return *findList_; }
    HWND StatusBar() const { return statusBar_; }
    // The status bar's panel of the count of selected hits.
    static constexpr int kSelectedPanel = 2;
    HMENU MainMenu1() const { return menuBar_.Get(); }
    HMENU PopFind() const { return popFind_.Get(); }
    TFormStorage& RStorage1() { return Storage(); }
    TPTFolderBrowseDlg& Browse_Dialog1() { return *browseDialog1_; }
    // Whether PopFind comes up on the result list.
    bool PopFindAttached() const { return popFindAttached_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool FormKey(const MSG& message) override;
    void DpiChanged(TDpi from) override;
    // The keyboard starts in the name pattern.
    HWND FirstFocus() const override { return eName_; }

private:
    class TSearchScope;

    void CreateMenus();
    void CreateControls();
    void CreateNameLocationPage();
    void CreateAdvancedPage();
    void CreateButtons();
    void CreateResults();
    void DeclareStoredProperties();
    TCriteriaFields Fields() const;
    void LayOut();
    void ShowActivePage();
    // Brings the next or the previous tab's page to the front, with the keyboard in its first field.
    void TurnPage(int step);

    void OnCommand(int id, int code);
    void OnContextMenu(HWND control, POINT at);
    void OnGetMinMaxInfo(MINMAXINFO* info) const;
    std::optional<LRESULT> ENameKeyPress(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    // A criterion's field, the folder's combo or the date's choices, where Enter starts a search.
    bool IsCriteriaControl(HWND control) const;
    void ShowPropertiesOf(size_t row);
    // The first criterion on the tab in front.
    HWND FirstFieldOfPage() const;
    void FocusAfterSearch();
    // Alt+Enter and Delete in the hits; whether the key was one of them.
    bool HitsKey(const MSG& message);
    void FormClose();

    void ClearResults();
    void Collapse();
    void Expand();
    void ResetCriteria();
    void ApplyViewStyle();
    void SetCountPanelWidth(int width);
    void SetStatusParts();
    // File > Export List... and Export Selected Rows...
    void MExportClick(bool selectedOnly);
    void SetStatusText(int panel, const std::wstring& text);
    // While a search runs the status bar paints a few times a second, with the folder reached last:
    // giving it the text of every folder would cost more than many a folder's scan.
    void HoldStatusPainting(bool hold);
    void ShowSearchedFolder(const std::wstring& folder);
    // Paints the folder last reached when the panel shows another and the last paint is long enough ago;
    // called as folders are reached and while a folder's entries come in.
    void PaintSearchedFolder();
    // The criteria of the fields, read again only after the operator changed one.
    const TFilterCriteria& CurrentCriteria();
    void ShowCount();
    void Pump();
    void CreateSearch();
    void FindListChange();

    TMenuHandle menuBar_;
    TMenuHandle popFind_;
    TAcceleratorTable accelerators_;
    HWND pageControl_ = nullptr;
    HWND tNameLocation_ = nullptr;
    HWND tAdvanced_ = nullptr;
    HWND eName_ = nullptr;
    std::unique_ptr<TPTShellCombo> sLookIn_;
    HWND bBrowse_ = nullptr;
    HWND cInclude_ = nullptr;
    HWND cIncludeHidden_ = nullptr;
    HWND eDeleted_ = nullptr;
    HWND bSelectDeleted_ = nullptr;
    HWND eOwner_ = nullptr;
    HWND bSelectOwner_ = nullptr;
    HWND dDeleted_ = nullptr;
    HWND rNone_ = nullptr;
    HWND rExactly_ = nullptr;
    HWND rGreater_ = nullptr;
    HWND rLess_ = nullptr;
    HWND bFind_ = nullptr;
    HWND bStop_ = nullptr;
    HWND bNew_ = nullptr;
    std::unique_ptr<TActionAnimation> findAnimate_;
    std::unique_ptr<TExtListView> findList_;
    HWND statusBar_ = nullptr;
    int countPanelWidth_ = 0; // at 96 DPI
    TSubclass eNameSubclass_;
    std::unique_ptr<TPTFolderBrowseDlg> browseDialog1_;
    TEventPump pump_;
    HIMAGELIST smallImages_ = nullptr;
    HIMAGELIST largeImages_ = nullptr;
    TFProperties* properties_ = nullptr;
    TFBrowseDirectory* picker_ = nullptr;
    std::unique_ptr<IDeletedFileActionsUI> actions_;
    std::function<TRetroveOptions()> retroveOptions_;
    // The height the result list had when it was last shown, given back when the window expands.
    // The list's height while collapsed, in pixels.
    int listHeight_ = 0;
    std::unique_ptr<TDeletedFileSearch> search_;
    bool statusHeld_ = false;
    DWORD statusPaintedAt_ = 0;
    std::wstring reachedFolder_;
    std::wstring shownFolder_;
    // The count that the count panel shows, so that an unchanged count is not set again.
    static constexpr size_t kNoCountShown = static_cast<size_t>(-1);
    size_t shownCount_ = kNoCountShown;
    TFilterCriteria criteria_;
    bool criteriaChanged_ = true;
    // A Retrove or Purge is going through the rows; its dialogs let other messages run meanwhile.
    bool acting_ = false;
    // Asked for while a search ran: done once it has stopped.
    bool closeAfterSearch_ = false;
    bool newAfterSearch_ = false;
    bool popFindAttached_ = false;
};
