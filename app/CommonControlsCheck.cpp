// The common-controls version check.
#include "CommonControlsCheck.h"

#include "AppIdentity.h"
#include "FileVersion.h"
#include "TModal.h"

#include <windows.h>

#include <string>

uint32_t ReadCommonControlsVersion()
{
    // The library that draws the controls: the one loaded, else the one the system would load.
    wchar_t path[MAX_PATH] = L"comctl32.dll";
    if (HMODULE loaded = GetModuleHandleW(L"comctl32.dll"))
        GetModuleFileNameW(loaded, path, MAX_PATH);
    const std::optional<TFileVersion> version = ReadFileVersion(path);
    return version ? version->mostSignificant : 0;
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
