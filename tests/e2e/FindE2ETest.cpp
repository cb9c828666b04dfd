// The Find window of the running program on the demo network: opened from the main window's File menu by its
// keys on the tree's F:, it searches F:\ and the folders below it for the files one user deleted, lists
// what the stand-in's salvage tool lists for that user (accented names and folders among them), recovers one
// hit into its folder, and keeps its settings.
#include "CsvReader.h"
#include "MainWindowDriver.h"
#include "SalvageListing.h"
#include "TE2ETest.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <utility>

namespace
{

using THit = std::pair<std::wstring, std::wstring>; // name, folder

std::wstring Upper(std::wstring text)
{
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

HWND ButtonOf(HWND window, const std::wstring& caption)
{
    for (HWND button : ChildrenOfClass(window, L"Button"))
        if (RemoteText(button) == caption)
            return button;
    return nullptr;
}

// The control that follows the label of that text, as a dialog's keys would reach it from the label.
HWND ControlAfterLabel(HWND window, const std::wstring& label)
{
    for (HWND candidate : ChildrenOfClass(window, L"Static"))
        if (RemoteText(candidate) == label)
            return GetWindow(candidate, GW_HWNDNEXT);
    return nullptr;
}

std::set<THit> ListedHits(HWND list)
{
    std::set<THit> hits;
    for (const std::vector<std::wstring>& cells : ListViewRows(list, 2))
        hits.insert({cells[0], Upper(cells[1])}); // the server names folders in capitals
    return hits;
}

std::string Describe(const std::set<THit>& hits)
{
    std::wstring text;
    for (const THit& hit : hits)
        text += hit.second + hit.first + L" | ";
    return Utf8(text);
}

} // namespace

class FindE2ETest : public TE2ETest
{
protected:
    // What the stand-in's tool lists below F:\ for the deletor, as name and folder.
    std::set<THit> SalvagedBy(const std::wstring& world, const std::wstring& deletorStart)
    {
        std::set<THit> hits;
        for (const TSalvageEntry& entry :
             ParseSalvage(RunTool(L"--world \"" + world + L"\" salvage -r F:\\")))
            if (entry.deletedBy.rfind(deletorStart, 0) == 0)
                hits.insert({entry.name, Upper(entry.folder)});
        return hits;
    }
};

TEST_F(FindE2ETest, SearchesFForADeletorListsWhatTheServerHoldsAndRecoversAHit)
{
    CreateDemoWorld();
    const std::wstring world = OnMappedWorld().world;
    // Accented names among Alice's files, one of them in a folder with an accented name.
    const std::filesystem::path shared = std::filesystem::path(world) / "volumes" / "TARVEX" / "DATA" /
                                         "files" / "SHARED" / L"\u00dcn\u00efc\u00f6d\u00e9 folder";
    std::filesystem::create_directories(shared);
    std::ofstream(shared / L"Caf\u00e9.txt") << "coffee";
    std::ofstream(shared.parent_path() / L"M\u00fcller Bericht.doc") << "report";
    RunTool(L"--world \"" + world +
            L"\" delete --as ALICE \"F:\\SHARED\\\u00dcn\u00efc\u00f6d\u00e9 folder\\Caf\u00e9.txt\" "
            L"\"F:\\SHARED\\M\u00fcller Bericht.doc\"");
    const std::set<THit> expected = SalvagedBy(world, L"ALICE.");
    ASSERT_GT(expected.size(), 5u) << "the demo has files that Alice deleted";
    for (const THit& hit : expected)
        ASSERT_TRUE(FolderExists(hit.second)) << "the walk only reaches live folders: " << Utf8(hit.second);

    TProgramRun run(OnMappedWorld());
    HWND main = WaitForMainWindow(run);
    ASSERT_NE(main, nullptr) << run.Describe();
    ASSERT_TRUE(SelectTreeFolder(main, L"(F:)", L""))
        << "the tree selects " << Utf8(TreeSelectionText(FindChild(main, WC_TREEVIEWW)));

    // File, Find Deleted Files, by the menu's keys.
    PressKey('F', {VK_MENU});
    PressKey('I');
    HWND find = run.WaitForVisible(L"TFFind", kAppearMilliseconds);
    ASSERT_NE(find, nullptr) << "the Find command showed nothing: " << run.Describe();
    EXPECT_EQ(RemoteText(find), L"Find: Deleted Files");
    EXPECT_FALSE(IsWindowEnabled(main)) << "Find is modal over the main window";
    HWND list = FindChild(find, WC_LISTVIEWW);
    HWND bar = FindChild(find, STATUSCLASSNAMEW);
    HWND tabs = FindChild(find, WC_TABCONTROLW);
    HWND findNow = ButtonOf(find, L"F&ind Now");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(tabs, nullptr);
    ASSERT_NE(findNow, nullptr);
    EXPECT_FALSE(IsWindowVisible(list)) << "the window opens collapsed";

    // Deleted By on the Advanced page: Ctrl+Tab turns to it with the keyboard in its first field, as in a
    // property sheet; then the user's pattern is typed.
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == find; }, kAppearMilliseconds))
        << "Find is not in front";
    HWND deletedBy = ControlAfterLabel(find, L"&Deleted By:");
    ASSERT_NE(deletedBy, nullptr);
    ASSERT_EQ(ChildrenOfClass(GetParent(deletedBy), L"Edit").size(), 2u) << "Deleted By and Owner";
    EXPECT_EQ(GetParent(deletedBy), GetParent(ControlAfterLabel(find, L"Owne&r:")));
    EXPECT_FALSE(IsWindowVisible(deletedBy)) << "the first page is in front";
    PressKey(VK_TAB, {VK_CONTROL});
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(deletedBy) && FocusOf(find) == deletedBy; },
                        kAppearMilliseconds))
        << "Ctrl+Tab did not bring Deleted By up";
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    TypeText(L"ALICE*");
    ASSERT_TRUE(WaitFor([&] { return RemoteText(deletedBy) == L"ALICE*"; }, kAppearMilliseconds))
        << "Deleted By reads " << Utf8(RemoteText(deletedBy));
    // Ctrl+A selects the field's text, so that what is typed next replaces it.
    PressKey('A', {VK_CONTROL});
    TypeText(L"ALICE*");
    ASSERT_TRUE(WaitFor([&] { return RemoteText(deletedBy) == L"ALICE*"; }, kAppearMilliseconds))
        << "Deleted By reads " << Utf8(RemoteText(deletedBy));

    // Find Now by its key.
    PressKey(VK_F5);
    const std::wstring count = std::to_wstring(expected.size()) + L" file(s)";
    ASSERT_TRUE(WaitFor(
        [&] {
            return IsWindowVisible(list) && IsWindowEnabled(findNow) && !StatusBarText(bar, 0).empty() &&
                   StatusBarText(bar, 1).empty();
        },
        kAppearMilliseconds))
        << "the search shows " << Utf8(StatusBarText(bar, 0)) << " / " << Utf8(StatusBarText(bar, 1));
    EXPECT_EQ(StatusBarText(bar, 0), count);
    const std::set<THit> listed = ListedHits(list);
    EXPECT_EQ(listed, expected) << "listed: " << Describe(listed) << "\nexpected: " << Describe(expected);

    // File, Export List, by the menu's keys: the Save dialog takes a name, and the file read back by a reader
    // of the standard holds the hits, each with its path.
    const std::filesystem::path exported = std::filesystem::path(world) / L"Hits \u00e9t\u00e9.csv";
    PressKey('F', {VK_MENU});
    PressKey('E');
    const TSaveDialogRun save = SaveByKeyboard(run, exported);
    EXPECT_EQ(save.caption, L"Export List");
    EXPECT_EQ(save.proposed, L"Deleted files of F.csv");
    ASSERT_TRUE(save.saved) << run.Describe();
    const std::vector<std::vector<std::string>> records = ReadCsv(ReadAll(exported));
    ASSERT_EQ(records.size(), expected.size() + 1);
    EXPECT_EQ(records[0][0], "Path");
    EXPECT_EQ(records[0][1], "Name");
    std::set<std::pair<std::string, std::string>> written;
    for (size_t row = 1; row < records.size(); ++row)
        written.insert({records[row][1], records[row][0]});
    std::set<std::pair<std::string, std::string>> hits;
    for (const std::vector<std::wstring>& cells : ListViewRows(list, 2))
        hits.insert({Utf8(cells[0]), Utf8(cells[1])});
    EXPECT_EQ(written, hits);

    // Recover a hit whose name is free in its folder: its row selected by the keyboard, then the Retrove key.
    const std::vector<std::vector<std::wstring>> rows = ListViewRows(list, 2);
    int chosen = -1;
    for (size_t row = 0; row < rows.size() && chosen < 0; ++row)
        if (!FileExists(rows[row][1] + Upper(rows[row][0])) && !FileExists(rows[row][1] + rows[row][0]))
            chosen = static_cast<int>(row);
    ASSERT_GE(chosen, 0) << "every hit's name exists again";
    const THit hit{rows[static_cast<size_t>(chosen)][0], Upper(rows[static_cast<size_t>(chosen)][1])};
    ASSERT_TRUE(BringToFront(find));
    ASSERT_TRUE(SelectListRowByKeyboard(list, chosen)) << "the row was not selected";
    EXPECT_TRUE(WaitFor([&] { return StatusBarText(bar, 2) == L"1 selected"; }, kAppearMilliseconds))
        << Utf8(StatusBarText(bar, 2));
    PressKey(VK_F2);
    const std::wstring left = std::to_wstring(expected.size() - 1) + L" file(s)";
    ASSERT_TRUE(WaitFor([&] { return StatusBarText(bar, 0) == left; }, kAppearMilliseconds))
        << "after Retrove the count reads " << Utf8(StatusBarText(bar, 0)) << "; " << run.Describe();
    EXPECT_EQ(ListedHits(list).count(hit), 0u) << "the recovered row went";
    EXPECT_TRUE(FileExists(hit.second + Upper(hit.first)))
        << "recovered under its upper-cased name into " << Utf8(hit.second);
    std::set<THit> stillHeld = SalvagedBy(world, L"ALICE.");
    EXPECT_EQ(stillHeld.count(hit), 0u) << "the server no longer holds it";
    EXPECT_EQ(stillHeld.size(), expected.size() - 1);

    // Properties of a hit, from the File menu by the arrow keys (Retrove shares its letter), is modal over
    // Find itself: Find cannot be used under it, and Escape gives Find back.
    ASSERT_TRUE(SelectListRowByKeyboard(list, 0)) << "the first row was not selected";
    PressKey('F', {VK_MENU});
    for (int item = 0; item < 3; ++item) // from Find Now past Retrove and Purge
        PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    HWND properties = run.WaitForVisible(L"TFProperties", kAppearMilliseconds);
    ASSERT_NE(properties, nullptr) << "Properties showed nothing: " << run.Describe();
    EXPECT_EQ(GetWindow(properties, GW_OWNER), find) << "it stays above Find";
    EXPECT_FALSE(IsWindowEnabled(find)) << "Find is blocked while Properties shows";
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == properties; }, kAppearMilliseconds));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(properties); }, kAppearMilliseconds))
        << "Escape did not close Properties";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(find) != FALSE; }, kAppearMilliseconds));
    EXPECT_FALSE(IsWindowEnabled(main)) << "Find is still modal over the main window";
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == find; }, kAppearMilliseconds))
        << "Find is not in front again";

    // Enter in the hits shows the focused one too, and searches nothing away.
    ASSERT_TRUE(SelectListRowByKeyboard(list, 0)) << "the first row was not selected";
    PressKey(VK_RETURN);
    properties = run.WaitForVisible(L"TFProperties", kAppearMilliseconds);
    ASSERT_NE(properties, nullptr) << "Enter in the hits showed nothing: " << run.Describe();
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == properties; }, kAppearMilliseconds));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(properties) && GetForegroundWindow() == find; },
                        kAppearMilliseconds));
    EXPECT_EQ(StatusBarText(bar, 0), left) << "the hits are as they were";

    // Escape closes the window; the main window takes the keyboard again.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(find); }, kAppearMilliseconds))
        << "Escape did not close Find";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, kAppearMilliseconds));
    EXPECT_EQ(Setting(L"FFind", L"MDetails_Checked"), L"True");
    EXPECT_TRUE(Setting(L"FFind", L"NormPos").has_value()) << "closing stores the placement";

    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::optional<DWORD> exitCode = run.WaitForExit(kAppearMilliseconds);
    ASSERT_TRUE(exitCode.has_value()) << run.Describe();
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_EQ(Setting(L"FFind\\Columns", L"Order"), L"0,1,2,3,4,5,6,7,8,9,10,11,12");
}
