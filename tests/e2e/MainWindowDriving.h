// Driving the running program's main window from outside by the keyboard, as a user does, and reading what
// its listing shows: used by the end-to-end cases and by the demo's screenshot.
#pragma once

#include "TUserInput.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Waits until the tree shows items whose texts contain each of the parts; shown gets what it showed last.
bool WaitForTreeItems(HWND tree, const std::vector<std::wstring>& parts, std::vector<std::wstring>& shown,
                      DWORD limitMilliseconds = kDrivingLimitMilliseconds);

// Gives the tree the keyboard with a click below its last item, where nothing else is; false when it did not
// get it.
bool ClickIntoTree(HWND tree);

// Presses a key on the tree, each once the one before has moved the selection and settled is true, until its
// selected item's text contains the part; at most that many presses.
bool SelectByKey(
    HWND tree, WORD key, const std::wstring& part, int most,
    const std::function<bool()>& settled = [] { return true; });

// Whether the toolbar's Stop is enabled: it is while a listing runs.
bool ListingRuns(HWND main);

// Opens the selected folder (Right) and selects the folder below it whose text contains the part, each
// folder on the way once the listing of the one before has ended.
bool OpenAndSelectBelow(HWND main, HWND tree, const std::wstring& part, int most);

// The title pane above the list: "Deleted Contents of '...'", or empty when there is none.
std::wstring ListedCaption(HWND main);

// Waits until the title pane and the status bar's first panel read as given.
bool WaitForListing(HWND main, const std::wstring& caption, const std::wstring& status,
                    DWORD limitMilliseconds = kDrivingLimitMilliseconds);
