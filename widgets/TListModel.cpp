#include "TListModel.h"

#include <algorithm>
#include <numeric>

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
        keys.push_back(MakeSortKey(CellText(i, column), style));
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const int direction = ascending ? 1 : -1;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return direction * CompareSortKeys(keys[a], keys[b]) < 0; });
    return order;
}

void TListModel::Reorder(const std::vector<size_t>& order)
{
    std::vector<TListRow> sorted;
    sorted.reserve(rows_.size());
    for (const size_t index : order)
        sorted.push_back(std::move(rows_[index]));
    rows_.swap(sorted);
}
