// The listing of a folder's deleted files into a deleted-file list: the scan, the criteria, one row per kept
// entry in the scan's order, and the busy and stop state that keeps the window responsive meanwhile.
#pragma once

#include "DeletedFileListRows.h"
#include "FilterCriteria.h"
#include "FolderScan.h"
#include "TExtListView.h"

#include <functional>
#include <string>

// What a listing shows besides its rows.
struct TListingView
{
    // The folder listed, trimmed and with its trailing backslash.
    std::function<void(const std::wstring& folder)> ShowFolder;
    // The number of rows at the end.
    std::function<void(size_t rows)> ShowCount;
    // Beside the count at the end: why the list may not hold all the folder has ("Stopped", "Not a NetWare
    // folder", "The server did not answer the scan"), or empty.
    std::function<void(const std::wstring& note)> ShowNote;
    // A listing started (true) or ended (false): the Stop button follows it.
    std::function<void(bool running)> ShowRunning;
    // The listing ran out of memory and stopped with that many rows: the text to say so in a message box.
    std::function<void(const std::wstring& text)> ShowOutOfMemory;
};

class TDeletedListing
{
public:
    // Lets the event loop handle what is pending, once per kept entry.
    using TEventPump = std::function<void()>;
    using TCriteriaSource = std::function<TFilterCriteria()>;

    TDeletedListing(TExtListView& list, TListingView view, TEventPump pump);

    // Where the criteria in force come from; without one every entry passes.
    void SetCriteriaSource(TCriteriaSource source) { criteria_ = std::move(source); }
    // The criteria in force: the source's, or those that every entry passes.
    TFilterCriteria Criteria() const { return criteria_ ? criteria_() : TFilterCriteria{}; }
    void SetEventPump(TEventPump pump) { pump_ = std::move(pump); }

    bool ListingBusy() const { return busy_; }
    bool StopRequested() const { return stopRequested_; }
    // Stop: the running listing adds no further row.
    void RequestStop() { stopRequested_ = true; }

    // Lists the folder's deleted files; does nothing while a listing runs.
    void ListDeletedFiles(const std::wstring& folder);
    // Deletes every row, releasing the rows' directory handles and entries.
    void ClearDeletedList();

    // Leading blanks, and trailing blanks and codes 0 to 2, removed; a trailing backslash added unless empty.
    static std::wstring TrimFolder(const std::wstring& folder);

private:
    class TBusyScope;

    // The listing itself, busy and holding the list's redraws and sorting throughout.
    TFolderScanOutcome ListInto(const std::wstring& trimmed);

    TExtListView& list_;
    TListingView view_;
    TEventPump pump_;
    TCriteriaSource criteria_;
    bool busy_ = false;
    bool stopRequested_ = false;
};
