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
    return DeletedFileSubItemsWide(*format_, Info());
}

TListRow MakeDeletedFileRow(const std::string& listName, std::unique_ptr<nw::TNWDeletedEntry> entry,
                            nw::TNWDirHandleShare lease, std::shared_ptr<const ICellFormat> format,
                            TShellIconCache& icons)
{
    TListRow row;
    row.caption = ToWide(format->ClientText(listName));
    row.image = IsDeletedFolder(*entry) ? icons.FolderIcon() : icons.IconOf(row.caption);
    row.data = std::make_shared<TDeletedRowData>(std::move(entry), std::move(lease), std::move(format));
    row.subItemsDeferred = true;
    return row;
}

TListRow MakeFoundFileRow(const std::string& listName, std::unique_ptr<nw::TNWDeletedEntry> entry,
                          nw::TNWDirHandleShare lease, const std::wstring& folder,
                          std::shared_ptr<const ICellFormat> format, TShellIconCache& icons)
{
    TListRow row = MakeDeletedFileRow(listName, std::move(entry), std::move(lease), std::move(format), icons);
    row.subItems = row.data->MakeSubItems();
    row.subItemsDeferred = false;
    row.subItems.insert(row.subItems.begin() + (kFoundPathColumn - 1), folder);
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
