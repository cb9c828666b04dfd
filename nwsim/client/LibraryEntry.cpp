// Registers a client library with the stand-in as it loads; NWSIM_LIBRARY_FILE names the library. On Windows
// a library set missing refuses to load.
#include "NWSim.h"

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        return NWSimAttachLibrary(NWSIM_LIBRARY_FILE, instance) != 0 ? TRUE : FALSE;
    return TRUE;
}
#else
__attribute__((constructor)) static void AttachClientLibrary()
{
    NWSimAttachLibrary(NWSIM_LIBRARY_FILE, nullptr);
}
#endif
