// Deleted files on the simulated servers, through the exported functions: recover, purge, the rights they
// need, and a store that stays consistent when a change fails or the process dies half-way.
#include "SalvageTest.h"

#include "TAtomicFile.h"
#include "TSimTool.h"

#include <algorithm>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

TEST_F(SalvageTest, RecoverBringsTheFileBackWithItsContentAndDate)
{
    TDeletedFile entry;
    entry.updated = TSimTime{2024, 5, 6, 7, 8, 10};
    AddDeleted("REPORTS", "Q3.TXT", "third quarter figures", entry);
    const TOpenFolder folder = OpenFolder("F:\\REPORTS\\");
    const std::vector<TScannedBlock> entries = ScanFolder(folder);
    ASSERT_EQ(entries.size(), 1u);

    EXPECT_EQ(Recover(folder, entries[0], "Q3.TXT", "Q3.TXT"), 0u);
    EXPECT_EQ(ReadFile(Files() / "REPORTS" / "Q3.TXT"), "third quarter figures");
    EXPECT_TRUE(ScanFolder(folder).empty());
    EXPECT_TRUE(Store().Entries().empty());
    EXPECT_FALSE(std::filesystem::exists(Store().DataFile(entries[0].sequence)));
    EXPECT_EQ(std::filesystem::directory_iterator(Files() / "REPORTS")->path().filename(), "Q3.TXT")
        << "no temporary file is left beside it";

    EXPECT_EQ(Recover(folder, entries[0], "Q3.TXT", "Q3-AGAIN.TXT"), 0x89FFu) << "already recovered";
}

TEST_F(SalvageTest, AnEmptyFileKeepsNoDataFileAndComesBackEmptyButLostContentIsNotMadeUp)
{
    const uint32_t emptyId = AddDeleted("VOID", "EMPTY.TXT", "");
    const uint32_t lostId = AddDeleted("VOID", "LOST.TXT", "was here");
    EXPECT_FALSE(std::filesystem::exists(Store().DataFile(emptyId)));
    ASSERT_TRUE(std::filesystem::remove(Store().DataFile(lostId)));
    const TOpenFolder folder = OpenFolder("F:\\VOID\\");
    const std::vector<TScannedBlock> entries = ScanFolder(folder);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].U32(296), 0u) << "the size";

    EXPECT_EQ(Recover(folder, entries[0], "EMPTY.TXT", "EMPTY.TXT"), 0u);
    ASSERT_TRUE(std::filesystem::exists(Files() / "VOID" / "EMPTY.TXT"));
    EXPECT_EQ(std::filesystem::file_size(Files() / "VOID" / "EMPTY.TXT"), 0u);

    EXPECT_EQ(Recover(folder, entries[1], "LOST.TXT", "LOST.TXT"), 0x89FFu);
    EXPECT_FALSE(std::filesystem::exists(Files() / "VOID" / "LOST.TXT"));
    ASSERT_EQ(Store().Entries().size(), 1u) << "the entry whose content is lost stays in salvage";
    EXPECT_EQ(Store().Entries()[0].id, lostId);
}

// Names cross the exports in the workstation's code page (Windows-1252 here) and stay UTF-8 on disk and in
// the store; a folder's accented capitals find its name in small letters.
TEST_F(SalvageTest, AccentedNamesCrossTheExportsInTheWorkstationsCodePageAndStayUtf8OnDisk)
{
#ifdef _WIN32
    ASSERT_EQ(GetACP(), 1252u) << "the expected bytes below are Windows-1252";
#endif
    AddDeleted("Ünïcödé folder", "Café.txt", "café au lait");
    AddDeleted("Ünïcödé folder", "naïve – draft.txt", "draft");
    AddDeleted("Ünïcödé folder", "Ωmega.txt", "no spelling in the code page");

    // ÜNÏCÖDÉ FOLDER, as the program asks for it in upper case (in octal: a hex escape would run on into the
    // letters after it).
    const std::string upperFolder = "\334N\317C\326D\311 FOLDER";
    const TOpenFolder folder = OpenFolder("F:\\" + upperFolder + "\\");
    ASSERT_EQ(folder.code, 0u);
    EXPECT_EQ(folder.parsedPath, "DATA:" + upperFolder);
    EXPECT_EQ(NWSimLastText("NWParseNetWarePath"), "F:\\" + upperFolder + "\\");
    uint32_t endCode = 0;
    const std::vector<TScannedBlock> entries = ScanFolder(folder, &endCode);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name(), "Caf\xE9.txt");
    EXPECT_EQ(entries[1].Name(), "na\xEFve \x96 draft.txt");
    EXPECT_EQ(endCode, 0x899Eu) << "a name the code page cannot spell";

    EXPECT_EQ(Recover(folder, entries[1], "na\xEFve \x96 draft.txt", "NA\xCFVE \x96 DRAFT.TXT"), 0u);
    EXPECT_EQ(Recover(folder, entries[0], "Caf\xE9.txt", "Gr\374\337e.wk1"), 0u);
    const std::filesystem::path onDisk = Files() / nwsim::PathFromUtf8("Ünïcödé folder");
    EXPECT_EQ(ReadFile(onDisk / nwsim::PathFromUtf8("NAÏVE – DRAFT.TXT")), "draft");
    EXPECT_EQ(ReadFile(onDisk / nwsim::PathFromUtf8("Grüße.wk1")), "café au lait");
    ASSERT_EQ(Store().Entries().size(), 1u);
    EXPECT_EQ(Store().Entries()[0].name, "Ωmega.txt");
}

TEST_F(SalvageTest, RecoverRefusesANameThatExistsAndLeavesEverythingAsItWas)
{
    AddDeleted("REPORTS", "Q3.TXT", "the deleted one");
    std::ofstream(Files() / "REPORTS" / "q3.txt") << "the live one";
    const TOpenFolder folder = OpenFolder("F:\\REPORTS\\");
    const std::vector<TScannedBlock> entries = ScanFolder(folder);
    ASSERT_EQ(entries.size(), 1u);
    const std::string storeBefore = ReadFile(world_.Folder() / "volumes/TARVEX/DATA/salvage/store.json");

    EXPECT_EQ(Recover(folder, entries[0], "Q3.TXT", "Q3.TXT"), 0x8992u);
    EXPECT_EQ(ReadFile(Files() / "REPORTS" / "q3.txt"), "the live one");
    EXPECT_EQ(ReadFile(world_.Folder() / "volumes/TARVEX/DATA/salvage/store.json"), storeBefore);
    EXPECT_EQ(ScanFolder(folder).size(), 1u);

    EXPECT_EQ(Recover(folder, entries[0], "Q3.TXT", "Q3 (2).TXT"), 0u) << "a new name works";
    EXPECT_EQ(ReadFile(Files() / "REPORTS" / "Q3 (2).TXT"), "the deleted one");
}

TEST_F(SalvageTest, RecoverChecksEveryPartOfTheRequest)
{
    AddDeleted("A", "ONE.TXT", "1");
    const TOpenFolder folder = OpenFolder("F:\\A\\");
    const std::vector<TScannedBlock> entries = ScanFolder(folder);
    ASSERT_EQ(entries.size(), 1u);
    TScannedBlock wrong = entries[0];

    EXPECT_EQ(Recover(folder, entries[0], "TWO.TXT", "ONE.TXT"), 0x89FFu) << "another deleted name";
    EXPECT_EQ(Recover(folder, entries[0], "ONE.TXT", "BAD/NAME.TXT"), 0x899Eu);
    EXPECT_EQ(Recover(folder, entries[0], "ONE.TXT", ""), 0x899Eu);
    wrong.volume = 0;
    EXPECT_EQ(Recover(folder, wrong, "ONE.TXT", "ONE.TXT"), 0x8998u);
    wrong = entries[0];
    wrong.dirBase ^= 1;
    EXPECT_NE(Recover(folder, wrong, "ONE.TXT", "ONE.TXT"), 0u);
    wrong = entries[0];
    wrong.sequence += 1000;
    EXPECT_EQ(Recover(folder, wrong, "ONE.TXT", "ONE.TXT"), 0x89FFu);
    TOpenFolder stale = folder;
    stale.handle = static_cast<nw::NWDIR_HANDLE>(folder.handle + 1);
    EXPECT_EQ(Recover(stale, entries[0], "ONE.TXT", "ONE.TXT"), 0x899Bu);

    EXPECT_EQ(Store().Entries().size(), 1u) << "nothing changed";
    EXPECT_FALSE(std::filesystem::exists(Files() / "A" / "ONE.TXT"));
    EXPECT_EQ(Recover(folder, entries[0], "one.txt", "ONE.TXT"), 0u) << "names compare without case";
}

TEST_F(SalvageTest, PurgeLeavesNothing)
{
    const uint32_t id = AddDeleted("B", "GONE.TXT", "bye");
    AddDeleted("B", "STAYS.TXT", "hi");
    const TOpenFolder folder = OpenFolder("F:\\B\\");
    const std::vector<TScannedBlock> entries = ScanFolder(folder);
    ASSERT_EQ(entries.size(), 2u);
    ASSERT_TRUE(std::filesystem::exists(Store().DataFile(id)));

    EXPECT_EQ(Purge(folder, entries[0], "GONE.TXT"), 0u);
    const std::vector<TScannedBlock> left = ScanFolder(folder);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Name(), "STAYS.TXT");
    EXPECT_FALSE(std::filesystem::exists(Store().DataFile(id)));
    EXPECT_FALSE(std::filesystem::exists(Files() / "B" / "GONE.TXT"));
    EXPECT_EQ(Purge(folder, entries[0], "GONE.TXT"), 0x89FFu);
    EXPECT_EQ(Purge(folder, left[0], "OTHER.TXT"), 0x89FFu) << "a wrong name purges nothing";
    EXPECT_EQ(Store().Entries().size(), 1u);
}

TEST_F(SalvageTest, HandlesBelongToTheirConnection)
{
    AddDeleted("C", "X.TXT", "x");
    const TOpenFolder folder = OpenFolder("F:\\C\\");
    const std::vector<TScannedBlock> entries = ScanFolder(folder);
    ASSERT_EQ(entries.size(), 1u);
    TOpenFolder other = folder;
    char server[] = "OLDSRV";
    ASSERT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCOpenConnByName)(0, server, 2, 1, 0, &other.connection), 0u);
    ASSERT_NE(other.connection, folder.connection);
    EXPECT_EQ(Recover(other, entries[0], "X.TXT", "X.TXT"), 0x899Bu);
    EXPECT_EQ(Purge(other, entries[0], "X.TXT"), 0x899Bu);
}

TEST_F(SalvageTest, AConnectionWithoutALoginMayScanButNotRecoverOrPurge)
{
    TTestWorld unattached;
    unattached.WriteWorldJson(R"({
      "servers": [{"name": "ALPHA", "version": "3.12", "volumes": ["SYS"],
                   "bindery": [{"id": 1, "name": "SUPERVISOR", "manager": true}]},
                  {"name": "BETA", "version": "3.12", "volumes": ["DATA"]}],
      "workstation": {"attached": ["ALPHA"], "logins": {"ALPHA": "SUPERVISOR"}}
    })");
    unattached.AddDeleted("BETA", "DATA", "C", "X.TXT", "x");
    ASSERT_TRUE(unattached.Load()) << NWSimWorldError();

    TOpenFolder folder;
    char server[] = "BETA";
    ASSERT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCOpenConnByName)(0, server, 2, 1, 0, &folder.connection), 0u);
    char path[] = "DATA:C";
    uint8_t rights = 0;
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWAllocTemporaryDirectoryHandle)(folder.connection, 0, path,
                                                                           &folder.handle, &rights),
              0u);
    const std::vector<TScannedBlock> entries = ScanFolder(folder);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(Recover(folder, entries[0], "X.TXT", "X.TXT"), 0x8984u);
    EXPECT_EQ(Purge(folder, entries[0], "X.TXT"), 0x898Au);
    EXPECT_EQ(ScanFolder(folder).size(), 1u);
}

TEST_F(SalvageTest, PurgingErasedFilesTakesOnlyTheUsersOwn)
{
    TDeletedFile mine;
    mine.deletor = 0x10000010; // ADMIN, who is logged in on TARVEX
    TDeletedFile theirs;
    theirs.deletor = 0x10000011;
    AddDeleted("D", "MINE.TXT", "m", mine);
    AddDeleted("D", "THEIRS.TXT", "t", theirs);
    const TOpenFolder folder = OpenFolder("F:\\D\\");
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWPurgeErasedFiles)(folder.connection), 0u);
    const std::vector<TScannedBlock> left = ScanFolder(folder);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Name(), "THEIRS.TXT");
}

// A store that comes out short on disk, while every write reports success, never replaces the one before it.
TEST_F(SalvageTest, AStoreWriteThatComesOutShortFailsAndLeavesTheOldStoreWhole)
{
    AddDeleted("W", "KEEP.TXT", "kept");
    const std::filesystem::path file = world_.SalvageFolder("TARVEX", "DATA") / "store.json";
    const std::string before = ReadFile(file);
    nwsim::TSalvageStore store = Store();
    TDeletedFile entry;
    entry.folder = "W";
    for (int i = 0; i < 5000; ++i)
    {
        entry.name = "NEW" + std::to_string(i) + ".TXT";
        store.Add(entry, "");
    }
    struct TCutWrites
    {
        explicit TCutWrites(uint64_t bytes) { nwsim::TAtomicFile::CutWritesAfter(bytes); }
        ~TCutWrites() { nwsim::TAtomicFile::CutWritesAfter(std::nullopt); }
    };
    {
        const TCutWrites cut((1 << 20) + 100); // beyond the first piece of a store of over a megabyte
        EXPECT_THROW(store.Save(), nwsim::TWriteError);
    }
    EXPECT_EQ(ReadFile(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 2)
        << "store.json and the data folder, no temporary";

    store.Save();
    EXPECT_GT(std::filesystem::file_size(file), 1u << 20);
    EXPECT_EQ(Store().Entries().size(), 5001u);
}

// A large store keeps each change in its journal: a fresh read and the server see it, a batch that a crash
// cut short is not read and the next one takes its place, and a journal grown to a share of the store goes
// into a rewrite, after which an old journal put back is not read.
TEST_F(SalvageTest, ALargeStoreJournalsItsChangesAndReadsOnlyWholeBatches)
{
    const std::filesystem::path store = world_.SalvageFolder("TARVEX", "DATA") / "store.json";
    const std::filesystem::path journal = world_.SalvageFolder("TARVEX", "DATA") / "journal.jsonl";
    AddDeleted("BIG", "F0.TXT", "first");
    {
        nwsim::TSalvageStore large = Store();
        TDeletedFile entry;
        entry.folder = "BIG";
        for (int i = 1; i < 1200; ++i)
        {
            entry.name = "F" + std::to_string(i) + ".TXT";
            large.Add(entry, "");
        }
        large.Save();
    }
    const std::string whole = ReadFile(store);
    const TOpenFolder folder = OpenFolder("F:\\BIG\\");
    ASSERT_EQ(ScanFolder(folder).size(), 1200u);

    // The server recovers one and another writer deletes one more: the store itself stays as it was.
    EXPECT_EQ(Recover(folder, ScanFolder(folder)[0], "F0.TXT", "F0.TXT"), 0u);
    EXPECT_EQ(ReadFile(Files() / "BIG" / "F0.TXT"), "first");
    const uint32_t added = AddDeleted("BIG", "NEW.TXT", "new");
    EXPECT_EQ(ReadFile(store), whole);
    const std::vector<TScannedBlock> scanned = ScanFolder(folder);
    ASSERT_EQ(scanned.size(), 1200u) << "the server read the other writer's batch";
    EXPECT_EQ(scanned.front().Name(), "F1.TXT");
    EXPECT_EQ(scanned.back().Name(), "NEW.TXT");

    // A crash in the middle of a batch: its lines are not read, and the next batch replaces them.
    std::ofstream(journal, std::ios::binary | std::ios::app) << "{\"drop\":" << added << "}\n{\"nextId";
    EXPECT_NE(Store().Find(added), nullptr);
    {
        nwsim::TSalvageStore after = Store();
        after.Remove(after.Entries().front().id);
        after.Save();
    }
    EXPECT_EQ(Store().Entries().size(), 1199u) << "the batch after the cut one is read";
    EXPECT_NE(Store().Find(added), nullptr);

    // Enough changes write the store whole and end the journal; an old journal put back is not read.
    const std::string oldJournal = ReadFile(journal);
    nwsim::TSalvageStore shrinking = Store();
    for (int i = 0; i < 400 && std::filesystem::exists(journal); ++i)
    {
        shrinking.Remove(shrinking.Entries().front().id);
        shrinking.Save();
    }
    EXPECT_FALSE(std::filesystem::exists(journal));
    const std::vector<TDeletedFile> rewritten = Store().Entries();
    EXPECT_EQ(rewritten.size(), shrinking.Entries().size());
    EXPECT_LT(rewritten.size(), 1100u);
    std::ofstream(journal, std::ios::binary) << oldJournal;
    EXPECT_EQ(Store().Entries().size(), rewritten.size());
    EXPECT_EQ(ScanFolder(folder).size(), rewritten.size());
}

class SalvageCrashTest : public SalvageTest
{
protected:
    void SetUp() override
    {
        SalvageTest::SetUp();
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        AddDeleted("E", "KEEP.TXT", "precious");
        folder_ = OpenFolder("F:\\E\\");
        entries_ = ScanFolder(folder_);
        ASSERT_EQ(entries_.size(), 1u);
    }

    // Reloads the world from disk, as a new process would find it.
    void Restart() { ASSERT_TRUE(world_.Load()) << NWSimWorldError(); }

    TOpenFolder folder_;
    std::vector<TScannedBlock> entries_;
};

TEST_F(SalvageCrashTest, DyingAfterTheFileIsBackKeepsItInSalvageToo)
{
    EXPECT_EXIT(
        {
            NWSimCrashAt("recover-restored");
            Recover(folder_, entries_[0], "KEEP.TXT", "KEEP.TXT");
        },
        testing::ExitedWithCode(86), "");
    Restart();
    EXPECT_EQ(ReadFile(Files() / "E" / "KEEP.TXT"), "precious");
    ASSERT_EQ(Store().Entries().size(), 1u) << "the store still lists it: a deleted name that exists again";
    EXPECT_EQ(ReadFile(Store().DataFile(entries_[0].sequence)), "precious");
}

TEST_F(SalvageCrashTest, DyingAfterTheStoreIsSavedLeavesOnlyAnUnlistedDataFile)
{
    EXPECT_EXIT(
        {
            NWSimCrashAt("recover-saved");
            Recover(folder_, entries_[0], "KEEP.TXT", "KEEP.TXT");
        },
        testing::ExitedWithCode(86), "");
    Restart();
    EXPECT_EQ(ReadFile(Files() / "E" / "KEEP.TXT"), "precious");
    EXPECT_TRUE(Store().Entries().empty());
    EXPECT_TRUE(ScanFolder(OpenFolder("F:\\E\\")).empty());
}

TEST_F(SalvageCrashTest, DyingWhileTheStoreIsRenamedKeepsTheOldStore)
{
    EXPECT_EXIT(
        {
            NWSimCrashAt("atomic-write-renaming");
            Purge(folder_, entries_[0], "KEEP.TXT");
        },
        testing::ExitedWithCode(86), "");
    Restart();
    ASSERT_EQ(Store().Entries().size(), 1u) << "the old store is whole";
    EXPECT_EQ(ReadFile(Store().DataFile(entries_[0].sequence)), "precious");
    EXPECT_EQ(ScanFolder(OpenFolder("F:\\E\\")).size(), 1u);
}

TEST_F(SalvageCrashTest, DyingAfterAPurgeIsSavedLeavesTheFileGone)
{
    EXPECT_EXIT(
        {
            NWSimCrashAt("purge-saved");
            Purge(folder_, entries_[0], "KEEP.TXT");
        },
        testing::ExitedWithCode(86), "");
    Restart();
    EXPECT_TRUE(Store().Entries().empty());
    EXPECT_TRUE(ScanFolder(OpenFolder("F:\\E\\")).empty());
}

// Folders deleted with nwsim on the plain world's NSS volume (F:, TARVEX's DATA) and traditional one (G:,
// OLDSRV's VOL1), then salvaged through the exports.
class DeletedFolderTest : public SalvageTest
{
protected:
    void WriteLive(const std::filesystem::path& file, const std::string& content)
    {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }

    int DeleteAs(const std::string& user, const std::string& path, std::string* printed = nullptr)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int code = nwsim::RunSimTool(
            {"--world", nwsim::Utf8FromPath(world_.Folder()), "delete", "--as", user, path}, out, err);
        if (printed != nullptr)
            *printed = out.str() + err.str();
        return code;
    }

    static std::vector<std::string> Names(const std::vector<TScannedBlock>& entries)
    {
        std::vector<std::string> names;
        for (const TScannedBlock& entry : entries)
            names.push_back(entry.Name() + ((entry.U32(8) & 0x10) != 0 ? "\\" : ""));
        std::sort(names.begin(), names.end());
        return names;
    }

    static const TScannedBlock& Named(const std::vector<TScannedBlock>& entries, const std::string& name)
    {
        for (const TScannedBlock& entry : entries)
            if (entry.Name() == name)
                return entry;
        ADD_FAILURE() << "no entry " << name;
        return entries.front();
    }
};

TEST_F(DeletedFolderTest, OnNssAFolderIsAnEntryOfItsParentAndComesBackLevelByLevel)
{
    WriteLive(Files() / "ZETA" / "A.TXT", "alpha");
    WriteLive(Files() / "ZETA" / "DOCS" / "B.TXT", "bravo");
    WriteLive(Files() / "ZETA" / "DOCS" / "DEEP" / "C.TXT", "charlie");
    AddDeleted("ZETA/DOCS", "OLD.TXT", "deleted before");
    std::string printed;
    ASSERT_EQ(DeleteAs("alice", "F:\\ZETA", &printed), 0) << printed;
    EXPECT_NE(printed.find("3 file(s) in 3 folder(s)"), std::string::npos) << printed;
    EXPECT_FALSE(std::filesystem::exists(Files() / "ZETA"));
    // The tool marks the folder, and with -r lists what lies inside it.
    std::ostringstream listed;
    std::ostringstream failed;
    ASSERT_EQ(nwsim::RunSimTool({"--world", nwsim::Utf8FromPath(world_.Folder()), "salvage", "-r", "F:\\"},
                                listed, failed),
              0)
        << failed.str();
    EXPECT_NE(listed.str().find("ZETA                                         <DIR>"), std::string::npos)
        << listed.str();
    EXPECT_NE(listed.str().find("F:\\ZETA\\DOCS  (TARVEX/DATA:ZETA/DOCS, inside deleted folder #"),
              std::string::npos)
        << listed.str();

    const TOpenFolder root = OpenFolder("F:\\");
    const std::vector<TScannedBlock> top = ScanFolder(root);
    ASSERT_EQ(Names(top), std::vector<std::string>{"ZETA\\"});
    EXPECT_EQ(top[0].U32(296), 0u) << "a folder has no size";
    EXPECT_EQ(top[0].U32(356), 0x10000012u) << "deleted by ALICE";
    EXPECT_EQ(OpenFolder("F:\\ZETA\\").code, 0x899Cu) << "no path leads into a deleted folder";

    // A live folder of the name stands in the way; then the folder comes back empty of live files.
    std::filesystem::create_directories(Files() / "ZETA");
    EXPECT_EQ(Recover(root, top[0], "ZETA", "ZETA"), 0x8992u);
    EXPECT_EQ(Names(ScanFolder(root)), std::vector<std::string>{"ZETA\\"}) << "the refusal changed nothing";
    std::filesystem::remove(Files() / "ZETA");
    ASSERT_EQ(Recover(root, top[0], "ZETA", "ZETA"), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(Files() / "ZETA"));
    EXPECT_TRUE(ScanFolder(root).empty());

    const TOpenFolder zeta = OpenFolder("F:\\ZETA\\");
    const std::vector<TScannedBlock> inZeta = ScanFolder(zeta);
    EXPECT_EQ(Names(inZeta), (std::vector<std::string>{"A.TXT", "DOCS\\"}));
    // Under another name, the deleted entries inside follow the folder.
    ASSERT_EQ(Recover(zeta, Named(inZeta, "DOCS"), "DOCS", "DOCS2"), 0u);
    const TOpenFolder docs = OpenFolder("F:\\ZETA\\DOCS2\\");
    const std::vector<TScannedBlock> inDocs = ScanFolder(docs);
    EXPECT_EQ(Names(inDocs), (std::vector<std::string>{"B.TXT", "DEEP\\", "OLD.TXT"}));
    ASSERT_EQ(Recover(docs, Named(inDocs, "B.TXT"), "B.TXT", "B.TXT"), 0u);
    EXPECT_EQ(ReadFile(Files() / "ZETA" / "DOCS2" / "B.TXT"), "bravo");

    // A purged folder takes everything deleted inside it.
    const uint32_t charlie = [&] {
        const nwsim::TSalvageStore store = Store();
        for (const TDeletedFile& entry : store.Entries())
            if (entry.name == "C.TXT")
                return entry.id;
        return 0u;
    }();
    ASSERT_NE(charlie, 0u);
    EXPECT_EQ(Purge(docs, Named(inDocs, "DEEP"), "DEEP"), 0u);
    EXPECT_EQ(Names(ScanFolder(docs)), std::vector<std::string>{"OLD.TXT"});
    EXPECT_EQ(Store().Find(charlie), nullptr);
    EXPECT_FALSE(std::filesystem::exists(Store().DataFile(charlie)));
}

TEST_F(DeletedFolderTest, OnATraditionalVolumeTheFilesOfADeletedTreeGoToDeletedSav)
{
    const std::filesystem::path vol1 = world_.FilesFolder("OLDSRV", "VOL1");
    WriteLive(vol1 / "ACCOUNTS" / "OLD" / "X.TXT", "x-ray");
    WriteLive(vol1 / "ACCOUNTS" / "OLD" / "SUB" / "Y.TXT", "yankee");
    WriteLive(vol1 / "ACCOUNTS" / "KEEP.TXT", "stays");
    world_.AddDeleted("OLDSRV", "VOL1", "ACCOUNTS/OLD/SUB", "Z.TXT", "zulu", {});
    std::string printed;
    ASSERT_EQ(DeleteAs("jsmith", "G:\\ACCOUNTS\\OLD", &printed), 0) << printed;
    EXPECT_FALSE(std::filesystem::exists(vol1 / "ACCOUNTS" / "OLD"));
    EXPECT_TRUE(std::filesystem::exists(vol1 / "ACCOUNTS" / "KEEP.TXT"));
    ASSERT_TRUE(std::filesystem::is_directory(vol1 / "DELETED.SAV"));
    EXPECT_TRUE(ScanFolder(OpenFolder("G:\\ACCOUNTS\\")).empty()) << "no folder entry";

    const TOpenFolder save = OpenFolder("G:\\DELETED.SAV\\");
    const std::vector<TScannedBlock> saved = ScanFolder(save);
    EXPECT_EQ(Names(saved), (std::vector<std::string>{"X.TXT", "Y.TXT", "Z.TXT"}));
    ASSERT_EQ(Recover(save, Named(saved, "Y.TXT"), "Y.TXT", "Y.TXT"), 0u);
    EXPECT_EQ(ReadFile(vol1 / "DELETED.SAV" / "Y.TXT"), "yankee");

    // A second tree's files join the first's, with DELETED.SAV made once.
    WriteLive(vol1 / "ACCOUNTS" / "NEW" / "X.TXT", "x again");
    ASSERT_EQ(DeleteAs("jsmith", "G:\\ACCOUNTS\\NEW", &printed), 0) << printed;
    EXPECT_EQ(Names(ScanFolder(save)), (std::vector<std::string>{"X.TXT", "X.TXT", "Z.TXT"}));
}

TEST_F(DeletedFolderTest, AFolderOfAVolumeOfNoKindOrTheRootIsRefusedAndNothingChanges)
{
    WriteLive(Files() / "ZETA" / "A.TXT", "alpha");
    std::string printed;
    EXPECT_EQ(DeleteAs("alice", "F:\\", &printed), 1);
    EXPECT_NE(printed.find("does not exist"), std::string::npos) << "the root is not deleted: " << printed;

    // Every volume without its kind, as worlds were before volumes had one.
    std::string text = ReadFile(world_.Folder() / "world.json");
    for (size_t at = text.find("\"kind\""); at != std::string::npos; at = text.find("\"kind\"", at))
        text.replace(at, 6, "\"was\"");
    world_.WriteWorldJson(text);
    ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    EXPECT_EQ(DeleteAs("alice", "F:\\ZETA", &printed), 1);
    EXPECT_NE(printed.find("is a folder"), std::string::npos) << printed;
    EXPECT_EQ(ReadFile(Files() / "ZETA" / "A.TXT"), "alpha");
    EXPECT_TRUE(Store().Entries().empty());
}
