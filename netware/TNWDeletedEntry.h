// What a scan attaches to each deleted name: the handles that recover and purge need, and the entry's
// details.
#pragma once

#include "NWClientApi.h"
#include "TNWDeletedFileInfoX.h"

#include <memory>
#include <string>

namespace nw
{

constexpr size_t kDeletedEntryNameSize = 1025; // 1024 characters and a NUL

struct TNWDeletedEntry
{
    NWCONN_HANDLE Connection = 0;
    NWDIR_HANDLE DirHandle = 0;
    uint32_t Sequence = 0;
    uint32_t Volume = 0;
    uint32_t DirBase = 0;
    char Name[kDeletedEntryNameSize] = {};
    // Copies of an entry share its details.
    std::shared_ptr<const TNWDeletedFileInfoX> Info;
};

// One deleted name of a scan with its entry; a scan's list keeps the server's order and allows duplicates.
struct TNWDeletedItem
{
    std::string name;
    std::unique_ptr<TNWDeletedEntry> entry;
};

} // namespace nw
