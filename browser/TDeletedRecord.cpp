// A deleted entry packed into a row's record, and rebuilt from it.
#include "TDeletedRecord.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace
{

using TRightFlag = bool nw::TNWDeletedFileInfoX::*;

// One bit of the record for each right of the details, in this order.
constexpr std::array<TRightFlag, 13> kRights{
    &nw::TNWDeletedFileInfoX::RightRead,
    &nw::TNWDeletedFileInfoX::RightWrite,
    &nw::TNWDeletedFileInfoX::RightOpen,
    &nw::TNWDeletedFileInfoX::RightCreate,
    &nw::TNWDeletedFileInfoX::RightDelete,
    &nw::TNWDeletedFileInfoX::RightErase,
    &nw::TNWDeletedFileInfoX::RightAccessControl,
    &nw::TNWDeletedFileInfoX::RightSearch,
    &nw::TNWDeletedFileInfoX::RightFileScan,
    &nw::TNWDeletedFileInfoX::RightModify,
    &nw::TNWDeletedFileInfoX::RightAny,
    &nw::TNWDeletedFileInfoX::RightSupervisor,
    &nw::TNWDeletedFileInfoX::RightAnyNonSupervisor,
};

uint16_t PackRights(const nw::TNWDeletedFileInfoX& info)
{
    uint16_t bits = 0;
    for (size_t i = 0; i < kRights.size(); ++i)
        if (info.*kRights[i])
            bits = static_cast<uint16_t>(bits | (1u << i));
    return bits;
}

void UnpackRights(uint16_t bits, nw::TNWDeletedFileInfoX& info)
{
    for (size_t i = 0; i < kRights.size(); ++i)
        info.*kRights[i] = (bits & (1u << i)) != 0;
}

} // namespace

TDeletedRecord::TDeletedRecord(const nw::TNWDeletedEntry& entry, TUserNamePool& names)
{
    if (entry.Info == nullptr)
        throw std::invalid_argument("a deleted entry without its details");
    const nw::TNWDeletedFileInfoX& info = *entry.Info;
    const size_t entryLength = strnlen(entry.Name, nw::kDeletedEntryNameSize - 1);
    // Both names fit the entry's buffer, so the lengths fit 16 bits.
    const size_t infoLength = std::min(info.Name.size(), nw::kDeletedEntryNameSize - 1);
    text_.assign(info.Name, 0, infoLength);
    if (info.Name.compare(0, entryLength, entry.Name, entryLength) != 0 || entryLength > infoLength)
    {
        entryNameStart_ = static_cast<uint16_t>(infoLength);
        text_.append(entry.Name, entryLength);
    }
    text_.shrink_to_fit();
    infoNameLength_ = static_cast<uint16_t>(infoLength);
    entryNameLength_ = static_cast<uint16_t>(entryLength);
    connection_ = entry.Connection;
    dirHandle_ = entry.DirHandle;
    sequence_ = entry.Sequence;
    volume_ = entry.Volume;
    dirBase_ = entry.DirBase;
    attributes_ = info.Attributes;
    flags_ = info.Flags;
    nameSpace_ = info.NameSpace;
    nameLength_ = info.NameLength;
    size_ = info.Size;
    rights_ = PackRights(info);
    owner_ = names.Intern(info.Owner);
    archivedBy_ = names.Intern(info.ArchivedBy);
    updatedBy_ = names.Intern(info.UpdatedBy);
    deletedBy_ = names.Intern(info.DeletedBy);
    created_ = info.Created;
    archived_ = info.Archived;
    updated_ = info.Updated;
    accessed_ = info.Accessed;
    deleted_ = info.Deleted;
}

nw::TNWDeletedFileInfoX TDeletedRecord::Info(const TUserNamePool& names) const
{
    nw::TNWDeletedFileInfoX info;
    info.Attributes = attributes_;
    info.Flags = flags_;
    info.NameSpace = nameSpace_;
    info.NameLength = nameLength_;
    info.Name.assign(text_, 0, infoNameLength_);
    info.Created = created_;
    info.Owner = names.Name(owner_);
    info.Archived = archived_;
    info.ArchivedBy = names.Name(archivedBy_);
    info.Updated = updated_;
    info.UpdatedBy = names.Name(updatedBy_);
    info.Size = size_;
    UnpackRights(rights_, info);
    info.Accessed = accessed_;
    info.Deleted = deleted_;
    info.DeletedBy = names.Name(deletedBy_);
    return info;
}

nw::TNWDeletedEntry TDeletedRecord::Entry(const TUserNamePool& names) const
{
    nw::TNWDeletedEntry entry;
    entry.Connection = connection_;
    entry.DirHandle = dirHandle_;
    entry.Sequence = sequence_;
    entry.Volume = volume_;
    entry.DirBase = dirBase_;
    std::memcpy(entry.Name, text_.data() + entryNameStart_, entryNameLength_);
    entry.Name[entryNameLength_] = '\0';
    entry.Info = std::make_shared<const nw::TNWDeletedFileInfoX>(Info(names));
    return entry;
}
