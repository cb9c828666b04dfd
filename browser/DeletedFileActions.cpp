// The recover and purge loops over the selected rows of a deleted-file list.
#include "DeletedFileActions.h"

#include "DeletedFileListRows.h"
#include "DeletedTreeRecovery.h"
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

// A live name that stands in the way of the recovery, as the workstation sees it through its drive mapping:
// for a file, an ordinary file (a folder of that name does not count); for a folder, either.
bool NameTaken(const std::wstring& path, bool isFolder)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (isFolder || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0);
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

// A selected row as the loop found it. Dialogs and boxes let other messages run (a refresh may relist the
// folder), so the row is known again by its data, not by its place.
struct THeldRow
{
    size_t index;
    std::shared_ptr<TListRowData> data;
};

// The selected rows, the last first: removing a row leaves the places of those before it as they were.
std::vector<THeldRow> HoldSelected(const TExtListView& list)
{
    std::vector<THeldRow> held;
    const std::vector<size_t> selected = list.SelectedRows();
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
        if (*row < list.Count())
            held.push_back({*row, list.Row(*row).data});
    return held;
}

// Where the row is now, when it is still listed and still selected.
std::optional<size_t> PlaceOf(const TExtListView& list, const THeldRow& row)
{
    size_t index = row.index;
    if (index >= list.Count() || list.Row(index).data != row.data)
    {
        index = 0;
        while (index < list.Count() && list.Row(index).data != row.data)
            ++index;
        if (index == list.Count())
            return std::nullopt;
    }
    if (!list.Selected(index))
        return std::nullopt;
    return index;
}

// Acts on each selected row that is still there when its turn comes; a new listing or a cleared list ends
// the loop, since none of its rows was selected by the operator.
template <typename TAct> void ForEachHeldRow(TExtListView& list, TAct act)
{
    const uint64_t generation = list.Generation();
    for (const THeldRow& row : HoldSelected(list))
    {
        if (list.Generation() != generation)
            return;
        if (const std::optional<size_t> index = PlaceOf(list, row))
            act(row, *index);
    }
}

bool PurgeRow(const TDeletedRowData& data)
{
    const nw::TNWDeletedEntry& entry = data.Entry();
    return nw::TNWServer::PurgeDeletedFile(entry.Connection, entry.DirHandle, entry.Sequence, entry.Volume,
                                           entry.DirBase, entry.Name);
}

} // namespace

std::optional<std::wstring> ChooseRecoveryName(const std::wstring& folder, const std::wstring& name,
                                               bool isFolder, const TRetroveOptions& options,
                                               IDeletedFileActionsUI& ui)
{
    std::wstring target = options.UpperCase ? ClientUpperCase(name) : name;
    if (!NameTaken(folder + target, isFolder))
        return target;
    switch (options.Conflict)
    {
    case TNameConflictPolicy::ncpRename: {
        // The name typed is not checked again: the server refuses a recovery onto an existing file.
        std::optional<std::wstring> typed = ui.AskNewName(target, folder);
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

bool RecoverEntry(const nw::TNWDeletedEntry& entry, const std::wstring& folder, const std::wstring& name,
                  const std::wstring& target)
{
    return nw::TNWServer::RecoverDeletedFile(entry.Connection, entry.DirHandle, entry.Sequence, entry.Volume,
                                             entry.DirBase, ToClientText(folder + name),
                                             ToClientText(folder + target));
}

void RetroveSelected(const TRowFolder& folderOf, TExtListView& list, const TRetroveOptions& options,
                     IDeletedFileActionsUI& ui, const TRowsLeft& rowsLeft)
{
    TNoResortScope noResort(list);
    TActionMessageScope actionMessage(ui);
    const uint64_t generation = list.Generation();
    bool cancelled = false;
    // The held row keeps its entry and its directory handle alive through anything a dialog lets happen.
    ForEachHeldRow(list, [&](const THeldRow& row, size_t index) {
        if (cancelled)
            return;
        ui.ShowActionMessage();
        const std::wstring name = list.Row(index).caption;
        const std::wstring folder = WithBackslash(folderOf(index));
        const TDeletedRowData* held = DeletedRowData(list.Row(index));
        const bool isFolder = held != nullptr && held->IsFolder();
        ui.SetActionMessage(L"Retroving " + name);
        const std::optional<std::wstring> target = ChooseRecoveryName(folder, name, isFolder, options, ui);
        // The rename dialog let other messages run: the row must still be there, selected, in the same list.
        const std::optional<size_t> place =
            target && list.Generation() == generation ? PlaceOf(list, row) : std::nullopt;
        if (!place)
            return;
        const TDeletedRowData* data = DeletedRowData(list.Row(*place));
        if (data == nullptr || !RecoverEntry(data->Entry(), folder, name, *target))
        {
            ui.ShowFailure(L"Unable to Retrove " + name);
            return;
        }
        RemoveEntryRow(list, *place);
        if (rowsLeft)
            rowsLeft(list.Count());
        if (isFolder && options.IncludeContents)
            cancelled = RetroveFolderContents(folder + *target + L"\\", *target, options, ui);
    });
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
    ForEachHeldRow(list, [&](const THeldRow&, size_t index) {
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
    });
    return purged;
}

bool ConfirmAndPurgeSelected(TExtListView& list, IDeletedFileActionsUI& ui)
{
    const size_t count = list.SelectedCount();
    if (count == 0)
        return false;
    size_t folders = 0;
    for (const size_t row : list.SelectedRows())
        if (const TDeletedRowData* data = DeletedRowData(list.Row(row)); data != nullptr && data->IsFolder())
            ++folders;
    if (!ui.ConfirmPurge(PurgeQuestion(count, folders)))
        return false;
    PurgeSelected(list, ui);
    return true;
}

std::wstring PurgeQuestion(size_t count, size_t folders)
{
    std::wstring question = L"Permanently purge " + std::to_wstring(count) + L" file(s)?";
    if (folders == 1)
        question += L"\n\nOne of them is a deleted folder: everything deleted inside it is purged with it.";
    else if (folders > 1)
        question += L"\n\n" + std::to_wstring(folders) +
                    L" of them are deleted folders: everything deleted inside them is purged with them.";
    return question;
}
