// Building, reading and removing the rows of the deleted-file lists.
#include "DeletedFileListRows.h"

#include "TLocaleCellFormat.h"

#include <windows.h>

#include <shellapi.h>

namespace
{

std::wstring ToWide(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

// The lower-case extension with its dot; empty for a name without one.
std::wstring ExtensionOf(const std::wstring& name)
{
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || name.find_first_of(L"\\/", dot) != std::wstring::npos)
        return {};
    std::wstring extension = name.substr(dot);
    CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
    return extension;
}

} // namespace

std::vector<TListColumn> DeletedFileColumns()
{
    std::vector<TListColumn> columns;
    for (const char16_t* caption : kDeletedColumnCaptions)
        columns.push_back({ToWide(caption), kDeletedColumnWidth, LVCFMT_LEFT});
    return columns;
}

std::vector<TListColumn> FoundFileColumns()
{
    std::vector<TListColumn> columns = DeletedFileColumns();
    columns.insert(columns.begin() + kFoundPathColumn,
                   TListColumn{ToWide(kFoundPathCaption), kDeletedColumnWidth, LVCFMT_LEFT});
    return columns;
}

int TShellIconCache::IconOf(const std::wstring& name)
{
    const std::wstring extension = ExtensionOf(name);
    if (const auto known = icons_.find(extension); known != icons_.end())
        return known->second;
    SHFILEINFOW info{};
    const bool found = SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON) != 0;
    const int icon = found ? info.iIcon : -1;
    icons_.emplace(extension, icon);
    return icon;
}

int TShellIconCache::FolderIcon()
{
    if (!folderIcon_)
    {
        SHFILEINFOW info{};
        const bool found =
            SHGetFileInfoW(L"Folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                           SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON) != 0;
        folderIcon_ = found ? info.iIcon : -1;
    }
    return *folderIcon_;
}

bool IsDeletedFolder(const nw::TNWDeletedEntry& entry)
{
    return entry.Info != nullptr && (entry.Info->Attributes & nw::kDirectoryAttribute) != 0;
}

std::vector<std::wstring> TDeletedRowData::MakeSubItems() const
{
    std::vector<std::wstring> cells = DeletedFileSubItemsWide(*scan_->format, Info());
    if (scan_->path)
        cells.insert(cells.begin() + (kFoundPathColumn - 1), *scan_->path);
    return cells;
}

std::wstring TDeletedRowData::MakeCellText(int column) const
{
    if (scan_->path)
    {
        if (column == kFoundPathColumn)
            return *scan_->path;
        if (column > kFoundPathColumn)
            --column;
    }
    if (column <= dcName || column >= dcCount)
        return {};
    return DeletedFileCellWide(*scan_->format, Info(), static_cast<TDeletedColumn>(column));
}

TDeletedRowMaker::TDeletedRowMaker(nw::TNWDirHandleShare lease, std::shared_ptr<const ICellFormat> format,
                                   std::optional<std::wstring> path)
    : scan_(std::make_shared<TDeletedRowScan>())
{
    scan_->lease = std::move(lease);
    scan_->format = std::move(format);
    scan_->path = std::move(path);
}

TListRow TDeletedRowMaker::Make(const std::string& listName, const nw::TNWDeletedEntry& entry)
{
    TListRow row;
    row.caption = ToWide(scan_->format->ClientText(listName));
    auto data = std::make_shared<TDeletedRowData>(entry, scan_);
    row.image = data->IsFolder() ? icons_.FolderIcon() : icons_.IconOf(row.caption);
    row.data = std::move(data);
    row.subItemsDeferred = true;
    return row;
}

const TDeletedRowData* DeletedRowData(const TListRow& row)
{
    return dynamic_cast<const TDeletedRowData*>(row.data.get());
}

void RemoveEntryRow(TExtListView& list, size_t index)
{
    // The row's share of the handle goes with it; the lease releases the handle when it was the last.
    list.DeleteRow(index);
}
