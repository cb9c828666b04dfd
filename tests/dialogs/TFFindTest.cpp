// The Find window on the GUI world behind F:: its look, the search through folders with its options and
// criteria, Stop, New Search and the directory handles of the rows.
#include "TFFindTest.h"

#include <algorithm>
#include <new>

TEST_F(TFFindTest, ShowsItsControlsMenusAndColumnsEmptyAndCollapsed)
{
    TFFind& find = Begin();
    EXPECT_EQ(find.Caption(), L"Find: Deleted Files");
    EXPECT_TRUE(HasStyle(find.Handle(), WS_THICKFRAME)) << "the window is sizeable";
    // The program's icon in the title bar and the task switcher, not the system's default.
    EXPECT_NE(SendMessageW(find.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageW(find.Handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(WindowText(find.BFind()), L"F&ind Now");
    EXPECT_EQ(WindowText(find.BStop()), L"Sto&p");
    EXPECT_EQ(WindowText(find.BNew()), L"Ne&w Search");
    EXPECT_EQ(WindowText(find.BBrowse()), L"&Browse...");
    EXPECT_EQ(WindowText(find.CInclude()), L"Include &subfolders");
    EXPECT_EQ(WindowText(find.CInclude_Hidden()), L"Include &hidden folders");
    EXPECT_EQ(WindowText(find.BSelect_Deleted()), L"Sele&ct...");
    EXPECT_EQ(WindowText(find.BSelect_Owner()), L"Selec&t...");
    EXPECT_EQ(WindowText(find.RNone()), L"N&one");
    EXPECT_EQ(WindowText(find.RGreater()), L"&Greater than or equal to");
    const std::vector<std::string> clashes = AccessKeyClashes(find.Handle());
    EXPECT_TRUE(clashes.empty()) << "access keys claimed twice: " << testing::PrintToString(clashes);
    ASSERT_EQ(TabCtrl_GetItemCount(find.PageControl()), 2);
    wchar_t tab[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 64;
    TabCtrl_GetItem(find.PageControl(), 0, &item);
    EXPECT_STREQ(tab, L"Name && Location");
    TabCtrl_GetItem(find.PageControl(), 1, &item);
    EXPECT_STREQ(tab, L"Advanced");

    // The pages follow the tabs.
    EXPECT_TRUE(HasStyle(find.TNameLocation(), WS_VISIBLE));
    EXPECT_FALSE(HasStyle(find.TAdvanced(), WS_VISIBLE));
    TabCtrl_SetCurSel(find.PageControl(), 1);
    NMHDR change{find.PageControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(find.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_FALSE(HasStyle(find.TNameLocation(), WS_VISIBLE));
    EXPECT_TRUE(HasStyle(find.TAdvanced(), WS_VISIBLE));
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages round.
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmNextPage, 1), 0);
    EXPECT_EQ(TabCtrl_GetCurSel(find.PageControl()), 0);
    EXPECT_TRUE(HasStyle(find.TNameLocation(), WS_VISIBLE));
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmPreviousPage, 1), 0);
    EXPECT_EQ(TabCtrl_GetCurSel(find.PageControl()), 1);
    EXPECT_TRUE(HasStyle(find.TAdvanced(), WS_VISIBLE));

    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMFind), L"F&ind Now\tF5");
    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMRetrove), L"&Retrove\tF2");
    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMPurge), L"&Purge\tF9");
    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMSelectAll), L"Select &All\tCtrl+A");
    EXPECT_EQ(MenuItemCaption(find.PopFind(), TFFind::cmPMRetrove), L"Retrove\tF2");
    EXPECT_TRUE(MenuEnabled(TFFind::cmMFind));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMPurge));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMProperties));
    EXPECT_TRUE(MenuChecked(TFFind::cmMDetails));
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsReport);

    ASSERT_EQ(List().ColumnCount(), 13u);
    EXPECT_EQ(List().ColumnWidth(0), 100);
    EXPECT_EQ(List().ColumnWidth(12), 100);
    HWND header = ListView_GetHeader(List().Handle());
    wchar_t caption[64] = {};
    HDITEMW column{};
    column.mask = HDI_TEXT;
    column.pszText = caption;
    column.cchTextMax = 64;
    Header_GetItem(header, 1, &column);
    EXPECT_STREQ(caption, L"Path");
    Header_GetItem(header, 2, &column);
    EXPECT_STREQ(caption, L"Size");
    Header_GetItem(header, 12, &column);
    EXPECT_STREQ(caption, L"Updated By");

    EXPECT_FALSE(find.Expanded());
    EXPECT_EQ(WindowHeight(find.Handle()), TFFind::kCollapsedHeight);
    EXPECT_EQ(CountPanelWidth(), 0) << "no count panel while collapsed";
    EXPECT_FALSE(Enabled(find.BStop()));
    EXPECT_TRUE(Enabled(find.BFind()));
    EXPECT_TRUE(Checked(find.CInclude()));
    EXPECT_TRUE(Checked(find.CInclude_Hidden()));
    EXPECT_TRUE(Checked(find.RNone()));
    EXPECT_EQ(WindowText(find.EName()), L"") << "the name pattern starts empty";
    EXPECT_EQ(find.Criteria().Date, nw::Today());
}

// A folder reached just after the bar painted another is shown while its own long scan runs, not after it.
TEST_F(TFFindTest, AFolderReachedJustAfterAPaintIsShownWhileItsLongScanRuns)
{
    AddDeleted("A", "ONE.TXT");
    for (int i = 0; i < 100; ++i)
        AddDeleted("B", "F" + std::to_string(i) + ".TXT");
    TFFind& find = Begin();
    // Each server request takes 2 ms at least: B's hundred entries take 200 ms and more to read.
    NWSimSetLatency(2000);
    std::wstring shownAtBsFirstRow;
    pumpScript_ = [&] {
        if (shownAtBsFirstRow.empty() && List().Count() > 0 &&
            List().CellText(List().Count() - 1, kFoundPathColumn) == L"F:\\B\\")
            shownAtBsFirstRow = StatusText(1);
    };
    find.BFindClick();
    NWSimSetLatency(0);
    EXPECT_EQ(List().Count(), 101u);
    EXPECT_EQ(shownAtBsFirstRow, L"Searching F:\\B\\");
}

TEST_F(TFFindTest, SearchesTheFolderAndEveryFolderBelowItWithTheFolderOfEachHit)
{
    AddDeleted("", "ROOT.TXT");
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A\\DEEP", "TWO.DOC", kBob);
    AddDeleted("C", "THREE.TXT");
    std::filesystem::create_directories(world_->FilesFolder("TARVEX", "DATA") / "EMPTY");
    TFFind& find = Begin();
    std::vector<std::wstring> searched;
    pumpScript_ = [&] {
        const std::wstring text = StatusText(1);
        if (searched.empty() || searched.back() != text)
            searched.push_back(text);
        // The bar shows a folder only as it paints, a few times a second: each folder is given the time.
        Sleep(TFFind::kStatusPaintMilliseconds + 20);
    };
    find.BFindClick();
    EXPECT_EQ(Hits(), (std::set<std::wstring>{L"ROOT.TXT@F:\\", L"ONE.TXT@F:\\A\\", L"TWO.DOC@F:\\A\\DEEP\\",
                                              L"THREE.TXT@F:\\C\\"}));
    EXPECT_EQ(StatusText(0), L"4 file(s)");
    EXPECT_EQ(StatusText(1), L"") << "the folder panel empties at the end";
    EXPECT_TRUE(find.Expanded());
    EXPECT_EQ(CountPanelWidth(), TFFind::kCountPanelWidth);
    ASSERT_GE(searched.size(), 5u);
    EXPECT_EQ(searched.front(), L"Searching F:\\");
    EXPECT_NE(std::find(searched.begin(), searched.end(), L"Searching F:\\EMPTY\\"), searched.end());
    EXPECT_NE(std::find(searched.begin(), searched.end(), L"Searching F:\\A\\DEEP\\"), searched.end());

    // The rows: the cells of the main list after the path, the entry, and one handle per folder with hits.
    const size_t two = List().Count() - 1;
    ASSERT_EQ(List().CellText(two, 0), L"TWO.DOC") << "sorted by name at the end";
    EXPECT_EQ(List().CellText(two, FoundColumn(dcDeletedBy)), L"BOB.SALES.TARVEX");
    EXPECT_EQ(List().CellText(two, FoundColumn(dcSize)), L"7");
    EXPECT_EQ(List().CellText(two, FoundColumn(dcOwner)), L"SUPERVISOR");
    const TDeletedRowData* data = DeletedRowData(List().Row(two));
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data->Entry().Name, "TWO.DOC");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 4u);
    EXPECT_TRUE(List().ShowSortArrows());
    EXPECT_EQ(List().AutoColumnSort(), TAutoColumnSort::acsSortToggle);
    EXPECT_FALSE(find.Searching());
    EXPECT_FALSE(Enabled(find.BStop()));
    EXPECT_TRUE(Enabled(find.BFind()));
    EXPECT_TRUE(MenuEnabled(TFFind::cmMFind));
    EXPECT_FALSE(find.Find_Animate().Playing());

    // Every scan prepares the directory-services context.
    const std::string contexts = NWSimTexts("NWDSSetContext");
    EXPECT_NE(contexts.find("name=[root]"), std::string::npos) << contexts;

    // Searching again replaces the rows, and the old rows' handles go.
    find.BFindClick();
    EXPECT_EQ(List().Count(), 4u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 4u);
}

TEST_F(TFFindTest, DuringASearchStopIsOnFindNowOffAndTheAnimationPlays)
{
    AddDeleted("A", "ONE.TXT");
    TFFind& find = Begin();
    bool sawRunning = false;
    pumpScript_ = [&] {
        sawRunning = find.Searching() && Enabled(find.BStop()) && !Enabled(find.BFind()) &&
                     !MenuEnabled(TFFind::cmMFind) && find.Find_Animate().Playing() && find.Expanded();
        // A second Find Now from the keyboard inside the search starts nothing.
        SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMFind, 1), 0);
    };
    find.BFindClick();
    EXPECT_TRUE(sawRunning);
    EXPECT_EQ(List().Count(), 1u);
}

TEST_F(TFFindTest, WithoutSubfoldersOnlyTheLookInFolderIsScanned)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A\\DEEP", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    Click(find.CInclude());
    ASSERT_FALSE(Checked(find.CInclude()));
    const uint32_t scansBefore = NWSimCallCount("NWAllocTemporaryDirectoryHandle");
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"ONE.TXT@F:\\A\\"});
    EXPECT_EQ(NWSimCallCount("NWAllocTemporaryDirectoryHandle") - scansBefore, 1u) << "one folder scanned";
    EXPECT_EQ(pumped_, 2) << "the folder, then its one kept entry";
    EXPECT_EQ(StatusText(0), L"1 file(s)");
}

TEST_F(TFFindTest, WithoutHiddenFoldersHiddenAndSystemTreesAreSkipped)
{
    AddDeleted("SHOWN", "ONE.TXT");
    AddDeleted("SECRET", "TWO.TXT");
    AddDeleted("SECRET\\BELOW", "THREE.TXT");
    AddDeleted("SYS", "FOUR.TXT");
    TFFind& find = Begin();
    ASSERT_TRUE(SetFileAttributesW(L"F:\\SECRET", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(L"F:\\SYS", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_NE(GetFileAttributesW(L"F:\\SECRET") & FILE_ATTRIBUTE_HIDDEN, 0u);
    find.BFindClick();
    EXPECT_EQ(List().Count(), 4u) << "hidden folders are searched while the option is checked";
    Click(find.CInclude_Hidden());
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"ONE.TXT@F:\\SHOWN\\"});
    SetFileAttributesW(L"F:\\SECRET", FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(L"F:\\SYS", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(TFFindTest, ALocationWithoutAFileSystemPathSearchesNothing)
{
    AddDeleted("", "ROOT.TXT");
    TFFind& find = Begin();
    find.SLook_In().Location().Assign(TItemIdList::SpecialFolder(CSIDL_DRIVES).Get());
    ASSERT_EQ(find.SLook_In().Location().Path(), L"");
    find.BFindClick();
    EXPECT_TRUE(find.Expanded()) << "the list is shown, empty";
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(0), L"") << "the count panel stays empty";
    EXPECT_EQ(NWSimCallCount("NWScanForDeletedFiles"), 0u);
    EXPECT_EQ(pumped_, 0);
}

TEST_F(TFFindTest, AnEmptyNameOrStarDotStarFindsEveryFileAndOtherCriteriaNarrow)
{
    AddDeleted("A", "ONE.TXT", kAlice);
    AddDeleted("A", "TWO.DOC", kBob);
    AddDeleted("B", "NOEXT", kBob);
    TFFind& find = Begin();
    find.BFindClick();
    EXPECT_EQ(List().Count(), 3u);
    SetWindowTextW(find.EName(), L"*.*");
    find.BFindClick();
    EXPECT_EQ(List().Count(), 3u);
    SetWindowTextW(find.EName(), L"*.DOC");
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"TWO.DOC@F:\\A\\"});
    SetWindowTextW(find.EName(), L"");
    SetWindowTextW(find.EDeleted(), L"BOB*");
    find.BFindClick();
    EXPECT_EQ(Hits(), (std::set<std::wstring>{L"TWO.DOC@F:\\A\\", L"NOEXT@F:\\B\\"}));
    EXPECT_EQ(StatusText(0), L"2 file(s)");
}

TEST_F(TFFindTest, AFolderWhoseEntriesAllFailTheCriteriaHoldsNoHandle)
{
    AddDeleted("A", "ONE.TXT", kAlice);
    AddDeleted("A", "TWO.TXT", kAlice);
    AddDeleted("B", "THREE.TXT", kBob);
    TFFind& find = Begin();
    SetWindowTextW(find.EDeleted(), L"BOB*");
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"THREE.TXT@F:\\B\\"});
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "only B's rows hold a handle";
    SetWindowTextW(find.EDeleted(), L"NOBODY");
    find.BFindClick();
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(0), L"0 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_GE(NWSimCallCount("NWScanForDeletedFiles"), 2u);
    // The same count once more: the new search shows it again in the panel that it emptied.
    find.BFindClick();
    EXPECT_EQ(StatusText(0), L"0 file(s)");
}

TEST_F(TFFindTest, StopKeepsTheRowsFoundSoFarWithTheirCount)
{
    for (int i = 0; i < 30; ++i)
        AddDeleted("MANY", "FILE" + std::to_string(100 + i) + ".TXT");
    AddDeleted("MANY\\BELOW", "LATER.TXT");
    TFFind& find = Begin(L"F:\\MANY");
    // The first round is for the folder; from the second on, one per kept entry.
    pumpScript_ = [&] {
        if (pumped_ == 11)
            Click(find.BStop());
    };
    find.BFindClick();
    EXPECT_EQ(pumped_, 11);
    EXPECT_EQ(List().Count(), 9u);
    EXPECT_EQ(StatusText(0), L"9 file(s)");
    EXPECT_TRUE(find.StopRequested());
    EXPECT_FALSE(find.Searching());
    EXPECT_FALSE(Enabled(find.BStop()));
    EXPECT_TRUE(Enabled(find.BFind()));
    const std::set<std::wstring> hits = Hits();
    EXPECT_EQ(std::count_if(hits.begin(), hits.end(),
                            [](const std::wstring& hit) { return hit.find(L"LATER") != std::wstring::npos; }),
              0)
        << "the subfolder is not entered after Stop";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the kept rows hold their folder's handle";

    // Stop while a folder is only being shown: it is not scanned.
    pumped_ = 0;
    pumpScript_ = [&] { Click(find.BStop()); };
    find.BFindClick();
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(pumped_, 1);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
}

// A search that runs out of memory stops as Stop does, keeps what it found and says so.
TEST_F(TFFindTest, RunningOutOfMemoryStopsTheSearchWithItsHitsAndSaysSo)
{
    for (int i = 0; i < 30; ++i)
        AddDeleted("MANY", "FILE" + std::to_string(100 + i) + ".TXT");
    AddDeleted("MANY\\BELOW", "LATER.TXT");
    TFFind& find = Begin(L"F:\\MANY");
    // One failure only: a search that went on would add the subfolder's file as the thirteenth row.
    List().SetRowStoreFault([failed = false](size_t rows) mutable {
        if (rows == 12 && !failed)
        {
            failed = true;
            throw std::bad_alloc();
        }
    });
    Modals().ExpectMessageBox(L"Not enough memory to list every deleted file; 12 file(s) are listed.", IDOK);
    find.BFindClick();
    ASSERT_TRUE(Modals().AllAnswered());
    EXPECT_EQ(Modals().ShownLooks().back().type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(List().Count(), 12u) << "the subfolder is not entered after the failure";
    EXPECT_EQ(StatusText(0), L"12 file(s)");
    EXPECT_TRUE(find.StopRequested());
    EXPECT_FALSE(find.Searching());
    EXPECT_TRUE(Enabled(find.BFind()));
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the kept rows hold their folder's handle";

    List().SetRowStoreFault(nullptr);
    find.BFindClick();
    EXPECT_EQ(List().Count(), 31u);
    EXPECT_FALSE(find.StopRequested());
}

TEST_F(TFFindTest, NewSearchResetsTheCriteriaButKeepsLookInAndTheCheckBoxes)
{
    AddDeleted("A", "ONE.TXT");
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 1u);
    const int expandedHeight = WindowHeight(find.Handle());
    EXPECT_EQ(expandedHeight, TFFind::kDesignHeight) << "the list takes its designed height";
    SetWindowTextW(find.EName(), L"*.DOC");
    SetWindowTextW(find.EDeleted(), L"BOB*");
    SetWindowTextW(find.EOwner(), L"ALICE*");
    SYSTEMTIME day{};
    day.wYear = 2025;
    day.wMonth = 4;
    day.wDay = 5;
    DateTime_SetSystemtime(find.DDeleted(), GDT_VALID, &day);
    Click(find.RLess());
    Click(find.CInclude());
    Click(find.CInclude_Hidden());

    Click(find.BNew());
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_FALSE(find.Expanded());
    EXPECT_EQ(WindowHeight(find.Handle()), TFFind::kCollapsedHeight);
    EXPECT_EQ(StatusText(0), L"");
    EXPECT_EQ(WindowText(find.EName()), L"");
    EXPECT_EQ(WindowText(find.EDeleted()), L"");
    EXPECT_EQ(WindowText(find.EOwner()), L"");
    EXPECT_EQ(find.Criteria().Date, nw::Today());
    EXPECT_TRUE(Checked(find.RNone()));
    EXPECT_FALSE(Checked(find.RLess()));
    EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\A");
    EXPECT_FALSE(Checked(find.CInclude()));
    EXPECT_FALSE(Checked(find.CInclude_Hidden()));

    // Expanding again gives the list its height back, every time.
    find.BFindClick();
    EXPECT_EQ(WindowHeight(find.Handle()), expandedHeight);
    find.BNewClick();
    find.BFindClick();
    EXPECT_EQ(WindowHeight(find.Handle()), expandedHeight);
}
