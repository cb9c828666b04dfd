// Deleted files on the simulated servers, through the exported functions: scans and their blocks, paths and
// directory handles.
#include "SalvageTest.h"

TEST_F(SalvageTest, AScanReturnsExactlyTheFoldersEntriesWithEveryFieldOfTheBlock)
{
    TDeletedFile full;
    full.attributes = 0x00000021;
    full.flags = 0x04;
    full.nameSpace = 4;
    full.inheritedRights = 0x00FB;
    full.owner = 0x10000011;
    full.updater = 0x10000012;
    full.archiver = 0x10000013;
    full.deletor = 0x10000014;
    full.created = TSimTime{2025, 3, 4, 5, 6, 8};
    full.updated = TSimTime{2026, 7, 8, 9, 10, 12};
    full.archived = TSimTime{2026, 8, 1, 23, 59, 58};
    full.accessed = TSimTime{2026, 11, 2, 0, 0, 0};
    full.deleted = TSimTime{2026, 12, 1, 17, 45, 30};
    const uint32_t planId = AddDeleted("PROJECTS", "Quarterly plan.doc", "twelve bytes", full);
    const uint32_t notesId = AddDeleted("PROJECTS", "NOTES.TXT", "n");
    AddDeleted("OTHER", "ELSEWHERE.TXT", "e");
    AddDeleted("", "ROOT.TXT", "r");

    const TOpenFolder folder = OpenFolder("f:\\projects\\");
    ASSERT_EQ(folder.code, 0u);
    EXPECT_EQ(folder.parsedPath, "DATA:PROJECTS");
    uint32_t endCode = 0;
    const std::vector<TScannedBlock> entries = ScanFolder(folder, &endCode);
    EXPECT_EQ(endCode, 0x89FFu);
    ASSERT_EQ(entries.size(), 2u);

    const TScannedBlock& block = entries[0];
    EXPECT_EQ(block.Name(), "Quarterly plan.doc");
    EXPECT_EQ(block.U32(0), block.sequence);
    EXPECT_EQ(block.U32(4), block.dirBase);
    EXPECT_EQ(block.volume, 1u) << "DATA is TARVEX's second volume";
    EXPECT_EQ(block.U32(8), 0x21u);
    EXPECT_EQ(block.bytes[13], 0x04);
    EXPECT_EQ(block.bytes[14], 4);
    EXPECT_EQ(block.bytes[15], 18);
    EXPECT_EQ(block.bytes[16 + 18], 0) << "the name is NUL-terminated";
    EXPECT_EQ(block.U32(272), (45u << 25 | 3u << 21 | 4u << 16) | (5u << 11 | 6u << 5 | 4u));
    EXPECT_EQ(block.U32(276), 0x10000011u);
    EXPECT_EQ(block.U32(280), (46u << 25 | 8u << 21 | 1u << 16) | (23u << 11 | 59u << 5 | 29u));
    EXPECT_EQ(block.U32(284), 0x10000013u);
    EXPECT_EQ(block.U32(288), (46u << 25 | 7u << 21 | 8u << 16) | (9u << 11 | 10u << 5 | 6u));
    EXPECT_EQ(block.U32(292), 0x10000012u);
    EXPECT_EQ(block.U32(296), 12u);
    EXPECT_EQ(block.U16(344), 0x00FBu);
    EXPECT_EQ(block.U16(346), 46u << 9 | 11u << 5 | 2u);
    EXPECT_EQ(block.U32(352), (46u << 25 | 12u << 21 | 1u << 16) | (17u << 11 | 45u << 5 | 15u));
    EXPECT_EQ(block.U32(356), 0x10000014u);
    for (size_t offset : {12u, 300u, 320u, 343u, 360u, 375u})
        EXPECT_EQ(block.bytes[offset], 0) << "reserved byte " << offset;

    EXPECT_EQ(entries[1].Name(), "NOTES.TXT");
    EXPECT_EQ(entries[1].U32(280), 0u) << "never archived";
    EXPECT_EQ(entries[1].dirBase, block.dirBase) << "one folder, one directory base";
    EXPECT_EQ(block.sequence, planId) << "the iteration values are the entries' IDs";
    EXPECT_EQ(entries[1].sequence, notesId);
}

TEST_F(SalvageTest, ARepeatingScanGivesItsLastEntryAgainWithoutAdvancing)
{
    const uint32_t first = AddDeleted("R", "ONE.TXT", "1");
    const uint32_t second = AddDeleted("R", "TWO.TXT", "2");
    AddDeleted("R", "THREE.TXT", "3");
    const TOpenFolder folder = OpenFolder("F:\\R\\");
    ASSERT_EQ(folder.code, 0u);

    NWSimRepeatScanEntries(2, 2);
    std::vector<std::string> names;
    std::vector<uint32_t> sequences;
    for (const TScannedBlock& block : ScanFolder(folder))
    {
        names.push_back(block.Name());
        sequences.push_back(block.sequence);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ONE.TXT", "ONE.TXT", "ONE.TXT", "TWO.TXT", "THREE.TXT"}));
    EXPECT_EQ(sequences[1], first);
    EXPECT_EQ(sequences[2], first) << "the iteration value stays";
    EXPECT_EQ(sequences[3], second) << "and moves on after the repeats";

    NWSimRepeatScanEntries(1, 1);
    const auto scan = NW_FUNCTION("CALWIN32.DLL", NWScanForDeletedFiles);
    TScannedBlock block{};
    uint32_t sequence = 0xFFFFFFFF;
    ASSERT_EQ(scan(folder.connection, folder.handle, &sequence, &block.volume, &block.dirBase, block.bytes),
              0u);
    EXPECT_EQ(block.Name(), "ONE.TXT") << "at the start the first entry repeats";
    EXPECT_EQ(sequence, 0xFFFFFFFFu);

    sequence = 0xFFFFFFFF;
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(
            scan(folder.connection, folder.handle, &sequence, &block.volume, &block.dirBase, block.bytes),
            0u);
    ASSERT_EQ(sequence, second);
    NWSimRepeatScanEntries(1, 0);
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_EQ(
            scan(folder.connection, folder.handle, &sequence, &block.volume, &block.dirBase, block.bytes),
            0u);
        EXPECT_EQ(block.Name(), "TWO.TXT") << "on every call";
        EXPECT_EQ(sequence, second);
    }
    NWSimRepeatScanEntries(0, 0);
    EXPECT_EQ(ScanFolder(folder).size(), 3u) << "disarmed";
    NWSimRepeatScanEntries(1, 0);
    NWSimReset();
    EXPECT_EQ(ScanFolder(folder).size(), 3u) << "a reset disarms too";
}

TEST_F(SalvageTest, AScanGoesOnOnlyFromTheStartValueOrFromWhatItsLastCallReturned)
{
    const uint32_t first = AddDeleted("S", "ONE.TXT", "1");
    const uint32_t second = AddDeleted("S", "TWO.TXT", "2");
    const TOpenFolder folder = OpenFolder("F:\\S\\");
    const auto scan = NW_FUNCTION("CALWIN32.DLL", NWScanForDeletedFiles);
    TScannedBlock block{};
    const auto scanFrom = [&](uint32_t& sequence) {
        return scan(folder.connection, folder.handle, &sequence, &block.volume, &block.dirBase, block.bytes);
    };
    for (uint32_t invented : {0u, first})
    {
        uint32_t sequence = invented;
        EXPECT_EQ(scanFrom(sequence), 0x89FFu) << invented << " was never returned";
        EXPECT_EQ(sequence, invented);
    }
    uint32_t sequence = 0xFFFFFFFF;
    ASSERT_EQ(scanFrom(sequence), 0u);
    ASSERT_EQ(scanFrom(sequence), 0u);
    EXPECT_EQ(block.Name(), "TWO.TXT");
    EXPECT_EQ(sequence, second);
    uint32_t earlier = first;
    EXPECT_EQ(scanFrom(earlier), 0x89FFu) << "only the last call's value goes on";
    EXPECT_EQ(scanFrom(sequence), 0x89FFu) << "the end";
    sequence = 0xFFFFFFFF;
    EXPECT_EQ(scanFrom(sequence), 0u) << "a scan starts again";
    EXPECT_EQ(sequence, first);
}

TEST_F(SalvageTest, SeveralVersionsOfOneNameScanInAStableOrder)
{
    for (const char* content : {"first", "second", "third"})
        AddDeleted("SHARED", "BUDGET.XLS", content);
    const TOpenFolder folder = OpenFolder("F:/SHARED/");
    const std::vector<TScannedBlock> first = ScanFolder(folder);
    const std::vector<TScannedBlock> again = ScanFolder(folder);
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(again.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(first[i].Name(), "BUDGET.XLS");
        EXPECT_EQ(first[i].sequence, again[i].sequence);
    }
    EXPECT_EQ(first[1].U32(296), 6u);
}

// A store written by hand need not list its entries in ID order, nor keep its next ID above them.
TEST_F(SalvageTest, AStoreOutOfOrderScansEachFolderByIdAndNewEntriesGetAnUnusedId)
{
    for (const char* name : {"A1.TXT", "B1.TXT", "A2.TXT", "B2.TXT", "A3.TXT"})
        AddDeleted(name[0] == 'A' ? "A" : "B", name, name);
    const std::filesystem::path file = world_.SalvageFolder("TARVEX", "DATA") / "store.json";
    nlohmann::json document = nlohmann::json::parse(ReadFile(file));
    std::reverse(document["entries"].begin(), document["entries"].end());
    const uint32_t highest = document["entries"][0]["id"].get<uint32_t>();
    document["nextId"] = document["entries"][4]["id"];
    std::ofstream(file, std::ios::binary | std::ios::trunc) << document.dump(1);

    nwsim::TSalvageStore store = Store();
    std::vector<std::string> names;
    for (const TDeletedFile* entry : store.InFolder("a"))
        names.push_back(entry->name);
    EXPECT_EQ(names, (std::vector<std::string>{"A1.TXT", "A2.TXT", "A3.TXT"}));
    const TDeletedFile* a2 = store.InFolder("A")[1];
    ASSERT_NE(store.FirstInFolderFrom("/a/", a2->id), nullptr);
    EXPECT_EQ(store.FirstInFolderFrom("/a/", a2->id)->name, "A2.TXT");
    EXPECT_EQ(store.FirstInFolderFrom("A", a2->id + 1)->name, "A3.TXT") << "B2.TXT lies between, elsewhere";
    EXPECT_EQ(store.FirstInFolderFrom("A", highest + 1), nullptr);
    EXPECT_EQ(store.FirstInFolderFrom("C", 0), nullptr);
    ASSERT_NE(store.Find(a2->id), nullptr);
    EXPECT_EQ(store.Find(a2->id)->name, "A2.TXT");
    EXPECT_EQ(store.Find(highest + 1), nullptr);

    names.clear();
    for (const TScannedBlock& block : ScanFolder(OpenFolder("F:\\A\\")))
        names.push_back(block.Name());
    EXPECT_EQ(names, (std::vector<std::string>{"A1.TXT", "A2.TXT", "A3.TXT"}));

    EXPECT_GT(AddDeleted("A", "A4.TXT", "4"), highest) << "no ID is given twice";
    names.clear();
    for (const TScannedBlock& block : ScanFolder(OpenFolder("F:\\A\\")))
        names.push_back(block.Name());
    EXPECT_EQ(names, (std::vector<std::string>{"A1.TXT", "A2.TXT", "A3.TXT", "A4.TXT"}));
    EXPECT_EQ(ScanFolder(OpenFolder("F:\\B\\")).size(), 2u);
}

TEST_F(SalvageTest, AnEmptyFolderScansNothingAndTheRootScansItsOwn)
{
    std::filesystem::create_directories(Files() / "EMPTY");
    AddDeleted("", "AT-ROOT.TXT", "x");
    uint32_t endCode = 0;
    EXPECT_TRUE(ScanFolder(OpenFolder("F:\\EMPTY\\"), &endCode).empty());
    EXPECT_EQ(endCode, 0x89FFu);
    const std::vector<TScannedBlock> root = ScanFolder(OpenFolder("F:\\"));
    ASSERT_EQ(root.size(), 1u);
    EXPECT_EQ(root[0].Name(), "AT-ROOT.TXT");
}

TEST_F(SalvageTest, PathsThatCannotBeParsedFailWithoutOverrun)
{
    EXPECT_NE(OpenFolder("Q:\\DATA\\").code, 0u) << "an unmapped drive";
    EXPECT_NE(OpenFolder("C:\\WINDOWS\\").code, 0u) << "a local drive";
    EXPECT_NE(OpenFolder("F:\\NO-SUCH-FOLDER\\").code, 0u);
    EXPECT_NE(OpenFolder("F:\\..\\..\\").code, 0u);
    EXPECT_NE(OpenFolder("F:\\" + std::string(253, 'A')).code, 0u) << "256 characters";

    // A full buffer without its NUL is read no further than its 256 bytes.
    char unterminated[256];
    std::memset(unterminated, 'A', sizeof(unterminated));
    unterminated[0] = 'F';
    unterminated[1] = ':';
    nw::NWCONN_HANDLE connection = 0;
    nw::NWDIR_HANDLE base = 0;
    char parsed[256] = {};
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWParseNetWarePath)(unterminated, &connection, &base, parsed), 0u);
    EXPECT_EQ(parsed[0], '\0');
}

TEST_F(SalvageTest, HandlesAreCountedReleasedAndBounded)
{
    std::filesystem::create_directories(Files() / "P");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    const TOpenFolder folder = OpenFolder("F:\\P\\");
    ASSERT_EQ(folder.code, 0u);
    EXPECT_NE(folder.handle, 0);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);

    const auto release = NW_FUNCTION("CALWIN32.DLL", NWDeallocateDirectoryHandle);
    EXPECT_EQ(release(folder.connection, folder.handle), 0u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_EQ(release(folder.connection, folder.handle), 0x899Bu);
    uint32_t endCode = 0;
    EXPECT_TRUE(ScanFolder(folder, &endCode).empty());
    EXPECT_EQ(endCode, 0x899Bu) << "a released handle no longer scans";

    std::vector<nw::NWDIR_HANDLE> handles;
    for (int i = 0; i < 255; ++i)
    {
        const TOpenFolder opened = OpenFolder("F:\\P\\");
        ASSERT_EQ(opened.code, 0u) << "handle " << i + 1;
        handles.push_back(opened.handle);
    }
    EXPECT_EQ(OpenFolder("F:\\P\\").code, 0x899Du);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 255u);
    EXPECT_EQ(release(folder.connection, handles[7]), 0u);
    EXPECT_EQ(OpenFolder("F:\\P\\").handle, handles[7]) << "a freed number is used again";
}
