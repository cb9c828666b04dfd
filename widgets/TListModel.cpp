#include "TListModel.h"

#include <algorithm>
#include <numeric>

std::wstring TListRowData::MakeCellText(int column) const
{
    std::vector<std::wstring> cells = MakeSubItems();
    if (column < 1 || static_cast<size_t>(column) > cells.size())
        return {};
    return std::move(cells[static_cast<size_t>(column) - 1]);
}

const std::wstring& TListModel::CellText(size_t index, int column) const
{
    static const std::wstring empty;
    if (column == 0)
        return rows_[index].caption;
    const TListRow& row = Complete(index);
    if (column < 0 || static_cast<size_t>(column) > row.subItems.size())
        return empty;
    return row.subItems[static_cast<size_t>(column) - 1];
}

std::wstring TListModel::CellTextCopy(size_t index, int column) const
{
    const TListRow& row = rows_[index];
    if (column > 0 && row.subItemsDeferred && row.data)
        return row.data->MakeCellText(column);
    return CellText(index, column);
}

TListRow& TListModel::Complete(size_t index) const
{
    TListRow& row = rows_[index];
    if (row.subItemsDeferred)
    {
        if (row.data)
            row.subItems = row.data->MakeSubItems();
        row.subItemsDeferred = false;
    }
    return row;
}

size_t TListModel::Add(TListRow row)
{
    if (storeFault_)
        storeFault_(rows_.size());
    rows_.push_back(std::move(row));
    return rows_.size() - 1;
}

TListRow TListModel::Take(size_t index)
{
    TListRow row = std::move(Complete(index));
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    return row;
}

std::vector<TListRow> TListModel::TakeAll()
{
    std::vector<TListRow> leaving;
    leaving.swap(rows_);
    return leaving;
}

void TListModel::SetCellText(size_t index, int column, std::wstring text)
{
    TListRow& row = Complete(index);
    if (column == 0)
    {
        row.caption = std::move(text);
        return;
    }
    if (row.subItems.size() < static_cast<size_t>(column))
        row.subItems.resize(static_cast<size_t>(column));
    row.subItems[static_cast<size_t>(column) - 1] = std::move(text);
}

std::vector<size_t> TListModel::SortedOrder(int column, TAutoSortStyle style, bool ascending) const
{
    std::vector<TSortKey> keys;
    keys.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        keys.push_back(MakeSortKey(CellTextCopy(i, column), style, false));
    const bool allDates =
        std::all_of(keys.begin(), keys.end(), [](const TSortKey& key) { return key.date.has_value(); });
    const bool allNumbers =
        std::all_of(keys.begin(), keys.end(), [](const TSortKey& key) { return key.number.has_value(); });
    if (!allDates && !allNumbers)
        for (size_t i = 0; i < rows_.size(); ++i)
            AddTextKey(keys[i], CellTextCopy(i, column));
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const int direction = ascending ? 1 : -1;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return direction * CompareSortKeys(keys[a], keys[b]) < 0; });
    return order;
}

void TListModel::Reorder(const std::vector<size_t>& order)
{
    // In place, cycle by cycle: a second list of every row would double a large list's memory for a moment.
    std::vector<bool> placed(rows_.size(), false);
    for (size_t start = 0; start < order.size(); ++start)
    {
        if (placed[start])
            continue;
        TListRow held = std::move(rows_[start]);
        size_t at = start;
        for (;;)
        {
            placed[at] = true;
            const size_t from = order[at];
            if (from == start)
            {
                rows_[at] = std::move(held);
                break;
            }
            rows_[at] = std::move(rows_[from]);
            at = from;
        }
    }
}
