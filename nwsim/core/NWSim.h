/* Test controls of the stand-in client: never called by the program. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C"
{
#endif

    /* Clears call counters, injected faults and missing libraries and functions. The world stays loaded. */
    void NWSimReset(void);

    /* Loads the world in the folder (UTF-8) and attaches the workstation to it. Returns 1 when the world
       loaded; otherwise the network has no connections and NWSimWorldError tells why. */
    int NWSimLoadWorld(const char* folder);
    const char* NWSimWorldError(void);

    /* A library that is missing cannot be loaded; a missing function cannot be found in its library. */
    void NWSimSetLibraryMissing(const char* library, int missing);
    void NWSimSetFunctionMissing(const char* library, const char* function, int missing);
    int NWSimIsLibraryMissing(const char* library);
    int NWSimIsFunctionMissing(const char* library, const char* function);

    /* The function returns code, without doing anything, on its nth call from now (1 = the next call) and on
       the times - 1 calls after it; times 0 means on every call from the nth on. */
    void NWSimFailCalls(const char* function, uint32_t code, uint32_t nth, uint32_t times);

    /* The function throws a C++ exception inside, on its nth call from now and the times - 1 calls after it
       (times 0: on every call from the nth on). The function catches it at its boundary, as it catches
       anything thrown inside it, answers as a failure (0x89FF for a completion code) and writes the reason to
       nwsim.log. Replaces a fault set with NWSimFailCalls, and the other way round. */
    void NWSimThrowInCalls(const char* function, uint32_t nth, uint32_t times);

    /* Calls that reached the function since the last reset, including those that failed. */
    uint32_t NWSimCallCount(const char* function);

    /* The text argument the function last received: the path of NWParseNetWarePath; the server name of
       NWCCOpenConnByName, NWCCSetPrefServerName and NWGetConnectionHandle; the object name of NWGetObjectID;
       "object|property" for NWReadPropertyValue; "deleted|recover" for NWRecoverDeletedFile; the six bytes of
       NWSetFileServerDateAndTime in decimal, "year month day hour minute second"; "flags=HEX" or "name=TEXT"
       for NWDSSetContext. Texts are kept exactly as received, in their letter case and in the workstation's
       code page. Empty when the function was not called since the last reset. */
    const char* NWSimLastText(const char* function);
    /* Every such text since the last reset, one a line. */
    const char* NWSimTexts(const char* function);

    /* How often the library was asked to load since the last reset, including refused attempts. */
    uint32_t NWSimLibraryLoadAttempts(const char* library);

    /* Every request to a server takes this long, for benchmarks; 0 for none. */
    void NWSimSetLatency(uint32_t microseconds);

    /* NWScanForDeletedFiles answers its nth call from now (1 = the next call), and the times - 1 calls after
       it, with the entry it returned last (the first entry when none was returned yet) and leaves the
       iteration value as it is, as a client whose iteration stops advancing does; times 0 means on every
       call from the nth on, and nth 0 disarms. */
    void NWSimRepeatScanEntries(uint32_t nth, uint32_t times);

    /* Temporary directory handles allocated now, over all connections. */
    uint32_t NWSimDirectoryHandlesInUse(void);
    /* Directory contexts that exist now (created or duplicated, not yet freed). */
    uint32_t NWSimDirectoryContextsInUse(void);
    /* Directory request and result buffers allocated now (NWDSAllocBuf, not yet NWDSFreeBuf). */
    uint32_t NWSimDirectoryBuffersInUse(void);

    /* The process ends at once (exit code 86) when it reaches the named point of a change to a salvage store:
       "recover-restored", "recover-saved", "purge-saved" or "atomic-write-renaming"; NULL or "" disarms. */
    void NWSimCrashAt(const char* point);

    /* Called by each client library as it loads: counts the attempt and hides the functions set missing.
           Returns 0 when the library must refuse to load. */
    int NWSimAttachLibrary(const char* library, void* module);

#ifdef __cplusplus
}
#endif
