#include "DeletedInfoBlock.h"

#include "BlockFields.h"
#include "TSimTime.h"

#include <algorithm>
#include <cstring>

namespace nwsim
{
void PackDeletedInfoBlock(const TScannedEntry& entry, uint8_t* block)
{
    const TDeletedFile& file = entry.file;
    std::memset(block, 0, kDeletedInfoBlockSize);
    Put32(block, 0, entry.sequence);
    Put32(block, 4, entry.dirBase);
    Put32(block, 8, file.attributes);
    block[13] = file.flags;
    block[14] = file.nameSpace;
    const size_t nameLength = std::min<size_t>(file.name.size(), 255);
    block[15] = static_cast<uint8_t>(nameLength);
    std::memcpy(block + 16, file.name.data(), nameLength);
    Put32(block, 272, PackDosDateTime(file.created));
    Put32(block, 276, file.owner);
    Put32(block, 280, PackDosDateTime(file.archived));
    Put32(block, 284, file.archiver);
    Put32(block, 288, PackDosDateTime(file.updated));
    Put32(block, 292, file.updater);
    Put32(block, 296, file.size);
    Put16(block, 344, file.inheritedRights);
    Put16(block, 346, PackDosDate(file.accessed));
    Put32(block, 348, static_cast<uint32_t>(SecondsSince1970(file.deleted)));
    Put32(block, 352, PackDosDateTime(file.deleted));
    Put32(block, 356, file.deletor);
}

} // namespace nwsim
