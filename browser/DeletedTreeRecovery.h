// Bringing back, folder by folder, what was deleted inside a deleted folder that came back.
#pragma once

#include "DeletedFileActions.h"

#include <string>
#include <vector>

// What the recovery of a folder's contents did.
struct TTreeRecoveryCount
{
    size_t recovered = 0;
    size_t skipped = 0;
    // Each as the tree names it: ZETA\DOCS\PLAN.TXT.
    std::vector<std::wstring> failed;
    bool cancelled = false;
};

// Recovers, below the live folder (ending in a backslash) that a deleted folder became, every deleted entry
// that passes the options' criteria but their name pattern (which chose the folder itself), with
// the options' policy for names that exist again, folder by folder. Where several deleted versions of a
// name pass, only the newest comes back. Entries are named in the action window below the shown name; Cancel
// stops before the next entry.
TTreeRecoveryCount RecoverFolderContents(const std::wstring& folder, const std::wstring& shown,
                                         const TRetroveOptions& options, IDeletedFileActionsUI& ui);

// The one box after a tree whose entries did not all come back (some failed or were skipped, or Cancel was
// pressed); empty when every entry came back.
std::wstring TreeSummary(const std::wstring& shown, const TTreeRecoveryCount& count);

// Both: recovers the contents and shows the box when it has something to say. True when Cancel was pressed.
bool RetroveFolderContents(const std::wstring& folder, const std::wstring& shown,
                           const TRetroveOptions& options, IDeletedFileActionsUI& ui);
