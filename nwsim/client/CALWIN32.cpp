// CALWIN32.DLL of the stand-in: the calls library (connections, the bindery, the server; the drives, paths
// and salvage calls are in CALWIN32Volumes.cpp).
#include "BlockFields.h"
#include "ClientExport.h"
#include "ClientNetwork.h"
#include "ClientText.h"
#include "TSimTime.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace nw;
using nwsim::Net;
using nwsim::TSimConnection;

NW_CALWIN32_API(NWSIM_DECLARE_EXPORT)

namespace
{

constexpr uint16_t kAnyObjectType = 0xFFFF;
constexpr uint16_t kMaximumWorkstationConnections = 50;

// The server behind a connection handle, or nullptr.
const nwsim::TSimServer* ServerOf(NWCONN_HANDLE conn)
{
    return Net().ServerOf(conn);
}

// Simple bindery wildcards: '*' for any run of characters, '?' for one.
bool WildcardMatches(const char* pattern, const char* text)
{
    if (*pattern == '\0')
        return *text == '\0';
    if (*pattern == '*')
        return WildcardMatches(pattern + 1, text) || (*text != '\0' && WildcardMatches(pattern, text + 1));
    if (*text == '\0')
        return false;
    return (*pattern == '?' || *pattern == *text) && WildcardMatches(pattern + 1, text + 1);
}

void PackDateTimeBytes(const nwsim::TSimTime& time, uint8_t* bytes)
{
    bytes[0] = static_cast<uint8_t>(time.year - 1900);
    bytes[1] = time.month;
    bytes[2] = time.day;
    bytes[3] = time.hour;
    bytes[4] = time.minute;
    bytes[5] = time.second;
    // The weekday, 0 for Sunday: 1 January 1970 was a Thursday.
    bytes[6] = static_cast<uint8_t>((nwsim::SecondsSince1970(time) / 86400 + 4) % 7);
}

} // namespace

NWCCODE NWAPI NWCallsInit(void*, void*)
{
    NWSIM_ENTER(NWCallsInit)
    {
        Net().EnsureLoaded();
        return 0;
    };
}

NWCCODE NWAPI NWGetPrimaryConnectionID(NWCONN_HANDLE* conn)
{
    NWSIM_ENTER(NWGetPrimaryConnectionID)
    {
        const TSimConnection* primary = Net().PrimaryConnection();
        if (primary == nullptr || conn == nullptr)
            return nwsim::kInvalidConnection;
        *conn = primary->handle;
        return 0;
    };
}

NWCCODE NWAPI NWSetPrimaryConnectionID(NWCONN_HANDLE conn)
{
    NWSIM_ENTER(NWSetPrimaryConnectionID)
    {
        return Net().SetPrimary(conn) ? 0 : nwsim::kInvalidConnection;
    };
}

NWCCODE NWAPI NWGetConnectionHandle(char* serverName, uint16_t, NWCONN_HANDLE* conn, uint16_t*)
{
    NWSIM_ENTER(NWGetConnectionHandle)
    {
        std::string name;
        if (conn == nullptr || !nwsim::ReadText(serverName, nwsim::kServerNameBytes - 1, name))
            return nwsim::kInvalidConnection;
        nwsim::NoteText("NWGetConnectionHandle", name);
        const TSimConnection* found = Net().FindConnectionToServer(name);
        if (found == nullptr)
            return nwsim::kInvalidConnection;
        *conn = found->handle;
        return 0;
    };
}

NWCCODE NWAPI NWGetConnectionNumber(NWCONN_HANDLE conn, NWCONN_NUM* connNumber)
{
    NWSIM_ENTER(NWGetConnectionNumber)
    {
        const TSimConnection* found = Net().FindConnection(conn);
        if (found == nullptr || connNumber == nullptr)
            return nwsim::kInvalidConnection;
        *connNumber = found->number;
        return 0;
    };
}

NWCCODE NWAPI NWGetConnectionInformation(NWCONN_HANDLE conn, NWCONN_NUM connNumber, char* objectName,
                                         uint16_t* objectType, uint32_t* objectId, uint8_t* loginTime)
{
    NWSIM_ENTER(NWGetConnectionInformation)
    {
        const TSimConnection* found = Net().FindConnection(conn);
        if (found == nullptr)
            return nwsim::kInvalidConnection;
        if (connNumber != found->number)
            return nwsim::kFailure;
        const std::string name = found->login ? found->login->name : std::string();
        nwsim::CopyText(objectName, name, nwsim::kObjectNameBytes);
        if (objectType != nullptr)
            *objectType = found->login ? 0x0100 : 0;
        if (objectId != nullptr)
            *objectId = found->login ? found->login->id : 0;
        if (loginTime != nullptr)
            PackDateTimeBytes(found->loginTime, loginTime);
        return 0;
    };
}

NWCCODE NWAPI NWGetConnectionList(uint16_t, NWCONN_HANDLE* connList, uint16_t connListSize,
                                  uint16_t* connCount)
{
    NWSIM_ENTER(NWGetConnectionList)
    {
        if (connList == nullptr || connCount == nullptr)
            return nwsim::kFailure;
        Net().EnsureLoaded();
        uint16_t count = 0;
        for (const TSimConnection& connection : Net().Connections())
            if (count < connListSize)
                connList[count++] = connection.handle;
        *connCount = count;
        return 0;
    };
}

NWCCODE NWAPI NWGetObjectName(NWCONN_HANDLE conn, uint32_t objectId, char* objectName, uint16_t* objectType)
{
    NWSIM_ENTER(NWGetObjectName)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        const nwsim::TBinderyObject* object = server->FindObject(objectId);
        if (object == nullptr)
            return nwsim::kNoSuchObject;
        nwsim::CopyText(objectName, object->name, nwsim::kObjectNameBytes);
        if (objectType != nullptr)
            *objectType = object->type;
        return 0;
    };
}

NWCCODE NWAPI NWGetObjectID(NWCONN_HANDLE conn, char* objectName, uint16_t objectType, uint32_t* objectId)
{
    NWSIM_ENTER(NWGetObjectID)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        std::string name;
        if (!nwsim::ReadText(objectName, nwsim::kObjectNameBytes - 1, name))
            return nwsim::kNoSuchObject;
        nwsim::NoteText("NWGetObjectID", name);
        for (const nwsim::TBinderyObject& object : server->bindery)
            if (object.name == nwsim::UpperName(name) &&
                (objectType == kAnyObjectType || object.type == objectType))
            {
                if (objectId != nullptr)
                    *objectId = object.id;
                return 0;
            }
        return nwsim::kNoSuchObject;
    };
}

uint32_t NWAPI NWLongSwap(uint32_t value)
{
    NWSIM_ENTER(NWLongSwap)
    {
        return (value >> 24) | (value >> 8 & 0xFF00) | (value << 8 & 0xFF0000) | (value << 24);
    };
}

NWCCODE NWAPI NWScanObject(NWCONN_HANDLE conn, char* searchName, uint16_t searchType, uint32_t* objectId,
                           char* objectName, uint16_t* objectType, uint8_t* hasProperties,
                           uint8_t* objectFlags, uint8_t* objectSecurity)
{
    NWSIM_ENTER(NWScanObject)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        std::string pattern;
        if (objectId == nullptr || !nwsim::ReadText(searchName, nwsim::kObjectNameBytes - 1, pattern))
            return nwsim::kNoSuchObject;
        pattern = nwsim::UpperName(pattern);
        // 0xFFFFFFFF starts a scan; otherwise the scan goes on after the object last returned.
        bool started = *objectId == 0xFFFFFFFF;
        for (const nwsim::TBinderyObject& object : server->bindery)
        {
            if (!started)
            {
                started = object.id == *objectId;
                continue;
            }
            if ((searchType != kAnyObjectType && object.type != searchType) ||
                !WildcardMatches(pattern.c_str(), object.name.c_str()))
                continue;
            *objectId = object.id;
            nwsim::CopyText(objectName, object.name, nwsim::kObjectNameBytes);
            if (objectType != nullptr)
                *objectType = object.type;
            if (hasProperties != nullptr)
                *hasProperties = object.fullName.empty() ? 0 : 0xFF;
            if (objectFlags != nullptr)
                *objectFlags = 0;
            if (objectSecurity != nullptr)
                *objectSecurity = 0x31;
            return 0;
        }
        return nwsim::kNoSuchObject;
    };
}

NWCCODE NWAPI NWReadPropertyValue(NWCONN_HANDLE conn, char* objectName, uint16_t objectType,
                                  char* propertyName, uint8_t segment, uint8_t* segmentData,
                                  uint8_t* moreSegments, uint8_t* propertyFlags)
{
    NWSIM_ENTER(NWReadPropertyValue)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        std::string name;
        std::string property;
        if (!nwsim::ReadText(objectName, nwsim::kObjectNameBytes - 1, name) ||
            !nwsim::ReadText(propertyName, 15, property))
            return nwsim::kNoSuchObject;
        nwsim::NoteText("NWReadPropertyValue", name + "|" + property);
        const nwsim::TBinderyObject* object = server->FindObject(name, objectType);
        if (object == nullptr)
            return nwsim::kNoSuchObject;
        // The identification property holds the full name in one 128-byte segment.
        if (nwsim::UpperName(property) != "IDENTIFICATION" || object->fullName.empty() || segment != 1)
            return nwsim::kNoSuchProperty;
        if (segmentData != nullptr)
        {
            std::memset(segmentData, 0, 128);
            nwsim::CopyText(reinterpret_cast<char*>(segmentData), object->fullName, 128);
        }
        if (moreSegments != nullptr)
            *moreSegments = 0;
        if (propertyFlags != nullptr)
            *propertyFlags = 0;
        return 0;
    };
}

NWCCODE NWAPI NWCheckConsolePrivileges(NWCONN_HANDLE conn)
{
    NWSIM_ENTER(NWCheckConsolePrivileges)
    {
        const TSimConnection* found = Net().FindConnection(conn);
        if (found == nullptr)
            return nwsim::kInvalidConnection;
        return found->login && found->login->consoleOperator ? 0 : nwsim::kNoConsoleRights;
    };
}

NWCCODE NWAPI NWIsManager(NWCONN_HANDLE conn)
{
    NWSIM_ENTER(NWIsManager)
    {
        const TSimConnection* found = Net().FindConnection(conn);
        if (found == nullptr)
            return nwsim::kInvalidConnection;
        return found->login && found->login->manager ? 0 : nwsim::kNoConsoleRights;
    };
}

NWCCODE NWAPI NWGetFileServerName(NWCONN_HANDLE conn, char* serverName)
{
    NWSIM_ENTER(NWGetFileServerName)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        nwsim::CopyText(serverName, server->name, nwsim::kServerNameBytes);
        return 0;
    };
}

NWCCODE NWAPI NWGetFileServerInformation(NWCONN_HANDLE conn, char* serverName, uint8_t* majorVersion,
                                         uint8_t* minorVersion, uint8_t* revision, uint16_t* maxConnections,
                                         uint16_t* maxConnectionsUsed, uint16_t* connectionsInUse,
                                         uint16_t* volumes, uint8_t* sftLevel, uint8_t* ttsLevel)
{
    NWSIM_ENTER(NWGetFileServerInformation)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        nwsim::CopyText(serverName, server->name, nwsim::kServerNameBytes);
        const auto put = [](auto* target, auto value) {
            if (target != nullptr)
                *target = value;
        };
        put(majorVersion, server->majorVersion);
        put(minorVersion, server->minorVersion);
        put(revision, server->revision);
        put(maxConnections, server->maxConnections);
        put(maxConnectionsUsed, server->maxConnectionsUsed);
        put(connectionsInUse, server->connectionsInUse);
        put(volumes, static_cast<uint16_t>(server->volumes.size()));
        put(sftLevel, server->sftLevel);
        put(ttsLevel, server->ttsLevel);
        return 0;
    };
}

NWCCODE NWAPI NWGetFileServerInfo(NWCONN_HANDLE conn, uint8_t* infoBlock)
{
    NWSIM_ENTER(NWGetFileServerInfo)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        if (infoBlock == nullptr)
            return nwsim::kFailure;
        // The extended block: time since the server came up (in ticks), its utilisation and two packet
        // counts.
        std::memset(infoBlock, 0, kServerInfoBlockSize);
        nwsim::Put32(infoBlock, 0, 18 * 3600 * 24 * 7);
        infoBlock[24] = 12;
        nwsim::Put32(infoBlock, 140, 1048576);
        nwsim::Put32(infoBlock, 144, 734003);
        return 0;
    };
}

NWCCODE NWAPI NWGetFileServerDateAndTime(NWCONN_HANDLE conn, uint8_t* dateTime)
{
    NWSIM_ENTER(NWGetFileServerDateAndTime)
    {
        const nwsim::TSimServer* server = ServerOf(conn);
        if (server == nullptr)
            return nwsim::kInvalidConnection;
        if (dateTime == nullptr)
            return nwsim::kFailure;
        PackDateTimeBytes(Net().ServerClock(server->name), dateTime);
        return 0;
    };
}

NWCCODE NWAPI NWSetFileServerDateAndTime(NWCONN_HANDLE conn, uint8_t year, uint8_t month, uint8_t day,
                                         uint8_t hour, uint8_t minute, uint8_t second)
{
    NWSIM_ENTER(NWSetFileServerDateAndTime)
    {
        const TSimConnection* found = Net().FindConnection(conn);
        if (found == nullptr)
            return nwsim::kInvalidConnection;
        nwsim::NoteText("NWSetFileServerDateAndTime",
                        std::to_string(year) + " " + std::to_string(month) + " " + std::to_string(day) + " " +
                            std::to_string(hour) + " " + std::to_string(minute) + " " +
                            std::to_string(second));
        if (!found->login || !found->login->consoleOperator)
            return nwsim::kNoConsoleRights;
        // The year counts from 1900; the server keeps its clock between 1980 and 2079.
        const nwsim::TSimTime time{static_cast<uint16_t>(1900 + year), month, day, hour, minute, second};
        const nwsim::TSimTime normal = nwsim::AddSeconds(time, 0);
        if (year < 80 || year > 179 || month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 ||
            second > 59 || normal.day != day)
            return nwsim::kFailure;
        Net().SetServerClock(found->server, time);
        return 0;
    };
}

NWCCODE NWAPI NWGetMaximumConnections(uint16_t* maxConnections)
{
    NWSIM_ENTER(NWGetMaximumConnections)
    {
        if (maxConnections == nullptr)
            return nwsim::kFailure;
        *maxConnections = kMaximumWorkstationConnections;
        return 0;
    };
}

NWCCODE NWAPI NWSetBroadcastMode(NWCONN_HANDLE conn, uint16_t mode)
{
    NWSIM_ENTER(NWSetBroadcastMode)
    {
        TSimConnection* found = Net().FindConnection(conn);
        if (found == nullptr)
            return nwsim::kInvalidConnection;
        if (mode > 3)
            return nwsim::kFailure;
        found->broadcastMode = mode;
        return 0;
    };
}

void NWAPI NWUnpackDateTime(uint32_t packed, NW_DATE* date, NW_TIME* time)
{
    NWSIM_ENTER(NWUnpackDateTime)
    {
        const nwsim::TSimTime unpacked = nwsim::UnpackDosDateTime(packed);
        if (date != nullptr)
            *date = NW_DATE{unpacked.day, unpacked.month, unpacked.year};
        if (time != nullptr)
            *time = NW_TIME{unpacked.second, unpacked.minute, unpacked.hour};
    };
}

NW_CALWIN32_API(NWSIM_CHECK_EXPORT)
