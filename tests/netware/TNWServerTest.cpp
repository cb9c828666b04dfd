// The server module against the stand-in: scans and every decoded field, recovery, server facts and clock.
#include "TNWServer.h"
#include "NWSim.h"
#include "SimFiles.h"
#include "TConnectedTest.h"
#include "TFailingAllocations.h"
#include "TNWBase.h"
#include "TNWEntryPoint.h"
#include "TNWLib.h"

#include <array>
#include <cstring>

using namespace nw;
using nwsim::TDeletedFile;
using nwsim::TSimTime;

namespace
{

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
}

} // namespace

class TNWServerTest : public TConnectedTest
{
protected:
    uint32_t AddDeleted(const std::string& folder, const std::string& name, const std::string& content,
                        TDeletedFile entry = {})
    {
        return world_.AddDeleted("TARVEX", "DATA", folder, name, content, entry);
    }
};

TEST_F(TNWServerTest, AScanDecodesEveryFieldOfAnEntry)
{
    TDeletedFile file;
    file.attributes = 0x21;
    file.flags = 2;
    file.nameSpace = 4;
    file.inheritedRights = 0x0050;
    file.owner = 0x00000001;   // SUPERVISOR in TARVEX's bindery
    file.updater = 0x10000011; // BOB, a directory user
    file.deletor = 0x10000012; // ALICE
    file.archiver = 0x7777;    // nobody
    file.created = TSimTime{2025, 3, 4, 5, 6, 8};
    file.updated = TSimTime{2026, 7, 8, 9, 10, 12};
    file.archived = TSimTime{2026, 8, 1, 23, 59, 58};
    file.accessed = TSimTime{2026, 11, 2, 0, 0, 0};
    file.deleted = TSimTime{2026, 12, 1, 17, 45, 30};
    AddDeleted("PROJECTS", "Quarterly plan.doc", "twelve bytes", file);

    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "f:\\projects\\");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "Quarterly plan.doc");
    const TNWDeletedEntry& entry = *list[0].entry;
    EXPECT_EQ(entry.Connection, kTarvex);
    EXPECT_NE(entry.DirHandle, 0);
    EXPECT_NE(entry.Sequence, 0xFFFFFFFFu);
    EXPECT_EQ(entry.Volume, 1u);
    EXPECT_STREQ(entry.Name, "Quarterly plan.doc");

    const TNWDeletedFileInfoX& info = *entry.Info;
    EXPECT_EQ(info.Attributes, 0x21u);
    EXPECT_EQ(info.Flags, 2);
    EXPECT_EQ(info.NameSpace, 4);
    EXPECT_EQ(info.NameLength, 18);
    EXPECT_EQ(info.Name, "Quarterly plan.doc");
    EXPECT_EQ(info.Size, 12);
    EXPECT_DOUBLE_EQ(info.Created, At(2025, 3, 4, 5, 6, 8));
    EXPECT_DOUBLE_EQ(info.Updated, At(2026, 7, 8, 9, 10, 12));
    EXPECT_DOUBLE_EQ(info.Archived, At(2026, 8, 1, 23, 59, 58));
    EXPECT_DOUBLE_EQ(info.Deleted, At(2026, 12, 1, 17, 45, 30));
    EXPECT_DOUBLE_EQ(info.Accessed, At(2026, 11, 2)) << "the access date has no time of day";
    EXPECT_EQ(info.Owner, "SUPERVISOR");
    EXPECT_EQ(info.UpdatedBy, "CN=BOB.OU=SALES.O=TARVEX")
        << "in directory mode a bindery miss asks the directory";
    EXPECT_EQ(info.DeletedBy, "CN=ALICE.OU=SALES.O=TARVEX");
    EXPECT_EQ(info.ArchivedBy, "") << "an ID nobody has";
    EXPECT_EQ(NWSimLastText("NWParseNetWarePath"), std::string("F:/PROJECTS/"));
}

TEST_F(TNWServerTest, RightsFlagsFollowTheInheritedRightsMask)
{
    TDeletedFile deleteAndScan;
    deleteAndScan.inheritedRights = 0x0050;
    TDeletedFile supervisorOnly;
    supervisorOnly.inheritedRights = 0x0100;
    TDeletedFile openOnly;
    openOnly.inheritedRights = 0x0004;
    AddDeleted("R", "A", "", deleteAndScan);
    AddDeleted("R", "B", "", supervisorOnly);
    AddDeleted("R", "C", "", openOnly);
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\R\\");
    ASSERT_EQ(list.size(), 3u);

    const TNWDeletedFileInfoX& a = *list[0].entry->Info;
    EXPECT_TRUE(a.RightDelete && a.RightErase && a.RightSearch && a.RightFileScan);
    EXPECT_FALSE(a.RightRead || a.RightWrite || a.RightOpen || a.RightCreate || a.RightAccessControl ||
                 a.RightModify || a.RightSupervisor);
    EXPECT_TRUE(a.RightAny);
    EXPECT_TRUE(a.RightAnyNonSupervisor);

    const TNWDeletedFileInfoX& b = *list[1].entry->Info;
    EXPECT_TRUE(b.RightSupervisor);
    EXPECT_TRUE(b.RightAny);
    EXPECT_FALSE(b.RightAnyNonSupervisor);

    const TNWDeletedFileInfoX& c = *list[2].entry->Info;
    EXPECT_TRUE(c.RightOpen);
    EXPECT_FALSE(c.RightAny) << "the open bit is outside 0x01FB";
    EXPECT_FALSE(c.RightAnyNonSupervisor);
}

TEST_F(TNWServerTest, OddDatesFallBackAsNetWareValuesDo)
{
    TDeletedFile odd;
    odd.created = TSimTime{2026, 2, 31, 10, 20, 30}; // past the end of February
    odd.updated = TSimTime{2026, 5, 6, 24, 0, 0};    // hour 24
    AddDeleted("D", "ODD.TXT", "", odd);
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\D\\");
    ASSERT_EQ(list.size(), 1u);
    const TNWDeletedFileInfoX& info = *list[0].entry->Info;
    EXPECT_DOUBLE_EQ(info.Created, At(1980, 1, 1, 10, 20, 30)) << "1980 with the time of day kept";
    EXPECT_DOUBLE_EQ(info.Updated, At(2026, 5, 6)) << "no time of day";
    EXPECT_DOUBLE_EQ(info.Archived, At(1980, 1, 1)) << "never archived";

    EXPECT_DOUBLE_EQ(TNWServer::UnpackNWDateTime(0), At(1980, 1, 1));
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWUnpackDateTime", 1);
    EXPECT_DOUBLE_EQ(TNWServer::UnpackNWDateTime((46u << 25 | 12u << 21 | 8u << 16) | 13u << 11),
                     At(2026, 12, 8, 13))
        << "a function once bound stays bound";
}

class TNWServerWithoutUnpackingTest : public TWorldTest
{
};

TEST_F(TNWServerWithoutUnpackingTest, WithoutTheUnpackingEveryDateIsThe1980Default)
{
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWUnpackDateTime", 1);
    TNWBase base;
    TDeletedFile file;
    file.created = TSimTime{2025, 3, 4, 5, 6, 8};
    world_.AddDeleted("TARVEX", "DATA", "U", "U.TXT", "u", file);
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\U\\");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_DOUBLE_EQ(list[0].entry->Info->Created, At(1980, 1, 1));
    EXPECT_DOUBLE_EQ(list[0].entry->Info->Deleted, At(1980, 1, 1));
}

TEST_F(TNWServerTest, AnEmptyFolderReleasesItsHandleAtOnce)
{
    std::filesystem::create_directories(world_.FilesFolder("TARVEX", "DATA") / "EMPTY");
    AddDeleted("FULL", "X.TXT", "x");
    EXPECT_TRUE(TNWServer::ScanDeletedFiles(0, "F:\\EMPTY\\").empty());
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\FULL\\");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the entries carry the handle";
}

TEST_F(TNWServerTest, AnUnparseablePathGivesNothingAndRecordsNothing)
{
    EXPECT_EQ(TNWServer::GetPathConnection("Q:\\NOWHERE\\"), 0u);
    EXPECT_TRUE(TNWServer::ScanDeletedFiles(0, "Q:\\NOWHERE\\").empty());
    EXPECT_TRUE(TNWServer::ScanDeletedFiles(0, "F:\\NO SUCH FOLDER\\").empty());
    const TNWLastError& errors = base_->LastError();
    EXPECT_EQ(errors.NWLib, "0000");
    EXPECT_EQ(errors.NWServer, "0000");
    EXPECT_EQ(TNWServer::GetPathConnection("g:\\"), kOldsrv);
}

TEST_F(TNWServerTest, PathsLongerThanTheBufferAreRefusedBeforeTheClientSeesThem)
{
    const std::string tooLong = "F:\\" + std::string(253, 'A'); // 256 characters
    const uint32_t parses = NWSimCallCount("NWParseNetWarePath");
    EXPECT_EQ(TNWServer::GetPathConnection(tooLong), 0u);
    EXPECT_TRUE(TNWServer::ScanDeletedFiles(0, tooLong).empty());
    EXPECT_EQ(NWSimCallCount("NWParseNetWarePath"), parses);
    EXPECT_EQ(TNWServer::GetPathConnection("F:\\" + std::string(252, 'A')), 0u);
    EXPECT_EQ(NWSimCallCount("NWParseNetWarePath"), parses + 1) << "255 characters fit and reach the client";
}

TEST_F(TNWServerTest, AnEntryThatCannotBeBuiltEndsTheScanQuietly)
{
    for (const char* name : {"ONE", "TWO", "THREE"})
        AddDeleted("X", name, name);
    FailAllocationOfSize(sizeof(TNWDeletedEntry), 2);
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\X\\");
    FailAllocationOfSize(0, 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "ONE");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the entry that was built carries the handle";

    FailAllocationOfSize(sizeof(TNWDeletedEntry), 1);
    EXPECT_TRUE(TNWServer::ScanDeletedFiles(0, "F:\\X\\").empty());
    FailAllocationOfSize(0, 0);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "a scan that kept nothing releases its handle";
}

TEST_F(TNWServerTest, NamesAreCutAtTheirLengthAndAtTheirNul)
{
    std::array<uint8_t, kDeletedInfoSize> block{};
    std::memcpy(block.data() + 16, "LONGNAME.TXT", 12);
    block[15] = 4;
    TNWDeletedItem item = TNWServer::BuildDeletedItem(kTarvex, 7, 1, 1, 1, block.data());
    EXPECT_EQ(item.name, "LONG");
    EXPECT_STREQ(item.entry->Name, "LONG");
    EXPECT_EQ(item.entry->Info->Name, "LONGNAME.TXT") << "the details keep the name up to its NUL";

    block.fill(0);
    std::memcpy(block.data() + 16, "ABC\0DEF", 7);
    block[15] = 7;
    item = TNWServer::BuildDeletedItem(kTarvex, 7, 1, 1, 1, block.data());
    EXPECT_EQ(item.name, "ABC");
    EXPECT_STREQ(item.entry->Name, "ABC");

    // A name that fills its 256 bytes without a NUL is read no further.
    std::memset(block.data() + 16, 'N', 256);
    block[15] = 255;
    item = TNWServer::BuildDeletedItem(kTarvex, 7, 1, 1, 1, block.data());
    EXPECT_EQ(item.name.size(), 255u);
    EXPECT_EQ(item.entry->Info->Name.size(), 256u);
    EXPECT_EQ(item.entry->Info->Size, 0);
}

TEST_F(TNWServerTest, RecoveryTakesOnlyTheFileNamesAndRecoversIntoTheEntrysFolder)
{
    AddDeleted("PROJECTS", "PLAN.TXT", "the plan");
    std::filesystem::create_directories(world_.FilesFolder("TARVEX", "DATA") / "OTHER");
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\PROJECTS\\");
    ASSERT_EQ(list.size(), 1u);
    const TNWDeletedEntry& entry = *list[0].entry;

    EXPECT_TRUE(TNWServer::RecoverDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume, entry.DirBase,
                                              "F:\\PROJECTS\\PLAN.TXT", "F:\\OTHER\\NEWPLAN.TXT"));
    EXPECT_EQ(NWSimLastText("NWRecoverDeletedFile"), std::string("PLAN.TXT|NEWPLAN.TXT"));
    EXPECT_EQ(nwsim::ReadWholeFile(world_.FilesFolder("TARVEX", "DATA") / "PROJECTS" / "NEWPLAN.TXT"),
              std::string("the plan"));
    EXPECT_FALSE(std::filesystem::exists(world_.FilesFolder("TARVEX", "DATA") / "OTHER" / "NEWPLAN.TXT"));
    EXPECT_FALSE(TNWServer::RecoverDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume,
                                               entry.DirBase, "PLAN.TXT", "PLAN.TXT"))
        << "a refusal is simply false";
    EXPECT_EQ(base_->LastError().NWServer, "0000") << "nothing is recorded";
}

TEST_F(TNWServerTest, RecoveryNamesLongerThanTheirBufferAreRefused)
{
    AddDeleted("L", "A.TXT", "a");
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\L\\");
    ASSERT_EQ(list.size(), 1u);
    const TNWDeletedEntry& entry = *list[0].entry;
    const uint32_t recoveries = NWSimCallCount("NWRecoverDeletedFile");
    EXPECT_FALSE(TNWServer::RecoverDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume,
                                               entry.DirBase, "A.TXT", std::string(1025, 'B')));
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), recoveries) << "refused before the call";
    EXPECT_FALSE(TNWServer::RecoverDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume,
                                               entry.DirBase, "A.TXT", std::string(1024, 'B')))
        << "1,024 characters go to the server, which refuses them";
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), recoveries + 1);
}

TEST_F(TNWServerTest, SettingTheServerClockSendsTheYearFrom1900)
{
    ASSERT_TRUE(TNWServer::SetServerDateTime(kOldsrv, At(2000, 1, 1, 13, 5, 9) + 0.4 / 86400));
    uint8_t clock[7] = {};
    ASSERT_EQ(api::NWGetFileServerDateAndTime.Bind()(kOldsrv, clock), 0u);
    EXPECT_EQ(clock[0], 100);
    EXPECT_EQ(clock[1], 1);
    EXPECT_EQ(clock[2], 1);
    EXPECT_EQ(clock[3], 13);
    EXPECT_EQ(clock[4], 5);
    EXPECT_GE(clock[5], 9);
    EXPECT_DOUBLE_EQ(TNWLib::GetServerDate(kOldsrv), At(2000, 1, 1)) << "reading gives the date alone";

    EXPECT_FALSE(TNWServer::SetServerDateTime(kOldsrv, At(1975, 6, 1)));
    EXPECT_EQ(base_->LastError().NWServer, "89FF") << "a refusal is recorded";
}

TEST_F(TNWServerTest, ServerInformationAsksOnlyNewServersForTheExtendedBlock)
{
    TNWServerInfo info;
    ASSERT_TRUE(TNWServer::GetServerInfo(kOldsrv, info));
    EXPECT_EQ(info.ServerName, "OLDSRV");
    EXPECT_EQ(info.Version, "3.12");
    EXPECT_EQ(info.MaxConnections, 100);
    EXPECT_EQ(info.ConnectionsInUse, 6);
    EXPECT_EQ(info.MaxConnectionsUsed, 23);
    EXPECT_EQ(info.Volumes, 2);
    EXPECT_EQ(info.ExtBlockStart, 0u);
    EXPECT_EQ(NWSimCallCount("NWGetFileServerInfo"), 0u);

    ASSERT_TRUE(TNWServer::GetServerInfo(kTarvex, info));
    EXPECT_EQ(info.Version, "4.11");
    EXPECT_NE(info.ExtBlockStart, 0u);
    EXPECT_EQ(NWSimCallCount("NWGetFileServerInfo"), 1u);

    NWSimFailCalls("NWGetFileServerInformation", 0x8801, 1, 1);
    TNWServerInfo untouched;
    untouched.Version = "9.9";
    EXPECT_FALSE(TNWServer::GetServerInfo(kTarvex, untouched));
    EXPECT_EQ(untouched.Version, "9.9");
}

TEST_F(TNWServerTest, OpeningAConnectionFallsBackBetweenItsTwoCalls)
{
    EXPECT_EQ(TNWServer::OpenServerConnection("oldsrv"), kOldsrv);
    EXPECT_EQ(NWSimLastText("NWCCOpenConnByName"), std::string("OLDSRV"));
    const uint32_t handles = NWSimCallCount("NWGetConnectionHandle");
    NWSimFailCalls("NWCCOpenConnByName", 0x8801, 1, 1);
    EXPECT_EQ(TNWServer::OpenServerConnection("OLDSRV"), kOldsrv);
    EXPECT_EQ(NWSimCallCount("NWGetConnectionHandle"), handles + 1);
    EXPECT_EQ(TNWServer::OpenServerConnection("NOWHERE"), 0u);
    EXPECT_EQ(base_->LastError().NWServer, "8801");
    EXPECT_EQ(TNWServer::OpenServerConnection(std::string(1025, 'S')), 0u);
}

TEST_F(TNWServerTest, ObjectNamesComeFromTheBinderyThenTheDirectory)
{
    EXPECT_EQ(TNWServer::GetObjectNameByID(kOldsrv, 0x0A000011), "JSMITH");
    EXPECT_EQ(TNWServer::GetObjectNameByID(kOldsrv, 0x4242), "");
    EXPECT_EQ(base_->LastError().NWLib, "89FC");
    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x10000013), "CN=CAROL.OU=ENGINEERING.O=TARVEX");
    TNWLib::NDSMode() = false;
    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x10000013), "");
}
