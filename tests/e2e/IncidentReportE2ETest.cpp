// What the operator hands on after an incident, from the real program on the demo network: the selected rows
// copied as text; and what the screen says of the list: how many rows are selected, and the filter in force.
#include "CsvReader.h"
#include "MainCommands.h"
#include "TDemoListingTest.h"

#include <windows.h>

namespace
{

// The clipboard's Unicode text as another program reads it.
std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return L"<clipboard not opened>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data)))
        {
            text = chars;
            GlobalUnlock(data);
        }
    CloseClipboard();
    return text;
}

std::wstring TabLine(const std::vector<std::wstring>& cells)
{
    std::wstring line;
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i == 0 ? L"" : L"\t") + cells[i];
    return line + L"\r\n";
}

} // namespace

class IncidentReportE2ETest : public TDemoListingTest
{
};

TEST_F(IncidentReportE2ETest, CtrlCPutsTheHeaderAndTheSelectedRowsOnTheClipboardAsTheCellsShowThem)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(SelectListRowByKeyboard(list, 1));
    PressKey(VK_DOWN, {VK_SHIFT});
    PressKey(VK_DOWN, {VK_SHIFT});
    ASSERT_TRUE(WaitFor([&] { return ListView_GetSelectedCount(list) == 3; }, kAppearMilliseconds));
    HWND bar = FindChild(main_, STATUSCLASSNAMEW);
    EXPECT_TRUE(WaitFor([&] { return StatusBarText(bar, 2) == L"3 selected"; }, kAppearMilliseconds))
        << Utf8(StatusBarText(bar, 2));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();

    PressKey('C', {VK_CONTROL});
    std::wstring expected =
        TabLine({L"Name", L"Size", L"Deleted", L"Deleted By", L"Owner", L"Accessed", L"Created",
                 L"Attributes", L"Archived", L"Archived By", L"Updated", L"Updated By"});
    const std::vector<std::vector<std::wstring>> rows = ListViewRows(list, 12);
    for (size_t row = 1; row <= 3; ++row)
        expected += TabLine(rows[row]);
    ASSERT_TRUE(WaitFor([&] { return !ClipboardText().empty(); }, kAppearMilliseconds));
    EXPECT_EQ(ClipboardText(), expected);
    CloseProgram(run);
}

TEST_F(IncidentReportE2ETest, ExportSelectedRowsWritesTheSelectedRowsOfTheFolderAsTheReaderReadsThem)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(SelectListRowByKeyboard(list, 0));
    PressKey(VK_DOWN, {VK_SHIFT});
    ASSERT_TRUE(WaitFor([&] { return ListView_GetSelectedCount(list) == 2; }, kAppearMilliseconds));

    const std::filesystem::path exported = std::filesystem::path(world_) / L"Selected \u00e9t\u00e9.csv";
    PressKey('F', {VK_MENU});
    PressKey('S');
    const TSaveDialogRun save = SaveByKeyboard(run, exported);
    EXPECT_EQ(save.caption, L"Export List");
    EXPECT_EQ(save.proposed, L"Deleted files of PROJECTS.csv");
    ASSERT_TRUE(save.saved) << run.Describe();

    const std::vector<std::vector<std::string>> records = ReadCsv(ReadAll(exported));
    ASSERT_EQ(records.size(), 3u) << "the header and the two selected rows";
    const std::vector<std::vector<std::wstring>> rows = ListViewRows(list, 2);
    for (size_t row = 0; row < 2; ++row)
    {
        EXPECT_EQ(records[row + 1][0], Utf8(kProjects));
        EXPECT_EQ(records[row + 1][1], Utf8(rows[row][0]));
    }
    CloseProgram(run);
}

TEST_F(IncidentReportE2ETest, AFilterKeepsItsButtonDownAndSaysWhatItLetsThroughUntilNewClearsIt)
{
    const std::vector<TSalvageRow> before = Salvage(kProjects);
    TProgramRun run(OnMappedWorld());
    HWND list = ListProjects(run, before.size());
    ASSERT_NE(list, nullptr);
    HWND bar = FindChild(main_, STATUSCLASSNAMEW);
    HWND toolbar = FindChild(main_, TOOLBARCLASSNAMEW);
    const auto filterDown = [&] { return SendMessageW(toolbar, TB_ISBUTTONCHECKED, cmBFilter, 0) != 0; };
    EXPECT_FALSE(filterDown());
    EXPECT_EQ(StatusBarText(bar, 3), L"");
    EXPECT_EQ(StatusBarText(bar, 2), L"") << "nothing is selected";

    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F7);
    HWND filter = run.WaitForVisible(L"TFFilter", kAppearMilliseconds);
    ASSERT_NE(filter, nullptr) << run.Describe();
    ASSERT_TRUE(TypeIntoField(ChildrenOfClass(filter, L"Edit").at(0), L"PLAN*"));
    ASSERT_TRUE(PressButton(filter, L"OK"));
    ASSERT_TRUE(WaitFor([&] { return StatusBarText(bar, 3) == L"Filter: PLAN*"; }, kAppearMilliseconds))
        << Utf8(StatusBarText(bar, 3));
    EXPECT_TRUE(filterDown());
    for (const TSalvageRow& row : ListedRows(list))
        EXPECT_EQ(row.name.rfind(L"PLAN", 0), 0u) << Utf8(row.name);

    ASSERT_TRUE(BringToFront(main_));
    PressKey(VK_F7);
    ASSERT_EQ(run.WaitForVisible(L"TFFilter", kAppearMilliseconds), filter) << run.Describe();
    ASSERT_TRUE(PressButton(filter, L"&New"));
    ASSERT_TRUE(WaitFor([&] { return RemoteText(ChildrenOfClass(filter, L"Edit").at(0)) == L"*.*"; },
                        kAppearMilliseconds))
        << Utf8(RemoteText(ChildrenOfClass(filter, L"Edit").at(0)));
    ASSERT_TRUE(PressButton(filter, L"OK"));
    ASSERT_TRUE(WaitFor([&] { return StatusBarText(bar, 3).empty() && !filterDown(); }, kAppearMilliseconds))
        << Utf8(StatusBarText(bar, 3)) << " / " << Utf8(StatusOf(main_)) << " / " << run.Describe();
    EXPECT_TRUE(WaitForListing(main_, L"Deleted Contents of '" + kProjects + L"'", Count(before.size())));
    CloseProgram(run);
}
