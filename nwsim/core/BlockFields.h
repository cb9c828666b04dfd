// Writing numbers into the byte blocks that the NetWare calls fill, in the host's (little-endian) order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace nwsim
{

inline void Put32(uint8_t* block, size_t offset, uint32_t value)
{
    std::memcpy(block + offset, &value, sizeof(value));
}

inline void Put16(uint8_t* block, size_t offset, uint16_t value)
{
    std::memcpy(block + offset, &value, sizeof(value));
}

} // namespace nwsim
