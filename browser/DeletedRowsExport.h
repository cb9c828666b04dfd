// The rows of a deleted-file list as a record that a spreadsheet opens: RFC 4180 CSV, or tab-separated text,
// in UTF-8 with a byte-order mark. Each row gives where it was deleted, its name, its size as a plain number,
// every date as yyyy-mm-dd hh:mm:ss (so that it sorts as a date), its users and its attribute text.
#pragma once

#include <string>
#include <vector>

class TExtListView;

enum class TExportFormat
{
    efCsv,
    efTabs,
};

// Rows of the main list, all deleted from the listed folder.
std::string ExportListedRows(const TExtListView& list, const std::vector<size_t>& rows,
                             const std::wstring& folder, TExportFormat format);
// Rows of the Find window's list, each with its Path.
std::string ExportFoundRows(const TExtListView& list, const std::vector<size_t>& rows, TExportFormat format);

// One field as RFC 4180 writes it: quoted when it holds a comma, a quote, a line break or an outer blank.
std::string CsvField(const std::string& utf8);
std::string Utf8Of(const std::wstring& text);
