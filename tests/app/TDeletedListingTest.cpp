// The listing of a folder's deleted files into the main window's list, on the GUI world behind F:.
#include "TProgramTest.h"

#include "CsvReader.h"
#include "DeletedFileListRows.h"
#include "DeletedRowsExport.h"
#include "MainCommands.h"
#include "TItemIdList.h"

#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

namespace
{

using nwsim::TDeletedFile;
using nwsim::TSimTime;

constexpr uint32_t kAlice = 0x10000012; // a directory user of TARVEX
constexpr uint32_t kBob = 0x10000011;

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring LocaleDate(WORD year, WORD month, WORD day)
{
    SYSTEMTIME when{year, month, 0, day, 0, 0, 0, 0};
    wchar_t text[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 80);
    return text;
}

std::wstring LocaleTime(WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME when{2000, 1, 0, 1, hour, minute, second, 0};
    wchar_t text[80] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text, 80);
    return text;
}

} // namespace

class TDeletedListingTest : public TProgramTest
{
protected:
    void SetUp() override
    {
        TProgramTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
    }

    TDeletedFile Deleted(uint32_t deletor = kAlice, uint32_t attributes = 0x20)
    {
        TDeletedFile file;
        file.deletor = deletor;
        file.owner = 0x00000001;
        file.attributes = attributes;
        return file;
    }

    void AddDeleted(const std::string& folder, const std::string& name, TDeletedFile file)
    {
        world_->AddDeleted("TARVEX", "DATA", folder, name, "content", file);
    }

    // Files FILE099.TXT down to FILE000.TXT, so that the scan's order is not the sorted one.
    void AddNumbered(const std::string& folder, int count)
    {
        for (int i = count - 1; i >= 0; --i)
        {
            char name[32];
            std::snprintf(name, sizeof(name), "FILE%03d.TXT", i);
            AddDeleted(folder, name, Deleted(i % 2 == 0 ? kAlice : kBob));
        }
    }

    // The program started on the world as it stands, its main window shown.
    TFMain& Begin()
    {
        LoadWorld();
        Start();
        Main().ShowFirstTime();
        PumpMessages();
        return Main();
    }

    TExtListView& List() { return Main().ExplorerList(); }
    std::wstring Caption() { return TextOf(Main().LRightView()); }
    bool StopEnabled() { return Main().Toolbar().Enabled(cmBStop); }
};

TEST_F(TDeletedListingTest, AFolderWithoutDeletedFilesListsNothingAndKeepsNoHandle)
{
    std::filesystem::create_directories(world_->FilesFolder("TARVEX", "DATA") / "DATA");
    TFMain& main = Begin();
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(main), L"0 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"") << "nothing to add to the count";
    EXPECT_EQ(Caption(), L"Deleted Contents of 'F:\\DATA\\'");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_FALSE(main.ListingBusy());
    EXPECT_FALSE(StopEnabled());
    // Every scan first names the root of the tree and adds aliases and typeless names to the flags.
    const std::string contexts = NWSimTexts("NWDSSetContext");
    EXPECT_NE(contexts.find("name=[root]"), std::string::npos) << contexts;
    EXPECT_NE(contexts.find("flags="), std::string::npos) << contexts;
    EXPECT_EQ(NWSimCallCount("NWParseNetWarePath"), 2u) << "the connection, then the scan";
}

// The empty path, blank paths, a local disk and a failing server list nothing; the note beside the count
// says which it was, so that none looks like an empty folder.
TEST_F(TDeletedListingTest, PathsOffTheNetworkAndAFailingServerListNothingAndTheNoteSaysWhich)
{
    AddNumbered("", 3);
    TFMain& main = Begin();
    main.ListDeletedFiles(L"F:\\");
    ASSERT_EQ(List().Count(), 3u);
    main.ListDeletedFiles(L"");
    EXPECT_EQ(Caption(), L"Deleted Contents of ''");
    EXPECT_EQ(List().Count(), 0u) << "the previous rows went";
    EXPECT_EQ(StatusText(main), L"0 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"Not a NetWare folder");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    main.ListDeletedFiles(std::wstring(L"  \x01\x02 ", 5));
    EXPECT_EQ(Caption(), L"Deleted Contents of ''");
    main.ListDeletedFiles(L"C:\\windows");
    EXPECT_EQ(StatusText(main), L"0 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"Not a NetWare folder");
    main.ListDeletedFiles(std::wstring(L"  F:\\ \x02", 7));
    EXPECT_EQ(Caption(), L"Deleted Contents of 'F:\\'");
    EXPECT_EQ(List().Count(), 3u);
    EXPECT_EQ(StatusText(main, 1), L"");

    // A salvage store that cannot be read: the server fails the scan.
    std::ofstream(world_->SalvageFolder("TARVEX", "DATA") / "store.json", std::ios::trunc)
        << "{\"entries\": [";
    main.ListDeletedFiles(L"F:\\");
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(main), L"0 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"The server did not answer the scan");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
}

TEST_F(TDeletedListingTest, RowsCarryTheirEntryAndTheTwelveCellsSortedByName)
{
    TDeletedFile readOnly = Deleted(kAlice, 0x81);
    readOnly.accessed = TSimTime{2026, 11, 2, 0, 0, 0};
    readOnly.deleted = TSimTime{2026, 12, 1, 0, 0, 0};
    readOnly.created = TSimTime{2025, 3, 4, 5, 6, 8};
    TDeletedFile hidden = Deleted(kBob, 0x12 | 0x1000);
    hidden.deleted = TSimTime{2026, 11, 30, 17, 45, 30};
    AddDeleted("DATA", "zeta.doc", readOnly);
    AddDeleted("DATA", "Alpha.txt", hidden);
    TFMain& main = Begin();
    main.ListDeletedFiles(L"F:\\DATA");

    ASSERT_EQ(List().Count(), 2u);
    EXPECT_EQ(Names(List()), L"Alpha.txt;zeta.doc;");
    EXPECT_EQ(StatusText(main), L"2 file(s)");
    EXPECT_EQ(List().LastColumnClicked(), dcName);
    EXPECT_TRUE(List().CurrentSortAscending());
    EXPECT_TRUE(List().ShowSortArrows());
    EXPECT_EQ(List().AutoColumnSort(), TAutoColumnSort::acsSortToggle);

    EXPECT_EQ(List().CellText(0, dcAttributes), L"  H   D  T");
    EXPECT_EQ(List().CellText(0, dcDeletedBy), L"BOB.SALES.TARVEX");
    EXPECT_EQ(List().CellText(0, dcDeleted), LocaleDate(2026, 11, 30) + L" " + LocaleTime(17, 45, 30));
    EXPECT_EQ(List().CellText(1, dcAttributes), L"Ro     Sh ");
    EXPECT_EQ(List().CellText(1, dcSize), L"7") << "the size of its content";
    EXPECT_EQ(List().CellText(1, dcDeletedBy), L"ALICE.SALES.TARVEX");
    EXPECT_EQ(List().CellText(1, dcOwner), L"SUPERVISOR");
    EXPECT_EQ(List().CellText(1, dcDeleted), LocaleDate(2026, 12, 1)) << "midnight shows the date alone";
    EXPECT_EQ(List().CellText(1, dcAccessed), LocaleDate(2026, 11, 2));
    EXPECT_EQ(List().CellText(1, dcCreated), LocaleDate(2025, 3, 4) + L" " + LocaleTime(5, 6, 8));
    EXPECT_EQ(List().CellText(1, dcArchived), LocaleDate(1980, 1, 1)) << "never archived";

    const TDeletedRowData* data = DeletedRowData(List().Row(1));
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data->Entry().Name, "zeta.doc");
    EXPECT_NE(data->Entry().DirHandle, 0);
    EXPECT_EQ(data->Info().Size, 7);
    EXPECT_EQ(data->Entry().DirHandle, DeletedRowData(List().Row(0))->Entry().DirHandle);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
    // The icons come from the system list by the name's extension.
    EXPECT_GE(List().Row(0).image, 0);
    EXPECT_LT(List().Row(0).image, ImageList_GetImageCount(main.SmallImage()));
}

// An export of the list, read by a reader of the standard, is the list: awkward names whole, sizes as plain
// numbers, dates as sortable ISO texts, the rest as the cells show it; the selected rows alone on request.
TEST_F(TDeletedListingTest, AnExportReadsBackAsTheRowsOfTheListItShows)
{
    TDeletedFile dated = Deleted(kBob);
    dated.deleted = TSimTime{2026, 11, 30, 17, 45, 30};
    for (const char* name : {"a,b.txt", "say \"hi\".txt",
                             "Gr\xC3\xBC\xC3\x9F"
                             "e.txt",
                             " lead.txt"})
        AddDeleted("DATA", name, dated);
    TFMain& main = Begin();
    main.ListDeletedFiles(L"F:\\DATA");
    ASSERT_EQ(List().Count(), 4u);
    std::vector<size_t> all(List().Count());
    for (size_t row = 0; row < all.size(); ++row)
        all[row] = row;

    const std::string csv = ExportListedRows(List(), all, L"F:\\DATA", TExportFormat::efCsv);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u) << "a byte-order mark first";
    const std::vector<std::vector<std::string>> records = ReadCsv(csv);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0], (std::vector<std::string>{"Folder", "Name", "Size", "Deleted", "Deleted By",
                                                    "Owner", "Accessed", "Created", "Attributes", "Archived",
                                                    "Archived By", "Updated", "Updated By"}));
    for (size_t row = 0; row < all.size(); ++row)
    {
        const std::vector<std::string>& record = records[row + 1];
        ASSERT_EQ(record.size(), 13u);
        EXPECT_EQ(record[0], "F:\\DATA");
        EXPECT_EQ(record[1], Utf8Of(List().Row(row).caption));
        EXPECT_EQ(record[2], "7");
        EXPECT_EQ(record[3], "2026-11-30 17:45:30");
        EXPECT_EQ(record[4], Utf8Of(List().CellText(row, dcDeletedBy)));
        EXPECT_EQ(record[8], Utf8Of(List().CellText(row, dcAttributes)));
        EXPECT_EQ(record[9], "1980-01-01 00:00:00") << "never archived, as the cell says";
    }
    std::vector<std::string> names;
    for (size_t row = 1; row < records.size(); ++row)
        names.push_back(records[row][1]);
    EXPECT_EQ(names, (std::vector<std::string>{" lead.txt", "a,b.txt",
                                               "Gr\xC3\xBC\xC3\x9F"
                                               "e.txt",
                                               "say \"hi\".txt"}));

    const std::vector<std::vector<std::string>> tabs =
        ReadCsv(ExportListedRows(List(), {2}, L"F:\\DATA", TExportFormat::efTabs), '\t');
    ASSERT_EQ(tabs.size(), 2u) << "the header and the one row asked for";
    EXPECT_EQ(tabs[1], records[3]);
}

TEST_F(TDeletedListingTest, StopAtTheEleventhKeptEntryLeavesTenSortedRowsThatHoldTheHandle)
{
    AddNumbered("DATA", 100);
    TFMain& main = Begin();
    int pumped = 0;
    bool stopEnabledMeanwhile = false;
    main.SetListingEventPump([&] {
        stopEnabledMeanwhile = StopEnabled() && main.ListingBusy();
        if (++pumped == 11)
            SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmBStop, 0), 0);
    });
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(pumped, 11);
    EXPECT_TRUE(stopEnabledMeanwhile);
    ASSERT_EQ(List().Count(), 10u);
    EXPECT_EQ(List().CellText(0, dcName), L"FILE090.TXT") << "the scan's first ten, sorted ascending";
    EXPECT_EQ(List().CellText(9, dcName), L"FILE099.TXT");
    EXPECT_EQ(StatusText(main), L"10 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"Stopped") << "the count is of a partial list";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
    EXPECT_FALSE(main.ListingBusy());
    EXPECT_FALSE(StopEnabled());
    EXPECT_TRUE(main.StopRequested());

    // A new listing clears the stop and the old rows, and their handle.
    pumped = 0;
    main.SetListingEventPump([&] {
        if (++pumped == 1)
            main.BStopClick();
    });
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(main), L"0 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"Stopped");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u) << "stopped before the first row";

    main.SetListingEventPump(nullptr);
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(StatusText(main), L"100 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"") << "a whole list";
}

// A listing that runs out of memory stops as Stop does, keeps its rows and says so; the program goes on.
TEST_F(TDeletedListingTest, RunningOutOfMemoryStopsTheListingWithItsRowsAndSaysSo)
{
    AddNumbered("DATA", 100);
    TFMain& main = Begin();
    List().SetRowStoreFault([](size_t rows) {
        if (rows == 40)
            throw std::bad_alloc();
    });
    Modals().ExpectMessageBox(L"Not enough memory to list every deleted file; 40 file(s) are listed.", IDOK);
    main.ListDeletedFiles(L"F:\\DATA");
    ASSERT_TRUE(Modals().AllAnswered());
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Retrove 98");
    EXPECT_EQ(Modals().ShownLooks()[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    ASSERT_EQ(List().Count(), 40u);
    EXPECT_EQ(List().CellText(0, dcName), L"FILE060.TXT") << "the scan's first forty, sorted";
    EXPECT_EQ(StatusText(main), L"40 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"Stopped");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the rows kept hold the handle";
    EXPECT_FALSE(main.ListingBusy());
    EXPECT_FALSE(StopEnabled());

    List().SetRowStoreFault(nullptr);
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(StatusText(main), L"100 file(s)");
    EXPECT_EQ(StatusText(main, 1), L"");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
}

TEST_F(TDeletedListingTest, TheCriteriaInForceDecideTheRowsAndOnlyKeptEntriesPump)
{
    AddNumbered("DATA", 6);
    TFMain& main = Begin();
    int pumped = 0;
    main.SetListingEventPump([&] { ++pumped; });
    TFilterCriteria nothing;
    nothing.NamePattern = "**";
    main.SetFilterCriteriaSource([&] { return nothing; });
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(main), L"0 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_EQ(pumped, 0);

    TFilterCriteria bob;
    bob.DeletedByPattern = "BOB";
    main.SetFilterCriteriaSource([&] { return bob; });
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(Names(List()), L"FILE001.TXT;FILE003.TXT;FILE005.TXT;");
    EXPECT_EQ(pumped, 3);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
}

// What the operator acts on is what the tree shows: a folder selected during a listing stops it and is
// listed once it has stopped, and a refresh asked meanwhile does not start a second listing.
TEST_F(TDeletedListingTest, AnotherFolderSelectedDuringAListingStopsItAndIsListedOnceItHasStopped)
{
    AddNumbered("A", 30);
    AddNumbered("B", 2);
    AddNumbered("C", 4);
    TFMain& main = Begin();
    main.TreeDel().GoTo(TItemIdList::FromPath(L"F:\\A").Get());
    PumpMessages();
    ASSERT_EQ(Caption(), L"Deleted Contents of 'F:\\A\\'") << "selecting a folder lists it";
    ASSERT_EQ(List().Count(), 30u);

    int pumped = 0;
    std::vector<std::wstring> captions;
    main.SetListingEventPump([&] {
        ++pumped;
        if (pumped == 2)
        {
            main.TreeDel().GoTo(TItemIdList::FromPath(L"F:\\B").Get());
            SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmMRefresh, 0), 0);
            captions.push_back(Caption());
        }
    });
    main.ListDeletedFiles(L"F:\\A");
    EXPECT_LT(pumped, 30) << "the listing of A stopped";
    EXPECT_EQ(captions, std::vector<std::wstring>{L"Deleted Contents of 'F:\\A\\'"})
        << "one listing at a time";
    EXPECT_EQ(main.TreeDel().SelectedPath(), L"F:\\B");
    EXPECT_EQ(main.TreeDel().SelectedFolder().Path(), L"F:\\B");
    EXPECT_EQ(main.ShellCombo1().Location().Path(), L"F:\\B");
    EXPECT_EQ(Caption(), L"Deleted Contents of 'F:\\B\\'");
    EXPECT_EQ(List().Count(), 2u);
    EXPECT_EQ(StatusText(main), L"2 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "A's handle went with its rows";

    // A folder selected during the listing that the last selection started is listed in turn.
    pumped = 0;
    main.SetListingEventPump([&] {
        ++pumped;
        if (pumped == 1)
            main.TreeDel().GoTo(TItemIdList::FromPath(L"F:\\B").Get());
        else if (pumped == 2)
            main.TreeDel().GoTo(TItemIdList::FromPath(L"F:\\C").Get());
    });
    main.TreeDel().GoTo(TItemIdList::FromPath(L"F:\\A").Get());
    EXPECT_EQ(pumped, 6) << "one row of A, one of B, the four of C";
    EXPECT_EQ(main.TreeDel().SelectedPath(), L"F:\\C");
    EXPECT_EQ(main.ShellCombo1().Location().Path(), L"F:\\C");
    EXPECT_EQ(Caption(), L"Deleted Contents of 'F:\\C\\'");
    EXPECT_EQ(List().Count(), 4u);
    EXPECT_EQ(StatusText(main), L"4 file(s)");
}

TEST_F(TDeletedListingTest, TheHourglassStaysOverTheWholeWindowWhileAListingRuns)
{
    AddNumbered("DATA", 3);
    TFMain& main = Begin();
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR sizing = LoadCursorW(nullptr, IDC_SIZEWE);
    // The cursor that a window and its parents choose when the mouse moves over it.
    const auto cursorOver = [](HWND window, UINT hitTest = HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_CROSS));
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(hitTest, WM_MOUSEMOVE));
        return GetCursor();
    };

    const std::vector<std::pair<const char*, HWND>> parts = {{"list", List().Handle()},
                                                             {"tree", main.TreeDel().Handle()},
                                                             {"title", main.LRightView()},
                                                             {"status bar", main.StatusBar()},
                                                             {"tool bar", main.Toolbar().Handle()},
                                                             {"main window", main.Handle()}};
    int pumped = 0;
    main.SetListingEventPump([&] {
        if (++pumped != 2)
            return;
        for (const auto& [name, window] : parts)
            EXPECT_EQ(cursorOver(window), wait) << name;
        EXPECT_EQ(cursorOver(main.Handle(), HTLEFT), sizing) << "the frame's edge still sizes";
    });
    main.ListDeletedFiles(L"F:\\DATA");
    ASSERT_EQ(pumped, 3);
    ASSERT_EQ(List().Count(), 3u);

    EXPECT_EQ(cursorOver(List().Handle()), arrow);
    EXPECT_EQ(cursorOver(main.TreeDel().Handle()), arrow);
}

TEST_F(TDeletedListingTest, TheLastRemovedRowReleasesTheHandle)
{
    AddNumbered("DATA", 3);
    TFMain& main = Begin();
    main.ListDeletedFiles(L"F:\\DATA");
    ASSERT_EQ(List().Count(), 3u);
    RemoveEntryRow(List(), 1);
    EXPECT_EQ(Names(List()), L"FILE000.TXT;FILE002.TXT;");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
    RemoveEntryRow(List(), 1);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
    RemoveEntryRow(List(), 0);
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_EQ(NWSimCallCount("NWDeallocateDirectoryHandle"), 1u) << "released once, not once per row";

    // Listing again and clearing: one handle at a time, none after.
    main.ListDeletedFiles(L"F:\\DATA");
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);
    main.ClearDeletedList();
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
}

TEST_F(TDeletedListingTest, ClosingDuringAListingStopsItThenCloses)
{
    AddNumbered("DATA", 5);
    TFMain& main = Begin();
    HWND window = main.Handle();
    main.SetListingEventPump([&] { SendMessageW(window, WM_CLOSE, 0, 0); });
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_TRUE(IsWindow(window)) << "the list outlives the listing";
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(program_->Run(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
}

// Each client call that one listing makes fails in turn, at each of its positions: the listing shows
// what it got, asks nothing, and leaves no handle behind once its rows are gone.
TEST_F(TDeletedListingTest, EveryFailingClientCallOfAListingEndsQuietlyWithoutALeakedHandle)
{
    AddDeleted("DATA", "ONE.TXT", Deleted(kAlice));
    AddDeleted("DATA", "TWO.TXT", Deleted(kBob));
    AddDeleted("DATA", "THREE.TXT", Deleted(0x7777)); // nobody: the directory is asked too
    TFMain& main = Begin();
    const char* candidates[] = {"NWDSSetContext",           "NWDSGetContext",
                                "NWParseNetWarePath",       "NWAllocTemporaryDirectoryHandle",
                                "NWScanForDeletedFiles",    "NWGetObjectName",
                                "NWDSMapIDToName",          "NWUnpackDateTime",
                                "NWGetPrimaryConnectionID", "NWDeallocateDirectoryHandle"};
    NWSimReset();
    main.ListDeletedFiles(L"F:\\DATA");
    ASSERT_EQ(List().Count(), 3u);
    main.ClearDeletedList();
    std::vector<std::pair<std::string, uint32_t>> calls;
    for (const char* function : candidates)
        if (const uint32_t count = NWSimCallCount(function))
            calls.emplace_back(function, count);
    ASSERT_GE(calls.size(), 6u);

    // A call fails by its answer, or by a throw inside the client that its boundary answers for.
    size_t runs = 0;
    for (const bool thrown : {false, true})
        for (const auto& [function, count] : calls)
            for (uint32_t nth = 1; nth <= count; ++nth)
            {
                const std::string what = function + " #" + std::to_string(nth) + (thrown ? " thrown" : "");
                NWSimReset();
                const uint32_t handlesBefore = NWSimDirectoryHandlesInUse();
                if (thrown)
                    NWSimThrowInCalls(function.c_str(), nth, 1);
                else
                    NWSimFailCalls(function.c_str(), 0x89FF, nth, 1);
                main.ListDeletedFiles(L"F:\\DATA");
                EXPECT_LE(List().Count(), 3u) << what;
                EXPECT_EQ(StatusText(main), std::to_wstring(List().Count()) + L" file(s)") << what;
                main.ClearDeletedList();
                ++runs;
                if (function == "NWDeallocateDirectoryHandle")
                    continue; // the server kept the handle it refused to release
                EXPECT_EQ(NWSimDirectoryHandlesInUse(), handlesBefore) << what;
            }
    EXPECT_GE(runs, 30u);
}
