// The 376-byte block in which a deleted-file scan returns one entry, laid out as the NetWare calls give it.
#pragma once

#include "TSimFileService.h"

#include <cstddef>
#include <cstdint>

namespace nwsim
{

constexpr size_t kDeletedInfoBlockSize = 376;

// Fills the whole block (unused bytes zero); a name longer than 255 characters is cut there.
void PackDeletedInfoBlock(const TScannedEntry& entry, uint8_t* block);

} // namespace nwsim
