// The decoded details of one deleted entry.
#pragma once

#include "TDateTime.h"

#include <cstdint>
#include <string>

namespace nw
{

// The attribute bit of a deleted entry that is a folder (NSS keeps a deleted folder as an entry).
constexpr uint32_t kDirectoryAttribute = 0x10;

struct TNWDeletedFileInfoX
{
    uint32_t Attributes = 0;
    uint8_t Flags = 0;
    uint8_t NameSpace = 0;
    uint8_t NameLength = 0;
    std::string Name;
    TDateTime Created = 0;
    std::string Owner;
    TDateTime Archived = 0;
    std::string ArchivedBy;
    TDateTime Updated = 0;
    std::string UpdatedBy;
    int32_t Size = 0;
    bool RightRead = false;
    bool RightWrite = false;
    bool RightOpen = false;
    bool RightCreate = false;
    bool RightDelete = false;
    bool RightErase = false;
    bool RightAccessControl = false;
    bool RightSearch = false;
    bool RightFileScan = false;
    bool RightModify = false;
    bool RightAny = false;
    bool RightSupervisor = false;
    bool RightAnyNonSupervisor = false;
    TDateTime Accessed = 0;
    TDateTime Deleted = 0;
    std::string DeletedBy;
};

} // namespace nw
