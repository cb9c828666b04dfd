// A server's facts as GetServerInfo reads them.
#pragma once

#include <cstdint>
#include <string>

namespace nw
{

struct TNWServerInfo
{
    std::string ServerName;
    uint32_t ExtBlockStart = 0;
    uint8_t ClearedByte = 0;
    uint8_t ExtBlockByte = 0;
    uint32_t ClearedValueA = 0;
    uint32_t ClearedValueB = 0;
    uint32_t ExtBlockValueA = 0;
    uint32_t ExtBlockValueB = 0;
    std::string Version;
    uint16_t MaxConnections = 0;
    uint16_t ConnectionsInUse = 0;
    uint16_t MaxConnectionsUsed = 0;
    uint16_t Volumes = 0;
    uint8_t SFTLevel = 0;
    uint8_t TTSLevel = 0;
};

} // namespace nw
