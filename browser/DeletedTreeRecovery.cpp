// Bringing back what was deleted inside a recovered folder.
#include "DeletedTreeRecovery.h"

#include "DeletedFileListRows.h"
#include "FolderScan.h"
#include "TLocaleCellFormat.h"
#include "TNWDirHandleLease.h"

#include <deque>
#include <map>
#include <unordered_set>

namespace
{

// The failures a summary names one by one; the rest are counted.
constexpr size_t kNamedFailures = 20;

// A folder of the tree still to be read: its live path (ending in a backslash) and its name in the tree.
struct TTreeFolder
{
    std::wstring path;
    std::wstring shown;
};

// The name pattern chose the folder the operator selected; below it, the names are the folder's own, and
// the users and the day tell one incident from another.
bool PassesCriteria(const TFilterCriteria& criteria, const nw::TNWDeletedItem& item)
{
    if (item.entry == nullptr || item.entry->Info == nullptr)
        return false;
    TFilterCriteria below = criteria;
    below.NamePattern = "*";
    return MatchCriteria(below, item.name, *item.entry->Info);
}

// The entries of a scan that come back, in the scan's order: those that pass, and of several of one name
// (and kind) the one deleted last.
std::vector<const nw::TNWDeletedItem*> ChooseEntries(const nw::TNWDeletedList& items,
                                                     const TFilterCriteria& criteria)
{
    std::map<std::pair<std::wstring, bool>, const nw::TNWDeletedItem*> newest;
    for (const nw::TNWDeletedItem& item : items)
    {
        if (!PassesCriteria(criteria, item))
            continue;
        const auto key =
            std::make_pair(ClientUpperCase(FromClientText(item.name)), IsDeletedFolder(*item.entry));
        const auto [place, added] = newest.try_emplace(key, &item);
        if (!added && item.entry->Info->Deleted >= place->second->entry->Info->Deleted)
            place->second = &item;
    }
    std::unordered_set<const nw::TNWDeletedItem*> kept;
    for (const auto& [key, item] : newest)
        kept.insert(item);
    std::vector<const nw::TNWDeletedItem*> chosen;
    for (const nw::TNWDeletedItem& item : items)
        if (kept.count(&item) != 0)
            chosen.push_back(&item);
    return chosen;
}

class TTreeRecovery
{
public:
    TTreeRecovery(const TRetroveOptions& options, IDeletedFileActionsUI& ui) : options_(options), ui_(ui) {}

    TTreeRecoveryCount Run(const TTreeFolder& top)
    {
        folders_.push_back(top);
        while (!folders_.empty() && !count_.cancelled)
        {
            const TTreeFolder folder = folders_.front();
            folders_.pop_front();
            RecoverFolder(folder);
        }
        return count_;
    }

private:
    void RecoverFolder(const TTreeFolder& folder)
    {
        TFolderScanOutcome outcome = TFolderScanOutcome::fsoScanned;
        const nw::TNWDeletedList items = ScanFolderEntries(folder.path, {}, outcome);
        if (outcome != TFolderScanOutcome::fsoScanned)
        {
            count_.failed.push_back(folder.shown + L"\\");
            return;
        }
        const std::vector<const nw::TNWDeletedItem*> chosen = ChooseEntries(items, options_.ContentCriteria);
        // The scan's directory handle goes back to the server when the folder is done.
        nw::TNWDirHandleShare lease;
        for (const nw::TNWDeletedItem& item : items)
            if (item.entry != nullptr)
            {
                lease = nw::LeaseDirHandle(item.entry->Connection, item.entry->DirHandle);
                break;
            }
        for (const nw::TNWDeletedItem* item : chosen)
        {
            if (ui_.ShowTreeProgress(count_.recovered + count_.skipped + count_.failed.size()))
            {
                count_.cancelled = true;
                return;
            }
            RecoverItem(folder, *item);
        }
    }

    void RecoverItem(const TTreeFolder& folder, const nw::TNWDeletedItem& item)
    {
        const std::wstring name = FromClientText(item.name);
        const bool isFolder = IsDeletedFolder(*item.entry);
        ui_.SetActionMessage(L"Retroving " + folder.shown + L"\\" + name);
        const std::optional<std::wstring> target =
            ChooseRecoveryName(folder.path, name, isFolder, options_, ui_);
        if (!target)
        {
            ++count_.skipped;
            return;
        }
        if (!RecoverEntry(*item.entry, folder.path, name, *target))
        {
            count_.failed.push_back(folder.shown + L"\\" + name);
            return;
        }
        ++count_.recovered;
        if (isFolder)
            folders_.push_back({folder.path + *target + L"\\", folder.shown + L"\\" + *target});
    }

    const TRetroveOptions& options_;
    IDeletedFileActionsUI& ui_;
    std::deque<TTreeFolder> folders_;
    TTreeRecoveryCount count_;
};

} // namespace

TTreeRecoveryCount RecoverFolderContents(const std::wstring& folder, const std::wstring& shown,
                                         const TRetroveOptions& options, IDeletedFileActionsUI& ui)
{
    return TTreeRecovery(options, ui).Run({folder, shown});
}

std::wstring TreeSummary(const std::wstring& shown, const TTreeRecoveryCount& count)
{
    if (count.failed.empty() && count.skipped == 0 && !count.cancelled)
        return {};
    std::wstring text = shown + L" came back with " + std::to_wstring(count.recovered) +
                        L" of the entries deleted inside it; " + std::to_wstring(count.skipped) +
                        L" skipped.";
    if (count.cancelled)
        text += L"\nCancelled: the rest stay deleted.";
    if (count.failed.empty())
        return text;
    text += L"\nUnable to Retrove " + std::to_wstring(count.failed.size()) + L":";
    for (size_t i = 0; i < count.failed.size() && i < kNamedFailures; ++i)
        text += L"\n" + count.failed[i];
    if (count.failed.size() > kNamedFailures)
        text += L"\n\u2026and " + std::to_wstring(count.failed.size() - kNamedFailures) + L" more";
    return text;
}

bool RetroveFolderContents(const std::wstring& folder, const std::wstring& shown,
                           const TRetroveOptions& options, IDeletedFileActionsUI& ui)
{
    const TTreeRecoveryCount count = RecoverFolderContents(folder, shown, options, ui);
    const std::wstring summary = TreeSummary(shown, count);
    if (!summary.empty())
        ui.ShowFailure(summary);
    return count.cancelled;
}
