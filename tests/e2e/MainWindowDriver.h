// Driving the real program's main window as a user does: the folder tree by the keyboard, the listing it
// shows, rows selected by the keyboard, and what the stand-in's tool and the world's folders say meanwhile.
#pragma once

#include "MainWindowDriving.h"
#include "TProgramRun.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One deleted entry as the tool's salvage listing or the program's list shows it.
struct TSalvageRow
{
    std::wstring name;
    std::wstring deletedBy;
    auto operator<=>(const TSalvageRow&) const = default;
};

// The entries that "nwsim salvage" prints for one folder, sorted.
std::vector<TSalvageRow> SalvageRows(const std::string& printed);
// The rows of the program's list, sorted.
std::vector<TSalvageRow> ListedRows(HWND list);

HWND WaitForMainWindow(const TProgramRun& run);
std::string Joined(const std::vector<std::wstring>& texts);
// Selects the drive item of the tree by the keyboard, then, when a folder is named, the folder below it;
// true once the tree's selection reads so. The window must be at the front.
bool SelectTreeFolder(HWND main, const std::wstring& drive, const std::wstring& folder);
// Closes the window with its close box's command and waits for the program to end.
std::optional<DWORD> CloseAndWait(const TProgramRun& run, HWND main);

// The rows of a list view that are selected, and its focused row (-1 for none).
std::vector<int> SelectedListRows(HWND list);
int FocusedListRow(HWND list);
// The row with that caption, or -1.
int ListRowOf(HWND list, const std::wstring& caption);
// Clicks the list's top row and moves the focus, and so the selection, to the row with the arrow keys; true
// once that row alone is selected.
bool SelectListRowByKeyboard(HWND list, int row);
// The control that has the keyboard in the thread of a window of another process.
HWND FocusOf(HWND window);

// What a Save dialog opened by the program showed, once the path was typed into its name field and Enter
// pressed: its caption and the name it proposed; saved when the file exists and the dialog went.
struct TSaveDialogRun
{
    std::wstring caption;
    std::wstring proposed;
    bool saved = false;
};
TSaveDialogRun SaveByKeyboard(const TProgramRun& run, const std::filesystem::path& path);

// Clicks into a dialog's edit field, replaces its text from the keyboard and waits until it holds the text.
bool TypeIntoField(HWND field, const std::wstring& text);

// A file's bytes; empty when it cannot be read.
std::string ReadAll(const std::filesystem::path& file);

// Every file below a folder with its bytes, by its path inside the folder in UTF-8.
using TFolderSnapshot = std::map<std::string, std::string>;
TFolderSnapshot Snapshot(const std::filesystem::path& folder);
