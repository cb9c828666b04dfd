// The stand-in's scan block read back by the program's own decoder: both sides must agree on every field.
#include "DeletedInfoBlock.h"
#include "TConnectedTest.h"
#include "TNWServer.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace
{

using nw::DecodeDateTime;
using nw::TDateParts;

void ExpectParts(nw::TDateTime value, const nwsim::TSimTime& time, const char* what)
{
    const TDateParts parts = DecodeDateTime(value);
    EXPECT_EQ(parts.year, time.year) << what;
    EXPECT_EQ(parts.month, time.month) << what;
    EXPECT_EQ(parts.day, time.day) << what;
    EXPECT_EQ(parts.hour, time.hour) << what;
    EXPECT_EQ(parts.minute, time.minute) << what;
    // The packed form keeps even seconds only.
    EXPECT_EQ(parts.second, time.second / 2 * 2) << what;
}

nwsim::TScannedEntry SampleEntry()
{
    nwsim::TScannedEntry entry;
    entry.sequence = 0x01020304;
    entry.dirBase = 77;
    entry.volume = 2;
    entry.file.name = "Quarterly Report.doc";
    entry.file.nameSpace = 4;
    entry.file.attributes = 0x1081;
    entry.file.flags = 0x20;
    entry.file.size = 123456789;
    entry.file.inheritedRights = 0x01FB;
    entry.file.created = {1996, 3, 4, 5, 6, 8};
    entry.file.updated = {1997, 12, 31, 23, 59, 58};
    entry.file.accessed = {1998, 1, 2, 0, 0, 0};
    entry.file.deleted = {1998, 2, 28, 0, 30, 11};
    return entry;
}

// The client's date unpacking is the stand-in's, so a connected workstation decodes the block.
class DeletedInfoBlockTest : public TConnectedTest
{
};

} // namespace

TEST_F(DeletedInfoBlockTest, TheProgramReadsBackEveryFieldThatTheStandInPacks)
{
    const nwsim::TScannedEntry entry = SampleEntry();
    std::array<uint8_t, nwsim::kDeletedInfoBlockSize> block{};
    block.fill(0xCC);
    nwsim::PackDeletedInfoBlock(entry, block.data());
    EXPECT_EQ(block[12], 0) << "bytes between the fields are cleared";
    EXPECT_EQ(block.back(), 0) << "the whole block is written";

    const nw::TNWDeletedItem item =
        nw::TNWServer::BuildDeletedItem(0, 9, entry.sequence, entry.volume, entry.dirBase, block.data());
    EXPECT_EQ(item.name, entry.file.name);
    const nw::TNWDeletedFileInfoX& info = *item.entry->Info;
    EXPECT_EQ(info.Attributes, entry.file.attributes);
    EXPECT_EQ(info.Flags, entry.file.flags);
    EXPECT_EQ(info.NameSpace, entry.file.nameSpace);
    EXPECT_EQ(info.Size, 123456789);
    ExpectParts(info.Created, entry.file.created, "created");
    ExpectParts(info.Updated, entry.file.updated, "updated");
    ExpectParts(info.Deleted, entry.file.deleted, "deleted");
    ExpectParts(info.Accessed, entry.file.accessed, "accessed (a date alone)");
    EXPECT_EQ(item.entry->Sequence, entry.sequence);
    EXPECT_EQ(item.entry->DirBase, entry.dirBase);
}

TEST_F(DeletedInfoBlockTest, ANameBeyondTheBlocksRoomIsCutAt255AndNeverRunsIntoTheDates)
{
    nwsim::TScannedEntry entry = SampleEntry();
    entry.file.name = std::string(300, 'L');
    std::array<uint8_t, nwsim::kDeletedInfoBlockSize> block{};
    nwsim::PackDeletedInfoBlock(entry, block.data());
    const nw::TNWDeletedItem item = nw::TNWServer::BuildDeletedItem(0, 9, 1, 1, 1, block.data());
    EXPECT_EQ(item.name, std::string(255, 'L'));
    ExpectParts(item.entry->Info->Created, entry.file.created, "the date after the name is intact");

    entry.file.name.clear();
    nwsim::PackDeletedInfoBlock(entry, block.data());
    EXPECT_TRUE(nw::TNWServer::BuildDeletedItem(0, 9, 1, 1, 1, block.data()).name.empty());
}
