// The bindery codes of the object types.
#include "TNWObjType.h"

#include <utility>

namespace nw
{
namespace
{

constexpr std::pair<TNWObjType, uint16_t> kCodes[] = {
    {TNWObjType::nwObjTypeUser, 0x0100},           {TNWObjType::nwObjTypeGroup, 0x0200},
    {TNWObjType::nwObjTypePrintQ, 0x0300},         {TNWObjType::nwObjTypeFileServer, 0x0400},
    {TNWObjType::nwObjTypeJobServer, 0x0500},      {TNWObjType::nwObjTypeGateway, 0x0600},
    {TNWObjType::nwObjTypePrintServer, 0x0700},    {TNWObjType::nwObjTypeArchiveQueue, 0x0800},
    {TNWObjType::nwObjTypeArchiveServer, 0x0900},  {TNWObjType::nwObjTypeJobQueue, 0x0A00},
    {TNWObjType::nwObjTypeAdministration, 0x0B00}, {TNWObjType::nwObjTypeNASSNAServer, 0x2100},
    {TNWObjType::nwObjTypeRemoteBridge, 0x2600},   {TNWObjType::nwObjTypeTCPIPGateway, 0x2700},
};

} // namespace

uint16_t ObjectTypeCode(TNWObjType type)
{
    for (const auto& [known, code] : kCodes)
        if (known == type)
            return code;
    return 0;
}

std::optional<TNWObjType> ObjectTypeOfCode(uint16_t code)
{
    for (const auto& [type, known] : kCodes)
        if (known == code)
            return type;
    return std::nullopt;
}

} // namespace nw
