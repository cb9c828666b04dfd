// One folder's deleted entries into a deleted-file list.
#include "FolderScan.h"

#include "DeletedFileListRows.h"
#include "TLocaleCellFormat.h"
#include "TNWNDS.h"
#include "TNWServer.h"

#include <algorithm>

namespace
{

// The names that the scan resolves must be found from the root of the tree, aliases followed and without
// types.
constexpr uint32_t kScanContextFlags = 5;

} // namespace

nw::TNWDeletedList ScanFolderEntries(const std::wstring& folder, const std::function<void()>& betweenAnswers,
                                     TFolderScanOutcome& outcome)
{
    nw::TNWNDS::SetNameContext("[root]");
    nw::TNWNDS::AddContextFlags(kScanContextFlags);
    const std::string path = ToClientText(folder);
    const nw::NWCONN_HANDLE connection = nw::TNWServer::GetPathConnection(path);
    outcome = TFolderScanOutcome::fsoNotNetWare;
    if (connection == 0)
        return {};
    bool answered = false;
    nw::TNWDeletedList entries = nw::TNWServer::ScanDeletedFiles(connection, path, &answered, betweenAnswers);
    outcome = answered ? TFolderScanOutcome::fsoScanned : TFolderScanOutcome::fsoNoAnswer;
    return entries;
}

TFolderScanOutcome ScanFolderInto(TExtListView& list, const std::wstring& folder,
                                  const TFolderScanSteps& steps)
{
    TFolderScanOutcome outcome = TFolderScanOutcome::fsoScanned;
    nw::TNWDeletedList entries = ScanFolderEntries(folder, steps.betweenAnswers, outcome);
    if (outcome != TFolderScanOutcome::fsoScanned)
        return outcome;
    const auto first = std::find_if(entries.begin(), entries.end(),
                                    [](const nw::TNWDeletedItem& item) { return item.entry != nullptr; });
    if (first == entries.end())
        return TFolderScanOutcome::fsoScanned;
    // Every entry of a scan carries the same handle. Each row takes a share; when no row took one, the
    // handle goes back as this share does.
    const nw::TNWDirHandleShare lease = nw::LeaseDirHandle(first->entry->Connection, first->entry->DirHandle);
    const auto format = std::make_shared<const TLocaleCellFormat>();
    TShellIconCache icons;
    for (nw::TNWDeletedItem& item : entries)
    {
        if (item.entry == nullptr || item.entry->Info == nullptr ||
            !MatchCriteria(steps.criteria, item.name, *item.entry->Info))
            continue;
        if (steps.pump)
            steps.pump();
        if (steps.stopRequested && steps.stopRequested())
            break;
        list.AddRow(steps.withPath
                        ? MakeFoundFileRow(item.name, std::move(item.entry), lease, folder, format, icons)
                        : MakeDeletedFileRow(item.name, std::move(item.entry), lease, format, icons));
    }
    return TFolderScanOutcome::fsoScanned;
}

std::wstring TrimSearchFolder(const std::wstring& folder)
{
    const size_t first = folder.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    std::wstring trimmed = folder.substr(first, folder.find_last_not_of(L' ') + 1 - first);
    if (!trimmed.empty() && trimmed.back() == L'.')
        trimmed.pop_back();
    if (!trimmed.empty() && trimmed.back() != L'\\')
        trimmed += L'\\';
    return trimmed;
}
