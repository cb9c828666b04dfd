// CLXWIN32.DLL of the stand-in: the connection client library.
#include "ClientExport.h"
#include "LibraryEntry.h"
#include "TSimNetwork.h"

using namespace nw;

NW_CLXWIN32_API(NWSIM_DECLARE_EXPORT)
NWSIM_CLIENT_LIBRARY("CLXWIN32.DLL")

NWCCODE NWAPI NWCCGetPrimConnRef(uint32_t* connRef)
{
    NWSIM_ENTER(NWCCGetPrimConnRef);
    const nwsim::TSimConnection* primary = nwsim::TSimNetwork::Instance().PrimaryConnection();
    if (primary == nullptr || connRef == nullptr)
        return nwsim::kInvalidConnection;
    *connRef = primary->reference;
    return 0;
}

NWCCODE NWAPI NWCCOpenConnByRef(uint32_t connRef, uint32_t, uint32_t, NWCONN_HANDLE* conn)
{
    NWSIM_ENTER(NWCCOpenConnByRef);
    const nwsim::TSimConnection* connection =
        nwsim::TSimNetwork::Instance().FindConnectionByReference(connRef);
    if (connection == nullptr || conn == nullptr)
        return nwsim::kInvalidConnection;
    *conn = connection->handle;
    return 0;
}

NWCCODE NWAPI NWCCOpenConnByName(NWCONN_HANDLE, char*, uint32_t, uint32_t, uint32_t, NWCONN_HANDLE*)
{
    NWSIM_ENTER(NWCCOpenConnByName);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWCCScanConnRefs(uint32_t*, uint32_t*)
{
    NWSIM_ENTER(NWCCScanConnRefs);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWCCGetAllConnRefInfo(uint32_t, uint32_t, uint8_t*)
{
    NWSIM_ENTER(NWCCGetAllConnRefInfo);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWCCSetPrefServerName(char*)
{
    NWSIM_ENTER(NWCCSetPrefServerName);
    return nwsim::kUnknownRequest;
}

NW_CLXWIN32_API(NWSIM_CHECK_EXPORT)
