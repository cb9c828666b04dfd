// The rows behind a list view: each row's caption, icon, cell texts and owner data, and their sorting by a
// column. The control shows them by index and never holds a copy.
#pragma once

#include "ListSorting.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// What an owner attaches to a row; owners derive their own type and ask for it back by that type.
class TListRowData
{
public:
    virtual ~TListRowData() = default;
};

// One row: its caption (design column 0), icon, the texts of the other columns, and what the owner attaches.
struct TListRow
{
    std::wstring caption;
    int image = -1;
    std::vector<std::wstring> subItems;
    std::shared_ptr<TListRowData> data;
};

class TListModel
{
public:
    size_t Count() const { return rows_.size(); }
    const TListRow& Row(size_t index) const { return rows_[index]; }
    TListRow& Row(size_t index) { return rows_[index]; }
    // The text of a row in a design column; empty past its sub-items.
    const std::wstring& CellText(size_t index, int column) const;

    // The index of the new row, which comes last.
    size_t Add(TListRow row);
    // The row taken out; the rows after it move up by one.
    TListRow Take(size_t index);
    std::vector<TListRow> TakeAll();
    // Column 0 is the caption; a later column grows the row's cells up to it.
    void SetCellText(size_t index, int column, std::wstring text);

    // The row indexes in sorted order by a column's texts; equal texts keep their order.
    std::vector<size_t> SortedOrder(int column, TAutoSortStyle style, bool ascending) const;
    // Puts the rows in the order given (as SortedOrder returns it).
    void Reorder(const std::vector<size_t>& order);

private:
    std::vector<TListRow> rows_;
};
