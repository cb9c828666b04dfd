// Retrove and Purge in the real program on the demo network, by the keyboard: F2 brings a file back with its
// bytes, F9 asks in a real box and erases what was selected, and Skip leaves a name that exists again alone.
#include "MainWindowDriver.h"
#include "TE2ETest.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

namespace
{

const std::wstring kProjects = L"F:\\PROJECTS\\";

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

std::vector<TSalvageRow> Without(std::vector<TSalvageRow> rows, const std::set<std::wstring>& names)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const TSalvageRow& row) { return names.count(row.name) != 0; }),
               rows.end());
    return rows;
}

std::wstring StatusOf(HWND main)
{
    return StatusBarText(FindChild(main, STATUSCLASSNAMEW), 0);
}

std::wstring Count(size_t rows)
{
    return std::to_wstring(rows) + L" file(s)";
}

} // namespace

class RecoverPurgeE2ETest : public TE2ETest
{
protected:
    void SetUp() override
    {
        TE2ETest::SetUp();
        CreateDemoWorld();
        world_ = OnMappedWorld().world;
    }

    std::vector<TSalvageRow> Salvage(const std::wstring& folder)
    {
        return SalvageRows(RunTool(L"--world \"" + world_ + L"\" salvage " + folder));
    }

    std::filesystem::path Volume() const
    {
        return std::filesystem::path(world_) / "volumes" / "TARVEX" / "DATA" / "files";
    }
    std::filesystem::path Store() const
    {
        return std::filesystem::path(world_) / "volumes" / "TARVEX" / "DATA" / "salvage";
    }

    // The program started with F:\PROJECTS listed as the tool lists it; the main window's list, or nullptr.
    HWND ListProjects(TProgramRun& run, size_t expected)
    {
        main_ = WaitForMainWindow(run);
        if (main_ == nullptr)
        {
            ADD_FAILURE() << run.Describe();
            return nullptr;
        }
        HWND list = FindChild(main_, WC_LISTVIEWW);
        if (list == nullptr || !BringToFront(main_) || !SelectTreeFolder(main_, L"(F:)", L"PROJECTS") ||
            !WaitForListing(main_, L"Deleted Contents of '" + kProjects + L"'", Count(expected)))
        {
            HWND tree = FindChild(main_, WC_TREEVIEWW);
            ADD_FAILURE() << "F:\\PROJECTS was not listed: " << Utf8(ListedCaption(main_)) << " / "
                          << Utf8(StatusOf(main_)) << "; the tree selects " << Utf8(TreeSelectionText(tree))
                          << " of " << Joined(TreeItemTexts(tree));
            return nullptr;
        }
        return list;
    }

    void CloseProgram(const TProgramRun& run)
    {
        const std::optional<DWORD> exitCode = CloseAndWait(run, main_);
        ASSERT_TRUE(exitCode.has_value()) << run.Describe();
        EXPECT_EQ(*exitCode, 0u);
    }

    std::wstring world_;
    HWND main_ = nullptr;
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
        const auto menuShown = [](const TWindowView& window) {
            return window.visible && window.windowClass == L"#32768";
        };
        PressKey('O', {VK_MENU});
        ASSERT_NE(run.WaitForWindow(menuShown, kAppearMilliseconds), nullptr) << run.Describe();
        PressKey('S');
        ASSERT_TRUE(WaitFor(
            [&] {
                const std::vector<TWindowView> windows = run.Windows();
                return std::none_of(windows.begin(), windows.end(), menuShown);
            },
            kAppearMilliseconds))
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
