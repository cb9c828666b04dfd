// NETWIN32.DLL of the stand-in: the directory library.
#include "ClientExport.h"
#include "ClientNetwork.h"
#include "ClientText.h"

#include <cstdio>
#include <cstring>

using namespace nw;
using nwsim::Net;

NW_NETWIN32_API(NWSIM_DECLARE_EXPORT)

namespace
{

nwsim::TSimDirectory& Directory()
{
    Net().EnsureLoaded();
    return Net().Directory();
}

// The world, or nullptr when the network has none; the directory then answers as unreachable.
const nwsim::TSimWorld* World()
{
    return Net().World();
}

// A name given by the caller, at most a distinguished name long.
bool ReadName(const char* text, std::string& name)
{
    return nwsim::ReadText(text, nwsim::kDirectoryNameBytes - 1, name);
}

// Remembers a context setting for the test controls: the flags in hexadecimal, or the name context.
void NoteSetting(int32_t key, const void* value)
{
    if (value == nullptr)
        return;
    if (key == nwsim::kContextKeyFlags)
    {
        uint32_t flags = 0;
        std::memcpy(&flags, value, sizeof(flags));
        char text[16];
        std::snprintf(text, sizeof(text), "flags=%X", static_cast<unsigned>(flags));
        nwsim::NoteText("NWDSSetContext", text);
    }
    else if (key == nwsim::kContextKeyNameContext)
    {
        std::string name;
        if (nwsim::ReadText(static_cast<const char*>(value), nwsim::kDirectoryNameBytes - 1, name))
            nwsim::NoteText("NWDSSetContext", "name=" + name);
    }
}

// Whether a connection leads to a server of the directory tree.
bool InTree(NWCONN_HANDLE conn)
{
    const nwsim::TSimServer* server = Net().ServerOf(conn);
    return server != nullptr && !server->tree.empty();
}

// Writes a name the directory produced into the caller's buffer of a distinguished name's size.
NWDSCCODE PutName(NWDSCCODE code, const std::string& name, char* buffer)
{
    if (code != 0)
        return code;
    if (buffer == nullptr)
        return nwsim::kDSInvalidRequest;
    nwsim::CopyText(buffer, name, nwsim::kDirectoryNameBytes);
    return 0;
}

} // namespace

NWDSContextHandle NWAPI NWDSCreateContext(void)
{
    NWSIM_ENTER(NWDSCreateContext)
    {
        return Directory().CreateContext();
    };
}

NWDSCCODE NWAPI NWDSFreeContext(NWDSContextHandle context)
{
    NWSIM_ENTER(NWDSFreeContext)
    {
        return Directory().FreeContext(context);
    };
}

NWDSCCODE NWAPI NWDSSetContext(NWDSContextHandle context, int32_t key, void* value)
{
    NWSIM_ENTER(NWDSSetContext)
    {
        if (World() == nullptr)
            return nwsim::kDSTransportFailure;
        NoteSetting(key, value);
        if (key != nwsim::kContextKeyNameContext || value == nullptr)
            return Directory().SetContext(*World(), context, key, value);
        // The directory keeps its names in UTF-8.
        std::string name;
        if (!ReadName(static_cast<const char*>(value), name))
            return nwsim::kDSInvalidRequest;
        return Directory().SetContext(*World(), context, key, name.c_str());
    };
}

NWDSCCODE NWAPI NWDSGetContext(NWDSContextHandle context, int32_t key, void* value)
{
    NWSIM_ENTER(NWDSGetContext)
    {
        if (key != nwsim::kContextKeyNameContext)
            return Directory().GetContext(context, key, value);
        std::string name;
        return PutName(Directory().GetNameContext(context, name), name, static_cast<char*>(value));
    };
}

NWDSCCODE NWAPI NWDSAllocBuf(uint32_t size, NWDSBuffer* buffer)
{
    NWSIM_ENTER(NWDSAllocBuf)
    {
        return Directory().AllocateBuffer(size, buffer);
    };
}

NWDSCCODE NWAPI NWDSInitBuf(NWDSContextHandle context, uint32_t operation, NWDSBuffer buffer)
{
    NWSIM_ENTER(NWDSInitBuf)
    {
        return Directory().InitializeBuffer(context, operation, buffer);
    };
}

NWDSCCODE NWAPI NWDSFreeBuf(NWDSBuffer buffer)
{
    NWSIM_ENTER(NWDSFreeBuf)
    {
        return Directory().FreeBuffer(buffer);
    };
}

NWDSContextHandle NWAPI NWDSDuplicateContext(NWDSContextHandle context)
{
    NWSIM_ENTER(NWDSDuplicateContext)
    {
        return Directory().DuplicateContext(context);
    };
}

NWDSCCODE NWAPI NWDSDuplicateContextHandle(NWDSContextHandle source, NWDSContextHandle* destination)
{
    NWSIM_ENTER(NWDSDuplicateContextHandle)
    {
        if (destination == nullptr)
            return nwsim::kDSInvalidRequest;
        const NWDSContextHandle copy = Directory().DuplicateContext(source);
        if (copy < 0)
            return copy;
        *destination = copy;
        return 0;
    };
}

NWDSCCODE NWAPI NWDSPutAttrName(NWDSContextHandle context, NWDSBuffer buffer, char* name)
{
    NWSIM_ENTER(NWDSPutAttrName)
    {
        std::string text;
        if (!nwsim::ReadText(name, 32, text))
            return nwsim::kDSInvalidRequest;
        return Directory().PutAttributeName(context, buffer, text);
    };
}

NWDSCCODE NWAPI NWDSPutAttrVal(NWDSContextHandle context, NWDSBuffer buffer, uint32_t, void* value)
{
    NWSIM_ENTER(NWDSPutAttrVal)
    {
        // Values go only into requests that change the directory, which this workstation may not do; the
        // value is taken and later refused with the request.
        if (value == nullptr)
            return nwsim::kDSInvalidRequest;
        return Directory().CheckBuffer(context, buffer);
    };
}

NWDSCCODE NWAPI NWDSGetAttrName(NWDSContextHandle context, NWDSBuffer buffer, char* name,
                                uint32_t* valueCount, uint32_t* syntaxId)
{
    NWSIM_ENTER(NWDSGetAttrName)
    {
        std::string text;
        uint32_t values = 0;
        uint32_t syntax = 0;
        const NWDSCCODE code = Directory().GetAttributeName(context, buffer, text, values, syntax);
        if (code != 0)
            return code;
        if (valueCount != nullptr)
            *valueCount = values;
        if (syntaxId != nullptr)
            *syntaxId = syntax;
        return PutName(0, text, name);
    };
}

NWDSCCODE NWAPI NWDSGetAttrVal(NWDSContextHandle context, NWDSBuffer buffer, uint32_t, void* value)
{
    NWSIM_ENTER(NWDSGetAttrVal)
    {
        if (value == nullptr)
            return nwsim::kDSInvalidRequest;
        // Like the real client, the value is written whole: the caller sizes its area with
        // NWDSComputeAttrValSize.
        std::string text;
        const NWDSCCODE code = Directory().GetValue(context, buffer, text);
        if (code != 0)
            return code;
        nwsim::CopyText(static_cast<char*>(value), text, text.size() + 1);
        return 0;
    };
}

NWDSCCODE NWAPI NWDSGetAttrCount(NWDSContextHandle context, NWDSBuffer buffer, uint32_t* count)
{
    NWSIM_ENTER(NWDSGetAttrCount)
    {
        if (count == nullptr)
            return nwsim::kDSInvalidRequest;
        return Directory().GetAttributeCount(context, buffer, *count);
    };
}

NWDSCCODE NWAPI NWDSPutChange(NWDSContextHandle context, NWDSBuffer buffer, uint32_t, char* attrName)
{
    NWSIM_ENTER(NWDSPutChange)
    {
        std::string text;
        if (!nwsim::ReadText(attrName, 32, text))
            return nwsim::kDSInvalidRequest;
        return Directory().PutAttributeName(context, buffer, text);
    };
}

NWDSCCODE NWAPI NWDSModifyObject(NWDSContextHandle, char*, int32_t*, uint8_t, NWDSBuffer)
{
    NWSIM_ENTER(NWDSModifyObject)
    {
        return nwsim::kDSNoAccess;
    };
}

NWDSCCODE NWAPI NWDSComputeAttrValSize(NWDSContextHandle context, NWDSBuffer buffer, uint32_t, uint32_t* size)
{
    NWSIM_ENTER(NWDSComputeAttrValSize)
    {
        if (size == nullptr)
            return nwsim::kDSInvalidRequest;
        return Directory().ComputeValueSize(context, buffer, *size);
    };
}

NWDSCCODE NWAPI NWDSRead(NWDSContextHandle context, char* objectName, uint32_t, uint8_t allAttributes,
                         NWDSBuffer attrNames, int32_t* iteration, NWDSBuffer objectInfo)
{
    NWSIM_ENTER(NWDSRead)
    {
        std::string name;
        if (iteration == nullptr || !ReadName(objectName, name))
            return nwsim::kDSInvalidRequest;
        if (World() == nullptr)
            return nwsim::kDSTransportFailure;
        return Directory().Read(*World(), context, name, allAttributes != 0, attrNames, *iteration,
                                objectInfo);
    };
}

NWDSCCODE NWAPI NWDSRemoveObject(NWDSContextHandle, char*)
{
    NWSIM_ENTER(NWDSRemoveObject)
    {
        return nwsim::kDSNoAccess;
    };
}

NWDSCCODE NWAPI NWDSGenerateObjectKeyPair(NWDSContextHandle, char*, char*, uint32_t)
{
    NWSIM_ENTER(NWDSGenerateObjectKeyPair)
    {
        return nwsim::kDSNoAccess;
    };
}

NWDSCCODE NWAPI NWDSGetObjectName(NWDSContextHandle context, NWDSBuffer buffer, char* objectName,
                                  uint32_t* attrCount, uint8_t* objectInfo)
{
    NWSIM_ENTER(NWDSGetObjectName)
    {
        std::string name;
        const NWDSCCODE code = Directory().GetObjectName(context, buffer, name, objectInfo);
        if (code == 0 && attrCount != nullptr)
            *attrCount = 0;
        return PutName(code, name, objectName);
    };
}

NWDSCCODE NWAPI NWDSGetObjectCount(NWDSContextHandle context, NWDSBuffer buffer, uint32_t* count)
{
    NWSIM_ENTER(NWDSGetObjectCount)
    {
        if (count == nullptr)
            return nwsim::kDSInvalidRequest;
        return Directory().GetObjectCount(context, buffer, *count);
    };
}

NWDSCCODE NWAPI NWDSAddObject(NWDSContextHandle, char*, int32_t*, uint8_t, NWDSBuffer)
{
    NWSIM_ENTER(NWDSAddObject)
    {
        return nwsim::kDSNoAccess;
    };
}

NWDSCCODE NWAPI NWDSList(NWDSContextHandle context, char* objectName, int32_t* iteration,
                         NWDSBuffer subordinates)
{
    NWSIM_ENTER(NWDSList)
    {
        std::string name;
        if (iteration == nullptr || !ReadName(objectName, name))
            return nwsim::kDSInvalidRequest;
        if (World() == nullptr)
            return nwsim::kDSTransportFailure;
        return Directory().List(*World(), context, name, *iteration, subordinates);
    };
}

NWDSCCODE NWAPI NWDSOpenStream(NWDSContextHandle, char*, char*, uint32_t, uint32_t*)
{
    NWSIM_ENTER(NWDSOpenStream)
    {
        return nwsim::kDSNoAccess;
    };
}

NWDSCCODE NWAPI NWDSCanonicalizeName(NWDSContextHandle context, char* objectName, char* canonicalName)
{
    NWSIM_ENTER(NWDSCanonicalizeName)
    {
        std::string name;
        std::string canonical;
        if (!ReadName(objectName, name))
            return nwsim::kDSInvalidRequest;
        if (World() == nullptr)
            return nwsim::kDSTransportFailure;
        return PutName(Directory().Canonicalize(*World(), context, name, canonical), canonical,
                       canonicalName);
    };
}

NWDSCCODE NWAPI NWDSWhoAmI(NWDSContextHandle context, char* objectName)
{
    NWSIM_ENTER(NWDSWhoAmI)
    {
        std::string name;
        if (World() == nullptr)
            return nwsim::kDSTransportFailure;
        return PutName(Directory().WhoAmI(*World(), context, name), name, objectName);
    };
}

NWDSCCODE NWAPI NWDSMapNameToID(NWDSContextHandle context, NWCONN_HANDLE conn, char* objectName,
                                uint32_t* objectId)
{
    NWSIM_ENTER(NWDSMapNameToID)
    {
        std::string name;
        if (objectId == nullptr || !ReadName(objectName, name))
            return nwsim::kDSInvalidRequest;
        if (World() == nullptr || !InTree(conn))
            return nwsim::kDSTransportFailure;
        return Directory().MapNameToId(*World(), context, name, *objectId);
    };
}

NWDSCCODE NWAPI NWDSMapIDToName(NWDSContextHandle context, NWCONN_HANDLE conn, uint32_t objectId,
                                char* objectName)
{
    NWSIM_ENTER(NWDSMapIDToName)
    {
        if (World() == nullptr || !InTree(conn))
            return nwsim::kDSTransportFailure;
        std::string name;
        return PutName(Directory().MapIdToName(*World(), context, objectId, name), name, objectName);
    };
}

NWDSCCODE NWAPI NWDSAuditGetObjectID(NWDSContextHandle context, char* objectName, NWCONN_HANDLE* conn,
                                     uint32_t* objectId)
{
    NWSIM_ENTER(NWDSAuditGetObjectID)
    {
        std::string name;
        if (conn == nullptr || objectId == nullptr || !ReadName(objectName, name))
            return nwsim::kDSInvalidRequest;
        if (World() == nullptr || !InTree(*conn))
            return nwsim::kDSTransportFailure;
        return Directory().MapNameToId(*World(), context, name, *objectId);
    };
}

uint16_t NWAPI NWIsDSServer(NWCONN_HANDLE conn, char* treeName)
{
    NWSIM_ENTER(NWIsDSServer)
    {
        const nwsim::TSimServer* server = Net().ServerOf(conn);
        const std::string tree = server != nullptr ? server->tree : std::string();
        nwsim::CopyText(treeName, tree, 33);
        return tree.empty() ? 0 : 1;
    };
}

NW_NETWIN32_API(NWSIM_CHECK_EXPORT)
