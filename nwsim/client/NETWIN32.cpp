// NETWIN32.DLL of the stand-in: the directory library.
#include "ClientExport.h"
#include "LibraryEntry.h"

using namespace nw;

NW_NETWIN32_API(NWSIM_DECLARE_EXPORT)
NWSIM_CLIENT_LIBRARY("NETWIN32.DLL")

NWDSContextHandle NWAPI NWDSCreateContext(void)
{
    NWSIM_ENTER(NWDSCreateContext);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSFreeContext(NWDSContextHandle)
{
    NWSIM_ENTER(NWDSFreeContext);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSSetContext(NWDSContextHandle, int32_t, void*)
{
    NWSIM_ENTER(NWDSSetContext);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSGetContext(NWDSContextHandle, int32_t, void*)
{
    NWSIM_ENTER(NWDSGetContext);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSAllocBuf(uint32_t, NWDSBuffer*)
{
    NWSIM_ENTER(NWDSAllocBuf);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSInitBuf(NWDSContextHandle, uint32_t, NWDSBuffer)
{
    NWSIM_ENTER(NWDSInitBuf);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSFreeBuf(NWDSBuffer)
{
    NWSIM_ENTER(NWDSFreeBuf);
    return nwsim::kDSNotSupported;
}

NWDSContextHandle NWAPI NWDSDuplicateContext(NWDSContextHandle)
{
    NWSIM_ENTER(NWDSDuplicateContext);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSDuplicateContextHandle(NWDSContextHandle, NWDSContextHandle*)
{
    NWSIM_ENTER(NWDSDuplicateContextHandle);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSPutAttrName(NWDSContextHandle, NWDSBuffer, char*)
{
    NWSIM_ENTER(NWDSPutAttrName);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSPutAttrVal(NWDSContextHandle, NWDSBuffer, uint32_t, void*)
{
    NWSIM_ENTER(NWDSPutAttrVal);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSGetAttrName(NWDSContextHandle, NWDSBuffer, char*, uint32_t*, uint32_t*)
{
    NWSIM_ENTER(NWDSGetAttrName);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSGetAttrVal(NWDSContextHandle, NWDSBuffer, uint32_t, void*)
{
    NWSIM_ENTER(NWDSGetAttrVal);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSGetAttrCount(NWDSContextHandle, NWDSBuffer, uint32_t*)
{
    NWSIM_ENTER(NWDSGetAttrCount);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSPutChange(NWDSContextHandle, NWDSBuffer, uint32_t, char*)
{
    NWSIM_ENTER(NWDSPutChange);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSModifyObject(NWDSContextHandle, char*, int32_t*, uint8_t, NWDSBuffer)
{
    NWSIM_ENTER(NWDSModifyObject);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSComputeAttrValSize(NWDSContextHandle, NWDSBuffer, uint32_t, uint32_t*)
{
    NWSIM_ENTER(NWDSComputeAttrValSize);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSRead(NWDSContextHandle, char*, uint32_t, uint8_t, NWDSBuffer, int32_t*, NWDSBuffer)
{
    NWSIM_ENTER(NWDSRead);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSRemoveObject(NWDSContextHandle, char*)
{
    NWSIM_ENTER(NWDSRemoveObject);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSGenerateObjectKeyPair(NWDSContextHandle, char*, char*, uint32_t)
{
    NWSIM_ENTER(NWDSGenerateObjectKeyPair);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSGetObjectName(NWDSContextHandle, NWDSBuffer, char*, uint32_t*, uint8_t*)
{
    NWSIM_ENTER(NWDSGetObjectName);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSGetObjectCount(NWDSContextHandle, NWDSBuffer, uint32_t*)
{
    NWSIM_ENTER(NWDSGetObjectCount);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSAddObject(NWDSContextHandle, char*, int32_t*, uint8_t, NWDSBuffer)
{
    NWSIM_ENTER(NWDSAddObject);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSList(NWDSContextHandle, char*, int32_t*, NWDSBuffer)
{
    NWSIM_ENTER(NWDSList);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSOpenStream(NWDSContextHandle, char*, char*, uint32_t, uint32_t*)
{
    NWSIM_ENTER(NWDSOpenStream);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSCanonicalizeName(NWDSContextHandle, char*, char*)
{
    NWSIM_ENTER(NWDSCanonicalizeName);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSWhoAmI(NWDSContextHandle, char*)
{
    NWSIM_ENTER(NWDSWhoAmI);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSMapNameToID(NWDSContextHandle, NWCONN_HANDLE, char*, uint32_t*)
{
    NWSIM_ENTER(NWDSMapNameToID);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSMapIDToName(NWDSContextHandle, NWCONN_HANDLE, uint32_t, char*)
{
    NWSIM_ENTER(NWDSMapIDToName);
    return nwsim::kDSNotSupported;
}

NWDSCCODE NWAPI NWDSAuditGetObjectID(NWDSContextHandle, char*, NWCONN_HANDLE*, uint32_t*)
{
    NWSIM_ENTER(NWDSAuditGetObjectID);
    return nwsim::kDSNotSupported;
}

uint16_t NWAPI NWIsDSServer(NWCONN_HANDLE, char*)
{
    NWSIM_ENTER(NWIsDSServer);
    return 0;
}

NW_NETWIN32_API(NWSIM_CHECK_EXPORT)
