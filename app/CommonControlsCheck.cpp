// The common-controls version check.
#include "CommonControlsCheck.h"

#include "AppIdentity.h"
#include "TModal.h"

#include <windows.h>

#include <string>
#include <vector>

uint32_t ReadCommonControlsVersion()
{
    // The library that draws the controls: the one loaded, else the one the system would load.
    wchar_t path[MAX_PATH] = L"comctl32.dll";
    if (HMODULE loaded = GetModuleHandleW(L"comctl32.dll"))
        GetModuleFileNameW(loaded, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return 0;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data()))
        return 0;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof(VS_FIXEDFILEINFO))
        return 0;
    return fixed->dwFileVersionMS;
}

void CheckCommonControlsVersion(const std::function<uint32_t()>& readVersion)
{
    try
    {
        if (readVersion() >= kLeastCommonControlsVersion)
            return;
        TModal::ShowMessage(nullptr,
                           std::wstring(L"The COMCTL32.DLL should be updated to display all controls.  "
                                        L"Download from http://") +
                               kDownloadHost + kCommonControlsUpdatePath,
                           kAppTitle, MB_OK);
    }
    catch (...)
    {
        TModal::ShowMessage(
            nullptr,
            std::wstring(L"Unable to execute COMCTL32 version id. Please report this error to ") +
                kSupportAddress,
            kAppTitle, MB_OK);
    }
}
