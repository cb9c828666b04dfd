// The rows of the deleted-file lists: each carries its own entry and a share of its scan's directory
// handle, so that the handle goes back to the server with the last row of the scan.
#pragma once

#include "DeletedFileRows.h"
#include "TExtListView.h"
#include "TNWDeletedEntry.h"
#include "TNWDirHandleLease.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// What a deleted-file row carries for recover, purge and the properties dialog.
class TDeletedRowData : public TListRowData
{
public:
    TDeletedRowData(std::unique_ptr<nw::TNWDeletedEntry> entry, nw::TNWDirHandleShare lease,
                    std::shared_ptr<const ICellFormat> format)
        : entry_(std::move(entry)), lease_(std::move(lease)), format_(std::move(format))
    {
    }
    const nw::TNWDeletedEntry& Entry() const { return *entry_; }
    const nw::TNWDeletedFileInfoX& Info() const { return *entry_->Info; }
    // The eleven cells from the row's own copy of the entry.
    std::vector<std::wstring> MakeSubItems() const override;

private:
    std::unique_ptr<nw::TNWDeletedEntry> entry_;
    nw::TNWDirHandleShare lease_;
    // The formats of the listing that made the row, shared by all its rows.
    std::shared_ptr<const ICellFormat> format_;
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

// A row for a scanned entry: the list name as caption, the icon, and the entry (which the row takes over)
// with its share of the handle. The eleven cells are made from the entry when the row is first read.
TListRow MakeDeletedFileRow(const std::string& listName, std::unique_ptr<nw::TNWDeletedEntry> entry,
                            nw::TNWDirHandleShare lease, std::shared_ptr<const ICellFormat> format,
                            TShellIconCache& icons);

// The same for the Find window's list, with its cells made at once and the folder the entry was found in as
// its Path cell.
TListRow MakeFoundFileRow(const std::string& listName, std::unique_ptr<nw::TNWDeletedEntry> entry,
                          nw::TNWDirHandleShare lease, const std::wstring& folder,
                          std::shared_ptr<const ICellFormat> format, TShellIconCache& icons);

// The data of a deleted-file row; nothing for a row that carries none.
const TDeletedRowData* DeletedRowData(const TListRow& row);

// Deletes one row after its entry was recovered or purged; the directory handle goes with the last row that
// carries it.
void RemoveEntryRow(TExtListView& list, size_t index);
