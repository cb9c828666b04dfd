// Recover and purge of the selected rows of a deleted-file list, shared by the main window and the Find
// window: the loops, the options the operator chose for a name that exists again, and the windows they use.
#pragma once

#include "FilterCriteria.h"
#include "TExtListView.h"
#include "TNWDeletedEntry.h"

#include <functional>
#include <optional>
#include <string>

// What a recovery does when a file of its target name exists in the folder again.
enum class TNameConflictPolicy
{
    ncpRename,  // the rename dialog asks for another name
    ncpSkip,    // the row is left as it is
    ncpAttempt, // neither option is checked: the recovery is tried, and the server refuses it
};

// The Options menu's choices for a recovery.
struct TRetroveOptions
{
    bool UpperCase = true;
    TNameConflictPolicy Conflict = TNameConflictPolicy::ncpRename;
    // A recovered deleted folder brings back what was deleted inside it, folder by folder: the entries that
    // pass these criteria (the list's own) but their name pattern, the newest of each name.
    bool IncludeContents = true;
    TFilterCriteria ContentCriteria;
};

// The windows the loops talk to: the action message window, the rename dialog and the message boxes.
class IDeletedFileActionsUI
{
public:
    virtual ~IDeletedFileActionsUI() = default;
    virtual void ShowActionMessage() = 0;
    virtual void SetActionMessage(const std::wstring& message) = 0;
    virtual void HideActionMessage() = 0;
    // The rename dialog, opened with the proposed name for a file recovered into the folder: the name it was
    // closed with by OK, or nothing.
    virtual std::optional<std::wstring> AskNewName(const std::wstring& proposed,
                                                   const std::wstring& folder) = 0;
    // One box with the text and the program's title.
    virtual void ShowFailure(const std::wstring& text) = 0;
    // The confirmation of a purge of that many rows, with the question PurgeQuestion gives; true on Yes.
    virtual bool ConfirmPurge(const std::wstring& question) = 0;
    // A deleted folder's contents come back: shows the count of entries done and a Cancel button, lets the
    // action window's messages run, and tells whether Cancel was pressed.
    virtual bool ShowTreeProgress(size_t done) = 0;
};

// The folder that the entry of a row was deleted from.
using TRowFolder = std::function<std::wstring(size_t row)>;
// Told the number of rows left after each recovered row went.
using TRowsLeft = std::function<void(size_t rows)>;

// Recovers the selected rows from the last to the first, each in the folder that folderOf gives for it,
// under its caption or the name the options give. Recovered rows go; skipped and refused rows stay selected.
void RetroveSelected(const TRowFolder& folderOf, TExtListView& list, const TRetroveOptions& options,
                     IDeletedFileActionsUI& ui, const TRowsLeft& rowsLeft);
// As above, with one folder for every row (the main list's).
void RetroveSelected(const std::wstring& folder, TExtListView& list, const TRetroveOptions& options,
                     IDeletedFileActionsUI& ui, const TRowsLeft& rowsLeft);

// Purges the selected rows from the last to the first; purged rows go. Does nothing at all when the client
// lacks either purge entry point. Returns the number of rows purged; the caller shows its own count.
size_t PurgeSelected(TExtListView& list, IDeletedFileActionsUI& ui);

// The Purge command of either list: nothing without a selection; otherwise the confirmation, then, on Yes,
// PurgeSelected. True when the operator confirmed, so that the caller shows its count anew.
bool ConfirmAndPurgeSelected(TExtListView& list, IDeletedFileActionsUI& ui);

// The text of the confirmation for that many rows, of which that many are deleted folders.
std::wstring PurgeQuestion(size_t count, size_t folders = 0);

// The name an entry comes back under in the folder (ending in a backslash): its name, upper-cased when the
// options say so, unless a file of that name exists there again (for a deleted folder, a file or a folder)
// and the policy asks for another name or skips it. Nothing when it is to be skipped.
std::optional<std::wstring> ChooseRecoveryName(const std::wstring& folder, const std::wstring& name,
                                               bool isFolder, const TRetroveOptions& options,
                                               IDeletedFileActionsUI& ui);

// Recovers the entry from the folder (ending in a backslash) under the target name.
bool RecoverEntry(const nw::TNWDeletedEntry& entry, const std::wstring& folder, const std::wstring& name,
                  const std::wstring& target);
