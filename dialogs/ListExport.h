// File > Export List... and Export Selected Rows...: the Save dialog, then the rows written under the name
// chosen, whole or not at all.
#pragma once

#include "DeletedRowsExport.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TExtListView;

// The rows an export writes: every row of the list, or the selected ones alone.
std::vector<size_t> RowsToExport(const TExtListView& list, bool selectedOnly);

// The text of the rows in a format.
using TExportWriter = std::function<std::string(TExportFormat format)>;

// "Deleted files of PROJECTS.csv" for F:\PROJECTS, "Deleted files of F.csv" for F:\.
std::wstring DefaultExportName(const std::wstring& folder);

// Asks where with the Save dialog (CSV or tab-separated) and writes the text there through a temporary file
// beside it, which then takes the name; a failure shows a box with the file and the system's reason, and
// leaves nothing under the name. Returns whether a file was written.
bool ExportList(HWND owner, const std::wstring& title, const std::wstring& defaultName,
                const TExportWriter& write);

// Writes the bytes under the name through a temporary file beside it; on failure, the box and nothing left.
bool WriteExport(HWND owner, const std::wstring& title, const std::wstring& target, const std::string& bytes);
