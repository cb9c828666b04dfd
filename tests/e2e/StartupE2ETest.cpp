// The real program's start and end, driven from outside: without the client, on a world that cannot be read,
// and on the demo network, where its window, placement and view survive a restart and its window follows the
// display scale.
#include "MainWindowDriver.h"
#include "TE2ETest.h"

#include "MainWindowDriving.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

namespace
{

// What a run showed while the driver watched it.
struct TSeen
{
    bool mainWindowShown = false;
    std::set<HWND> messageBoxes;

    void Watch(const TWindowView& window)
    {
        if (window.visible && window.windowClass == L"TFMain")
            mainWindowShown = true;
        if (window.visible && IsMessageBox(window.handle))
            messageBoxes.insert(window.handle);
    }
    auto Watcher()
    {
        return [this](const TWindowView& window) { Watch(window); };
    }
};

// A folder that holds only a copy of Retrove98.exe, so that no client library can be found beside it.
std::wstring FolderWithTheProgramAlone()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("retrove-e2e-alone-" + std::to_string(GetCurrentProcessId()));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(ProgramInBinaryFolder(L"Retrove98.exe"), folder / "Retrove98.exe");
    return folder.wstring();
}

// Runs the program until its one message box, which must say the client is not loaded; OK ends the program.
void ExpectNotLoadedAndEnd(const TRunOptions& options)
{
    TProgramRun run(options);
    ASSERT_TRUE(run.Started());
    TSeen seen;
    HWND box = run.WaitForWindow(
        [](const TWindowView& window) { return window.visible && IsMessageBox(window.handle); },
        kAppearMilliseconds, seen.Watcher());
    ASSERT_NE(box, nullptr) << "no message box; the program is " << run.Describe();
    const TMessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, L"Retrove 98");
    EXPECT_EQ(view.text, L"The Netware Client 32 APIs are not loaded.");
    EXPECT_EQ(view.buttons, std::vector<std::wstring>{L"OK"});

    ASSERT_TRUE(PressButton(box, L"OK"));
    const std::optional<DWORD> exitCode = run.WaitForExit(kAppearMilliseconds, seen.Watcher());
    ASSERT_TRUE(exitCode.has_value()) << "OK did not end the program: " << run.Describe();
    EXPECT_EQ(*exitCode, 1u) << "a failed start ends with a failure code, not a crash";
    EXPECT_EQ(seen.messageBoxes.size(), 1u);
    EXPECT_FALSE(seen.mainWindowShown);
    EXPECT_FALSE(TE2ETest::Setting(L"Columns", L"Order").has_value()) << "a window never shown saves nothing";
    EXPECT_FALSE(TE2ETest::Setting(L"", L"NormPos").has_value());
}

// The stand-in's own account of why it cannot serve, beside its libraries.
std::filesystem::path StandInLog()
{
    return std::filesystem::path(BinaryFolder()) / "nwsim.log";
}

// Runs the program on a world that cannot be read: the program's own message, and the reason in the log.
void ExpectNotLoadedWithTheReasonLogged(const TRunOptions& options, const std::string& reason)
{
    std::error_code ignored;
    std::filesystem::remove(StandInLog(), ignored);
    ExpectNotLoadedAndEnd(options);
    const std::string log = ReadAll(StandInLog());
    EXPECT_NE(log.find("world.json"), std::string::npos) << log;
    EXPECT_NE(log.find(reason), std::string::npos) << log;
}

} // namespace

class StartupE2ETest : public TE2ETest
{
};

TEST_F(StartupE2ETest, WithoutTheClientLibrariesOneBoxSaysSoAndTheProgramEndsUnseen)
{
    const std::wstring folder = FolderWithTheProgramAlone();
    ExpectNotLoadedAndEnd({folder + L"\\Retrove98.exe", folder, {}, {}});
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

TEST_F(StartupE2ETest, AWorldWithoutItsDescriptionGivesTheNotLoadedBoxAndLogsWhy)
{
    const std::filesystem::path world = MappedWorldFolder();
    std::filesystem::create_directories(world);
    ExpectNotLoadedWithTheReasonLogged(OnMappedWorld(), "cannot read");
}

TEST_F(StartupE2ETest, ABrokenWorldDescriptionGivesTheNotLoadedBoxAndLogsWhy)
{
    const std::filesystem::path world = MappedWorldFolder();
    std::filesystem::create_directories(world);
    {
        FILE* file = _wfopen((world / "world.json").c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        fputs("{ \"servers\": [ { \"name\": ", file);
        fclose(file);
    }
    ExpectNotLoadedWithTheReasonLogged(OnMappedWorld(), "not valid JSON");
}

namespace
{

LONG ViewStyle(HWND list)
{
    return GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK;
}

bool WaitForViewStyle(HWND list, LONG style)
{
    const DWORD start = GetTickCount();
    while (ViewStyle(list) != style)
    {
        if (GetTickCount() - start >= kAppearMilliseconds)
            return false;
        Sleep(20);
    }
    return true;
}

} // namespace

TEST_F(StartupE2ETest, OnTheDemoNetworkTheWindowShowsTheDrivesAndARestartKeepsPlacementAndView)
{
    CreateDemoWorld();
    constexpr RECT kMoved{120, 90, 120 + 700, 90 + 520};
    {
        TProgramRun run(OnMappedWorld());
        HWND main = WaitForMainWindow(run);
        ASSERT_NE(main, nullptr) << run.Describe();
        HWND tree = FindChild(main, WC_TREEVIEWW);
        HWND list = FindChild(main, WC_LISTVIEWW);
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(list, nullptr);
        std::vector<std::wstring> shown;
        EXPECT_TRUE(WaitForTreeItems(tree, {L"(F:)", L"(G:)"}, shown, kAppearMilliseconds))
            << "the tree shows " << Joined(shown);
        EXPECT_EQ(ViewStyle(list), LVS_REPORT) << "the first start lists in report view";

        SetWindowPos(main, nullptr, kMoved.left, kMoved.top, kMoved.right - kMoved.left,
                     kMoved.bottom - kMoved.top, SWP_NOZORDER);
        ASSERT_TRUE(BringToFront(main));
        // View, Small Icons, from the keyboard.
        PressKey('V', {VK_MENU});
        PressKey('M');
        EXPECT_TRUE(WaitForViewStyle(list, LVS_SMALLICON)) << "the view is " << ViewStyle(list);

        const std::optional<DWORD> exitCode = CloseAndWait(run, main);
        ASSERT_TRUE(exitCode.has_value()) << run.Describe();
        EXPECT_EQ(*exitCode, 0u);
    }
    EXPECT_EQ(Setting(L"", L"NormPos"), L"120,90,820,610");
    EXPECT_EQ(Setting(L"", L"BSmallIcons_Down"), L"True");
    EXPECT_EQ(Setting(L"", L"MSmallIcons_Checked"), L"True");
    EXPECT_EQ(Setting(L"", L"BDetails_Down"), L"False");
    EXPECT_TRUE(Setting(L"", L"SplitMain_Position").has_value());
    EXPECT_EQ(Setting(L"Columns", L"Order"), L"0,1,2,3,4,5,6,7,8,9,10,11");
    EXPECT_EQ(Setting(L"Columns", L"Sizes"), L"100,100,100,100,100,100,100,100,100,100,100,100");

    TProgramRun again(OnMappedWorld());
    HWND main = WaitForMainWindow(again);
    ASSERT_NE(main, nullptr) << again.Describe();
    RECT bounds{};
    GetWindowRect(main, &bounds);
    EXPECT_EQ(bounds.left, kMoved.left);
    EXPECT_EQ(bounds.top, kMoved.top);
    EXPECT_EQ(bounds.right, kMoved.right);
    EXPECT_EQ(bounds.bottom, kMoved.bottom);
    HWND list = FindChild(main, WC_LISTVIEWW);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(WaitForViewStyle(list, LVS_SMALLICON))
        << "the stored view returns; the view is " << ViewStyle(list);
    const std::optional<DWORD> exitCode = CloseAndWait(again, main);
    ASSERT_TRUE(exitCode.has_value()) << again.Describe();
    EXPECT_EQ(*exitCode, 0u);
}

TEST_F(StartupE2ETest, SelectingAFolderByTheKeyboardListsWhatTheServerHolds)
{
    CreateDemoWorld();
    // The folder as it is now: asking MappedWorldFolder again would empty it.
    const std::wstring world = OnMappedWorld().world;
    const std::vector<TSalvageRow> atRoot = SalvageRows(RunTool(L"--world \"" + world + L"\" salvage F:\\"));
    const std::vector<TSalvageRow> inProjects =
        SalvageRows(RunTool(L"--world \"" + world + L"\" salvage F:\\PROJECTS\\"));
    ASSERT_GT(inProjects.size(), 10u) << "the demo keeps deleted files in F:\\PROJECTS";

    TProgramRun run(OnMappedWorld());
    HWND main = WaitForMainWindow(run);
    ASSERT_NE(main, nullptr) << run.Describe();
    HWND tree = FindChild(main, WC_TREEVIEWW);
    HWND list = FindChild(main, WC_LISTVIEWW);
    ASSERT_NE(tree, nullptr);
    std::vector<std::wstring> shown;
    ASSERT_TRUE(WaitForTreeItems(tree, {L"(F:)"}, shown, kAppearMilliseconds))
        << "the tree shows " << Joined(shown);
    ASSERT_TRUE(BringToFront(main));
    ASSERT_TRUE(ClickIntoTree(tree)) << "the tree did not take the keyboard";
    ASSERT_TRUE(SelectByKey(tree, VK_DOWN, L"(F:)", 40))
        << "the tree selects " << Utf8(TreeSelectionText(tree));

    ASSERT_TRUE(WaitForListing(main, L"Deleted Contents of 'F:\\'",
                               std::to_wstring(atRoot.size()) + L" file(s)", kAppearMilliseconds))
        << Utf8(ListedCaption(main)) << " / " << Utf8(StatusBarText(FindChild(main, STATUSCLASSNAMEW), 0));
    EXPECT_EQ(ListedRows(list), atRoot);

    ASSERT_TRUE(OpenAndSelectBelow(main, tree, L"PROJECTS", 10)) << Utf8(TreeSelectionText(tree));
    ASSERT_TRUE(WaitForListing(main, L"Deleted Contents of 'F:\\PROJECTS\\'",
                               std::to_wstring(inProjects.size()) + L" file(s)", kAppearMilliseconds))
        << Utf8(ListedCaption(main)) << " / " << Utf8(StatusBarText(FindChild(main, STATUSCLASSNAMEW), 0));
    const std::vector<TSalvageRow> listed = ListedRows(list);
    EXPECT_EQ(listed.size(), inProjects.size());
    for (size_t i = 0; i < std::min(listed.size(), inProjects.size()); ++i)
    {
        EXPECT_EQ(listed[i].name, inProjects[i].name) << i;
        EXPECT_EQ(listed[i].deletedBy, inProjects[i].deletedBy) << Utf8(listed[i].name);
    }

    const std::optional<DWORD> exitCode = CloseAndWait(run, main);
    ASSERT_TRUE(exitCode.has_value()) << run.Describe();
    EXPECT_EQ(*exitCode, 0u);
}

// tools/test runs this at 96, 120, 144 and 192 DPI, with the rest of the start at each.
TEST_F(StartupE2ETest, TheWindowIsLaidOutAtTheDisplayScale)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("RETROVE_LAYOUT_DPI"))
        ASSERT_EQ(dpi, std::atoi(expected)) << "the run is not at the scale it was started for";
    const auto scaled = [dpi](int size) { return MulDiv(size, dpi, 96); };
    CreateDemoWorld();
    TProgramRun run(OnMappedWorld());
    HWND main = WaitForMainWindow(run);
    ASSERT_NE(main, nullptr) << run.Describe();
    HWND tree = FindChild(main, WC_TREEVIEWW);
    HWND list = FindChild(main, WC_LISTVIEWW);
    HWND toolbar = FindChild(main, TOOLBARCLASSNAMEW);
    HWND combo = FindChild(toolbar, WC_COMBOBOXEXW);
    ASSERT_TRUE(tree != nullptr && list != nullptr && toolbar != nullptr && combo != nullptr);

    EXPECT_EQ(static_cast<int>(SendMessageW(tree, TVM_GETINDENT, 0, 0)), scaled(19));
    EXPECT_EQ(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)), scaled(100));
    RECT bar{};
    GetWindowRect(toolbar, &bar);
    EXPECT_EQ(bar.bottom - bar.top, scaled(28));
    // The buttons grow round pictures of the scale's size (16 pixels at 100 %), and fit the bar.
    const int side = dpi >= 192 ? 32 : dpi >= 144 ? 24 : dpi >= 120 ? 20 : 16;
    const DWORD buttons = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_GE(static_cast<int>(HIWORD(buttons)), side + 6);
    EXPECT_LE(static_cast<int>(HIWORD(buttons)), bar.bottom - bar.top);
    // The location box lies within the bar.
    RECT box{};
    GetWindowRect(combo, &box);
    EXPECT_GE(box.top, bar.top);
    EXPECT_LE(box.bottom, bar.bottom);
    EXPECT_EQ(box.right - box.left, scaled(193));

    const std::optional<DWORD> exitCode = CloseAndWait(run, main);
    ASSERT_TRUE(exitCode.has_value()) << run.Describe();
    EXPECT_EQ(*exitCode, 0u);
}
