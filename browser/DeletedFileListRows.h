// The rows of the deleted-file lists: each carries its own entry and a share of its scan's directory
// handle, so that the handle goes back to the server with the last row of the scan.
#pragma once

#include "DeletedFileRows.h"
#include "TDeletedRecord.h"
#include "TExtListView.h"
#include "TNWDeletedEntry.h"
#include "TNWDirHandleLease.h"
#include "TUserNamePool.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// What every row of one scan shares: the scan's directory handle, the listing's formats, the user names of
// its entries and, in the Find window, the folder the entries were found in.
struct TDeletedRowScan
{
    nw::TNWDirHandleShare lease;
    std::shared_ptr<const ICellFormat> format;
    TUserNamePool names;
    // The Path cell of the Find window's rows; the main list has none.
    std::optional<std::wstring> path;
};

// What a deleted-file row carries for recover, purge and the properties dialog.
class TDeletedRowData : public TListRowData
{
public:
    TDeletedRowData(const nw::TNWDeletedEntry& entry, std::shared_ptr<TDeletedRowScan> scan)
        : scan_(std::move(scan)), record_(entry, scan_->names)
    {
    }
    // The entry as the scan gave it, for the client's calls.
    nw::TNWDeletedEntry Entry() const { return record_.Entry(scan_->names); }
    nw::TNWDeletedFileInfoX Info() const { return record_.Info(scan_->names); }
    bool IsFolder() const { return (record_.Attributes() & nw::kDirectoryAttribute) != 0; }
    // The cells after the name (with the Path first in the Find window), made from the row's record.
    std::vector<std::wstring> MakeSubItems() const override;
    std::wstring MakeCellText(int column) const override;

private:
    std::shared_ptr<TDeletedRowScan> scan_;
    TDeletedRecord record_;
};

// The twelve columns, 100 pixels each.
std::vector<TListColumn> DeletedFileColumns();
// The Find window's thirteen: the same with Path after Name.
std::vector<TListColumn> FoundFileColumns();

// The shell's icon for a file name alone: no file is touched, so the icon follows the extension, and each
// extension is asked for once. A folder's icon cannot be told from its name: a deleted folder asks for it.
class TShellIconCache
{
public:
    int IconOf(const std::wstring& name);
    int FolderIcon();

private:
    std::unordered_map<std::wstring, int> icons_;
    std::optional<int> folderIcon_;
};

// Whether the entry is a deleted folder rather than a file.
bool IsDeletedFolder(const nw::TNWDeletedEntry& entry);

// Makes the rows of one scan's entries: the list name as caption, the icon, and the entry kept as a record
// that shares the scan's handle, formats and user names. The cells are made when a row is first read.
class TDeletedRowMaker
{
public:
    // path: the Find window's Path cell for every row, or nothing for the main list.
    TDeletedRowMaker(nw::TNWDirHandleShare lease, std::shared_ptr<const ICellFormat> format,
                     std::optional<std::wstring> path = std::nullopt);
    TListRow Make(const std::string& listName, const nw::TNWDeletedEntry& entry);

private:
    std::shared_ptr<TDeletedRowScan> scan_;
    TShellIconCache icons_;
};

// The data of a deleted-file row; nothing for a row that carries none.
const TDeletedRowData* DeletedRowData(const TListRow& row);

// Deletes one row after its entry was recovered or purged; the directory handle goes with the last row that
// carries it.
void RemoveEntryRow(TExtListView& list, size_t index);
