// Exporting a list's rows to a file.
#include "ListExport.h"

#include "TExtListView.h"
#include "TModal.h"

#include <commdlg.h>

#include <algorithm>

#include <vector>

namespace
{

constexpr wchar_t kFilter[] = L"CSV (comma-separated) (*.csv)\0*.csv\0Text (tab-separated) (*.txt)\0*.txt\0";
constexpr DWORD kTabsFilterIndex = 2;

std::wstring SystemReason(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length > 0 ? std::wstring(text, length) : L"Error " + std::to_wstring(error);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

// Writes the bytes to a temporary file beside the target, then puts it in the target's place; the error
// code of the step that failed, or 0.
DWORD WriteWhole(const std::wstring& target, const std::string& bytes)
{
    const std::wstring temporary = target + L".part";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD written = 0;
    const bool wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size() && FlushFileBuffers(file);
    DWORD error = wrote ? 0 : GetLastError();
    CloseHandle(file);
    if (error == 0 && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        error = GetLastError();
    if (error != 0)
        DeleteFileW(temporary.c_str());
    return error;
}

} // namespace

std::vector<size_t> RowsToExport(const TExtListView& list, bool selectedOnly)
{
    if (selectedOnly)
        return list.SelectedRows();
    std::vector<size_t> rows(list.Count());
    for (size_t row = 0; row < rows.size(); ++row)
        rows[row] = row;
    return rows;
}

std::wstring DefaultExportName(const std::wstring& folder)
{
    std::wstring name = folder;
    while (!name.empty() && (name.back() == L'\\' || name.back() == L'/' || name.back() == L':'))
        name.pop_back();
    const size_t cut = name.find_last_of(L"\\/:");
    if (cut != std::wstring::npos)
        name = name.substr(cut + 1);
    return L"Deleted files of " + (name.empty() ? std::wstring(L"the folder") : name) + L".csv";
}

bool ExportList(HWND owner, const std::wstring& title, const std::wstring& defaultName,
                const TExportWriter& write)
{
    std::vector<wchar_t> path(32768, L'\0');
    defaultName.copy(path.data(), std::min(defaultName.size(), path.size() - 1));
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = kFilter;
    request.nFilterIndex = 1;
    request.lpstrFile = path.data();
    request.nMaxFile = static_cast<DWORD>(path.size());
    request.lpstrTitle = L"Export List";
    request.lpstrDefExt = L"csv";
    request.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (TModal::Dialog(
            {nullptr, L"Export List", [&request] { return INT_PTR(GetSaveFileNameW(&request)); }}) == 0)
        return false;
    const TExportFormat format =
        request.nFilterIndex == kTabsFilterIndex ? TExportFormat::efTabs : TExportFormat::efCsv;
    return WriteExport(owner, title, path.data(), write(format));
}

bool WriteExport(HWND owner, const std::wstring& title, const std::wstring& target, const std::string& bytes)
{
    if (const DWORD error = WriteWhole(target, bytes))
    {
        TModal::ShowMessage(owner, L"Unable to write " + target + L":\n" + SystemReason(error), title,
                            MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}
