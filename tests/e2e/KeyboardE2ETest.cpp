// The main window's shortcut keys in the real program: Ctrl+A selects every row and the commands that need a
// selection follow it, the Edit menu's Invert Selection by its access keys clears it, and F5 lists again what
// the server holds now. F2, F9 and F7 have cases of their own (recover, purge and filter).
#include "MainCommands.h"
#include "TDemoListingTest.h"

#include <fstream>

namespace
{

bool ButtonEnabled(HWND toolbar, int command)
{
    return SendMessageW(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

// Retrove, Purge and Properties: enabled together or not at all.
std::vector<bool> SelectionButtons(HWND toolbar)
{
    return {ButtonEnabled(toolbar, cmBRetrove), ButtonEnabled(toolbar, cmBPurge),
            ButtonEnabled(toolbar, cmBProperties)};
}

// Whether the keyboard of the window's thread is in the pane or in a control inside it.
bool FocusIn(HWND pane)
{
    GUITHREADINFO state{};
    state.cbSize = sizeof(state);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(pane, nullptr), &state) || state.hwndFocus == nullptr)
        return false;
    return state.hwndFocus == pane || IsChild(pane, state.hwndFocus);
}

} // namespace

class KeyboardE2ETest : public TDemoListingTest
{
};

TEST_F(KeyboardE2ETest, CtrlASelectsEveryRowInvertClearsThemAndTheSelectionCommandsFollow)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    ASSERT_GT(before.size(), 2u);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    HWND toolbar = FindChild(main_, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(SelectionButtons(toolbar), std::vector<bool>(3, false)) << "a new listing selects nothing";

    ASSERT_TRUE(SelectListRowByKeyboard(list, 1));
    PressKey('A', {VK_CONTROL});
    ASSERT_TRUE(WaitFor([&] { return SelectedListRows(list).size() == before.size(); }, kAppearMilliseconds))
        << SelectedListRows(list).size() << " of " << before.size() << " rows selected";
    EXPECT_EQ(SelectionButtons(toolbar), std::vector<bool>(3, true));

    // Edit, Invert Selection.
    PressKey('E', {VK_MENU});
    PressKey('I');
    ASSERT_TRUE(WaitFor([&] { return SelectedListRows(list).empty(); }, kAppearMilliseconds))
        << SelectedListRows(list).size() << " rows still selected";
    EXPECT_EQ(SelectionButtons(toolbar), std::vector<bool>(3, false));
    CloseProgram(run);
}

TEST_F(KeyboardE2ETest, F5ListsTheFolderAgainWithAFileDeletedMeanwhile)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    ASSERT_FALSE(before.empty());
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    ASSERT_LT(ListRowOf(list, L"LATE NOTE.TXT"), 0);

    // Someone else deletes a file of the folder while the list shows it; the tool knows users by their
    // common name, the list shows them with their context.
    std::ofstream(Volume() / "PROJECTS" / "LATE NOTE.TXT") << "written after the listing";
    const std::wstring& deletor = before.front().deletedBy;
    RunTool(L"--world \"" + world_ + L"\" delete --as " + deletor.substr(0, deletor.find(L'.')) +
            L" \"F:\\PROJECTS\\LATE NOTE.TXT\"");
    ASSERT_EQ(Salvage(kProjects).size(), before.size() + 1);
    EXPECT_LT(ListRowOf(list, L"LATE NOTE.TXT"), 0) << "the list does not change by itself";

    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F5);
    ASSERT_TRUE(WaitFor([&] { return StatusOf(main_) == Count(before.size() + 1); }, kAppearMilliseconds))
        << Utf8(StatusOf(main_));
    EXPECT_GE(ListRowOf(list, L"LATE NOTE.TXT"), 0);
    EXPECT_EQ(ListedRows(list), Salvage(kProjects));
    CloseProgram(run);
}

// Without a click: the keyboard starts in the folder tree, Tab and F6 go round the panes, and the pane that
// had the keyboard has it again once a box opened from the menu by its keys is closed with Escape.
TEST_F(KeyboardE2ETest, TheKeyboardStartsInTheTreeGoesRoundThePanesAndComesBackAfterABox)
{
    TProgramRun run(OnMappedWorld());
    main_ = WaitForMainWindow(run);
    ASSERT_NE(main_, nullptr) << run.Describe();
    const HWND tree = FindChild(main_, WC_TREEVIEWW);
    const HWND list = FindChild(main_, WC_LISTVIEWW);
    const HWND combo = FindChild(main_, WC_COMBOBOXEXW);
    ASSERT_TRUE(tree != nullptr && list != nullptr && combo != nullptr);
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(WaitFor([&] { return FocusIn(tree); }, kAppearMilliseconds)) << "the tree has no keyboard";

    PressKey(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return FocusIn(list); }, kAppearMilliseconds)) << "Tab";
    PressKey(VK_F6);
    ASSERT_TRUE(WaitFor([&] { return FocusIn(combo); }, kAppearMilliseconds)) << "F6";
    PressKey(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(WaitFor([&] { return FocusIn(list); }, kAppearMilliseconds)) << "Shift+Tab";

    PressKey('H', {VK_MENU});
    PressKey('A');
    HWND about = run.WaitForVisible(L"TFAbout", kAppearMilliseconds);
    ASSERT_NE(about, nullptr) << "Help, About showed nothing: " << run.Describe();
    ASSERT_TRUE(BringToFront(about));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(run.WaitForWindow(
        [about](const TWindowView& window) { return window.handle == about && !window.visible; },
        kAppearMilliseconds))
        << "Escape did not close the box: " << run.Describe();
    EXPECT_TRUE(WaitFor([&] { return FocusIn(list); }, kAppearMilliseconds)) << "after the box";
    CloseProgram(run);
}
