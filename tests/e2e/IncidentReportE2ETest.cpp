// What the operator hands on after an incident, from the real program on the demo network: the selected rows
// copied as text.
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
