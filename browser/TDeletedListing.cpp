// The listing loop of the deleted-file list.
#include "TDeletedListing.h"

#include "FolderScan.h"
#include "ListBrackets.h"
#include "TWaitCursor.h"

#include <windows.h>

namespace
{

bool IsTrailingJunk(wchar_t c)
{
    return c == L' ' || c <= 2;
}

// An empty folder, a folder off the network and a failing server all end with "0 file(s)": the note says
// which it was, and that a stopped list is partial.
std::wstring NoteOf(TFolderScanOutcome outcome, bool stopped)
{
    switch (outcome)
    {
    case TFolderScanOutcome::fsoNotNetWare:
        return L"Not a NetWare folder";
    case TFolderScanOutcome::fsoNoAnswer:
        return L"The server did not answer the scan";
    case TFolderScanOutcome::fsoOutOfMemory:
        return L"Stopped";
    case TFolderScanOutcome::fsoScanned:
        break;
    }
    return stopped ? L"Stopped" : L"";
}

} // namespace

// Busy from the start of a listing to its end, also when the end is an exception.
class TDeletedListing::TBusyScope
{
public:
    explicit TBusyScope(TDeletedListing& listing) : listing_(listing)
    {
        listing_.busy_ = true;
        listing_.stopRequested_ = false;
        if (listing_.view_.ShowRunning)
            listing_.view_.ShowRunning(true);
    }
    ~TBusyScope()
    {
        if (listing_.view_.ShowRunning)
            listing_.view_.ShowRunning(false);
        listing_.busy_ = false;
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TDeletedListing& listing_;
};

TDeletedListing::TDeletedListing(TExtListView& list, TListingView view, TEventPump pump)
    : list_(list), view_(std::move(view)), pump_(std::move(pump))
{
}

std::wstring TDeletedListing::TrimFolder(const std::wstring& folder)
{
    const size_t first = folder.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    size_t end = folder.size();
    while (end > first && IsTrailingJunk(folder[end - 1]))
        --end;
    std::wstring trimmed = folder.substr(first, end - first);
    if (!trimmed.empty() && trimmed.back() != L'\\')
        trimmed += L'\\';
    return trimmed;
}

void TDeletedListing::ListDeletedFiles(const std::wstring& folder)
{
    // The running listing goes on; it restores the cursor and the sorting when it ends.
    if (busy_)
        return;
    const std::wstring trimmed = TrimFolder(folder);
    const TFolderScanOutcome outcome = ListInto(trimmed);
    // Said once the list shows its rows and the window is no longer busy.
    if (outcome == TFolderScanOutcome::fsoOutOfMemory && view_.ShowOutOfMemory)
        view_.ShowOutOfMemory(OutOfMemoryText(list_.Count()));
}

TFolderScanOutcome TDeletedListing::ListInto(const std::wstring& trimmed)
{
    TBusyScope busy(*this);
    TWaitCursor cursor;
    TListFillBracket fill(list_);
    if (view_.ShowFolder)
        view_.ShowFolder(trimmed);
    if (view_.ShowNote)
        view_.ShowNote(L"");
    ClearDeletedList();
    TFolderScanSteps steps;
    if (criteria_)
        steps.criteria = criteria_();
    steps.pump = pump_;
    steps.stopRequested = [this] { return stopRequested_; };
    const TFolderScanOutcome outcome = ScanFolderInto(list_, trimmed, steps);
    if (view_.ShowCount)
        view_.ShowCount(list_.Count());
    if (view_.ShowNote)
        view_.ShowNote(NoteOf(outcome, stopRequested_));
    return outcome;
}

void TDeletedListing::ClearDeletedList()
{
    // One redraw for all the rows that go; their shares of the handle go with them.
    TListUpdateBracket update(list_);
    list_.Clear();
}
