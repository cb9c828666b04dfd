// A deleted entry as a list row keeps it: the handles and every detail of the scan's entry, laid out to cost
// what it holds. The scan's fixed-size entry and its details are rebuilt from it whenever a client call or a
// dialog needs them.
#pragma once

#include "TNWDeletedEntry.h"
#include "TUserNamePool.h"

#include <cstdint>
#include <string>

class TDeletedRecord
{
public:
    // The entry must carry its details; the user names go into the pool of the entry's scan.
    TDeletedRecord(const nw::TNWDeletedEntry& entry, TUserNamePool& names);

    // The entry as the scan made it, with details of its own.
    nw::TNWDeletedEntry Entry(const TUserNamePool& names) const;
    nw::TNWDeletedFileInfoX Info(const TUserNamePool& names) const;

    uint32_t Attributes() const { return attributes_; }

private:
    // The details' name, then the entry's own name when that is not the start of it (a scan cuts it at the
    // length the server gives).
    std::string text_;
    uint16_t infoNameLength_ = 0;
    uint16_t entryNameStart_ = 0;
    uint16_t entryNameLength_ = 0;
    nw::NWDIR_HANDLE dirHandle_ = 0;
    uint8_t flags_ = 0;
    nw::NWCONN_HANDLE connection_ = 0;
    uint32_t sequence_ = 0;
    uint32_t volume_ = 0;
    uint32_t dirBase_ = 0;
    uint32_t attributes_ = 0;
    int32_t size_ = 0;
    uint8_t nameSpace_ = 0;
    uint8_t nameLength_ = 0;
    uint16_t rights_ = 0;
    uint32_t owner_ = 0;
    uint32_t archivedBy_ = 0;
    uint32_t updatedBy_ = 0;
    uint32_t deletedBy_ = 0;
    nw::TDateTime created_ = 0;
    nw::TDateTime archived_ = 0;
    nw::TDateTime updated_ = 0;
    nw::TDateTime accessed_ = 0;
    nw::TDateTime deleted_ = 0;
};
