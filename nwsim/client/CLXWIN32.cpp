// CLXWIN32.DLL of the stand-in: the connection client library.
#include "ClientExport.h"
#include "ClientNetwork.h"
#include "ClientText.h"

#include <cstring>

using namespace nw;
using nwsim::Net;
using nwsim::TSimConnection;

NW_CLXWIN32_API(NWSIM_DECLARE_EXPORT)

namespace
{

// The name format of NWCCOpenConnByName that names a server as the bindery does.
constexpr uint32_t kBinderyServerName = 2;
// The size of the block NWCCGetAllConnRefInfo fills at level 1.
constexpr size_t kConnRefInfoFilled = 128;

} // namespace

NWCCODE NWAPI NWCCGetPrimConnRef(uint32_t* connRef)
{
    NWSIM_ENTER(NWCCGetPrimConnRef)
    {
        const TSimConnection* primary = Net().PrimaryConnection();
        if (primary == nullptr || connRef == nullptr)
            return nwsim::kInvalidConnection;
        *connRef = primary->reference;
        return 0;
    };
}

NWCCODE NWAPI NWCCOpenConnByRef(uint32_t connRef, uint32_t, uint32_t, NWCONN_HANDLE* conn)
{
    NWSIM_ENTER(NWCCOpenConnByRef)
    {
        const TSimConnection* connection = Net().FindConnectionByReference(connRef);
        if (connection == nullptr || conn == nullptr)
            return nwsim::kInvalidConnection;
        *conn = connection->handle;
        return 0;
    };
}

NWCCODE NWAPI NWCCOpenConnByName(NWCONN_HANDLE, char* name, uint32_t nameFormat, uint32_t, uint32_t,
                                 NWCONN_HANDLE* conn)
{
    NWSIM_ENTER(NWCCOpenConnByName)
    {
        std::string server;
        if (conn == nullptr || nameFormat != kBinderyServerName ||
            !nwsim::ReadText(name, nwsim::kServerNameBytes - 1, server))
            return nwsim::kInvalidConnection;
        nwsim::NoteText("NWCCOpenConnByName", server);
        const TSimConnection* connection = Net().OpenConnection(server);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        *conn = connection->handle;
        return 0;
    };
}

NWCCODE NWAPI NWCCScanConnRefs(uint32_t* scanIterator, uint32_t* connRef)
{
    NWSIM_ENTER(NWCCScanConnRefs)
    {
        if (scanIterator == nullptr || connRef == nullptr)
            return nwsim::kFailure;
        Net().EnsureLoaded();
        // The iterator counts the references already returned.
        const std::vector<TSimConnection>& connections = Net().Connections();
        if (*scanIterator >= connections.size())
            return nwsim::kFailure;
        *connRef = connections[*scanIterator].reference;
        ++*scanIterator;
        return 0;
    };
}

NWCCODE NWAPI NWCCGetAllConnRefInfo(uint32_t connRef, uint32_t infoLevel, uint8_t* infoBlock)
{
    NWSIM_ENTER(NWCCGetAllConnRefInfo)
    {
        const TSimConnection* connection = Net().FindConnectionByReference(connRef);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        if (infoBlock == nullptr || infoLevel != 1)
            return nwsim::kFailure;
        std::memset(infoBlock, 0, kConnRefInfoFilled);
        const uint32_t number = connection->number;
        std::memcpy(infoBlock + kConnRefInfoNumberOffset, &number, sizeof(number));
        nwsim::CopyText(reinterpret_cast<char*>(infoBlock + kConnRefInfoNameOffset), connection->server,
                        nwsim::kServerNameBytes);
        return 0;
    };
}

NWCCODE NWAPI NWCCSetPrefServerName(char* serverName)
{
    NWSIM_ENTER(NWCCSetPrefServerName)
    {
        std::string server;
        if (!nwsim::ReadText(serverName, nwsim::kServerNameBytes - 1, server))
            return nwsim::kInvalidConnection;
        nwsim::NoteText("NWCCSetPrefServerName", server);
        return Net().SetPreferredServer(server) ? 0 : nwsim::kInvalidConnection;
    };
}

NW_CLXWIN32_API(NWSIM_CHECK_EXPORT)
