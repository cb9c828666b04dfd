// The Find window's walk through a folder and the folders below it, depth first, each folder before its
// subfolders, in the order the file system gives them. It knows nothing of windows: what it does at each
// folder comes in through its steps.
#pragma once

#include <functional>
#include <string>

struct TFolderWalkSteps
{
    // Go below the first folder at all.
    bool includeSubfolders = true;
    // Enter hidden and system folders (and so everything below them).
    bool includeHidden = true;
    // A folder is reached (its path ends in a backslash): show it, and let pending window messages run.
    std::function<void(const std::wstring& folder)> reached;
    // Scan the folder that was reached; not called once a stop was requested.
    std::function<void(const std::wstring& folder)> scan;
    // Asked before each folder is scanned and before each subfolder is entered.
    std::function<bool()> stopRequested;
};

// Walks the folder and, with includeSubfolders, every folder below it. An empty path walks nothing; a folder
// that the file system cannot enumerate adds no subfolders.
void WalkFolder(const std::wstring& path, const TFolderWalkSteps& steps);
