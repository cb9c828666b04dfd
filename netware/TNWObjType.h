// Bindery object types and broadcast modes of the connection component.
#pragma once

#include <cstdint>
#include <optional>

namespace nw
{

enum class TNWObjType : uint8_t
{
    nwObjTypeNone,
    nwObjTypeUser,
    nwObjTypeGroup,
    nwObjTypePrintQ,
    nwObjTypeFileServer,
    nwObjTypeJobServer,
    nwObjTypeGateway,
    nwObjTypePrintServer,
    nwObjTypeArchiveQueue,
    nwObjTypeArchiveServer,
    nwObjTypeJobQueue,
    nwObjTypeAdministration,
    nwObjTypeNASSNAServer,
    nwObjTypeRemoteBridge,
    nwObjTypeTCPIPGateway,
    nwObjTypeNDSTree,
    nwObjTypeConnectedServer,
};

// The 16-bit bindery code of a type; 0 for the types without one.
uint16_t ObjectTypeCode(TNWObjType type);
// The type of a bindery code, or nothing for a code outside the table.
std::optional<TNWObjType> ObjectTypeOfCode(uint16_t code);

enum class TNWBroadcastMode : uint16_t
{
    nwBroadcastOn = 0,
    nwBroadcastServerOnly = 1,
    nwBroadcastOff = 2,
    nwBroadcastStored = 3,
};

} // namespace nw
