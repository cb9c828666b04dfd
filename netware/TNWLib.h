// The calls module: loads the calls and client libraries, finds the primary connection and keeps the module's
// completion codes.
#pragma once

#include "NWClientApi.h"
#include "TDateTime.h"
#include "TNWErrorCells.h"
#include "TNWStringList.h"

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

    // Connections and the identity on them. A connection of 0 stands for the primary connection.
    static uint16_t GetConnectionNumber(NWCONN_HANDLE connection);
    static std::string GetConnectionLoginName(NWCONN_HANDLE connection);
    // The server's name, or LOCAL when it cannot be read.
    static std::string GetServerNameOfConnection(NWCONN_HANDLE connection);
    // The server names of the workstation's connections, with their connection numbers (or handles).
    static TNWStringList GetConnectionList();

    // Bindery objects.
    static TNWStringList ScanBinderyObjects(NWCONN_HANDLE connection, uint16_t type);
    static uint32_t GetObjectIDByName(NWCONN_HANDLE connection, const std::string& name, uint16_t type);
    static std::string GetObjectIDText(NWCONN_HANDLE connection, const std::string& name, uint16_t type);
    // The first of the known object types under which the name exists, or 0.
    static uint16_t GetObjectTypeOfName(NWCONN_HANDLE connection, const std::string& name);
    static std::string GetObjectFullName(NWCONN_HANDLE connection, const std::string& name);
    static bool IsConsoleOperator(NWCONN_HANDLE connection);
    static bool IsManager(NWCONN_HANDLE connection);

    // Server facts and workstation settings.
    static TDateTime GetServerDate(NWCONN_HANDLE connection);
    static uint16_t GetMaxConnections();
    static bool SetPreferredServer(const std::string& name);
    static uint16_t GetBroadcastMode(NWCONN_HANDLE connection);
    static bool SetBroadcastMode(NWCONN_HANDLE connection, uint16_t mode);
    static char GetFirstNetworkDrive();
    static char GetNextNetworkDrive();
    static uint32_t LongSwap(uint32_t value);

    // The bindery object types in the order GetObjectTypeOfName tries them.
    static constexpr uint16_t kObjectTypeOrder[] = {0x0100, 0x0200, 0x0300, 0x0700, 0x0400, 0x0500, 0x0600,
                                                    0x0800, 0x0900, 0x0A00, 0x0B00, 0x2100, 0x2600, 0x2700};

    // Process-wide state of the module.
    static TNWErrorCells& Cells();
    static NWCONN_HANDLE& CachedPrimaryConnection();
    static bool& NDSMode();
};

} // namespace nw
