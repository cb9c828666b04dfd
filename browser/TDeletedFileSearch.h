// A search for deleted files through a folder and the folders below it into a list: the walk, each folder's
// scan with the criteria in force, the pump between entries, Stop, and the count of rows. It knows nothing of
// the Find window: what the window shows comes out through the view, what it asks for goes in through the
// request.
#pragma once

#include "FilterCriteria.h"
#include "TExtListView.h"

#include <cstddef>
#include <functional>
#include <string>

struct TDeletedFileSearchView
{
    // A folder is reached (its path ends in a backslash).
    std::function<void(const std::wstring& folder)> reached;
    // Pending window messages run: after a folder is reached and before each kept entry is added.
    std::function<void()> pump;
    // Between the server's answers while a folder's entries are read, and before each pump.
    std::function<void()> betweenAnswers;
    // A folder's scan ended with the list holding that many rows.
    std::function<void(size_t rows)> scanned;
    // The search ran out of memory and stopped: the text to say so, once the list shows its rows.
    std::function<void(const std::wstring& text)> outOfMemory;
};

struct TDeletedFileSearchRequest
{
    std::wstring folder;
    bool includeSubfolders = true;
    bool includeHidden = true;
    // The criteria in force for the next folder's scan: they may change while the search runs.
    std::function<const TFilterCriteria&()> criteria;
};

class TDeletedFileSearch
{
public:
    TDeletedFileSearch(TExtListView& list, TDeletedFileSearchView view);

    // Adds what the folders hold to the list, to the end or until Stop; nothing when a search already runs
    // (the pump may call back here). The list holds its redraws and its sort for the whole search.
    void Run(const TDeletedFileSearchRequest& request);
    // The search stops at its next step.
    void RequestStop() { stopRequested_ = true; }

    bool Running() const { return running_; }
    bool StopRequested() const { return stopRequested_; }
    // A folder's scan runs (rows are being added).
    bool ScanInProgress() const { return scanInProgress_; }

private:
    void Walk(const TDeletedFileSearchRequest& request);
    void ScanFolder(const std::wstring& path, const TDeletedFileSearchRequest& request);

    TExtListView& list_;
    TDeletedFileSearchView view_;
    bool running_ = false;
    bool stopRequested_ = false;
    bool scanInProgress_ = false;
    bool outOfMemory_ = false;
};
