// CALWIN32.DLL of the stand-in: the calls library.
#include "ClientExport.h"
#include "LibraryEntry.h"
#include "TSimNetwork.h"
#include "TSimTime.h"

using namespace nw;

NW_CALWIN32_API(NWSIM_DECLARE_EXPORT)
NWSIM_CLIENT_LIBRARY("CALWIN32.DLL")

namespace
{

NWCCODE PrimaryConnection(NWCONN_HANDLE* conn)
{
    const nwsim::TSimConnection* primary = nwsim::TSimNetwork::Instance().PrimaryConnection();
    if (primary == nullptr)
        return nwsim::kInvalidConnection;
    *conn = primary->handle;
    return 0;
}

} // namespace

NWCCODE NWAPI NWCallsInit(void*, void*)
{
    NWSIM_ENTER(NWCallsInit);
    nwsim::TSimNetwork::Instance().EnsureLoaded();
    return 0;
}

NWCCODE NWAPI NWGetPrimaryConnectionID(NWCONN_HANDLE* conn)
{
    NWSIM_ENTER(NWGetPrimaryConnectionID);
    if (conn == nullptr)
        return nwsim::kInvalidConnection;
    return PrimaryConnection(conn);
}

NWCCODE NWAPI NWSetPrimaryConnectionID(NWCONN_HANDLE)
{
    NWSIM_ENTER(NWSetPrimaryConnectionID);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetConnectionHandle(char*, uint16_t, NWCONN_HANDLE*, uint16_t*)
{
    NWSIM_ENTER(NWGetConnectionHandle);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetConnectionNumber(NWCONN_HANDLE, NWCONN_NUM*)
{
    NWSIM_ENTER(NWGetConnectionNumber);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetConnectionInformation(NWCONN_HANDLE, NWCONN_NUM, char*, uint16_t*, uint32_t*, uint8_t*)
{
    NWSIM_ENTER(NWGetConnectionInformation);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetConnectionList(uint16_t, NWCONN_HANDLE*, uint16_t, uint16_t*)
{
    NWSIM_ENTER(NWGetConnectionList);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetObjectName(NWCONN_HANDLE, uint32_t, char*, uint16_t*)
{
    NWSIM_ENTER(NWGetObjectName);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetObjectID(NWCONN_HANDLE, char*, uint16_t, uint32_t*)
{
    NWSIM_ENTER(NWGetObjectID);
    return nwsim::kUnknownRequest;
}

uint32_t NWAPI NWLongSwap(uint32_t value)
{
    NWSIM_ENTER(NWLongSwap);
    return (value >> 24) | (value >> 8 & 0xFF00) | (value << 8 & 0xFF0000) | (value << 24);
}

NWCCODE NWAPI NWScanObject(NWCONN_HANDLE, char*, uint16_t, uint32_t*, char*, uint16_t*, uint8_t*, uint8_t*,
                           uint8_t*)
{
    NWSIM_ENTER(NWScanObject);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWReadPropertyValue(NWCONN_HANDLE, char*, uint16_t, char*, uint8_t, uint8_t*, uint8_t*,
                                  uint8_t*)
{
    NWSIM_ENTER(NWReadPropertyValue);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWCheckConsolePrivileges(NWCONN_HANDLE)
{
    NWSIM_ENTER(NWCheckConsolePrivileges);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWIsManager(NWCONN_HANDLE)
{
    NWSIM_ENTER(NWIsManager);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetFileServerName(NWCONN_HANDLE, char*)
{
    NWSIM_ENTER(NWGetFileServerName);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetFileServerInformation(NWCONN_HANDLE, char*, uint8_t*, uint8_t*, uint8_t*, uint16_t*,
                                         uint16_t*, uint16_t*, uint16_t*, uint8_t*, uint8_t*)
{
    NWSIM_ENTER(NWGetFileServerInformation);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetFileServerInfo(NWCONN_HANDLE, uint8_t*)
{
    NWSIM_ENTER(NWGetFileServerInfo);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetFileServerDateAndTime(NWCONN_HANDLE, uint8_t*)
{
    NWSIM_ENTER(NWGetFileServerDateAndTime);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWSetFileServerDateAndTime(NWCONN_HANDLE, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t)
{
    NWSIM_ENTER(NWSetFileServerDateAndTime);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetMaximumConnections(uint16_t*)
{
    NWSIM_ENTER(NWGetMaximumConnections);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWSetBroadcastMode(NWCONN_HANDLE, uint16_t)
{
    NWSIM_ENTER(NWSetBroadcastMode);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetFirstDrive(uint16_t*)
{
    NWSIM_ENTER(NWGetFirstDrive);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWGetDriveStatus(uint16_t, uint16_t, uint16_t*, NWCONN_HANDLE*, char*, char*, char*)
{
    NWSIM_ENTER(NWGetDriveStatus);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWSetNetWareErrorMode(uint8_t mode, uint8_t* previousMode)
{
    NWSIM_ENTER(NWSetNetWareErrorMode);
    const uint8_t previous = nwsim::TSimNetwork::Instance().SwapErrorMode(mode);
    if (previousMode != nullptr)
        *previousMode = previous;
    return 0;
}

NWCCODE NWAPI NWParseNetWarePath(char*, NWCONN_HANDLE*, NWDIR_HANDLE*, char*)
{
    NWSIM_ENTER(NWParseNetWarePath);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE, NWDIR_HANDLE, char*, NWDIR_HANDLE*, uint8_t*)
{
    NWSIM_ENTER(NWAllocTemporaryDirectoryHandle);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWDeallocateDirectoryHandle(NWCONN_HANDLE, NWDIR_HANDLE)
{
    NWSIM_ENTER(NWDeallocateDirectoryHandle);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWScanForDeletedFiles(NWCONN_HANDLE, NWDIR_HANDLE, uint32_t*, uint32_t*, uint32_t*, uint8_t*)
{
    NWSIM_ENTER(NWScanForDeletedFiles);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWRecoverDeletedFile(NWCONN_HANDLE, NWDIR_HANDLE, uint32_t, uint32_t, uint32_t, char*, char*)
{
    NWSIM_ENTER(NWRecoverDeletedFile);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWPurgeDeletedFile(NWCONN_HANDLE, NWDIR_HANDLE, uint32_t, uint32_t, uint32_t, char*)
{
    NWSIM_ENTER(NWPurgeDeletedFile);
    return nwsim::kUnknownRequest;
}

NWCCODE NWAPI NWPurgeErasedFiles(NWCONN_HANDLE)
{
    NWSIM_ENTER(NWPurgeErasedFiles);
    return nwsim::kUnknownRequest;
}

void NWAPI NWUnpackDateTime(uint32_t packed, NW_DATE* date, NW_TIME* time)
{
    NWSIM_ENTER(NWUnpackDateTime);
    const nwsim::TSimTime unpacked = nwsim::UnpackDosDateTime(packed);
    if (date != nullptr)
        *date = NW_DATE{unpacked.day, unpacked.month, unpacked.year};
    if (time != nullptr)
        *time = NW_TIME{unpacked.second, unpacked.minute, unpacked.hour};
}

NW_CALWIN32_API(NWSIM_CHECK_EXPORT)
