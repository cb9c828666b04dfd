// Writing the rows of a deleted-file list for a spreadsheet.
#include "DeletedRowsExport.h"

#include "DeletedFileListRows.h"
#include "DeletedFileRows.h"
#include "TExtListView.h"

#include <windows.h>

#include <cstdio>
#include <functional>

namespace
{

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

struct TExportColumns
{
    std::wstring placeCaption;
    std::function<std::wstring(size_t row)> placeOf;
    std::function<int(TDeletedColumn)> columnOf;
};

bool IsDateColumn(TDeletedColumn column)
{
    return column == dcDeleted || column == dcAccessed || column == dcCreated || column == dcArchived ||
           column == dcUpdated;
}

nw::TDateTime DateOf(const nw::TNWDeletedFileInfoX& info, TDeletedColumn column)
{
    switch (column)
    {
    case dcDeleted:
        return info.Deleted;
    case dcAccessed:
        return info.Accessed;
    case dcCreated:
        return info.Created;
    case dcArchived:
        return info.Archived;
    default:
        return info.Updated;
    }
}

std::string IsoText(nw::TDateTime value)
{
    const nw::TDateParts parts = nw::DecodeDateTime(value);
    char text[32];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d", parts.year, parts.month, parts.day,
                  parts.hour, parts.minute, parts.second);
    return text;
}

// A cell of the record: the size and the dates from the entry itself, the rest as the list shows it. A date
// the list leaves empty (never archived) stays empty.
std::string Cell(const TExtListView& list, size_t row, TDeletedColumn column, int listColumn)
{
    const std::wstring shown = list.CellTextCopy(row, listColumn);
    const TDeletedRowData* data = DeletedRowData(list.Row(row));
    if (data == nullptr)
        return Utf8Of(shown);
    if (column == dcSize)
        return std::to_string(static_cast<uint32_t>(data->Info().Size));
    if (IsDateColumn(column))
        return shown.empty() ? std::string() : IsoText(DateOf(data->Info(), column));
    return Utf8Of(shown);
}

std::string TabField(const std::string& utf8)
{
    std::string field = utf8;
    for (char& c : field)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return field;
}

std::string Line(const std::vector<std::string>& fields, TExportFormat format)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
    {
        if (i > 0)
            line += format == TExportFormat::efCsv ? ',' : '\t';
        line += format == TExportFormat::efCsv ? CsvField(fields[i]) : TabField(fields[i]);
    }
    return line + "\r\n";
}

std::string Export(const TExtListView& list, const std::vector<size_t>& rows, const TExportColumns& columns,
                   TExportFormat format)
{
    std::vector<std::string> header{Utf8Of(columns.placeCaption)};
    for (int column = dcName; column < dcCount; ++column)
        header.push_back(Utf8Of(list.ColumnCaption(columns.columnOf(static_cast<TDeletedColumn>(column)))));
    std::string text = kByteOrderMark + Line(header, format);
    for (const size_t row : rows)
    {
        std::vector<std::string> fields{Utf8Of(columns.placeOf(row))};
        for (int column = dcName; column < dcCount; ++column)
        {
            const auto deleted = static_cast<TDeletedColumn>(column);
            fields.push_back(Cell(list, row, deleted, columns.columnOf(deleted)));
        }
        text += Line(fields, format);
    }
    return text;
}

} // namespace

std::string Utf8Of(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                        nullptr);
    return utf8;
}

std::string CsvField(const std::string& utf8)
{
    const bool quoted = utf8.find_first_of(",\"\r\n") != std::string::npos ||
                        (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
    if (!quoted)
        return utf8;
    std::string field = "\"";
    for (const char c : utf8)
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    return field + "\"";
}

std::string ExportListedRows(const TExtListView& list, const std::vector<size_t>& rows,
                             const std::wstring& folder, TExportFormat format)
{
    return Export(list, rows,
                  {L"Folder", [&folder](size_t) { return folder; },
                   [](TDeletedColumn column) { return static_cast<int>(column); }},
                  format);
}

std::string ExportFoundRows(const TExtListView& list, const std::vector<size_t>& rows, TExportFormat format)
{
    return Export(list, rows,
                  {list.ColumnCaption(kFoundPathColumn),
                   [&list](size_t row) { return list.CellTextCopy(row, kFoundPathColumn); },
                   [](TDeletedColumn column) { return FoundColumn(column); }},
                  format);
}
