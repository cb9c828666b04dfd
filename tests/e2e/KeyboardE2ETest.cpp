// The keyboard in the real program: Ctrl+A selects every row and the commands that need a selection follow
// it, the Edit menu's Invert Selection by its access keys clears it, F5 lists again what the server holds
// now, the panes take the keyboard in turn, and the whole job is done without the mouse.
#include "MainCommands.h"
#include "MainWindowDriving.h"
#include "TDemoListingTest.h"
#include "TRemoteControls.h"

#include <filesystem>
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

namespace
{

// The control after a label of the window (its field), or nullptr.
HWND FieldAfterLabel(HWND window, const std::wstring& label)
{
    for (HWND candidate : ChildrenOfClass(window, L"Static"))
        if (RemoteText(candidate) == label)
            return GetWindow(candidate, GW_HWNDNEXT);
    return nullptr;
}

// Whether some label of the window reads the text.
bool ShowsText(HWND window, const std::wstring& text)
{
    for (HWND label : ChildrenOfClass(window, L"Static"))
        if (RemoteText(label) == text)
            return true;
    return false;
}

// The first row from the start whose name begins with the letters, ignoring case, going on from the first
// row that begins with the first letter, as typing them does.
int TypedRow(const std::vector<std::vector<std::wstring>>& rows, const std::wstring& letters)
{
    const auto begins = [&](size_t row, size_t length) {
        const std::wstring& name = rows[row][0];
        return name.size() >= length &&
               CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), static_cast<int>(length),
                              letters.c_str(), static_cast<int>(length)) == CSTR_EQUAL;
    };
    size_t first = 0;
    while (first < rows.size() && !begins(first, 1))
        ++first;
    for (size_t step = 0; step < rows.size(); ++step)
        if (const size_t row = (first + step) % rows.size(); begins(row, letters.size()))
            return static_cast<int>(row);
    return -1;
}

// The parts of a user's full name, top container first: BOB.SALES.TARVEX gives TARVEX, SALES, BOB.
std::vector<std::wstring> NameParts(const std::wstring& fullName)
{
    std::vector<std::wstring> parts;
    for (size_t start = 0; start <= fullName.size();)
    {
        const size_t end = std::min(fullName.find(L'.', start), fullName.size());
        parts.insert(parts.begin(), fullName.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

// The whole job without one mouse event: to F:\PROJECTS in the tree, Tab into the list, "PL" to the first
// PLAN file, Alt+Enter for its properties, F2 recovers it, Delete purges another, Backspace up to F:, F3 for
// Find, a deletor picked in the picker by the keyboard (containers opened by Right), Enter on a hit for its
// properties, Alt+F4 closes Find and then the program from the tree.
TEST_F(KeyboardE2ETest, TheWholeJobWithTheKeyboardAlone)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    ASSERT_GT(before.size(), 3u);
    TProgramRun run(OnMappedWorld());
    main_ = WaitForMainWindow(run);
    ASSERT_NE(main_, nullptr) << run.Describe();
    const HWND tree = FindChild(main_, WC_TREEVIEWW);
    const HWND list = FindChild(main_, WC_LISTVIEWW);
    ASSERT_TRUE(tree != nullptr && list != nullptr);
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(WaitFor([&] { return FocusIn(tree); }, kAppearMilliseconds)) << "the tree has no keyboard";
    std::vector<std::wstring> shown;
    ASSERT_TRUE(WaitForTreeItems(tree, {L"(F:)"}, shown)) << Joined(shown);
    ASSERT_TRUE(SelectByKey(tree, VK_DOWN, L"(F:)", 60)) << Utf8(TreeSelectionText(tree));
    ASSERT_TRUE(OpenAndSelectBelow(main_, tree, L"PROJECTS", 60)) << Utf8(TreeSelectionText(tree));
    ASSERT_TRUE(WaitForListing(main_, L"Deleted Contents of '" + kProjects + L"'", Count(before.size())))
        << Utf8(StatusOf(main_));

    // Tab into the list; typing the start of a name goes to it.
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return FocusIn(list); }, kAppearMilliseconds)) << "Tab did not reach the list";
    const std::vector<std::vector<std::wstring>> rows = ListViewRows(list, 1);
    const int plan = TypedRow(rows, L"PL");
    ASSERT_GE(plan, 0) << "the demo folder has a file whose name begins with PL";
    const std::wstring planName = rows[static_cast<size_t>(plan)][0];
    TypeText(L"PL");
    ASSERT_TRUE(
        WaitFor([&] { return SelectedListRows(list) == std::vector<int>{plan}; }, kAppearMilliseconds))
        << "typing PL selected " << SelectedListRows(list).size() << " rows, the focus on row "
        << FocusedListRow(list) << " rather than " << plan;

    // Alt+Enter shows its properties, Escape closes them.
    PressKey(VK_RETURN, {VK_MENU});
    HWND properties = run.WaitForVisible(L"TFProperties", kAppearMilliseconds);
    ASSERT_NE(properties, nullptr) << "Alt+Enter showed nothing: " << run.Describe();
    EXPECT_TRUE(ShowsText(properties, planName));
    ASSERT_TRUE(BringToFront(properties));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(properties); }, kAppearMilliseconds));

    // F2 recovers it, under its upper-cased name.
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(WaitFor([&] { return FocusIn(list); }, kAppearMilliseconds)) << "the list lost the keyboard";
    PressKey(VK_F2);
    std::wstring upper = planName;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    ASSERT_TRUE(
        WaitFor([&] { return std::filesystem::exists(Volume() / "PROJECTS" / upper); }, kAppearMilliseconds))
        << "F2 did not bring " << Utf8(upper) << " back; " << run.Describe();
    ASSERT_TRUE(WaitFor([&] { return StatusOf(main_) == Count(before.size() - 1); }, kAppearMilliseconds));

    // Delete purges another after Yes.
    PressKey(VK_HOME);
    ASSERT_TRUE(WaitFor([&] { return SelectedListRows(list) == std::vector<int>{0}; }, kAppearMilliseconds));
    const std::wstring purged = ListViewRows(list, 1)[0][0];
    PressKey(VK_DELETE);
    HWND confirm = run.WaitForWindow(
        [](const TWindowView& window) { return window.visible && IsMessageBox(window.handle); },
        kAppearMilliseconds);
    ASSERT_NE(confirm, nullptr) << "Delete asked nothing: " << run.Describe();
    EXPECT_EQ(ReadMessageBox(confirm).text, L"Permanently purge 1 file(s)?");
    ASSERT_TRUE(BringToFront(confirm));
    PressKey('Y');
    ASSERT_TRUE(WaitFor([&] { return StatusOf(main_) == Count(before.size() - 2); }, kAppearMilliseconds))
        << Utf8(StatusOf(main_));
    const std::vector<TSalvageRow> after = Salvage(kProjects);
    EXPECT_EQ(after.size(), before.size() - 2);
    for (const TSalvageRow& row : after)
        EXPECT_NE(row.name, purged) << "the server still holds the purged file";

    // Backspace goes up to F:.
    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_BACK);
    ASSERT_TRUE(
        WaitFor([&] { return ListedCaption(main_) == L"Deleted Contents of 'F:\\'"; }, kAppearMilliseconds))
        << Utf8(ListedCaption(main_));

    // F3 opens Find; Deleted By on the Advanced page, its user picked by the keyboard.
    PressKey(VK_F3);
    HWND find = run.WaitForVisible(L"TFFind", kAppearMilliseconds);
    ASSERT_NE(find, nullptr) << "F3 showed nothing: " << run.Describe();
    ASSERT_TRUE(BringToFront(find));
    HWND deletedBy = FieldAfterLabel(find, L"&Deleted By:");
    ASSERT_NE(deletedBy, nullptr);
    PressKey(VK_TAB, {VK_CONTROL});
    ASSERT_TRUE(WaitFor([&] { return FocusIn(deletedBy); }, kAppearMilliseconds)) << "Ctrl+Tab";
    const std::vector<std::wstring> user = NameParts(after.front().deletedBy);
    ASSERT_GE(user.size(), 2u) << Utf8(after.front().deletedBy);
    PressKey('C', {VK_MENU});
    HWND picker = run.WaitForVisible(L"TFBrowseDirectory", kAppearMilliseconds);
    ASSERT_NE(picker, nullptr) << "Alt+C showed no picker: " << run.Describe();
    ASSERT_TRUE(BringToFront(picker));
    HWND users = nullptr;
    for (HWND candidate : ChildrenOfClass(picker, WC_TREEVIEWW))
        if (IsWindowVisible(candidate))
            users = candidate;
    ASSERT_NE(users, nullptr);
    ASSERT_TRUE(WaitFor([&] { return FocusIn(users); }, kAppearMilliseconds)) << "the picker's tree";
    PressKey(VK_HOME);
    ASSERT_TRUE(WaitFor([&] { return TreeSelectionText(users) == user.front(); }, kAppearMilliseconds))
        << Utf8(TreeSelectionText(users));
    for (size_t part = 1; part < user.size(); ++part)
    {
        PressKey(VK_RIGHT);
        ASSERT_TRUE(WaitForTreeItems(users, {user[part]}, shown)) << Joined(shown);
        ASSERT_TRUE(SelectByKey(users, VK_DOWN, user[part], 60)) << Utf8(TreeSelectionText(users));
    }
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(picker); }, kAppearMilliseconds))
        << "Enter chose nothing";
    ASSERT_TRUE(WaitFor([&] { return RemoteText(deletedBy) == user.back() + L"*"; }, kAppearMilliseconds))
        << Utf8(RemoteText(deletedBy));

    // Enter searches; the keyboard goes to the hits, and Enter on one shows it.
    ASSERT_TRUE(BringToFront(find));
    PressKey(VK_RETURN);
    HWND hits = FindChild(find, WC_LISTVIEWW);
    ASSERT_TRUE(WaitFor([&] { return FocusIn(hits) && ListViewRowCount(hits) > 0; }, kAppearMilliseconds))
        << "the search left the keyboard elsewhere or found nothing";
    PressKey(VK_HOME);
    ASSERT_TRUE(WaitFor([&] { return FocusedListRow(hits) == 0; }, kAppearMilliseconds));
    PressKey(VK_RETURN);
    properties = run.WaitForVisible(L"TFProperties", kAppearMilliseconds);
    ASSERT_NE(properties, nullptr) << "Enter on a hit showed nothing: " << run.Describe();
    EXPECT_TRUE(ShowsText(properties, ListViewRows(hits, 1)[0][0]));
    ASSERT_TRUE(BringToFront(properties));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(properties); }, kAppearMilliseconds));

    // Alt+F4 closes Find, then, from the tree, the program.
    ASSERT_TRUE(BringToFront(find));
    PressKey(VK_F4, {VK_MENU});
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(find); }, kAppearMilliseconds)) << "Alt+F4 left Find";
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(WaitFor([&] { return FocusIn(list); }, kAppearMilliseconds))
        << "the list has the keyboard back";
    PressKey(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(WaitFor([&] { return FocusIn(tree); }, kAppearMilliseconds)) << "Shift+Tab to the tree";
    PressKey(VK_F4, {VK_MENU});
    const std::optional<DWORD> exitCode = run.WaitForExit(kAppearMilliseconds);
    ASSERT_TRUE(exitCode.has_value()) << "Alt+F4 from the tree left the program running: " << run.Describe();
    EXPECT_EQ(*exitCode, 0u);
}
