// The program's list view over its own row model.
#include "TExtListView.h"

#include "ListColumnLayout.h"
#include "ListHeaderPainting.h"

#include <algorithm>

TExtListView::TExtListView(HWND parent, int id, const RECT& bounds, std::vector<TListColumn> columns,
                           DWORD style)
    : parent_(parent), dpi_(TDpi::Of(parent)), columns_(std::move(columns))
{
    list_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_OWNERDATA | style,
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    ListView_SetExtendedListViewStyleEx(list_, LVS_EX_HEADERDRAGDROP, LVS_EX_HEADERDRAGDROP);
    for (size_t i = 0; i < columns_.size(); ++i)
    {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = columns_[i].alignment;
        column.cx = dpi_(columns_[i].width);
        column.pszText = columns_[i].caption.data();
        column.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(list_, static_cast<int>(i), &column);
    }
    parentSubclass_.Attach(parent, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnParentMessage(message, wParam, lParam);
    });
    listSubclass_.Attach(list_, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnListMessage(message, wParam, lParam);
    });
}

TExtListView::~TExtListView()
{
    if (IsWindow(list_))
        DestroyWindow(list_);
    parentSubclass_.Detach();
    listSubclass_.Detach();
    if (OnDeletion)
        for (TListRow& row : model_.TakeAll())
            OnDeletion(row);
}

void TExtListView::SetAutoColumnSort(TAutoColumnSort sort)
{
    if (sort == autoColumnSort_)
        return;
    autoColumnSort_ = sort;
    UpdateHeaderFormat();
    ResortIfDue();
}

void TExtListView::SetAutoSortStyle(TAutoSortStyle style)
{
    if (style == autoSortStyle_)
        return;
    autoSortStyle_ = style;
    ResortIfDue();
}

void TExtListView::SetAutoSortAscending(bool ascending)
{
    autoSortAscending_ = ascending;
    currentAscending_ = ascending;
}

void TExtListView::SetShowSortArrows(bool show)
{
    showSortArrows_ = show;
    UpdateHeaderFormat();
}

void TExtListView::SetReverseSortArrows(bool reverse)
{
    reverseSortArrows_ = reverse;
    InvalidateRect(ListView_GetHeader(list_), nullptr, TRUE);
}

void TExtListView::SetLastColumnClicked(int column)
{
    lastColumnClicked_ = column;
    InvalidateRect(ListView_GetHeader(list_), nullptr, TRUE);
}

TViewStyle TExtListView::ViewStyle() const
{
    switch (GetWindowLongW(list_, GWL_STYLE) & LVS_TYPEMASK)
    {
    case LVS_ICON:
        return TViewStyle::vsIcon;
    case LVS_SMALLICON:
        return TViewStyle::vsSmallIcon;
    case LVS_LIST:
        return TViewStyle::vsList;
    default:
        return TViewStyle::vsReport;
    }
}

void TExtListView::SetViewStyle(TViewStyle style)
{
    static constexpr DWORD kStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    const DWORD current = static_cast<DWORD>(GetWindowLongW(list_, GWL_STYLE));
    SetWindowLongW(list_, GWL_STYLE,
                   static_cast<LONG>((current & ~LVS_TYPEMASK) | kStyles[static_cast<int>(style)]));
    InvalidateRect(list_, nullptr, TRUE);
}

void TExtListView::SetImageLists(HIMAGELIST small, HIMAGELIST large)
{
    ListView_SetImageList(list_, small, LVSIL_SMALL);
    ListView_SetImageList(list_, large, LVSIL_NORMAL);
}

namespace
{

// How often a filling list tells its control the row count: every half second at most, and never for more
// than a hundredth of the fill's time. The control redraws its scroll bars for each count, which takes tens
// of milliseconds where drawing is slow (a remote or emulated display); there it is told less often.
constexpr DWORD kFillCountSyncMs = 500;
constexpr DWORD kFillCountSyncShare = 100;

} // namespace

void TExtListView::SyncItemCount()
{
    const DWORD start = GetTickCount();
    ListView_SetItemCountEx(list_, static_cast<int>(model_.Count()),
                            LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    lastCountSync_ = GetTickCount();
    countSyncInterval_ = std::max(kFillCountSyncMs, (lastCountSync_ - start) * kFillCountSyncShare);
}

size_t TExtListView::AddRow(TListRow row)
{
    const size_t index = model_.Add(std::move(row));
    if (updateDepth_ == 0 &&
        (!filling_ || index == 0 || GetTickCount() - lastCountSync_ >= countSyncInterval_))
        SyncItemCount();
    if (AutoResort)
        ResortIfDue();
    return index;
}

void TExtListView::DeleteRow(size_t index)
{
    if (index >= model_.Count())
        return;
    SyncItemCount();
    if (OnDeletion)
        OnDeletion(model_.Row(index));
    model_.Take(index);
    // The control moves the selection of the rows after it up by one. It scrolls the rows after it up by
    // copying pixels, which at the end of a scrolled list (where it also scrolls back) leaves stale rows:
    // the whole client is painted again instead.
    ListView_DeleteItem(list_, static_cast<int>(index));
    InvalidateRect(list_, nullptr, FALSE);
    if (AutoResort)
        ResortIfDue();
}

void TExtListView::Clear()
{
    std::vector<TListRow> leaving = model_.TakeAll();
    ++generation_;
    ListView_DeleteAllItems(list_);
    if (OnDeletion)
        for (TListRow& row : leaving)
            OnDeletion(row);
    // The control reports no selection change for rows deleted all at once.
    Changed();
}

void TExtListView::SetCellText(size_t index, int column, std::wstring text)
{
    if (index >= model_.Count() || column < 0 || static_cast<size_t>(column) >= columns_.size())
        return;
    model_.SetCellText(index, column, std::move(text));
    ListView_RedrawItems(list_, static_cast<int>(index), static_cast<int>(index));
    Changed();
}

void TExtListView::SetRowImage(size_t index, int image)
{
    if (index >= model_.Count())
        return;
    model_.Row(index).image = image;
    ListView_RedrawItems(list_, static_cast<int>(index), static_cast<int>(index));
    Changed();
}

void TExtListView::BeginUpdate()
{
    if (updateDepth_++ == 0)
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

void TExtListView::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ != 0)
        return;
    SyncItemCount();
    ResortIfDue();
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void TExtListView::BeginFill()
{
    filling_ = true;
    SetAutoSortAscending(false);
    SetAutoColumnSort(TAutoColumnSort::acsNoSort);
}

void TExtListView::EndFill()
{
    filling_ = false;
    if (updateDepth_ == 0)
        SyncItemCount();
    SetAutoSortAscending(true);
    SetAutoColumnSort(TAutoColumnSort::acsSortToggle);
    SetShowSortArrows(true);
}

std::vector<size_t> TExtListView::SelectedRows() const
{
    std::vector<size_t> selected;
    for (int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED); index >= 0;
         index = ListView_GetNextItem(list_, index, LVNI_SELECTED))
        selected.push_back(static_cast<size_t>(index));
    return selected;
}

size_t TExtListView::SelectedCount() const
{
    return ListView_GetSelectedCount(list_);
}

void TExtListView::SetSelected(size_t index, bool selected)
{
    ListView_SetItemState(list_, static_cast<int>(index), selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TExtListView::Selected(size_t index) const
{
    return index < model_.Count() &&
           (ListView_GetItemState(list_, static_cast<int>(index), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TExtListView::SelectAll()
{
    quietSelection_ = true;
    ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED);
    quietSelection_ = false;
    Changed();
}

void TExtListView::InvertSelection()
{
    // Selecting all and clearing the rows that were selected costs one message per selected row, not one
    // per row.
    const std::vector<size_t> selected = SelectedRows();
    quietSelection_ = true;
    ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED);
    for (const size_t row : selected)
        ListView_SetItemState(list_, static_cast<int>(row), 0, LVIS_SELECTED);
    quietSelection_ = false;
    Changed();
}

int TExtListView::FocusedRow() const
{
    return ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
}

POINT TExtListView::ContextMenuPoint(POINT at) const
{
    if (at.x != -1 || at.y != -1)
        return at;
    RECT place{0, 0, 0, 0};
    const int focused = FocusedRow();
    if (focused >= 0)
        ListView_GetItemRect(list_, focused, &place, LVIR_LABEL);
    POINT corner{place.left, place.bottom};
    ClientToScreen(list_, &corner);
    return corner;
}

std::vector<int> TExtListView::ColumnOrder() const
{
    std::vector<int> order(columns_.size());
    if (!order.empty())
        ListView_GetColumnOrderArray(list_, static_cast<int>(order.size()), order.data());
    return order;
}

int TExtListView::ColumnWidth(int column) const
{
    // The header keeps the report view's widths in every view; the list answers 0 in the icon views, and
    // saving that would hide every column at the next start.
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    if (HWND header = ListView_GetHeader(list_); header != nullptr && Header_GetItem(header, column, &item))
        return item.cxy;
    return ListView_GetColumnWidth(list_, column);
}

void TExtListView::SortBy(int column)
{
    if (column < 0 || static_cast<size_t>(column) >= columns_.size())
        return;
    if (OnSortBegin)
        OnSortBegin();
    const std::vector<size_t> order = model_.SortedOrder(column, autoSortStyle_, currentAscending_);

    // The control keeps the selection by position, so it moves with the rows.
    const std::vector<size_t> selected = SelectedRows();
    const int focused = FocusedRow();
    std::vector<size_t> newPosition(order.size());
    for (size_t position = 0; position < order.size(); ++position)
        newPosition[order[position]] = position;
    model_.Reorder(order);
    quietSelection_ = true;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (const size_t row : selected)
        if (row < newPosition.size())
            ListView_SetItemState(list_, static_cast<int>(newPosition[row]), LVIS_SELECTED, LVIS_SELECTED);
    if (focused >= 0 && static_cast<size_t>(focused) < newPosition.size())
        ListView_SetItemState(list_, static_cast<int>(newPosition[static_cast<size_t>(focused)]),
                              LVIS_FOCUSED, LVIS_FOCUSED);
    quietSelection_ = false;
    SetLastColumnClicked(column);
    InvalidateRect(list_, nullptr, FALSE);
    if (OnSortFinished)
        OnSortFinished();
}

void TExtListView::ResortIfDue()
{
    if (updateDepth_ == 0 && autoColumnSort_ != TAutoColumnSort::acsNoSort && lastColumnClicked_ >= 0 &&
        static_cast<size_t>(lastColumnClicked_) < columns_.size())
        SortBy(lastColumnClicked_);
}

void TExtListView::OnColumnClicked(int column)
{
    if (autoColumnSort_ == TAutoColumnSort::acsSortToggle)
        currentAscending_ = column == lastColumnClicked_ ? !currentAscending_ : autoSortAscending_;
    if (OnColumnClick)
        OnColumnClick(column);
    if (autoColumnSort_ != TAutoColumnSort::acsNoSort)
        SortBy(column);
}

void TExtListView::Changed()
{
    if (OnChange)
        OnChange();
}

void TExtListView::OnGetDisplayInfo(NMLVDISPINFOW* info)
{
    LVITEMW& item = info->item;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= model_.Count())
        return;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0)
    {
        const std::wstring& text = CellText(static_cast<size_t>(item.iItem), item.iSubItem);
        const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
        std::copy_n(text.c_str(), length, item.pszText);
        item.pszText[length] = L'\0';
    }
    if ((item.mask & LVIF_IMAGE) != 0)
        item.iImage = model_.Row(static_cast<size_t>(item.iItem)).image;
}

void TExtListView::UpdateHeaderFormat()
{
    SetHeaderOwnerDrawn(ListView_GetHeader(list_), showSortArrows_);
}

void TExtListView::DrawHeaderItem(const DRAWITEMSTRUCT* draw)
{
    const int column = static_cast<int>(draw->itemID);
    if (column < 0 || static_cast<size_t>(column) >= columns_.size())
        return;
    const TListColumn& design = columns_[static_cast<size_t>(column)];
    const bool arrow =
        showSortArrows_ && autoColumnSort_ != TAutoColumnSort::acsNoSort && column == lastColumnClicked_;
    PaintHeaderCell(*draw,
                    {design.caption, design.alignment, arrow, currentAscending_ != reverseSortArrows_});
}

void TExtListView::LoadSettings()
{
    settingsLoaded_ = true;
    if (!SaveSettings.registryKey.empty() && !columns_.empty())
    {
        std::vector<int> order = ColumnOrder();
        if (SaveSettings.saveColumnOrder)
            if (std::optional<std::vector<int>> stored =
                    ReadColumnOrder(SaveSettings.registryKey, columns_.size()))
            {
                order = std::move(*stored);
                ListView_SetColumnOrderArray(list_, static_cast<int>(order.size()), order.data());
            }
        if (SaveSettings.saveColumnSizes)
        {
            // No column wider than the work area, where its right edge and the next column would be lost.
            MONITORINFO monitor{};
            monitor.cbSize = sizeof(monitor);
            GetMonitorInfoW(MonitorFromWindow(list_, MONITOR_DEFAULTTONEAREST), &monitor);
            const int widest = monitor.rcWork.right - monitor.rcWork.left;
            const std::vector<std::optional<int32_t>> widths = ReadColumnSizes(SaveSettings.registryKey);
            for (size_t position = 0; position < widths.size() && position < order.size(); ++position)
                if (widths[position])
                    ListView_SetColumnWidth(list_, order[position],
                                            std::min(dpi_(*widths[position]), widest));
        }
    }
    if (!columns_.empty())
        SetLastColumnClicked(0);
    ResortIfDue();
}

void TExtListView::SetDpi(TDpi dpi)
{
    const TDpi from = dpi_;
    dpi_ = dpi;
    if (dpi_ == from)
        return;
    for (size_t column = 0; column < columns_.size(); ++column)
        ListView_SetColumnWidth(list_, static_cast<int>(column),
                                dpi_.From(from, ColumnWidth(static_cast<int>(column))));
}

void TExtListView::SaveLayout()
{
    if (SaveSettings.registryKey.empty() || columns_.empty())
        return;
    const std::vector<int> order = ColumnOrder();
    if (SaveSettings.saveColumnOrder)
        WriteColumnOrder(SaveSettings.registryKey, order);
    if (SaveSettings.saveColumnSizes)
    {
        std::vector<int32_t> widths;
        for (const int column : order)
            widths.push_back(dpi_.Unscaled(ColumnWidth(column)));
        WriteColumnSizes(SaveSettings.registryKey, widths);
    }
}

std::optional<LRESULT> TExtListView::OnParentMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return std::nullopt;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom != list_)
        return std::nullopt;
    switch (header->code)
    {
    case LVN_GETDISPINFOW:
        OnGetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return 0;
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
        if (!quietSelection_ && (change->uChanged & LVIF_STATE) != 0 &&
            ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0)
            Changed();
        return 0;
    }
    case LVN_ODSTATECHANGED: {
        const auto* change = reinterpret_cast<NMLVODSTATECHANGE*>(lParam);
        if (!quietSelection_ && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0)
            Changed();
        return 0;
    }
    case LVN_COLUMNCLICK:
        OnColumnClicked(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
        return 0;
    case LVN_ODFINDITEMW:
        return OnFindItem(reinterpret_cast<NMLVFINDITEMW*>(lParam));
    case NM_DBLCLK: {
        const int row = reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem;
        if (row >= 0 && static_cast<size_t>(row) < Count() && OnOpen)
            OnOpen(static_cast<size_t>(row));
        return 0;
    }
    case NM_RETURN: {
        const int row = FocusedRow();
        if (row >= 0 && static_cast<size_t>(row) < Count() && OnOpen)
            OnOpen(static_cast<size_t>(row));
        return 0;
    }
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TExtListView::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_HEADER)
            return std::nullopt;
        DrawHeaderItem(draw);
        return TRUE;
    }
    case WM_DPICHANGED_AFTERPARENT:
        SetDpi(TDpi::Of(list_));
        return std::nullopt;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(ListView_GetHeader(list_), nullptr, TRUE);
        return std::nullopt;
    case WM_CHAR:
        // Wine's control does not ask an owner-data list for the typed name: the list goes there itself.
        if (wParam < L' ' || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
            return std::nullopt;
        TypeAhead(static_cast<wchar_t>(wParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ADD && GetKeyState(VK_CONTROL) < 0)
        {
            FitColumns();
            return 0;
        }
        return std::nullopt;
    case WM_DESTROY:
        if (SaveSettings.autoSave && settingsLoaded_)
            SaveLayout();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}
