// The server module against the stand-in: scans and every decoded field, recovery, server facts and clock.
#include "TNWServer.h"
#include "NWSim.h"
#include "SimFiles.h"
#include "TConnectedTest.h"
#include "TFailingAllocations.h"
#include "TNWBase.h"
#include "TNWDirHandleLease.h"
#include "TNWEntryPoint.h"
#include "TNWLib.h"
#include "TSalvageStore.h"

#include <array>
#include <cstring>
#include <functional>
#include <new>
#include <set>

using namespace nw;
using nwsim::TDeletedFile;
using nwsim::TSimTime;

namespace
{

// Dates are written as their day numbers from 30 December 1899, so that no expected value comes from the
// conversion the module uses.
constexpr double k1January1980 = 29221;

TDateTime At(double day, int hour = 0, int minute = 0, int second = 0)
{
    return day + ((hour * 60 + minute) * 60 + second) / 86400.0;
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
    EXPECT_DOUBLE_EQ(info.Created, At(45720, 5, 6, 8));     // 4 March 2025
    EXPECT_DOUBLE_EQ(info.Updated, At(46211, 9, 10, 12));   // 8 July 2026
    EXPECT_DOUBLE_EQ(info.Archived, At(46235, 23, 59, 58)); // 1 August 2026
    EXPECT_DOUBLE_EQ(info.Deleted, At(46357, 17, 45, 30));  // 1 December 2026
    EXPECT_DOUBLE_EQ(info.Accessed, At(46328)) << "2 November 2026, and no time of day";
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
    EXPECT_DOUBLE_EQ(info.Created, At(k1January1980, 10, 20, 30)) << "1980 with the time of day kept";
    EXPECT_DOUBLE_EQ(info.Updated, At(46148)) << "6 May 2026, no time of day";
    EXPECT_DOUBLE_EQ(info.Archived, At(k1January1980)) << "never archived";

    EXPECT_EQ(TNWServer::UnpackNWDateTime(0), 29221.0);
    EXPECT_EQ(TNWServer::UnpackNWDateTime(127u << 25 | 12u << 21 | 31u << 16), 75971.0)
        << "31 December 2107, the last date a packed value holds";
    EXPECT_EQ(TNWServer::UnpackNWDateTime(44u << 25 | 2u << 21 | 29u << 16), 45351.0) << "29 February 2024";
    EXPECT_EQ(TNWServer::UnpackNWDateTime(46u << 25 | 2u << 21 | 29u << 16), 29221.0)
        << "no 29 February 2026";
    EXPECT_DOUBLE_EQ(TNWServer::UnpackNWDateTime(23u << 11 | 59u << 5 | 29u), At(k1January1980, 23, 59, 58));
    EXPECT_DOUBLE_EQ(TNWServer::UnpackNWDateTime(23u << 11 | 60u << 5), At(k1January1980)) << "minute 60";
    EXPECT_DOUBLE_EQ(TNWServer::UnpackNWDateTime(23u << 11 | 30u), At(k1January1980)) << "second 60";
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWUnpackDateTime", 1);
    EXPECT_DOUBLE_EQ(TNWServer::UnpackNWDateTime((46u << 25 | 12u << 21 | 8u << 16) | 13u << 11),
                     At(46364, 13))
        << "8 December 2026: a function once bound stays bound";
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
    EXPECT_EQ(list[0].entry->Info->Created, 29221.0);
    EXPECT_EQ(list[0].entry->Info->Deleted, 29221.0);
    EXPECT_EQ(TNWServer::UnpackNWDateTime(0x5C871A2Bu), 29221.0);
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

TEST_F(TNWServerTest, PathsReachTheClientUpperCased)
{
    EXPECT_EQ(TNWServer::GetPathConnection("g:\\Reports\\2026\\"), kOldsrv);
    EXPECT_STREQ(NWSimLastText("NWParseNetWarePath"), "G:\\REPORTS\\2026\\")
        << "the connection's path keeps its backslashes";
    AddDeleted("Mixed Case", "A.TXT", "a");
    EXPECT_EQ(TNWServer::ScanDeletedFiles(0, "f:\\mixed case\\").size(), 1u);
    EXPECT_STREQ(NWSimLastText("NWParseNetWarePath"), "F:/MIXED CASE/");
    EXPECT_EQ(NWSimTexts("NWParseNetWarePath"), std::string("G:\\REPORTS\\2026\\\nF:/MIXED CASE/\n"));
}

TEST_F(TNWServerTest, ConnectionZeroIsThePrimaryConnection)
{
    // A volume path names no server: the connection given decides, and only TARVEX has a DATA volume.
    AddDeleted("PROJECTS", "A.TXT", "a");
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "data:\\projects\\");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].entry->Connection, kTarvex);
    EXPECT_STREQ(NWSimLastText("NWParseNetWarePath"), "DATA:/PROJECTS/");
    EXPECT_TRUE(TNWServer::ScanDeletedFiles(kOldsrv, "DATA:\\PROJECTS\\").empty()) << "OLDSRV has no DATA";
    EXPECT_EQ(TNWServer::GetPathConnection("DATA:\\PROJECTS\\"), kTarvex);
    EXPECT_EQ(TNWServer::GetPathConnection("VOL1:\\"), 0u) << "VOL1 is OLDSRV's, not the primary server's";

    TNWServerInfo info;
    ASSERT_TRUE(TNWServer::GetServerInfo(0, info));
    EXPECT_EQ(info.ServerName, "TARVEX");
    EXPECT_EQ(TNWServer::GetObjectNameByID(0, 0x00000002), "EVERYONE") << "TARVEX's ID 2";
    EXPECT_EQ(TNWServer::GetObjectNameByID(kOldsrv, 0x00000002), "");
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

// Running out of memory is not the end of the scan: the caller hears of it, and no handle is left behind.
TEST_F(TNWServerTest, AnEntryThatCannotBeAllocatedEndsTheScanWithTheFailureAndNoLostHandle)
{
    for (const char* name : {"ONE", "TWO", "THREE"})
        AddDeleted("X", name, name);
    FailAllocationOfSize(sizeof(TNWDeletedEntry), 2);
    EXPECT_THROW(TNWServer::ScanDeletedFiles(0, "F:\\X\\"), std::bad_alloc);
    FailAllocationOfSize(0, 0);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u) << "the list that held the handle is gone";

    // Entry by entry, what was visited before the failure stays with the caller, and so does the handle.
    std::vector<std::string> visited;
    TNWDirHandleShare lease;
    const TNWServer::TDeletedVisit keep = [&](TNWDeletedItem& item) {
        if (!lease)
            lease = LeaseDirHandle(item.entry->Connection, item.entry->DirHandle);
        visited.push_back(item.name);
        return true;
    };
    FailAllocationOfSize(sizeof(TNWDeletedEntry), 2);
    EXPECT_THROW(TNWServer::ForEachDeletedFile(0, "F:\\X\\", keep), std::bad_alloc);
    FailAllocationOfSize(0, 0);
    EXPECT_EQ(visited, std::vector<std::string>{"ONE"});
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
    lease.reset();
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);

    visited.clear();
    FailAllocationOfSize(sizeof(TNWDeletedEntry), 1);
    EXPECT_THROW(TNWServer::ForEachDeletedFile(0, "F:\\X\\", keep), std::bad_alloc);
    FailAllocationOfSize(0, 0);
    EXPECT_TRUE(visited.empty());
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u) << "a scan that visited nothing releases its handle";

    // A visitor that ends the scan keeps what it took.
    const std::function<bool(TNWDeletedItem&)> first = [&](TNWDeletedItem& item) {
        lease = LeaseDirHandle(item.entry->Connection, item.entry->DirHandle);
        return false;
    };
    const uint32_t callsBefore = NWSimCallCount("NWScanForDeletedFiles");
    TNWServer::ForEachDeletedFile(0, "F:\\X\\", first);
    EXPECT_EQ(NWSimCallCount("NWScanForDeletedFiles") - callsBefore, 1u) << "the visitor's no ends the scan";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
}

TEST_F(TNWServerTest, AScanEndsWhenTheIterationValueStopsAdvancing)
{
    for (const char* name : {"ONE", "TWO", "THREE"})
        AddDeleted("S", name, name);
    NWSimRepeatScanEntries(2, 3);
    TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\S\\");
    ASSERT_EQ(list.size(), 1u) << "the repeated entry is not taken again, and nothing after it";
    EXPECT_EQ(list[0].name, "ONE");
    EXPECT_EQ(NWSimCallCount("NWScanForDeletedFiles"), 2u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the entry carries the handle";

    NWSimRepeatScanEntries(3, 0);
    list = TNWServer::ScanDeletedFiles(0, "F:\\S\\");
    ASSERT_EQ(list.size(), 2u) << "a client that repeats for ever ends the scan too";
    EXPECT_EQ(list[1].name, "TWO");

    NWSimRepeatScanEntries(1, 1);
    EXPECT_TRUE(TNWServer::ScanDeletedFiles(0, "F:\\S\\").empty()) << "the start value did not move either";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 2u) << "a scan that kept nothing releases its handle";
    EXPECT_EQ(TNWServer::ScanDeletedFiles(0, "F:\\S\\").size(), 3u) << "the next scan is whole";
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

TEST_F(TNWServerTest, RecoveryNamesGoAsGivenAfterTheLastBackslashOrColon)
{
    AddDeleted("PROJECTS", "Plan.txt", "the plan");
    AddDeleted("PROJECTS", "Plan.txt", "the older plan");
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\PROJECTS\\");
    ASSERT_EQ(list.size(), 2u);
    const TNWDeletedEntry& newer = *list[0].entry;
    const TNWDeletedEntry& older = *list[1].entry;

    EXPECT_TRUE(TNWServer::RecoverDeletedFile(0, newer.DirHandle, newer.Sequence, newer.Volume, newer.DirBase,
                                              "F:Plan.txt", "DATA:Projects\\New Plan.txt"));
    EXPECT_STREQ(NWSimLastText("NWRecoverDeletedFile"), "Plan.txt|New Plan.txt")
        << "the letter case stays, and a colon ends the folder part as a backslash does";
    EXPECT_TRUE(TNWServer::RecoverDeletedFile(0, older.DirHandle, older.Sequence, older.Volume, older.DirBase,
                                              "F:\\PROJECTS\\Plan.txt", "DATA:PLAN.TXT"));
    EXPECT_STREQ(NWSimLastText("NWRecoverDeletedFile"), "Plan.txt|PLAN.TXT");

    std::set<std::string> names;
    for (const auto& file :
         std::filesystem::directory_iterator(world_.FilesFolder("TARVEX", "DATA") / "PROJECTS"))
        names.insert(nwsim::Utf8FromPath(file.path().filename()));
    EXPECT_EQ(names, (std::set<std::string>{"New Plan.txt", "PLAN.TXT"}))
        << "the Upper Case option's name reaches the server upper-cased, the other as it was typed";
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

TEST_F(TNWServerTest, APurgeErasesTheEntryByTheNameTheScanStoredAndNothingElse)
{
    const uint32_t kept = AddDeleted("P", "KEEP.TXT", "kept");
    const uint32_t gone = AddDeleted("P", "Gone.txt", "gone");
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\P\\");
    ASSERT_EQ(list.size(), 2u);
    const TNWDeletedEntry& entry = *list[1].entry;
    ASSERT_STREQ(entry.Name, "Gone.txt");
    EXPECT_TRUE(TNWServer::PurgeAvailable());

    EXPECT_FALSE(TNWServer::PurgeDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume, entry.DirBase,
                                             "OTHER.TXT"))
        << "another name is not this entry";
    EXPECT_TRUE(TNWServer::PurgeDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume, entry.DirBase,
                                            entry.Name));
    nwsim::TSalvageStore store(world_.SalvageFolder("TARVEX", "DATA"));
    store.Load();
    EXPECT_EQ(store.Find(gone), nullptr);
    EXPECT_FALSE(std::filesystem::exists(store.DataFile(gone)));
    ASSERT_NE(store.Find(kept), nullptr);
    EXPECT_EQ(nwsim::ReadWholeFile(store.DataFile(kept)), std::string("kept"));
    EXPECT_FALSE(TNWServer::PurgeDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume, entry.DirBase,
                                             entry.Name))
        << "a purged entry is gone";
    EXPECT_FALSE(TNWServer::PurgeDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume, entry.DirBase,
                                             std::string(1025, 'N')))
        << "a name longer than its buffer";
    EXPECT_EQ(NWSimCallCount("NWPurgeErasedFiles"), 0u);
    EXPECT_EQ(base_->LastError().NWServer, "0000") << "nothing is recorded";
}

class TNWServerPurgeMissingTest : public TWorldTest
{
};

TEST_F(TNWServerPurgeMissingTest, WithoutTheEraseCallPurgeIsUnavailableThoughThePurgeCallIsThere)
{
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWPurgeErasedFiles", 1);
    TNWBase base;
    EXPECT_FALSE(TNWServer::PurgeAvailable());
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWPurgeErasedFiles", 0);
    EXPECT_TRUE(TNWServer::PurgeAvailable()) << "a missing function is looked for again on the next use";
}

TEST_F(TNWServerPurgeMissingTest, WithoutThePurgeCallNothingIsPurged)
{
    world_.AddDeleted("TARVEX", "DATA", "P", "A.TXT", "a");
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWPurgeDeletedFile", 1);
    TNWBase base;
    const TNWDeletedList list = TNWServer::ScanDeletedFiles(0, "F:\\P\\");
    ASSERT_EQ(list.size(), 1u);
    const TNWDeletedEntry& entry = *list[0].entry;
    EXPECT_FALSE(TNWServer::PurgeAvailable());
    EXPECT_FALSE(TNWServer::PurgeDeletedFile(0, entry.DirHandle, entry.Sequence, entry.Volume, entry.DirBase,
                                             entry.Name));
    EXPECT_EQ(NWSimCallCount("NWPurgeDeletedFile"), 0u);
}

TEST_F(TNWServerTest, SettingTheServerClockSendsTheYearFrom1900AndDropsTheMilliseconds)
{
    // 1 January 2000, 13:05:09.600: the milliseconds are dropped, not rounded into the second.
    ASSERT_TRUE(TNWServer::SetServerDateTime(kOldsrv, At(36526, 13, 5, 9) + 0.6 / 86400));
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "100 1 1 13 5 9");
    uint8_t clock[7] = {};
    ASSERT_EQ(api::NWGetFileServerDateAndTime.Bind()(kOldsrv, clock), 0u);
    EXPECT_EQ(clock[0], 100);
    EXPECT_DOUBLE_EQ(TNWLib::GetServerDate(kOldsrv), At(36526)) << "reading gives the date alone";

    EXPECT_TRUE(TNWServer::SetServerDateTime(kOldsrv, At(35961, 23, 59, 59) + 0.9994 / 86400));
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "98 6 15 23 59 59") << "15 June 1998";
    EXPECT_TRUE(TNWServer::SetServerDateTime(0, At(38411, 8)));
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "105 2 28 8 0 0") << "28 February 2005";
    EXPECT_EQ(NWSimTexts("NWSetFileServerDateAndTime"), std::string("100 1 1 13 5 9\n98 6 15 23 59 59\n"
                                                                    "105 2 28 8 0 0\n"));
    EXPECT_EQ(base_->LastError().NWServer, "0000");
}

TEST_F(TNWServerTest, AYearOf1900OrBelowGoesUnreducedInItsLowByte)
{
    EXPECT_FALSE(TNWServer::SetServerDateTime(kOldsrv, At(367))) << "1 January 1901 goes as year 1";
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "1 1 1 0 0 0");
    EXPECT_EQ(base_->LastError().NWServer, "89FF") << "the server's refusal is recorded";
    // 1900 is 0x76C, so its low byte is 0x6C = 108, which the server takes for 2008.
    EXPECT_TRUE(TNWServer::SetServerDateTime(kOldsrv, At(2, 10)));
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "108 1 1 10 0 0") << "1 January 1900";
    EXPECT_TRUE(TNWServer::SetServerDateTime(kOldsrv, At(1, 10)));
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "107 12 31 10 0 0") << "31 December 1899";
    EXPECT_FALSE(TNWServer::SetServerDateTime(kOldsrv, At(27395))) << "1 January 1975 goes as 75";
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "75 1 1 0 0 0");
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
    EXPECT_EQ(TNWServer::OpenServerConnection("OldSrv"), kOldsrv);
    EXPECT_EQ(NWSimCallCount("NWGetConnectionHandle"), handles + 1);
    EXPECT_STREQ(NWSimLastText("NWGetConnectionHandle"), "OLDSRV") << "upper-cased for the fallback too";
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

TEST_F(TNWServerTest, InDirectoryModeTheBinderysMissIsRecordedAndTheDirectoryAsked)
{
    ASSERT_TRUE(TNWLib::NDSMode());
    const uint32_t directoryCalls = NWSimCallCount("NWDSMapIDToName");
    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x00000001), "SUPERVISOR");
    EXPECT_EQ(NWSimCallCount("NWDSMapIDToName"), directoryCalls) << "a bindery name is enough";

    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x10000012), "CN=ALICE.OU=SALES.O=TARVEX");
    EXPECT_EQ(base_->LastError().NWLib, "89FC") << "the bindery's miss is recorded in directory mode too";
    EXPECT_EQ(base_->LastError().NWNDS, "0000");
    EXPECT_EQ(NWSimCallCount("NWDSMapIDToName"), directoryCalls + 1);

    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x7777), "");
    EXPECT_EQ(base_->LastError().NWNDS, "FFFFFDA7") << "the directory's miss is recorded in its own cell";
}

TEST_F(TNWServerTest, ABinderyNameThatComesBackEmptyIsAskedOfTheDirectory)
{
    // The bindery answers success without writing a name.
    NWSimFailCalls("NWGetObjectName", 0, 1, 2);
    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x10000013), "CN=CAROL.OU=ENGINEERING.O=TARVEX");
    EXPECT_EQ(TNWLib::Cells().lastResult, 0u);
    EXPECT_EQ(base_->LastError().NWLib, "0000");
    TNWLib::NDSMode() = false;
    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x10000013), "")
        << "outside directory mode it stays empty";
    EXPECT_EQ(NWSimCallCount("NWDSMapIDToName"), 1u);
}

TEST_F(TNWServerTest, WithoutTheBinderyLookUpTheDirectoryIsNotAskedEither)
{
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWGetObjectName", 1);
    ASSERT_TRUE(TNWLib::NDSMode());
    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x10000013), "");
    EXPECT_EQ(NWSimCallCount("NWDSMapIDToName"), 0u);
    EXPECT_EQ(base_->LastError().NWLib, "0000");
}
