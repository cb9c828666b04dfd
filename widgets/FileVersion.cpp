// Reading the fixed file version of a module.
#include "FileVersion.h"

#include <windows.h>

#include <vector>

std::optional<TFileVersion> ReadFileVersion(const std::wstring& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return TFileVersion{fixed->dwFileVersionMS, fixed->dwFileVersionLS};
}

std::wstring FileVersionText(const TFileVersion& version)
{
    return std::to_wstring(HIWORD(version.mostSignificant)) + L"." +
           std::to_wstring(LOWORD(version.mostSignificant)) + L"." +
           std::to_wstring(HIWORD(version.leastSignificant)) + L"." +
           std::to_wstring(LOWORD(version.leastSignificant));
}

std::wstring ProgramFilePath()
{
    std::wstring path(MAX_PATH, L'\0');
    while (true)
    {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
        {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
