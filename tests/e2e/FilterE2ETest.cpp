// The filter dialog of the running program: F7 opens it, a name pattern is typed, the user picker opened
// from a Select button picks a directory user, and the Deleted By field takes that user as a pattern.
#include "MainWindowDriver.h"
#include "TE2ETest.h"

#include <commctrl.h>

#include <functional>

namespace
{

// Clicks the label of the tree's shown item of that text once it can be reached, and waits for the click's
// effect.
bool ClickTreeItem(HWND tree, const std::wstring& text, const std::function<bool()>& effect)
{
    HTREEITEM item = nullptr;
    if (!WaitFor([&] { return (item = FindTreeItem(tree, text)) != nullptr; }))
        return false;
    // An item just added may not have its place yet: its label is empty until the tree has laid it out.
    RECT label{};
    if (!WaitFor([&] {
            label = TreeItemLabelRect(tree, item);
            return label.right > label.left;
        }))
        return false;
    return ClickWhenReachable(tree, {(label.left + label.right) / 2, (label.top + label.bottom) / 2}) &&
           WaitFor(effect, kAppearMilliseconds);
}

// The edit fields of the filter dialog in their order: name pattern, Deleted By, Owner.
std::vector<HWND> Edits(HWND dialog)
{
    return ChildrenOfClass(dialog, L"Edit");
}

} // namespace

class FilterE2ETest : public TE2ETest
{
};

TEST_F(FilterE2ETest, F7OpensTheFilterAndThePickedUserBecomesTheDeletedByPattern)
{
    CreateDemoWorld();
    TProgramRun run(OnMappedWorld());
    HWND main = run.WaitForVisible(L"TFMain", kAppearMilliseconds);
    ASSERT_NE(main, nullptr) << run.Describe();

    ASSERT_TRUE(BringToFront(main));
    PressKey(VK_F7);
    HWND filter = run.WaitForVisible(L"TFFilter", kAppearMilliseconds);
    ASSERT_NE(filter, nullptr) << "F7 showed nothing: " << run.Describe();
    EXPECT_EQ(RemoteText(filter), L"Filter Specification");
    const std::vector<HWND> edits = Edits(filter);
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(RemoteText(edits[0]), L"*.*");

    // The focus is in the name pattern: replace it by typing.
    ASSERT_TRUE(WaitUntilFocused(edits[0])) << "the name pattern does not have the keyboard";
    PressKey(VK_HOME);
    PressKey(VK_END, {VK_SHIFT});
    TypeText(L"REPORT*.TXT");
    EXPECT_TRUE(WaitFor([&] { return RemoteText(edits[0]) == L"REPORT*.TXT"; }))
        << "the name pattern reads " << Utf8(RemoteText(edits[0]));

    ASSERT_TRUE(PressButton(filter, L"&Select...")) << "the Deleted By button";
    HWND picker = run.WaitForVisible(L"TFBrowseDirectory", kAppearMilliseconds);
    ASSERT_NE(picker, nullptr) << "Select showed nothing: " << run.Describe();
    EXPECT_EQ(RemoteText(picker), L"Select from Directory");
    EXPECT_EQ(GetWindow(picker, GW_OWNER), filter) << "the picker stays above the filter";
    EXPECT_FALSE(IsWindowEnabled(filter)) << "the filter is blocked while the picker shows";
    // The tree of the tab in front: the directory's, as the demo network has both.
    HWND tree = nullptr;
    for (HWND candidate : ChildrenOfClass(picker, L"SysTreeView32"))
        if (IsWindowVisible(candidate))
            tree = candidate;
    ASSERT_NE(tree, nullptr);
    HWND ok = nullptr;
    for (HWND button : ChildrenOfClass(picker, L"Button"))
        if (RemoteText(button) == L"&OK")
            ok = button;
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(IsWindowEnabled(ok)) << "no user chosen yet";

    // The directory tab: open the organization, then choose its user.
    ASSERT_TRUE(BringToFront(picker)) << "the picker is not in front";
    ASSERT_TRUE(ClickTreeItem(tree, L"TARVEX", [&] { return FindTreeItem(tree, L"ADMIN") != nullptr; }))
        << "opening TARVEX showed no ADMIN: " << Joined(TreeItemTexts(tree));
    ASSERT_TRUE(ClickTreeItem(tree, L"ADMIN", [&] { return IsWindowEnabled(ok) != FALSE; }))
        << "OK stays disabled on a user";
    EXPECT_EQ(TreeSelectionText(tree), L"ADMIN");

    ASSERT_TRUE(PressButton(picker, L"OK"));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(picker); })) << "OK did not close the picker";
    EXPECT_TRUE(WaitFor([&] { return RemoteText(edits[1]) == L"ADMIN*"; }))
        << "Deleted By reads " << Utf8(RemoteText(edits[1]));
    EXPECT_EQ(RemoteText(edits[2]), L"") << "the Owner field is untouched";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(filter) != FALSE; })) << "the filter is usable again";

    ASSERT_TRUE(PressButton(filter, L"OK"));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(filter); })) << "OK did not close the filter";
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(RemoteText(edits[0]), L"REPORT*.TXT") << "the accepted criteria stay in force";
    EXPECT_EQ(RemoteText(edits[1]), L"ADMIN*");

    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::optional<DWORD> exitCode = run.WaitForExit(kAppearMilliseconds);
    ASSERT_TRUE(exitCode.has_value()) << run.Describe();
    EXPECT_EQ(*exitCode, 0u);
}
