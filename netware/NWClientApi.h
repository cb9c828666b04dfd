// The NetWare Client 32 entry points the program binds by name: one list per client library.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define NWAPI __stdcall
#else
#define NWAPI
#endif

namespace nw
{

using NWCCODE = uint32_t;  // completion code of the calls and client libraries, 0 = success
using NWDSCCODE = int32_t; // completion code of the directory library, negative on failure
using NWCONN_HANDLE = uint32_t;
using NWCONN_NUM = uint16_t;
using NWDIR_HANDLE = uint8_t;
using NWDSContextHandle = int32_t;
using NWDSBuffer = void*; // opaque request or result buffer of the directory library

// Date and time records filled by NWUnpackDateTime.
struct NW_DATE
{
    uint8_t day;
    uint8_t month;
    uint16_t year;
};

struct NW_TIME
{
    uint8_t seconds;
    uint8_t minutes;
    uint16_t hours;
};

// The locale record of NWLlocaleconv; the program reads only the code page and the country.
struct NW_LCONV
{
    char decimalPoint[4];
    char thousandsSep[4];
    char grouping[4];
    char intCurrSymbol[8];
    char currencySymbol[4];
    char monDecimalPoint[4];
    char monThousandsSep[4];
    char monGrouping[8];
    char positiveSign[4];
    char negativeSign[4];
    char intFracDigits;
    char fracDigits;
    char pCsPrecedes;
    char pSepBySpace;
    char nCsPrecedes;
    char nSepBySpace;
    char pSignPosn;
    char nSignPosn;
    int32_t codePage;
    int32_t countryId;
    char dataListSeparator[2];
    char dateSeparator[2];
    char timeSeparator[2];
    char timeFormat;
    int32_t dateFormat;
    char am[13];
    char pm[13];
    char reserved[40];
};

// Sizes of the fixed blocks exchanged with the client.
constexpr uint32_t kDeletedInfoSize = 376;
constexpr uint32_t kServerInfoBlockSize = 150;
constexpr uint32_t kConnRefInfoSize = 512;
constexpr uint32_t kConnRefInfoNumberOffset = 48;
constexpr uint32_t kConnRefInfoNameOffset = 56;

} // namespace nw

// X(name, return type, parameter list): the entry points of CALWIN32.DLL.
#define NW_CALWIN32_API(X)                                                                                   \
    X(NWCallsInit, nw::NWCCODE, (void* reserved1, void* reserved2))                                          \
    X(NWGetPrimaryConnectionID, nw::NWCCODE, (nw::NWCONN_HANDLE * conn))                                     \
    X(NWSetPrimaryConnectionID, nw::NWCCODE, (nw::NWCONN_HANDLE conn))                                       \
    X(NWGetConnectionHandle, nw::NWCCODE,                                                                    \
      (char* serverName, uint16_t reserved1, nw::NWCONN_HANDLE* conn, uint16_t* reserved2))                  \
    X(NWGetConnectionNumber, nw::NWCCODE, (nw::NWCONN_HANDLE conn, nw::NWCONN_NUM * connNumber))             \
    X(NWGetConnectionInformation, nw::NWCCODE,                                                               \
      (nw::NWCONN_HANDLE conn, nw::NWCONN_NUM connNumber, char* objectName, uint16_t* objectType,            \
       uint32_t* objectId, uint8_t* loginTime))                                                              \
    X(NWGetConnectionList, nw::NWCCODE,                                                                      \
      (uint16_t mode, nw::NWCONN_HANDLE * connList, uint16_t connListSize, uint16_t * connCount))            \
    X(NWGetObjectName, nw::NWCCODE,                                                                          \
      (nw::NWCONN_HANDLE conn, uint32_t objectId, char* objectName, uint16_t* objectType))                   \
    X(NWGetObjectID, nw::NWCCODE,                                                                            \
      (nw::NWCONN_HANDLE conn, char* objectName, uint16_t objectType, uint32_t* objectId))                   \
    X(NWLongSwap, uint32_t, (uint32_t value))                                                                \
    X(NWScanObject, nw::NWCCODE,                                                                             \
      (nw::NWCONN_HANDLE conn, char* searchName, uint16_t searchType, uint32_t* objectId, char* objectName,  \
       uint16_t* objectType, uint8_t* hasProperties, uint8_t* objectFlags, uint8_t* objectSecurity))         \
    X(NWReadPropertyValue, nw::NWCCODE,                                                                      \
      (nw::NWCONN_HANDLE conn, char* objectName, uint16_t objectType, char* propertyName, uint8_t segment,   \
       uint8_t* segmentData, uint8_t* moreSegments, uint8_t* propertyFlags))                                 \
    X(NWCheckConsolePrivileges, nw::NWCCODE, (nw::NWCONN_HANDLE conn))                                       \
    X(NWIsManager, nw::NWCCODE, (nw::NWCONN_HANDLE conn))                                                    \
    X(NWGetFileServerName, nw::NWCCODE, (nw::NWCONN_HANDLE conn, char* serverName))                          \
    X(NWGetFileServerInformation, nw::NWCCODE,                                                               \
      (nw::NWCONN_HANDLE conn, char* serverName, uint8_t* majorVersion, uint8_t* minorVersion,               \
       uint8_t* revision, uint16_t* maxConnections, uint16_t* maxConnectionsUsed,                            \
       uint16_t* connectionsInUse, uint16_t* volumes, uint8_t* sftLevel, uint8_t* ttsLevel))                 \
    X(NWGetFileServerInfo, nw::NWCCODE, (nw::NWCONN_HANDLE conn, uint8_t * infoBlock))                       \
    X(NWGetFileServerDateAndTime, nw::NWCCODE, (nw::NWCONN_HANDLE conn, uint8_t * dateTime))                 \
    X(NWSetFileServerDateAndTime, nw::NWCCODE,                                                               \
      (nw::NWCONN_HANDLE conn, uint8_t year, uint8_t month, uint8_t day, uint8_t hour, uint8_t minute,       \
       uint8_t second))                                                                                      \
    X(NWGetMaximumConnections, nw::NWCCODE, (uint16_t * maxConnections))                                     \
    X(NWSetBroadcastMode, nw::NWCCODE, (nw::NWCONN_HANDLE conn, uint16_t mode))                              \
    X(NWGetFirstDrive, nw::NWCCODE, (uint16_t * firstDrive))                                                 \
    X(NWGetDriveStatus, nw::NWCCODE,                                                                         \
      (uint16_t driveNumber, uint16_t pathFormat, uint16_t * status, nw::NWCONN_HANDLE * conn,               \
       char* rootPath, char* relativePath, char* fullPath))                                                  \
    X(NWSetNetWareErrorMode, nw::NWCCODE, (uint8_t mode, uint8_t * previousMode))                            \
    X(NWParseNetWarePath, nw::NWCCODE,                                                                       \
      (char* path, nw::NWCONN_HANDLE* conn, nw::NWDIR_HANDLE* dirHandle, char* parsedPath))                  \
    X(NWAllocTemporaryDirectoryHandle, nw::NWCCODE,                                                          \
      (nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle, char* path, nw::NWDIR_HANDLE* newDirHandle,       \
       uint8_t* rightsMask))                                                                                 \
    X(NWDeallocateDirectoryHandle, nw::NWCCODE, (nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle))        \
    X(NWScanForDeletedFiles, nw::NWCCODE,                                                                    \
      (nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle, uint32_t * sequence, uint32_t * volume,           \
       uint32_t * dirBase, uint8_t * entryInfo))                                                             \
    X(NWRecoverDeletedFile, nw::NWCCODE,                                                                     \
      (nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle, uint32_t sequence, uint32_t volume,               \
       uint32_t dirBase, char* deletedName, char* recoverName))                                              \
    X(NWPurgeDeletedFile, nw::NWCCODE,                                                                       \
      (nw::NWCONN_HANDLE conn, nw::NWDIR_HANDLE dirHandle, uint32_t sequence, uint32_t volume,               \
       uint32_t dirBase, char* fileName))                                                                    \
    X(NWPurgeErasedFiles, nw::NWCCODE, (nw::NWCONN_HANDLE conn))                                             \
    X(NWUnpackDateTime, void, (uint32_t packed, nw::NW_DATE * date, nw::NW_TIME * time))

// The entry points of CLXWIN32.DLL. NWCCGetConnInfo is exported by CALWIN32.DLL too.
#define NW_CLXWIN32_API(X)                                                                                   \
    X(NWCCGetPrimConnRef, nw::NWCCODE, (uint32_t * connRef))                                                 \
    X(NWCCOpenConnByRef, nw::NWCCODE,                                                                        \
      (uint32_t connRef, uint32_t openState, uint32_t reserved, nw::NWCONN_HANDLE * conn))                   \
    X(NWCCOpenConnByName, nw::NWCCODE,                                                                       \
      (nw::NWCONN_HANDLE startConn, char* name, uint32_t nameFormat, uint32_t openState, uint32_t transport, \
       nw::NWCONN_HANDLE* conn))                                                                             \
    X(NWCCGetConnInfo, nw::NWCCODE,                                                                          \
      (nw::NWCONN_HANDLE conn, uint32_t infoType, uint32_t length, void* buffer))                            \
    X(NWCCScanConnRefs, nw::NWCCODE, (uint32_t * scanIterator, uint32_t * connRef))                          \
    X(NWCCGetAllConnRefInfo, nw::NWCCODE, (uint32_t connRef, uint32_t infoLevel, uint8_t * infoBlock))       \
    X(NWCCSetPrefServerName, nw::NWCCODE, (char* serverName))

// The entry points of NETWIN32.DLL.
#define NW_NETWIN32_API(X)                                                                                   \
    X(NWDSCreateContext, nw::NWDSContextHandle, (void))                                                      \
    X(NWDSFreeContext, nw::NWDSCCODE, (nw::NWDSContextHandle context))                                       \
    X(NWDSSetContext, nw::NWDSCCODE, (nw::NWDSContextHandle context, int32_t key, void* value))              \
    X(NWDSGetContext, nw::NWDSCCODE, (nw::NWDSContextHandle context, int32_t key, void* value))              \
    X(NWDSAllocBuf, nw::NWDSCCODE, (uint32_t size, nw::NWDSBuffer * buffer))                                 \
    X(NWDSInitBuf, nw::NWDSCCODE,                                                                            \
      (nw::NWDSContextHandle context, uint32_t operation, nw::NWDSBuffer buffer))                            \
    X(NWDSFreeBuf, nw::NWDSCCODE, (nw::NWDSBuffer buffer))                                                   \
    X(NWDSDuplicateContext, nw::NWDSContextHandle, (nw::NWDSContextHandle context))                          \
    X(NWDSDuplicateContextHandle, nw::NWDSCCODE,                                                             \
      (nw::NWDSContextHandle source, nw::NWDSContextHandle * destination))                                   \
    X(NWDSPutAttrName, nw::NWDSCCODE, (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, char* name))    \
    X(NWDSPutAttrVal, nw::NWDSCCODE,                                                                         \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, uint32_t syntaxId, void* value))                \
    X(NWDSGetAttrName, nw::NWDSCCODE,                                                                        \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, char* name, uint32_t* valueCount,               \
       uint32_t* syntaxId))                                                                                  \
    X(NWDSGetAttrVal, nw::NWDSCCODE,                                                                         \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, uint32_t syntaxId, void* value))                \
    X(NWDSGetAttrCount, nw::NWDSCCODE,                                                                       \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, uint32_t * count))                              \
    X(NWDSPutChange, nw::NWDSCCODE,                                                                          \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, uint32_t changeType, char* attrName))           \
    X(NWDSModifyObject, nw::NWDSCCODE,                                                                       \
      (nw::NWDSContextHandle context, char* objectName, int32_t* iteration, uint8_t more,                    \
       nw::NWDSBuffer changes))                                                                              \
    X(NWDSComputeAttrValSize, nw::NWDSCCODE,                                                                 \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, uint32_t syntaxId, uint32_t * size))            \
    X(NWDSRead, nw::NWDSCCODE,                                                                               \
      (nw::NWDSContextHandle context, char* objectName, uint32_t infoType, uint8_t allAttributes,            \
       nw::NWDSBuffer attrNames, int32_t* iteration, nw::NWDSBuffer objectInfo))                             \
    X(NWDSRemoveObject, nw::NWDSCCODE, (nw::NWDSContextHandle context, char* objectName))                    \
    X(NWDSGenerateObjectKeyPair, nw::NWDSCCODE,                                                              \
      (nw::NWDSContextHandle context, char* objectName, char* password, uint32_t options))                   \
    X(NWDSGetObjectName, nw::NWDSCCODE,                                                                      \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, char* objectName, uint32_t* attrCount,          \
       uint8_t* objectInfo))                                                                                 \
    X(NWDSGetObjectCount, nw::NWDSCCODE,                                                                     \
      (nw::NWDSContextHandle context, nw::NWDSBuffer buffer, uint32_t * count))                              \
    X(NWDSAddObject, nw::NWDSCCODE,                                                                          \
      (nw::NWDSContextHandle context, char* objectName, int32_t* iteration, uint8_t more,                    \
       nw::NWDSBuffer objectInfo))                                                                           \
    X(NWDSList, nw::NWDSCCODE,                                                                               \
      (nw::NWDSContextHandle context, char* objectName, int32_t* iteration, nw::NWDSBuffer subordinates))    \
    X(NWDSOpenStream, nw::NWDSCCODE,                                                                         \
      (nw::NWDSContextHandle context, char* objectName, char* attrName, uint32_t flags,                      \
       uint32_t* fileHandle))                                                                                \
    X(NWDSCanonicalizeName, nw::NWDSCCODE,                                                                   \
      (nw::NWDSContextHandle context, char* objectName, char* canonicalName))                                \
    X(NWDSWhoAmI, nw::NWDSCCODE, (nw::NWDSContextHandle context, char* objectName))                          \
    X(NWDSMapNameToID, nw::NWDSCCODE,                                                                        \
      (nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn, char* objectName, uint32_t* objectId))         \
    X(NWDSMapIDToName, nw::NWDSCCODE,                                                                        \
      (nw::NWDSContextHandle context, nw::NWCONN_HANDLE conn, uint32_t objectId, char* objectName))          \
    X(NWDSAuditGetObjectID, nw::NWDSCCODE,                                                                   \
      (nw::NWDSContextHandle context, char* objectName, nw::NWCONN_HANDLE* conn, uint32_t* objectId))        \
    X(NWIsDSServer, uint16_t, (nw::NWCONN_HANDLE conn, char* treeName))

// The entry points of LOCWIN32.DLL.
#define NW_LOCWIN32_API(X)                                                                                   \
    X(NWLlocaleconv, nw::NW_LCONV*, (nw::NW_LCONV * locale))                                                 \
    X(NWInitUnicodeTables, nw::NWCCODE, (int32_t countryCode, int32_t codePage))                             \
    X(NWFreeUnicodeTables, nw::NWCCODE, (void))

namespace nw
{
// One function-pointer type per entry point: nw::PFN_NWCallsInit and so on.
#define NW_DECLARE_PFN(name, ret, params) using PFN_##name = ret(NWAPI*) params;
NW_CALWIN32_API(NW_DECLARE_PFN)
NW_CLXWIN32_API(NW_DECLARE_PFN)
NW_NETWIN32_API(NW_DECLARE_PFN)
NW_LOCWIN32_API(NW_DECLARE_PFN)
#undef NW_DECLARE_PFN
} // namespace nw
