// One folder's deleted entries into a deleted-file list.
#include "FolderScan.h"

#include "DeletedFileListRows.h"
#include "TLocaleCellFormat.h"
#include "TNWNDS.h"
#include "TNWServer.h"

#include <new>
#include <optional>

namespace
{

// The names that the scan resolves must be found from the root of the tree, aliases followed and without
// types.
constexpr uint32_t kScanContextFlags = 5;

} // namespace

namespace
{

// The path of a folder to scan in the client's text, with the directory-services context that the scan
// needs; its connection, or 0 when no NetWare server holds it.
nw::NWCONN_HANDLE PrepareScan(const std::wstring& folder, std::string& path)
{
    nw::TNWNDS::SetNameContext("[root]");
    nw::TNWNDS::AddContextFlags(kScanContextFlags);
    path = ToClientText(folder);
    return nw::TNWServer::GetPathConnection(path);
}

TFolderScanOutcome OutcomeOf(bool answered)
{
    return answered ? TFolderScanOutcome::fsoScanned : TFolderScanOutcome::fsoNoAnswer;
}

} // namespace

nw::TNWDeletedList ScanFolderEntries(const std::wstring& folder, const std::function<void()>& betweenAnswers,
                                     TFolderScanOutcome& outcome)
{
    std::string path;
    const nw::NWCONN_HANDLE connection = PrepareScan(folder, path);
    outcome = TFolderScanOutcome::fsoNotNetWare;
    if (connection == 0)
        return {};
    bool answered = false;
    nw::TNWDeletedList entries = nw::TNWServer::ScanDeletedFiles(connection, path, &answered, betweenAnswers);
    outcome = OutcomeOf(answered);
    return entries;
}

TFolderScanOutcome ScanFolderInto(TExtListView& list, const std::wstring& folder,
                                  const TFolderScanSteps& steps)
{
    std::string path;
    const nw::NWCONN_HANDLE connection = PrepareScan(folder, path);
    if (connection == 0)
        return TFolderScanOutcome::fsoNotNetWare;
    const auto format = std::make_shared<const TLocaleCellFormat>();
    // Made at the scan's first entry: every entry of a scan carries the same handle, and each row takes a
    // share of it. When no row took one, the handle goes back as the maker does.
    std::optional<TDeletedRowMaker> rows;
    const auto visit = [&](nw::TNWDeletedItem& item) {
        if (!rows)
            rows.emplace(nw::LeaseDirHandle(item.entry->Connection, item.entry->DirHandle), format,
                         steps.withPath ? std::optional<std::wstring>(folder) : std::nullopt);
        if (item.entry->Info == nullptr || !MatchCriteria(steps.criteria, item.name, *item.entry->Info))
            return true;
        if (steps.pump)
            steps.pump();
        if (steps.stopRequested && steps.stopRequested())
            return false;
        list.AddRow(rows->Make(item.name, *item.entry));
        return true;
    };
    bool answered = false;
    try
    {
        nw::TNWServer::ForEachDeletedFile(connection, path, visit, &answered, steps.betweenAnswers);
    }
    catch (const std::bad_alloc&)
    {
        // The rows made so far stay, as after Stop.
        return TFolderScanOutcome::fsoOutOfMemory;
    }
    return OutcomeOf(answered);
}

std::wstring OutOfMemoryText(size_t rows)
{
    return L"Not enough memory to list every deleted file; " + std::to_wstring(rows) +
           L" file(s) are listed.";
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
