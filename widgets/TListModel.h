// The rows behind a list view: each row's caption, icon, cell texts and owner data, and their sorting by a
// column. The control shows them by index and never holds a copy.
#pragma once

#include "ListSorting.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What an owner attaches to a row; owners derive their own type and ask for it back by that type.
class TListRowData
{
public:
    virtual ~TListRowData() = default;
    // The texts of the columns after the caption, for a row added with them deferred.
    virtual std::vector<std::wstring> MakeSubItems() const { return {}; }
    // One of those texts (a column after the caption) without keeping it: a sort of a large list by one
    // column makes no other cell and keeps none.
    virtual std::wstring MakeCellText(int column) const;
};

// One row: its caption (design column 0), icon, the texts of the other columns, and what the owner attaches.
struct TListRow
{
    std::wstring caption;
    int image = -1;
    std::vector<std::wstring> subItems;
    std::shared_ptr<TListRowData> data;
    // The data makes the sub-items when the row is first read. A large list fills quickly, and the texts of
    // rows nobody looks at or sorts by are never made.
    bool subItemsDeferred = false;
};

class TListModel
{
public:
    size_t Count() const { return rows_.size(); }
    // The row with its sub-items made.
    const TListRow& Row(size_t index) const { return Complete(index); }
    TListRow& Row(size_t index) { return Complete(index); }
    // The text of a row in a design column; empty past its sub-items.
    const std::wstring& CellText(size_t index, int column) const;
    // The same text, made for the caller alone while the row's cells are not made: reading a large list
    // through (a sort, an export) keeps no cells.
    std::wstring CellTextCopy(size_t index, int column) const;

    // The index of the new row, which comes last.
    size_t Add(TListRow row);
    // The row taken out; the rows after it move up by one.
    TListRow Take(size_t index);
    // The rows as they are: deferred sub-items stay unmade, so that clearing a large list makes none.
    std::vector<TListRow> TakeAll();
    // Column 0 is the caption; a later column grows the row's cells up to it.
    void SetCellText(size_t index, int column, std::wstring text);

    // The row indexes in sorted order by a column's texts; equal texts keep their order.
    std::vector<size_t> SortedOrder(int column, TAutoSortStyle style, bool ascending) const;
    // Puts the rows in the order given (as SortedOrder returns it).
    void Reorder(const std::vector<size_t>& order);

    // For tests: runs before each row is stored, with the number stored so far, and may throw what a failed
    // allocation throws.
    void SetStoreFault(std::function<void(size_t rows)> fault) { storeFault_ = std::move(fault); }

private:
    // Makes a deferred row's sub-items; reading a row changes nothing that a reader could tell apart.
    TListRow& Complete(size_t index) const;

    mutable std::vector<TListRow> rows_;
    std::function<void(size_t rows)> storeFault_;
};
