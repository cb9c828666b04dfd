// One folder's deleted entries into a deleted-file list, shared by the main listing and the Find window: the
// directory-services context that the scan needs, the server's scan, the criteria, and one row per kept
// entry at the end of the list, in the scan's order.
#pragma once

#include "FilterCriteria.h"
#include "TExtListView.h"
#include "TNWServer.h"

#include <functional>
#include <string>

struct TFolderScanSteps
{
    TFilterCriteria criteria;
    // Runs before each kept entry is added: pending window messages.
    std::function<void()> pump;
    // Called between the server's answers while the folder's entries are read, so that a long scan can show
    // where it is.
    std::function<void()> betweenAnswers;
    // Asked after the pump: true leaves the scan without adding the entry.
    std::function<bool()> stopRequested;
    // The Find window's rows carry the folder as a Path cell after the Name.
    bool withPath = false;
};

// What a folder's scan found out besides its entries.
enum class TFolderScanOutcome
{
    fsoScanned,
    // The path has no NetWare connection: a local disk, or a folder of the shell's own.
    fsoNotNetWare,
    // The server failed the scan's first call (with no entries, the end of the scan is an answer).
    fsoNoAnswer,
    // An allocation failed while the rows were made: the scan ended there, with the rows made so far.
    fsoOutOfMemory,
};

// The folder's deleted entries as the server gives them, in its order, with the directory-services context
// the scan needs; the outcome says when there are none to give.
nw::TNWDeletedList ScanFolderEntries(const std::wstring& folder, const std::function<void()>& betweenAnswers,
                                     TFolderScanOutcome& outcome);

// Scans the folder (ending in a backslash, or empty for none) and adds the entries that pass the criteria as
// the server gives them. The scan's directory handle stays with those rows; when none was added it goes back
// to the server at once.
TFolderScanOutcome ScanFolderInto(TExtListView& list, const std::wstring& folder,
                                  const TFolderScanSteps& steps);

// What the window says when a listing or a search ran out of memory with that many rows listed.
std::wstring OutOfMemoryText(size_t rows);

// The Find window's form of a folder to scan: surrounding blanks and one trailing "." dropped, a trailing
// backslash added unless empty.
std::wstring TrimSearchFolder(const std::wstring& folder);
