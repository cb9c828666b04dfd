// The calls module: loads the calls and client libraries, finds the primary connection and keeps the module's
// completion codes.
#pragma once

#include "NWClientApi.h"
#include "TNWErrorCells.h"

#include <string>

namespace nw
{

class TNWLib
{
public:
    // Loads CALWIN32.DLL and CLXWIN32.DLL and initialises the client; failures are recorded, never thrown.
    TNWLib();

    // The primary connection handle: the cached one, else asked of the client; 0 when there is none.
    static NWCONN_HANDLE GetPrimaryConnection();

    // Connection 0 stands for the primary connection.
    static NWCONN_HANDLE ResolveConnection(NWCONN_HANDLE connection)
    {
        return connection != 0 ? connection : GetPrimaryConnection();
    }

    // True when both libraries are loaded and a primary connection can be had.
    static bool IsNetWareLoaded();

    // Sets the client's error mode and returns the previous one, or 0 when the call fails or is missing.
    static uint8_t SetNetWareErrorMode(uint8_t mode);

    static std::string LastErrorText() { return NWCodeText(Cells().lastError); }

    // Process-wide state of the module.
    static TNWErrorCells& Cells();
    static NWCONN_HANDLE& CachedPrimaryConnection();
    static bool& NDSMode();
};

} // namespace nw
