// The recover and purge loops over the selected rows of a deleted-file list.
#include "DeletedFileActions.h"

#include "DeletedFileListRows.h"
#include "TLocaleCellFormat.h"
#include "TNWServer.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace
{

std::wstring WithBackslash(std::wstring folder)
{
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

// An ordinary file of that path, as the workstation sees it through its drive mapping; a folder of that
// name does not count.
bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Removing a row keeps a sorted list sorted: the list need not sort itself anew after each removed row,
// which would cost a whole sort per row of a long list.
class TNoResortScope
{
public:
    explicit TNoResortScope(TExtListView& list) : list_(list), before_(list.AutoResort)
    {
        list.AutoResort = false;
    }
    ~TNoResortScope() { list_.AutoResort = before_; }
    TNoResortScope(const TNoResortScope&) = delete;
    TNoResortScope& operator=(const TNoResortScope&) = delete;

private:
    TExtListView& list_;
    bool before_;
};

// The action message window stays up from the first selected row to the end of the loop.
class TActionMessageScope
{
public:
    explicit TActionMessageScope(IDeletedFileActionsUI& ui) : ui_(ui) {}
    ~TActionMessageScope() { ui_.HideActionMessage(); }
    TActionMessageScope(const TActionMessageScope&) = delete;
    TActionMessageScope& operator=(const TActionMessageScope&) = delete;

private:
    IDeletedFileActionsUI& ui_;
};

// The row still in its place after a modal dialog let other messages run: the same data at the same index.
bool StillThere(const TExtListView& list, size_t index, const std::shared_ptr<TListRowData>& data)
{
    return index < list.Count() && list.Row(index).data == data;
}

// The name a row's entry comes back under: its target, unless a file of that name exists again and the
// policy says otherwise. Nothing when the row is to be skipped.
std::optional<std::wstring> RecoveryName(const std::wstring& folder, const std::wstring& name,
                                         const TRetroveOptions& options, IDeletedFileActionsUI& ui)
{
    std::wstring target = options.UpperCase ? ClientUpperCase(name) : name;
    if (!FileExists(folder + target))
        return target;
    switch (options.Conflict)
    {
    case TNameConflictPolicy::ncpRename: {
        // The name typed is not checked again: the server refuses a recovery onto an existing file.
        std::optional<std::wstring> typed = ui.AskNewName(target);
        if (!typed)
            return std::nullopt;
        return options.UpperCase ? ClientUpperCase(*typed) : *typed;
    }
    case TNameConflictPolicy::ncpSkip:
        return std::nullopt;
    case TNameConflictPolicy::ncpAttempt:
        break;
    }
    return target;
}

bool RecoverRow(const TDeletedRowData& data, const std::wstring& folder, const std::wstring& name,
                const std::wstring& target)
{
    const nw::TNWDeletedEntry& entry = data.Entry();
    return nw::TNWServer::RecoverDeletedFile(entry.Connection, entry.DirHandle, entry.Sequence, entry.Volume,
                                             entry.DirBase, ToClientText(folder + name),
                                             ToClientText(folder + target));
}

bool PurgeRow(const TDeletedRowData& data)
{
    const nw::TNWDeletedEntry& entry = data.Entry();
    return nw::TNWServer::PurgeDeletedFile(entry.Connection, entry.DirHandle, entry.Sequence, entry.Volume,
                                           entry.DirBase, entry.Name);
}

} // namespace

void RetroveSelected(const TRowFolder& folderOf, TExtListView& list, const TRetroveOptions& options,
                     IDeletedFileActionsUI& ui, const TRowsLeft& rowsLeft)
{
    TNoResortScope noResort(list);
    TActionMessageScope actionMessage(ui);
    const std::vector<size_t> selected = list.SelectedRows();
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
    {
        const size_t index = *row;
        if (index >= list.Count())
            continue;
        // Held here, so that the entry and its directory handle outlive anything a dialog lets happen.
        const std::shared_ptr<TListRowData> held = list.Row(index).data;
        ui.ShowActionMessage();
        const std::wstring name = list.Row(index).caption;
        const std::wstring folder = WithBackslash(folderOf(index));
        ui.SetActionMessage(L"Retroving " + name);
        const std::optional<std::wstring> target = RecoveryName(folder, name, options, ui);
        if (!target || !StillThere(list, index, held))
            continue;
        const TDeletedRowData* data = DeletedRowData(list.Row(index));
        if (data != nullptr && RecoverRow(*data, folder, name, *target))
        {
            RemoveEntryRow(list, index);
            if (rowsLeft)
                rowsLeft(list.Count());
        }
        else
            ui.ShowFailure(L"Unable to Retrove " + name);
    }
}

void RetroveSelected(const std::wstring& folder, TExtListView& list, const TRetroveOptions& options,
                     IDeletedFileActionsUI& ui, const TRowsLeft& rowsLeft)
{
    RetroveSelected([&folder](size_t) { return folder; }, list, options, ui, rowsLeft);
}

size_t PurgeSelected(TExtListView& list, IDeletedFileActionsUI& ui)
{
    if (!nw::TNWServer::PurgeAvailable())
        return 0;
    TNoResortScope noResort(list);
    TActionMessageScope actionMessage(ui);
    size_t purged = 0;
    const std::vector<size_t> selected = list.SelectedRows();
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
    {
        const size_t index = *row;
        if (index >= list.Count())
            continue;
        ui.ShowActionMessage();
        const std::wstring name = list.Row(index).caption;
        ui.SetActionMessage(L"Purging " + name);
        const TDeletedRowData* data = DeletedRowData(list.Row(index));
        if (data != nullptr && PurgeRow(*data))
        {
            RemoveEntryRow(list, index);
            ++purged;
        }
        else
            ui.ShowFailure(L"Unable to Purge " + name);
    }
    return purged;
}

bool ConfirmAndPurgeSelected(TExtListView& list, IDeletedFileActionsUI& ui)
{
    const size_t count = list.SelectedCount();
    if (count == 0 || !ui.ConfirmPurge(count))
        return false;
    PurgeSelected(list, ui);
    return true;
}

std::wstring PurgeQuestion(size_t count)
{
    return L"Permanently purge " + std::to_wstring(count) + L" file(s)?";
}
