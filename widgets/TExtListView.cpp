// The program's list view over its own row model.
#include "TExtListView.h"

#include "SettingsText.h"
#include "TRegistryIni.h"
#include "TUniqueHandle.h"

#include <algorithm>
#include <numeric>

namespace
{

constexpr int kTextInset = 4;
constexpr int kArrowGap = 8;
constexpr wchar_t kColumnsSection[] = L"Columns";

using settings::FromText;
using settings::ToText;

const std::wstring& EmptyText()
{
    static const std::wstring empty;
    return empty;
}

// Draws an engraved triangle: the lit edges in the highlight colour, the others in the shadow colour.
void DrawSortArrow(HDC dc, const RECT& box, bool up)
{
    const int side = box.right - box.left;
    const POINT apex{box.left + side / 2, up ? box.top : box.top + side};
    const POINT left{box.left, up ? box.top + side : box.top};
    const POINT right{box.left + side, up ? box.top + side : box.top};
    const TPen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DHILIGHT)));
    const TPen dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW)));
    const HGDIOBJ previous = SelectObject(dc, dark.Get());
    MoveToEx(dc, apex.x, apex.y, nullptr);
    LineTo(dc, left.x, left.y);
    SelectObject(dc, up ? light.Get() : dark.Get());
    LineTo(dc, right.x, right.y);
    SelectObject(dc, light.Get());
    LineTo(dc, apex.x, apex.y);
    SelectObject(dc, previous);
}

} // namespace

THeaderCellLayout LayOutHeaderCell(const RECT& cell, int textWidth, int alignment, int arrowSide, bool arrow)
{
    THeaderCellLayout layout;
    const int innerLeft = cell.left + kTextInset;
    const int innerRight = cell.right - kTextInset;
    const int available = std::max(0, innerRight - innerLeft);
    const int width = std::min(textWidth, available);
    layout.text = cell;
    const int format = alignment & LVCFMT_JUSTIFYMASK;
    if (format == LVCFMT_RIGHT)
    {
        layout.text.right = innerRight;
        layout.text.left = innerRight - width;
    }
    else if (format == LVCFMT_CENTER)
    {
        layout.text.left = innerLeft + (available - width) / 2;
        layout.text.right = layout.text.left + width;
    }
    else
    {
        layout.text.left = innerLeft;
        layout.text.right = innerLeft + width;
    }
    if (!arrow || arrowSide <= 0)
        return layout;
    const int top = cell.top + (cell.bottom - cell.top - arrowSide) / 2;
    if (format == LVCFMT_RIGHT)
    {
        const int arrowRight = layout.text.left - kArrowGap;
        layout.arrow = {arrowRight - arrowSide, top, arrowRight, top + arrowSide};
        layout.showArrow = layout.arrow.left >= innerLeft;
    }
    else
    {
        const int arrowLeft = layout.text.right + kArrowGap;
        layout.arrow = {arrowLeft, top, arrowLeft + arrowSide, top + arrowSide};
        layout.showArrow = layout.arrow.right <= innerRight;
    }
    return layout;
}

int SortArrowSide(int textHeight)
{
    return (textHeight + 1) / 2 * 2 - 6;
}

TExtListView::TExtListView(HWND parent, int id, const RECT& bounds, std::vector<TListColumn> columns,
                           DWORD style)
    : parent_(parent), columns_(std::move(columns))
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
        column.cx = columns_[i].width;
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
    for (TListRow& row : rows_)
        if (OnDeletion)
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

const std::wstring& TExtListView::CellText(size_t index, int column) const
{
    const TListRow& row = rows_[index];
    if (column == 0)
        return row.caption;
    if (column < 0 || static_cast<size_t>(column) > row.subItems.size())
        return EmptyText();
    return row.subItems[static_cast<size_t>(column) - 1];
}

namespace
{

// How often a filling list tells its control the row count.
constexpr DWORD kFillCountSyncMs = 500;

} // namespace

void TExtListView::SyncItemCount()
{
    lastCountSync_ = GetTickCount();
    ListView_SetItemCountEx(list_, static_cast<int>(rows_.size()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

size_t TExtListView::AddRow(TListRow row)
{
    rows_.push_back(std::move(row));
    const size_t index = rows_.size() - 1;
    if (updateDepth_ == 0 && (!filling_ || index == 0 || GetTickCount() - lastCountSync_ >= kFillCountSyncMs))
        SyncItemCount();
    if (AutoResort)
        ResortIfDue();
    return index;
}

void TExtListView::DeleteRow(size_t index)
{
    if (index >= rows_.size())
        return;
    SyncItemCount();
    if (OnDeletion)
        OnDeletion(rows_[index]);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    // The control moves the selection of the rows after it up by one.
    ListView_DeleteItem(list_, static_cast<int>(index));
    if (AutoResort)
        ResortIfDue();
}

void TExtListView::Clear()
{
    std::vector<TListRow> leaving;
    leaving.swap(rows_);
    ListView_DeleteAllItems(list_);
    if (OnDeletion)
        for (TListRow& row : leaving)
            OnDeletion(row);
}

void TExtListView::SetCellText(size_t index, int column, std::wstring text)
{
    if (index >= rows_.size() || column < 0 || static_cast<size_t>(column) >= columns_.size())
        return;
    TListRow& row = rows_[index];
    if (column == 0)
        row.caption = std::move(text);
    else
    {
        if (row.subItems.size() < static_cast<size_t>(column))
            row.subItems.resize(static_cast<size_t>(column));
        row.subItems[static_cast<size_t>(column) - 1] = std::move(text);
    }
    ListView_RedrawItems(list_, static_cast<int>(index), static_cast<int>(index));
    Changed();
}

void TExtListView::SetRowImage(size_t index, int image)
{
    if (index >= rows_.size())
        return;
    rows_[index].image = image;
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
    std::vector<TSortKey> keys;
    keys.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        keys.push_back(MakeSortKey(CellText(i, column), autoSortStyle_));
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const int direction = currentAscending_ ? 1 : -1;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return direction * CompareSortKeys(keys[a], keys[b]) < 0; });

    // The control keeps the selection by position, so it moves with the rows.
    const std::vector<size_t> selected = SelectedRows();
    const int focused = FocusedRow();
    std::vector<size_t> newPosition(rows_.size());
    std::vector<TListRow> sorted;
    sorted.reserve(rows_.size());
    for (size_t position = 0; position < order.size(); ++position)
    {
        newPosition[order[position]] = position;
        sorted.push_back(std::move(rows_[order[position]]));
    }
    rows_.swap(sorted);
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
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_.size())
        return;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0)
    {
        const std::wstring& text = CellText(static_cast<size_t>(item.iItem), item.iSubItem);
        const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
        std::copy_n(text.c_str(), length, item.pszText);
        item.pszText[length] = L'\0';
    }
    if ((item.mask & LVIF_IMAGE) != 0)
        item.iImage = rows_[static_cast<size_t>(item.iItem)].image;
}

void TExtListView::UpdateHeaderFormat()
{
    const HWND header = ListView_GetHeader(list_);
    const bool ownerDrawn = showSortArrows_;
    for (int i = 0; i < Header_GetItemCount(header); ++i)
    {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt = ownerDrawn ? item.fmt | HDF_OWNERDRAW : item.fmt & ~HDF_OWNERDRAW;
        Header_SetItem(header, i, &item);
    }
    InvalidateRect(header, nullptr, TRUE);
}

void TExtListView::DrawHeaderItem(const DRAWITEMSTRUCT* draw)
{
    const int column = static_cast<int>(draw->itemID);
    if (column < 0 || static_cast<size_t>(column) >= columns_.size())
        return;
    const HDC dc = draw->hDC;
    FillRect(dc, &draw->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ previousFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(draw->hwndItem, WM_GETFONT, 0, 0)));
    const std::wstring& caption = columns_[static_cast<size_t>(column)].caption;
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"Wy", 2, &letters);
    const bool arrow =
        showSortArrows_ && autoColumnSort_ != TAutoColumnSort::acsNoSort && column == lastColumnClicked_;
    RECT cell = draw->rcItem;
    if ((draw->itemState & ODS_SELECTED) != 0)
        OffsetRect(&cell, 1, 1);
    const int alignment = columns_[static_cast<size_t>(column)].alignment;
    const THeaderCellLayout layout =
        LayOutHeaderCell(cell, extent.cx, alignment, SortArrowSide(letters.cy), arrow);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = layout.text;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    format |= (alignment & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? DT_RIGHT
              : (alignment & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER
                                                                  : DT_LEFT;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    if (layout.showArrow)
        DrawSortArrow(dc, layout.arrow, currentAscending_ != reverseSortArrows_);
    SelectObject(dc, previousFont);
}

void TExtListView::LoadSettings()
{
    settingsLoaded_ = true;
    if (!SaveSettings.registryKey.empty() && !columns_.empty())
    {
        const TRegistryIni ini(SaveSettings.registryKey);
        std::vector<int> order = ColumnOrder();
        if (SaveSettings.saveColumnOrder)
        {
            const std::vector<int32_t> stored =
                settings::ParseCommaList(ToText(ini.ReadString(kColumnsSection, L"Order", L"")));
            // An order that does not name every column once would be refused by the control: the design order
            // stays.
            if (settings::IsColumnOrder(stored, columns_.size()))
            {
                order.assign(stored.begin(), stored.end());
                ListView_SetColumnOrderArray(list_, static_cast<int>(order.size()), order.data());
            }
        }
        if (SaveSettings.saveColumnSizes)
        {
            const std::vector<int32_t> widths =
                settings::ParseCommaList(ToText(ini.ReadString(kColumnsSection, L"Sizes", L"")));
            for (size_t position = 0; position < widths.size() && position < order.size(); ++position)
                ListView_SetColumnWidth(list_, order[position], settings::ClampColumnWidth(widths[position]));
        }
    }
    if (!columns_.empty())
        SetLastColumnClicked(0);
    ResortIfDue();
}

void TExtListView::SaveLayout()
{
    if (SaveSettings.registryKey.empty() || columns_.empty())
        return;
    TRegistryIni ini(SaveSettings.registryKey);
    const std::vector<int> order = ColumnOrder();
    if (SaveSettings.saveColumnOrder)
        ini.WriteString(kColumnsSection, L"Order",
                        FromText(settings::FormatCommaList({order.begin(), order.end()})));
    if (SaveSettings.saveColumnSizes)
    {
        std::vector<int32_t> widths;
        for (const int column : order)
            widths.push_back(ColumnWidth(column));
        ini.WriteString(kColumnsSection, L"Sizes", FromText(settings::FormatCommaList(widths)));
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
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TExtListView::OnListMessage(UINT message, WPARAM, LPARAM lParam)
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
    case WM_SYSCOLORCHANGE:
        InvalidateRect(ListView_GetHeader(list_), nullptr, TRUE);
        return std::nullopt;
    case WM_DESTROY:
        if (SaveSettings.autoSave && settingsLoaded_)
            SaveLayout();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}
