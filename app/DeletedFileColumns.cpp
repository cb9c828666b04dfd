// The columns of a deleted-file list.
#include "DeletedFileColumns.h"

std::vector<TListColumn> DeletedFileColumns()
{
    std::vector<TListColumn> columns;
    for (const wchar_t* caption :
         {L"Name", L"Size", L"Deleted", L"Deleted By", L"Owner", L"Accessed", L"Created", L"Attributes",
          L"Archived", L"Archived By", L"Updated", L"Updated By"})
        columns.push_back({caption, kDeletedColumnWidth, LVCFMT_LEFT});
    return columns;
}
