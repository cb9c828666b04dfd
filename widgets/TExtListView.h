// A list view that keeps its rows in its own model and shows them through an owner-data Win32 list view, so
// that it takes a hundred thousand rows; it sorts by column with arrows in its header and keeps its column
// order and widths in the registry.
#pragma once

#include "ListSorting.h"
#include "TDpi.h"
#include "TListModel.h"
#include "TSubclass.h"

#include <windows.h>

#include <commctrl.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TAutoColumnSort
{
    acsNoSort,
    acsSort,
    acsSortToggle,
};

enum class TViewStyle
{
    vsIcon,
    vsSmallIcon,
    vsList,
    vsReport,
};

struct TListColumn
{
    std::wstring caption;
    int width = 100; // at 96 DPI
    int alignment = LVCFMT_LEFT;
};

struct TExtLVSaveSettings
{
    bool autoSave = false;
    std::wstring registryKey; // below HKEY_CURRENT_USER; the layout goes to its "Columns" subkey
    bool saveColumnSizes = true;
    bool saveColumnOrder = true;
};

class TExtListView
{
public:
    TExtListView(HWND parent, int id, const RECT& bounds, std::vector<TListColumn> columns,
                 DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS);
    ~TExtListView();

    TExtListView(const TExtListView&) = delete;
    TExtListView& operator=(const TExtListView&) = delete;

    HWND Handle() const { return list_; }

    TExtLVSaveSettings SaveSettings;
    bool AutoResort = true;
    // Fired when the selection, or a row's text or image, changed.
    std::function<void()> OnChange;
    // Fired on a header click, after the direction was chosen and before the rows are sorted.
    std::function<void(int column)> OnColumnClick;
    // Fired around every sort of the rows.
    std::function<void()> OnSortBegin;
    std::function<void()> OnSortFinished;
    // Fired for each row that leaves the list, before it goes.
    std::function<void(TListRow&)> OnDeletion;
    // Fired when a row is opened: a double-click on it, or Enter with it focused.
    std::function<void(size_t row)> OnOpen;

    TAutoColumnSort AutoColumnSort() const { return autoColumnSort_; }
    void SetAutoColumnSort(TAutoColumnSort sort);
    TAutoSortStyle AutoSortStyle() const { return autoSortStyle_; }
    void SetAutoSortStyle(TAutoSortStyle style);
    // The direction a newly clicked column starts with; setting it sets the current direction too.
    bool AutoSortAscending() const { return autoSortAscending_; }
    void SetAutoSortAscending(bool ascending);
    bool CurrentSortAscending() const { return currentAscending_; }
    bool ShowSortArrows() const { return showSortArrows_; }
    void SetShowSortArrows(bool show);
    bool ReverseSortArrows() const { return reverseSortArrows_; }
    void SetReverseSortArrows(bool reverse);
    // The design index of the sort column, -1 for none.
    int LastColumnClicked() const { return lastColumnClicked_; }
    void SetLastColumnClicked(int column);
    TViewStyle ViewStyle() const;
    void SetViewStyle(TViewStyle style);
    void SetImageLists(HIMAGELIST small, HIMAGELIST large);

    // Rows.
    size_t Count() const { return model_.Count(); }
    const TListRow& Row(size_t index) const { return model_.Row(index); }
    // The text of a row in a design column; empty past its sub-items.
    const std::wstring& CellText(size_t index, int column) const { return model_.CellText(index, column); }
    // The same without keeping the row's cells when they are not made yet: for reading every row.
    std::wstring CellTextCopy(size_t index, int column) const { return model_.CellTextCopy(index, column); }
    size_t AddRow(TListRow row);
    void DeleteRow(size_t index);
    void Clear();
    // For tests: a failed allocation of the row store, as TListModel::SetStoreFault makes it.
    void SetRowStoreFault(std::function<void(size_t rows)> fault) { model_.SetStoreFault(std::move(fault)); }
    // Changes whenever all rows go at once (a new listing, a cleared list): a loop over rows it held ends
    // then.
    uint64_t Generation() const { return generation_; }
    void SetCellText(size_t index, int column, std::wstring text);
    void SetRowImage(size_t index, int image);
    // Inside an update bracket the list neither redraws nor re-sorts; the end of the bracket does both.
    void BeginUpdate();
    void EndUpdate();

    // The fill protocol: no sorting while rows are added, then ascending by the last clicked column with
    // arrows. While filling, the control learns the new row count a few times a second rather than at every
    // row: telling it costs a repaint of its scroll bars.
    void BeginFill();
    void EndFill();

    // Selection, in row indexes.
    std::vector<size_t> SelectedRows() const;
    size_t SelectedCount() const;
    void SetSelected(size_t index, bool selected);
    bool Selected(size_t index) const;
    // Selects every row, or flips the selection of every row; either is one change.
    void SelectAll();
    void InvertSelection();
    int FocusedRow() const;
    // Where a context menu asked for at that screen point comes up: there, or, when the keyboard asked
    // (-1, -1), below the focused row's label, else at the list's corner.
    POINT ContextMenuPoint(POINT at) const;

    // Columns: design indexes in display order, and widths by design index.
    size_t ColumnCount() const { return columns_.size(); }
    const std::wstring& ColumnCaption(int column) const
    {
        return columns_[static_cast<size_t>(column)].caption;
    }
    std::vector<int> ColumnOrder() const;
    int ColumnWidth(int column) const;
    // The list's window moved to another scale: the columns keep their share of it.
    void SetDpi(TDpi dpi);
    // Reads the saved order and widths (stored at 96 DPI, so that a column keeps its share of the list at
    // another scale); done once, when the form has been loaded.
    void LoadSettings();
    // Writes the order and widths now; the list also does it as its window is destroyed.
    void SaveLayout();

    // Sorts by a design column in the current direction.
    void SortBy(int column);

    // The first row from `start` on whose name begins with the text, ignoring case, going round to the top
    // when asked; -1 for none. Typing in the list jumps there.
    int FindRowStartingWith(const std::wstring& text, size_t start, bool wrap) const;
    // Sizes every column to fit its widest cell and its caption (Ctrl+Plus on the keypad).
    void FitColumns();

private:
    std::optional<LRESULT> OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnGetDisplayInfo(NMLVDISPINFOW* info);
    void OnColumnClicked(int column);
    LRESULT OnFindItem(const NMLVFINDITEMW* find) const;
    void TypeAhead(wchar_t letter);
    // The width that shows the design column's caption and every cell of it whole.
    int FittingWidth(int column) const;
    void DrawHeaderItem(const DRAWITEMSTRUCT* draw);
    void UpdateHeaderFormat();
    void ResortIfDue();
    void SyncItemCount();
    void Changed();

    HWND parent_;
    HWND list_;
    TDpi dpi_;
    std::vector<TListColumn> columns_;
    TListModel model_;
    TSubclass parentSubclass_;
    TSubclass listSubclass_;
    TAutoColumnSort autoColumnSort_ = TAutoColumnSort::acsSortToggle;
    TAutoSortStyle autoSortStyle_ = TAutoSortStyle::assSmart;
    bool autoSortAscending_ = true;
    bool currentAscending_ = true;
    bool showSortArrows_ = false;
    bool reverseSortArrows_ = false;
    int lastColumnClicked_ = -1;
    int updateDepth_ = 0;
    bool filling_ = false;
    DWORD lastCountSync_ = 0;
    DWORD countSyncInterval_ = 0;
    bool quietSelection_ = false;
    bool settingsLoaded_ = false;
    uint64_t generation_ = 0;
    std::wstring typed_;
    DWORD lastTyped_ = 0;
};
