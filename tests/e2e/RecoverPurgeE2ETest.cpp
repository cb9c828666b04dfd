// Retrove and Purge in the real program on the demo network, by the keyboard: F2 brings a file back with its
// bytes, F9 asks in a real box and erases what was selected, Skip leaves a name that exists again alone, and
// accented names are listed, sorted and brought back exactly as the operator chose.
#include "TDemoListingTest.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace
{

// Names that the salvage listing holds once only.
std::set<std::wstring> UniqueNames(const std::vector<TSalvageRow>& rows)
{
    std::map<std::wstring, int> counts;
    for (const TSalvageRow& row : rows)
        ++counts[row.name];
    std::set<std::wstring> unique;
    for (const auto& [name, count] : counts)
        if (count == 1)
            unique.insert(name);
    return unique;
}

std::wstring UpperCased(std::wstring text)
{
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// A menu of the program is open.
bool MenuShown(const TProgramRun& run)
{
    const std::vector<TWindowView> windows = run.Windows();
    return std::any_of(windows.begin(), windows.end(), [](const TWindowView& window) {
        return window.visible && window.windowClass == L"#32768";
    });
}

std::vector<TSalvageRow> Without(std::vector<TSalvageRow> rows, const std::set<std::wstring>& names)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const TSalvageRow& row) { return names.count(row.name) != 0; }),
               rows.end());
    return rows;
}

} // namespace

class RecoverPurgeE2ETest : public TDemoListingTest
{
};

TEST_F(RecoverPurgeE2ETest, F2BringsASelectedFileBackWithItsBytesAndItsRowGoes)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);

    // A name held once, upper-case already (as Upper Case would make it), with no live file of its name.
    const std::set<std::wstring> unique = UniqueNames(before);
    std::wstring name;
    for (const std::vector<std::wstring>& row : ListViewRows(list, 1))
        if (unique.count(row[0]) != 0 && row[0] == UpperCased(row[0]) &&
            !std::filesystem::exists(Volume() / "PROJECTS" / row[0]))
        {
            name = row[0];
            break;
        }
    ASSERT_FALSE(name.empty());
    ASSERT_TRUE(SelectListRowByKeyboard(list, ListRowOf(list, name))) << Utf8(name);
    const TFolderSnapshot store = Snapshot(Store());

    PressKey(VK_F2);
    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, name) < 0; }, kAppearMilliseconds))
        << Utf8(name) << " is still listed; the program is " << run.Describe();
    EXPECT_TRUE(WaitFor([&] { return StatusOf(main_) == Count(before.size() - 1); }, kAppearMilliseconds))
        << Utf8(StatusOf(main_));

    // The content that left the store is the recovered file's, byte for byte.
    const TFolderSnapshot after = Snapshot(Store());
    std::vector<std::string> gone;
    for (const auto& [file, bytes] : store)
        if (after.count(file) == 0)
            gone.push_back(bytes);
    ASSERT_EQ(gone.size(), 1u) << "one content left the store";
    const TFolderSnapshot live = Snapshot(Volume() / "PROJECTS");
    const auto recovered = live.find(Utf8(name));
    ASSERT_NE(recovered, live.end()) << Utf8(name) << " is not back in F:\\PROJECTS";
    EXPECT_EQ(recovered->second, gone.front());
    EXPECT_EQ(Salvage(kProjects), Without(before, {name}));
    CloseProgram(run);
}

TEST_F(RecoverPurgeE2ETest, F9OnTwoSelectedFilesAsksInTheRealBoxAndYesErasesThemFromTheServer)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);

    // Two neighbouring rows whose names the server holds once each.
    const std::set<std::wstring> unique = UniqueNames(before);
    const std::vector<std::vector<std::wstring>> rows = ListViewRows(list, 1);
    int first = -1;
    for (size_t row = 0; row + 1 < rows.size() && first < 0; ++row)
        if (unique.count(rows[row][0]) != 0 && unique.count(rows[row + 1][0]) != 0)
            first = static_cast<int>(row);
    ASSERT_GE(first, 0);
    const std::set<std::wstring> names{rows[first][0], rows[first + 1][0]};
    ASSERT_TRUE(SelectListRowByKeyboard(list, first));
    PressKey(VK_DOWN, {VK_SHIFT});
    ASSERT_TRUE(WaitFor(
        [&] {
            return SelectedListRows(list) == std::vector<int>{first, first + 1};
        },
        kAppearMilliseconds));
    const TFolderSnapshot live = Snapshot(Volume());

    PressKey(VK_F9);
    const TMessageBoxView box = WaitForMessageBox(run);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"Permanently purge 2 file(s)?");
    EXPECT_EQ(box.caption, L"Confirm");
    EXPECT_EQ(box.buttons, (std::vector<std::wstring>{L"Yes", L"No"}));
    ASSERT_TRUE(PressButton(box.window, L"&Yes"));

    ASSERT_TRUE(WaitFor([&] { return StatusOf(main_) == Count(before.size() - 2); }, kAppearMilliseconds))
        << Utf8(StatusOf(main_)) << "; the program is " << run.Describe();
    for (const std::wstring& name : names)
        EXPECT_LT(ListRowOf(list, name), 0) << Utf8(name);
    EXPECT_EQ(Salvage(kProjects), Without(before, names)) << "the server no longer holds them";
    EXPECT_EQ(Snapshot(Volume()), live) << "a purge brings nothing back";
    CloseProgram(run);
}

TEST_F(RecoverPurgeE2ETest, WithSkipChosenARecoveryOntoANameThatExistsAgainLeavesBothFilesAlone)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    ASSERT_NE(std::find_if(before.begin(), before.end(),
                           [](const TSalvageRow& row) { return row.name == L"README.TXT"; }),
              before.end());
    ASSERT_TRUE(std::filesystem::exists(Volume() / "PROJECTS" / "README.TXT"))
        << "the demo's name that exists again";
    {
        // Options, Skip, from the keyboard; the choice is kept for the next run.
        TProgramRun run(OnMappedWorld());
        main_ = WaitForMainWindow(run);
        ASSERT_NE(main_, nullptr) << run.Describe();
        ASSERT_TRUE(BringToFront(main_));
        PressKey('O', {VK_MENU});
        ASSERT_TRUE(WaitFor([&] { return MenuShown(run); }, kAppearMilliseconds)) << run.Describe();
        PressKey('S');
        ASSERT_TRUE(WaitFor([&] { return !MenuShown(run); }, kAppearMilliseconds))
            << "the menu stayed open: " << run.Describe();
        CloseProgram(run);
    }
    ASSERT_EQ(Setting(L"", L"MSkip_Checked"), L"True");
    ASSERT_EQ(Setting(L"", L"MRename_Checked"), L"False");

    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    const int readme = ListRowOf(list, L"README.TXT");
    ASSERT_GE(readme, 0);
    ASSERT_LT(readme + 1, ListViewRowCount(list)) << "a row after it takes the next key";
    ASSERT_TRUE(SelectListRowByKeyboard(list, readme));
    const TFolderSnapshot live = Snapshot(Volume());
    const TFolderSnapshot store = Snapshot(Store());

    PressKey(VK_F2);
    // The key after F2 reaches the list only once F2 is handled and no dialog took the keyboard.
    PressKey(VK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return FocusedListRow(list) == readme + 1; }, kAppearMilliseconds))
        << "the program is " << run.Describe();
    for (const TWindowView& window : run.Windows())
        EXPECT_FALSE(window.visible && (IsMessageBox(window.handle) || window.windowClass == L"TFRename"))
            << "no dialog or box: " << Utf8(window.windowClass) << " " << Utf8(window.title);
    EXPECT_EQ(ListRowOf(list, L"README.TXT"), readme) << "the row stays";
    EXPECT_EQ(StatusOf(main_), Count(before.size()));
    EXPECT_EQ(Snapshot(Volume()), live) << "the live file is untouched";
    EXPECT_EQ(Snapshot(Store()), store) << "the deleted one too";
    EXPECT_EQ(Salvage(kProjects), before);
    CloseProgram(run);
}

TEST_F(RecoverPurgeE2ETest, WithRenameAFileWhoseNameExistsAgainComesBackUnderTheNameTyped)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    const std::string liveReadme = Snapshot(Volume() / "PROJECTS").at("README.TXT");
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(SelectListRowByKeyboard(list, ListRowOf(list, L"README.TXT")));
    const TFolderSnapshot store = Snapshot(Store());

    PressKey(VK_F2);
    HWND rename = run.WaitForVisible(L"TFRename", kAppearMilliseconds);
    ASSERT_NE(rename, nullptr) << "no rename dialog; the program is " << run.Describe();
    HWND edit = FindChild(rename, L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(RemoteText(edit), L"README.TXT");
    ASSERT_TRUE(BringToFront(rename));
    // The proposal is selected in the edit: typing replaces it, in upper case; Enter accepts.
    TypeText(L"readme2.txt");
    ASSERT_TRUE(WaitFor([&] { return RemoteText(edit) == L"README2.TXT"; }, kAppearMilliseconds))
        << Utf8(RemoteText(edit));
    PressKey(VK_RETURN);

    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, L"README.TXT") < 0; }, kAppearMilliseconds))
        << "the program is " << run.Describe();
    const TFolderSnapshot live = Snapshot(Volume() / "PROJECTS");
    EXPECT_EQ(live.at("README.TXT"), liveReadme) << "the live file is untouched";
    ASSERT_EQ(live.count("README2.TXT"), 1u);
    const TFolderSnapshot after = Snapshot(Store());
    std::vector<std::string> gone;
    for (const auto& [file, bytes] : store)
        if (after.count(file) == 0)
            gone.push_back(bytes);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(live.at("README2.TXT"), gone.front());
    EXPECT_EQ(Salvage(kProjects), Without(before, {L"README.TXT"}));
    CloseProgram(run);
}

TEST_F(RecoverPurgeE2ETest, AccentedNamesAreListedSortedAndComeBackUnderTheNameChosen)
{
    // Names as a West European office has them, deleted by Alice; the third exists again.
    const std::filesystem::path projects = Volume() / "PROJECTS";
    const std::wstring cafe = L"Caf\u00e9.txt";
    const std::wstring muller = L"M\u00fcller Bericht.doc";
    const std::wstring naive = L"na\u00efve \u2013 draft.txt";
    const std::wstring folder = L"\u00dcn\u00efc\u00f6d\u00e9 folder";
    std::filesystem::create_directory(projects / folder);
    std::ofstream(projects / cafe) << "caf\xc3\xa9 au lait";
    std::ofstream(projects / muller) << "the old report";
    std::ofstream(projects / naive) << "a draft";
    std::ofstream(projects / folder / L"\u00dcberblick.txt") << "overview";
    RunTool(L"--world \"" + world_ + L"\" delete --as ALICE \"F:\\PROJECTS\\" + cafe +
            L"\" \"F:\\PROJECTS\\" + muller + L"\" \"F:\\PROJECTS\\" + naive + L"\" \"F:\\PROJECTS\\" +
            folder + L"\\\u00dcberblick.txt\"");
    std::ofstream(projects / muller) << "the new report";
    const std::vector<TSalvageRow> before = Salvage(kProjects);

    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ListedRows(list), before) << "every name as the server holds it";
    const int cafeRow = ListRowOf(list, cafe);
    ASSERT_GE(cafeRow, 0);
    const std::vector<std::vector<std::wstring>> rows = ListViewRows(list, 1);
    for (size_t row = 0; row < rows.size(); ++row)
    {
        if (rows[row][0].rfind(L"BUDGET", 0) == 0)
        {
            EXPECT_LT(static_cast<int>(row), cafeRow) << Utf8(rows[row][0]) << " sorts before " << Utf8(cafe);
        }
        if (rows[row][0].rfind(L"DRAFT", 0) == 0)
        {
            EXPECT_GT(static_cast<int>(row), cafeRow) << Utf8(rows[row][0]) << " sorts after " << Utf8(cafe);
        }
    }

    // Upper Case is on at first start: the name comes back as the code page upper-cases it.
    ASSERT_TRUE(SelectListRowByKeyboard(list, cafeRow));
    PressKey(VK_F2);
    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, cafe) < 0; }, kAppearMilliseconds)) << run.Describe();
    EXPECT_EQ(Snapshot(projects)[Utf8(L"CAF\u00c9.TXT")], "caf\xc3\xa9 au lait");

    // Upper Case off, by the Options menu's keys: the exact name.
    PressKey('O', {VK_MENU});
    ASSERT_TRUE(WaitFor([&] { return MenuShown(run); }, kAppearMilliseconds)) << run.Describe();
    PressKey('U');
    ASSERT_TRUE(WaitFor([&] { return !MenuShown(run); }, kAppearMilliseconds)) << run.Describe();
    ASSERT_TRUE(SelectListRowByKeyboard(list, ListRowOf(list, naive)));
    PressKey(VK_F2);
    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, naive) < 0; }, kAppearMilliseconds)) << run.Describe();
    EXPECT_EQ(Snapshot(projects)[Utf8(naive)], "a draft");

    // A name that exists again: the rename dialog proposes it, and a name pasted there is the one used.
    ASSERT_TRUE(SelectListRowByKeyboard(list, ListRowOf(list, muller)));
    PressKey(VK_F2);
    HWND rename = run.WaitForVisible(L"TFRename", kAppearMilliseconds);
    ASSERT_NE(rename, nullptr) << "no rename dialog; the program is " << run.Describe();
    HWND edit = FindChild(rename, L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(RemoteText(edit), muller);
    ASSERT_TRUE(BringToFront(rename));
    const std::wstring grusse = L"Gr\u00fc\u00dfe.wk1";
    ASSERT_TRUE(PutOnClipboard(grusse));
    PressKey('V', {VK_CONTROL});
    ASSERT_TRUE(WaitFor([&] { return RemoteText(edit) == grusse; }, kAppearMilliseconds))
        << Utf8(RemoteText(edit));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, muller) < 0; }, kAppearMilliseconds)) << run.Describe();
    const TFolderSnapshot live = Snapshot(projects);
    EXPECT_EQ(live.at(Utf8(grusse)), "the old report");
    EXPECT_EQ(live.at(Utf8(muller)), "the new report") << "the live file is untouched";
    EXPECT_EQ(Salvage(kProjects), Without(before, {cafe, naive, muller}));

    // The accented folder lists what the server holds there.
    const std::wstring inFolder = kProjects + folder + L"\\";
    ASSERT_EQ(Salvage(inFolder).size(), 1u);
    HWND tree = FindChild(main_, WC_TREEVIEWW);
    ASSERT_TRUE(ClickIntoTree(tree));
    ASSERT_TRUE(OpenAndSelectBelow(main_, tree, folder, 10)) << Utf8(TreeSelectionText(tree));
    ASSERT_TRUE(
        WaitForListing(main_, L"Deleted Contents of '" + inFolder + L"'", Count(1), kAppearMilliseconds))
        << Utf8(ListedCaption(main_)) << " / " << Utf8(StatusOf(main_));
    EXPECT_EQ(ListedRows(list), Salvage(inFolder));
    CloseProgram(run);
}

// What the list shows is the folder the tree selects: a folder selected while a big one is listed is the one
// listed in the end, and a folder off the network says so beside its count.
TEST_F(RecoverPurgeE2ETest, AFolderSelectedDuringABigListingIsTheOneListed)
{
    // 5,000 files deleted from F:\PLANS in one call; PLANS sorts just before PROJECTS below F:.
    const std::filesystem::path big = Volume() / "PLANS";
    std::filesystem::create_directory(big);
    std::ofstream paths(big.parent_path() / "big-paths.txt");
    for (int i = 0; i < 5000; ++i)
    {
        std::string name = "F";
        name += std::to_string(i) + ".TXT";
        std::ofstream(big / name) << i;
        paths << "F:\\PLANS\\" << name << "\n";
    }
    paths.close();
    RunTool(L"--world \"" + world_ + L"\" delete --as ALICE --from \"" +
            (big.parent_path() / "big-paths.txt").wstring() + L"\"");
    std::filesystem::remove(big.parent_path() / "big-paths.txt");
    ASSERT_EQ(Salvage(L"F:\\PLANS\\").size(), 5000u);
    const std::vector<TSalvageRow> atRoot = Salvage(L"F:\\");
    const std::vector<TSalvageRow> inProjects = Salvage(kProjects);

    TProgramRun run(OnMappedWorld());
    main_ = WaitForMainWindow(run);
    ASSERT_NE(main_, nullptr) << run.Describe();
    HWND tree = FindChild(main_, WC_TREEVIEWW);
    HWND list = FindChild(main_, WC_LISTVIEWW);
    HWND bar = FindChild(main_, STATUSCLASSNAMEW);
    std::vector<std::wstring> shown;
    ASSERT_TRUE(WaitForTreeItems(tree, {L"(C:)", L"(F:)"}, shown, kAppearMilliseconds)) << Joined(shown);
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(ClickIntoTree(tree));
    ASSERT_TRUE(SelectByKey(tree, VK_DOWN, L"(C:)", 40)) << Utf8(TreeSelectionText(tree));
    EXPECT_TRUE(
        WaitFor([&] { return StatusBarText(bar, 1) == L"Not a NetWare folder"; }, kAppearMilliseconds))
        << Utf8(StatusBarText(bar, 0)) << " / " << Utf8(StatusBarText(bar, 1));
    ASSERT_TRUE(SelectByKey(tree, VK_DOWN, L"(F:)", 40)) << Utf8(TreeSelectionText(tree));
    ASSERT_TRUE(
        WaitForListing(main_, L"Deleted Contents of 'F:\\'", Count(atRoot.size()), kAppearMilliseconds))
        << Utf8(ListedCaption(main_)) << " / " << Utf8(StatusOf(main_));
    EXPECT_EQ(StatusBarText(bar, 1), L"");

    // Open F:, select PLANS, and while it is listed, the folder after it.
    PressKey(VK_RIGHT);
    ASSERT_TRUE(WaitForTreeItems(tree, {L"PLANS", L"PROJECTS"}, shown, kAppearMilliseconds)) << Joined(shown);
    for (int i = 0; i < 10 && TreeSelectionText(tree) != L"PLANS"; ++i)
    {
        // The folders before PLANS are listed each before the next key; PLANS's listing is not waited for.
        const HTREEITEM before = TreeSelection(tree);
        PressKey(VK_DOWN);
        ASSERT_TRUE(WaitFor([&] { return TreeSelection(tree) != before; }));
        if (TreeSelectionText(tree) != L"PLANS")
        {
            ASSERT_TRUE(WaitFor([&] { return !ListingRuns(main_); }));
        }
    }
    ASSERT_EQ(TreeSelectionText(tree), L"PLANS");
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return TreeSelectionText(tree) == L"PROJECTS"; }))
        << Utf8(TreeSelectionText(tree));
    ASSERT_TRUE(WaitForListing(main_, L"Deleted Contents of '" + kProjects + L"'", Count(inProjects.size()),
                               kAppearMilliseconds))
        << Utf8(ListedCaption(main_)) << " / " << Utf8(StatusOf(main_));
    EXPECT_TRUE(WaitFor([&] { return !ListingRuns(main_); }));
    EXPECT_EQ(ListedCaption(main_), L"Deleted Contents of '" + kProjects + L"'") << "and it stays so";
    EXPECT_EQ(TreeSelectionText(tree), L"PROJECTS");
    EXPECT_EQ(ListedRows(list), inProjects);
    CloseProgram(run);
}

// The rename dialog lets the tree's own refresh run: when the listed folder goes meanwhile, the folder above
// it is listed, and answering the dialog touches none of that listing's rows.
TEST_F(RecoverPurgeE2ETest, ARefreshWhileTheRenameDialogAsksTouchesNoRowOfTheNewListing)
{
    const std::filesystem::path incident = Volume() / "INCIDENT";
    std::filesystem::create_directory(incident);
    for (const char* name : {"A.TXT", "B.TXT", "C.TXT"})
        std::ofstream(incident / name) << name;
    RunTool(L"--world \"" + world_ +
            L"\" delete --as ALICE F:\\INCIDENT\\A.TXT F:\\INCIDENT\\B.TXT "
            L"F:\\INCIDENT\\C.TXT");
    // C.TXT, the last selected row and so the first asked about, exists again.
    std::ofstream(incident / "C.TXT") << "the live one";
    const std::vector<TSalvageRow> atRoot = Salvage(L"F:\\");
    const TFolderSnapshot store = Snapshot(Store());
    const TFolderSnapshot volume = Snapshot(Volume());

    TProgramRun run(OnMappedWorld());
    main_ = WaitForMainWindow(run);
    ASSERT_NE(main_, nullptr) << run.Describe();
    HWND list = FindChild(main_, WC_LISTVIEWW);
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(SelectTreeFolder(main_, L"(F:)", L"INCIDENT"));
    ASSERT_TRUE(WaitForListing(main_, L"Deleted Contents of 'F:\\INCIDENT\\'", Count(3), kAppearMilliseconds))
        << Utf8(ListedCaption(main_)) << " / " << Utf8(StatusOf(main_));
    ASSERT_TRUE(SelectListRowByKeyboard(list, 0));
    PressKey(VK_END, {VK_SHIFT});
    ASSERT_TRUE(WaitFor([&] { return SelectedListRows(list) == std::vector<int>{0, 1, 2}; }));

    PressKey(VK_F2);
    HWND rename = run.WaitForVisible(L"TFRename", kAppearMilliseconds);
    ASSERT_NE(rename, nullptr) << "no rename dialog; the program is " << run.Describe();
    HWND edit = FindChild(rename, L"Edit");
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(RemoteText(edit), L"C.TXT");
    // The folder goes while the dialog asks; the tree notices and lists F:\ in its place.
    std::filesystem::remove_all(incident);
    ASSERT_TRUE(
        WaitForListing(main_, L"Deleted Contents of 'F:\\'", Count(atRoot.size()), kAppearMilliseconds))
        << Utf8(ListedCaption(main_)) << " / " << Utf8(StatusOf(main_));
    ASSERT_TRUE(IsWindowVisible(rename));

    ASSERT_TRUE(BringToFront(rename));
    TypeText(L"c2.txt");
    ASSERT_TRUE(WaitFor([&] { return RemoteText(edit) == L"C2.TXT"; }, kAppearMilliseconds))
        << Utf8(RemoteText(edit));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(rename) || !IsWindowVisible(rename); }, kAppearMilliseconds));
    ASSERT_TRUE(WaitFor([&] { return !ListingRuns(main_); }));
    EXPECT_EQ(ListedCaption(main_), L"Deleted Contents of 'F:\\'");
    EXPECT_EQ(ListedRows(list), atRoot);
    EXPECT_TRUE(SelectedListRows(list).empty());
    EXPECT_EQ(Salvage(L"F:\\"), atRoot) << "no row of the new listing was touched";
    EXPECT_EQ(Snapshot(Store()), store) << "nothing was recovered";
    TFolderSnapshot liveNow = volume;
    liveNow.erase("INCIDENT\\C.TXT");
    EXPECT_EQ(Snapshot(Volume()), liveNow) << "only the folder that went is gone";
    CloseProgram(run);
}
