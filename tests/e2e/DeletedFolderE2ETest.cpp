// Deleted folders in the real program on the demo network: a tree deleted on the NSS volume F: is listed as
// a folder and comes back whole by F2, by the filter's Deleted By, under a new name when its own is taken;
// its purge leaves nothing; on the traditional volume G: the files of a deleted tree wait in DELETED.SAV.
#include "SalvageListing.h"
#include "TDemoListingTest.h"

#include <algorithm>
#include <fstream>

class DeletedFolderE2ETest : public TDemoListingTest
{
protected:
    // F:\PROJECTS\ZETA with files on three levels; returns their count.
    size_t MakeZeta(int perLevel)
    {
        size_t made = 0;
        const std::filesystem::path zeta = Volume() / "PROJECTS" / "ZETA";
        for (const std::filesystem::path& level : {zeta, zeta / "DOCS", zeta / "DOCS" / "DEEP"})
        {
            std::filesystem::create_directories(level);
            for (int i = 0; i < perLevel; ++i, ++made)
                std::ofstream(level / ("FILE" + std::to_string(i) + ".TXT"), std::ios::binary)
                    << level.filename().string() << " file " << i
                    << std::string(static_cast<size_t>(i) * 37, 'x');
        }
        return made;
    }

    void DeleteAs(const std::wstring& user, const std::wstring& path)
    {
        const std::string printed =
            RunTool(L"--world \"" + world_ + L"\" delete --as " + user + L" \"" + path + L"\"");
        ASSERT_NE(printed.find("deleted "), std::string::npos) << printed;
    }

    std::vector<TSalvageEntry> SalvageBelow(const std::wstring& folder)
    {
        return ParseSalvage(RunTool(L"--world \"" + world_ + L"\" salvage -r \"" + folder + L"\""));
    }

    // Waits until the loop is over: the action window is put away. The files are read only then, since a
    // file held open by a reader cannot be renamed into place meanwhile.
    static bool ActionDone(const TProgramRun& run, DWORD limitMilliseconds)
    {
        return WaitFor(
            [&] {
                for (const TWindowView& window : run.Windows())
                    if (window.windowClass == L"TFActionMessage")
                        return !window.visible;
                return false;
            },
            limitMilliseconds);
    }

    // The row of the list named so, selected by the keyboard.
    bool SelectRow(HWND list, const std::wstring& name)
    {
        const int row = ListRowOf(list, name);
        return row >= 0 && SelectListRowByKeyboard(list, row);
    }
};

TEST_F(DeletedFolderE2ETest, ADeletedTreeIsListedAsAFolderAndF2BringsTheFilteredTreeBackByteForByte)
{
    ASSERT_GE(MakeZeta(11), 30u);
    const std::filesystem::path plan = Volume() / "PROJECTS" / "ZETA" / "DOCS" / "PLAN.TXT";
    std::ofstream(plan, std::ios::binary) << "BOB's plan";
    DeleteAs(L"BOB", L"F:\\PROJECTS\\ZETA\\DOCS\\PLAN.TXT");
    std::ofstream(plan, std::ios::binary) << "ALICE's plan, rewritten";
    const TFolderSnapshot copy = Snapshot(Volume() / "PROJECTS" / "ZETA");
    DeleteAs(L"ALICE", L"F:\\PROJECTS\\ZETA");
    ASSERT_FALSE(std::filesystem::exists(Volume() / "PROJECTS" / "ZETA"));

    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    const int zeta = ListRowOf(list, L"ZETA");
    ASSERT_GE(zeta, 0);
    EXPECT_NE(ListViewRows(list, 8)[static_cast<size_t>(zeta)][7].find(L'D'), std::wstring::npos)
        << "the attribute text marks the folder";

    // The filter narrows to ALICE's deletions: BOB's older plan is left where it is.
    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F7);
    HWND filter = run.WaitForVisible(L"TFFilter", kAppearMilliseconds);
    ASSERT_NE(filter, nullptr) << run.Describe();
    const std::vector<HWND> edits = ChildrenOfClass(filter, L"Edit");
    ASSERT_GE(edits.size(), 2u);
    ASSERT_TRUE(TypeIntoField(edits[1], L"ALICE*")) << Utf8(RemoteText(edits[1]));
    ASSERT_TRUE(PressButton(filter, L"OK"));
    // The folder is listed again with ALICE's deletions only.
    const size_t alices =
        static_cast<size_t>(std::count_if(before.begin(), before.end(), [](const TSalvageRow& row) {
            return row.deletedBy.rfind(L"ALICE", 0) == 0;
        }));
    ASSERT_LT(alices, before.size());
    ASSERT_TRUE(WaitFor([&] { return StatusOf(main_) == Count(alices) && ListRowOf(list, L"ZETA") >= 0; },
                        kAppearMilliseconds))
        << Utf8(StatusOf(main_)) << " for " << alices;

    ASSERT_TRUE(SelectRow(list, L"ZETA"));
    PressKey(VK_F2);
    // The folder's row goes as the folder comes back, before its contents do.
    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, L"ZETA") < 0; }, kAppearMilliseconds)) << run.Describe();
    ASSERT_TRUE(ActionDone(run, 60000)) << "the program is " << run.Describe();
    EXPECT_EQ(Snapshot(Volume() / "PROJECTS" / "ZETA"), copy);
    for (const TWindowView& window : run.Windows())
        EXPECT_FALSE(window.visible && IsMessageBox(window.handle))
            << "a box: " << Utf8(RemoteText(window.handle));

    const std::vector<TSalvageEntry> left = SalvageBelow(L"F:\\PROJECTS\\ZETA");
    ASSERT_EQ(left.size(), 1u) << "only BOB's older plan stays deleted";
    EXPECT_EQ(left[0].folder, L"F:\\PROJECTS\\ZETA\\DOCS\\");
    EXPECT_EQ(left[0].name, L"PLAN.TXT");
    EXPECT_EQ(left[0].deletedBy.rfind(L"BOB", 0), 0u) << Utf8(left[0].deletedBy);
    CloseProgram(run);
}

TEST_F(DeletedFolderE2ETest, WithRenameATreeWhoseNameIsTakenAsksOnceAndComesBackUnderTheNewName)
{
    MakeZeta(2);
    const TFolderSnapshot copy = Snapshot(Volume() / "PROJECTS" / "ZETA");
    DeleteAs(L"ALICE", L"F:\\PROJECTS\\ZETA");
    std::filesystem::create_directory(Volume() / "PROJECTS" / "ZETA");

    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(SelectRow(list, L"ZETA"));
    PressKey(VK_F2);
    HWND rename = run.WaitForVisible(L"TFRename", kAppearMilliseconds);
    ASSERT_NE(rename, nullptr) << "no rename dialog; the program is " << run.Describe();
    HWND edit = FindChild(rename, L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(RemoteText(edit), L"ZETA");
    ASSERT_TRUE(BringToFront(rename));
    TypeText(L"zeta2");
    ASSERT_TRUE(WaitFor([&] { return RemoteText(edit) == L"ZETA2"; }, kAppearMilliseconds));
    PressKey(VK_RETURN);

    // The folder's row goes as the folder comes back, before its contents do.
    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, L"ZETA") < 0; }, kAppearMilliseconds)) << run.Describe();
    ASSERT_TRUE(ActionDone(run, 30000)) << "the program is " << run.Describe();
    EXPECT_EQ(Snapshot(Volume() / "PROJECTS" / "ZETA2"), copy);
    EXPECT_FALSE(IsWindowVisible(rename)) << "asked once, for the folder";
    EXPECT_TRUE(std::filesystem::is_empty(Volume() / "PROJECTS" / "ZETA")) << "the live folder is left alone";
    EXPECT_TRUE(SalvageBelow(L"F:\\PROJECTS\\ZETA2").empty());
    CloseProgram(run);
}

// A long tree: the action window takes the keyboard, Esc stops it after the entry under way, what came back
// stays back, the rest stays deleted, and one box says so.
TEST_F(DeletedFolderE2ETest, EscInALongTreeStopsItKeepsWhatCameBackAndSaysSo)
{
    const std::filesystem::path big = Volume() / "PROJECTS" / "BIG";
    constexpr int kFolders = 30;
    constexpr int kFiles = 100;
    for (int folder = 0; folder < kFolders; ++folder)
    {
        const std::filesystem::path at = big / ("D" + std::to_string(folder));
        std::filesystem::create_directories(at);
        for (int file = 0; file < kFiles; ++file)
            std::ofstream(at / ("F" + std::to_string(file) + ".TXT"), std::ios::binary) << file;
    }
    DeleteAs(L"ALICE", L"F:\\PROJECTS\\BIG");
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(SelectRow(list, L"BIG"));
    PressKey(VK_F2);

    HWND cancel = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (const TWindowView& window : run.Windows())
                if (window.windowClass == L"TFActionMessage" && window.visible)
                    for (HWND button : ChildrenOfClass(window.handle, L"Button"))
                        if (IsWindowVisible(button) && RemoteText(button) == L"Cancel")
                            cancel = button;
            return cancel != nullptr && WaitUntilFocused(cancel, 100);
        },
        kAppearMilliseconds))
        << "Cancel did not take the keyboard; the program is " << run.Describe();
    PressKey(VK_ESCAPE);
    const TMessageBoxView box = WaitForMessageBox(run);
    ASSERT_NE(box.window, nullptr) << run.Describe();
    EXPECT_NE(box.text.find(L"Cancelled: the rest stay deleted."), std::wstring::npos) << Utf8(box.text);
    ASSERT_TRUE(PressButton(box.window, L"OK"));
    ASSERT_TRUE(ActionDone(run, 30000)) << run.Describe();

    size_t live = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(big))
        live += entry.is_regular_file() ? 1 : 0;
    size_t held = 0;
    for (const TSalvageEntry& entry : SalvageBelow(L"F:\\PROJECTS\\BIG"))
        held += entry.name.rfind(L"F", 0) == 0 ? 1 : 0;
    EXPECT_GT(held, 0u) << "the tree stopped before its end";
    EXPECT_EQ(live + held, static_cast<size_t>(kFolders * kFiles)) << "every file is back or still held";
    EXPECT_NE(box.text.find(L"came back with "), std::wstring::npos);
    CloseProgram(run);
}

TEST_F(DeletedFolderE2ETest, PurgeOfADeletedFolderSaysSoAndLeavesNothingOfIt)
{
    MakeZeta(3);
    DeleteAs(L"ALICE", L"F:\\PROJECTS\\ZETA");
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(SelectRow(list, L"ZETA"));
    PressKey(VK_F9);
    const TMessageBoxView box = WaitForMessageBox(run);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text,
              L"Permanently purge 1 file(s)?\n\nOne of them is a deleted folder: everything deleted "
              L"inside it is purged with it.");
    ASSERT_TRUE(PressButton(box.window, L"&Yes"));
    ASSERT_TRUE(WaitFor([&] { return ListRowOf(list, L"ZETA") < 0; }, kAppearMilliseconds)) << run.Describe();
    for (const TSalvageEntry& entry : SalvageBelow(L"F:\\PROJECTS"))
        EXPECT_TRUE(entry.name != L"ZETA" && entry.folder.find(L"\\ZETA\\") == std::wstring::npos)
            << Utf8(entry.folder + entry.name) << " is still held";
    CloseProgram(run);
}

TEST_F(DeletedFolderE2ETest, OnTheTraditionalVolumeTheDeletedTreesFilesWaitInDeletedSavAndComeBackThere)
{
    const std::filesystem::path vol1 =
        std::filesystem::path(world_) / "volumes" / "OLDSRV" / "VOL1" / "files";
    std::filesystem::create_directories(vol1 / "ACCOUNTS" / "OLD");
    for (const char* name : {"LEDGER.TXT", "BUDGET.TXT", "NOTES.TXT"})
        std::ofstream(vol1 / "ACCOUNTS" / "OLD" / name, std::ios::binary) << "the " << name;
    DeleteAs(L"JSMITH", L"G:\\ACCOUNTS\\OLD");
    ASSERT_FALSE(std::filesystem::exists(vol1 / "ACCOUNTS" / "OLD"));

    TProgramRun run(OnMappedWorld());
    main_ = WaitForMainWindow(run);
    ASSERT_NE(main_, nullptr) << run.Describe();
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(SelectTreeFolder(main_, L"(G:)", L"DELETED.SAV"))
        << "the tree shows " << Joined(TreeItemTexts(FindChild(main_, WC_TREEVIEWW)));
    ASSERT_TRUE(WaitForListing(main_, L"Deleted Contents of 'G:\\DELETED.SAV\\'", Count(3)))
        << Utf8(ListedCaption(main_)) << " / " << Utf8(StatusOf(main_));
    HWND list = FindChild(main_, WC_LISTVIEWW);
    ASSERT_TRUE(SelectRow(list, L"BUDGET.TXT"));
    PressKey(VK_F2);
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(vol1 / "DELETED.SAV" / "BUDGET.TXT"); },
                        kAppearMilliseconds))
        << run.Describe();
    EXPECT_EQ(Snapshot(vol1 / "DELETED.SAV").at("BUDGET.TXT"), "the BUDGET.TXT");
    CloseProgram(run);
}

TEST_F(DeletedFolderE2ETest, FindListsADeletedFolderAsAHitAndF2ThereBringsItsTreeBack)
{
    MakeZeta(2);
    const TFolderSnapshot copy = Snapshot(Volume() / "PROJECTS" / "ZETA");
    DeleteAs(L"ALICE", L"F:\\PROJECTS\\ZETA");
    TProgramRun run(OnMappedWorld());
    ASSERT_NE(ListProjects(run, Salvage(kProjects).size()), nullptr);

    // File, Find Deleted Files; the keyboard starts in Named, which takes the folder's name.
    PressKey('F', {VK_MENU});
    PressKey('I');
    HWND find = run.WaitForVisible(L"TFFind", kAppearMilliseconds);
    ASSERT_NE(find, nullptr) << run.Describe();
    HWND list = FindChild(find, WC_LISTVIEWW);
    HWND bar = FindChild(find, STATUSCLASSNAMEW);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == find; }, kAppearMilliseconds));
    PressKey('A', {VK_CONTROL});
    TypeText(L"ZETA");
    PressKey(VK_F5);
    ASSERT_TRUE(WaitFor([&] { return StatusBarText(bar, 0) == Count(1) && ListViewRowCount(list) == 1; },
                        kAppearMilliseconds))
        << "the search shows " << Utf8(StatusBarText(bar, 0)) << "; " << run.Describe();
    const std::vector<std::vector<std::wstring>> hits = ListViewRows(list, 9);
    EXPECT_EQ(hits[0][0], L"ZETA");
    EXPECT_NE(hits[0][8].find(L'D'), std::wstring::npos) << "the attribute text marks the folder";

    ASSERT_TRUE(SelectListRowByKeyboard(list, 0));
    PressKey(VK_F2);
    ASSERT_TRUE(WaitFor([&] { return StatusBarText(bar, 0) == Count(0); }, kAppearMilliseconds))
        << run.Describe();
    ASSERT_TRUE(ActionDone(run, 30000)) << run.Describe();
    EXPECT_EQ(Snapshot(Volume() / "PROJECTS" / "ZETA"), copy)
        << "the contents came back by the search's criteria "
           "but its name pattern, which chose the folder";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(find); }, kAppearMilliseconds));
    CloseProgram(run);
}
