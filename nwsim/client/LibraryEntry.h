// Registers a client library with the stand-in as it loads. On Windows a library set missing refuses to load.
#pragma once

#include "NWSim.h"

#if defined(_WIN32)
#include <windows.h>

#define NWSIM_CLIENT_LIBRARY(fileName)                                                                       \
    extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)                                 \
    {                                                                                                        \
        if (reason == DLL_PROCESS_ATTACH)                                                                    \
            return NWSimAttachLibrary(fileName, instance) != 0 ? TRUE : FALSE;                               \
        return TRUE;                                                                                         \
    }
#else
#define NWSIM_CLIENT_LIBRARY(fileName)                                                                       \
    __attribute__((constructor)) static void AttachClientLibrary()                                           \
    {                                                                                                        \
        NWSimAttachLibrary(fileName, nullptr);                                                               \
    }
#endif
