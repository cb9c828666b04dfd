// The main window's Properties command: the first selected row's details, with the tree's folder as the
// location, in the properties dialog; nothing without a selection.
#include "TProgramTest.h"

#include "MainCommands.h"
#include "TItemIdList.h"
#include "WindowParts.h"

class TFMainPropertiesTest : public TProgramTest
{
protected:
    TFMain& ListedData()
    {
        nwsim::TDeletedFile file;
        file.deletor = 0x10000012;
        file.owner = 0x00000001;
        file.size = 7;
        file.deleted = nwsim::TSimTime{2026, 11, 30, 0, 30, 0};
        world_->AddDeleted("TARVEX", "DATA", "DATA", "Report.doc", "content", file);
        world_->AddDeleted("TARVEX", "DATA", "DATA", "Zeta.doc", "content", file);
        LoadWorld();
        Start();
        Main().ShowFirstTime();
        PumpMessages();
        Main().TreeDel().GoTo(TItemIdList::FromPath(L"F:\\DATA").Get());
        PumpMessages();
        return Main();
    }

    TFProperties& Properties() { return *program_->Forms().FProperties; }
};

TEST_F(TFMainPropertiesTest, ShowsTheFirstSelectedRowWithTheTreesFolder)
{
    TFMain& main = ListedData();
    ASSERT_EQ(main.ExplorerList().Count(), 2u);
    main.ExplorerList().SetSelected(1, true);
    main.ExplorerList().SetSelected(0, true);
    std::wstring shownName;
    std::wstring shownLocation;
    std::wstring shownDeleted;
    Modals().ExpectDialog(L"Properties", [&](HWND) {
        shownName = WindowText(Properties().LName());
        shownLocation = WindowText(Properties().LLocation());
        shownDeleted = WindowText(Properties().LDeleted());
        return static_cast<INT_PTR>(IDOK);
    });
    SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmMProperties, 0), 0);
    EXPECT_EQ(shownName, L"Report.doc") << "the first selected row";
    EXPECT_EQ(shownLocation, main.TreeDel().SelectedPath());
    EXPECT_NE(shownLocation.find(L"DATA"), std::wstring::npos);
    EXPECT_EQ(shownDeleted.substr(shownDeleted.size() - 8), L" 12:30 a");
    EXPECT_EQ(main.ExplorerList().Count(), 2u) << "the list is unchanged";
}

TEST_F(TFMainPropertiesTest, WithoutASelectionNothingOpens)
{
    TFMain& main = ListedData();
    // No dialog is expected: one would fail the test.
    SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmBProperties, 0), 0);
    EXPECT_TRUE(Modals().AllAnswered());
    EXPECT_EQ(WindowText(Properties().LName()), L"");
}

// As in Explorer: Alt+Enter shows the first selected row, Enter the focused one, a double-click the one
// clicked.
TEST_F(TFMainPropertiesTest, AltEnterEnterAndADoubleClickShowARow)
{
    TFMain& main = ListedData();
    ASSERT_EQ(main.ExplorerList().Count(), 2u);
    const HWND list = main.ExplorerList().Handle();
    std::vector<std::wstring> shown;
    const auto expectProperties = [&] {
        Modals().ExpectDialog(L"Properties", [&](HWND) {
            shown.push_back(WindowText(Properties().LName()));
            return static_cast<INT_PTR>(IDOK);
        });
    };
    main.ExplorerList().SetSelected(1, true);
    SetFocus(list);
    expectProperties();
    MSG altEnter{list, WM_SYSKEYDOWN, VK_RETURN, 1 | (1 << 29), 0, {}};
    EXPECT_TRUE(main.FormKeyDown(altEnter));
    ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    expectProperties();
    SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    expectProperties();
    RECT row{};
    ListView_GetItemRect(list, 1, &row, LVIR_LABEL);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 4, row.top + 2));
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Zeta.doc", L"Report.doc", L"Zeta.doc"}));
}
