// The search through a folder tree for deleted files.
#include "TDeletedFileSearch.h"

#include "FolderScan.h"
#include "FolderWalk.h"
#include "ListBrackets.h"
#include "TFlagScope.h"

#include <utility>

TDeletedFileSearch::TDeletedFileSearch(TExtListView& list, TDeletedFileSearchView view)
    : list_(list), view_(std::move(view))
{
}

void TDeletedFileSearch::Run(const TDeletedFileSearchRequest& request)
{
    if (running_)
        return;
    {
        const TFlagScope running(running_);
        stopRequested_ = false;
        outOfMemory_ = false;
        Walk(request);
    }
    if (outOfMemory_ && view_.outOfMemory)
        view_.outOfMemory(OutOfMemoryText(list_.Count()));
}

void TDeletedFileSearch::Walk(const TDeletedFileSearchRequest& request)
{
    TListFillBracket fill(list_);
    TFolderWalkSteps steps;
    steps.includeSubfolders = request.includeSubfolders;
    steps.includeHidden = request.includeHidden;
    steps.reached = [this](const std::wstring& folder) {
        if (view_.reached)
            view_.reached(folder);
        if (view_.pump)
            view_.pump();
    };
    steps.scan = [this, &request](const std::wstring& folder) { ScanFolder(folder, request); };
    steps.stopRequested = [this] { return stopRequested_; };
    WalkFolder(request.folder, steps);
}

void TDeletedFileSearch::ScanFolder(const std::wstring& path, const TDeletedFileSearchRequest& request)
{
    const std::wstring folder = TrimSearchFolder(path);
    // A scan is not started from inside another one through the message pump.
    if (scanInProgress_)
        return;
    const TFlagScope scanning(scanInProgress_);
    TFolderScanSteps steps;
    if (request.criteria)
        steps.criteria = request.criteria();
    // The scan calls betweenAnswers after each answer, before the entry it brought is pumped for.
    steps.pump = view_.pump;
    steps.betweenAnswers = view_.betweenAnswers;
    steps.stopRequested = [this] { return stopRequested_; };
    steps.withPath = true;
    if (ScanFolderInto(list_, folder, steps) == TFolderScanOutcome::fsoOutOfMemory)
    {
        // As Stop does: the rows found so far stay.
        outOfMemory_ = true;
        stopRequested_ = true;
    }
    if (view_.scanned)
        view_.scanned(list_.Count());
}
