// The client calls that reach a server, as the stand-in counts them; unpacking a date is the client's own
// work and does not count.
#pragma once

#include "NWSim.h"

#include <cstdint>

inline const char* const kCountedCalls[] = {"NWParseNetWarePath",    "NWAllocTemporaryDirectoryHandle",
                                            "NWScanForDeletedFiles", "NWGetObjectName",
                                            "NWDSMapIDToName",       "NWDeallocateDirectoryHandle"};

inline uint32_t ServerRequests()
{
    uint32_t total = 0;
    for (const char* function : kCountedCalls)
        total += NWSimCallCount(function);
    return total;
}
