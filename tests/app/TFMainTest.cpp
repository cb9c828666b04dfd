// The main window's frame, its tool bar, menus and list, and its view commands with what they keep between
// runs.
#include "TFMainTest.h"

TEST_F(TFMainTest, IsTheMainWindowOfItsDesignedSize)
{
    HWND window = Main().Handle();
    EXPECT_EQ(TextOf(window), L"Retrove 98");
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 278);
    EXPECT_EQ(bounds.top, 168);
    EXPECT_EQ(bounds.right - bounds.left, 654);
    EXPECT_EQ(bounds.bottom - bounds.top, 471);
    EXPECT_EQ(GetMenu(window), Main().Menu().Bar());
}

TEST_F(TFMainTest, ArrangesToolBarTitlesTreeAndListAndStatusBarTopToBottom)
{
    TFMain& main = Shown();
    HWND window = main.Handle();
    RECT client{};
    GetClientRect(window, &client);
    const RECT toolbar = BoundsIn(main.Toolbar().Handle(), window);
    const RECT titles = BoundsIn(main.SplitTitle().Handle(), window);
    const RECT split = BoundsIn(main.SplitMain().Handle(), window);
    const RECT status = BoundsIn(main.StatusBar(), window);
    EXPECT_EQ(toolbar.top, 0);
    EXPECT_EQ(toolbar.bottom - toolbar.top, 28);
    EXPECT_EQ(titles.top, toolbar.bottom);
    EXPECT_EQ(titles.bottom - titles.top, 20);
    EXPECT_EQ(split.top, titles.bottom);
    EXPECT_EQ(split.bottom, status.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.bottom - status.top, 19);
    EXPECT_EQ(split.right - split.left, client.right);

    EXPECT_EQ(TextOf(main.LLeftView()), L" All Folders");
    EXPECT_EQ(GetParent(main.LLeftView()), main.SplitTitle().Pane(0));
    EXPECT_EQ(GetParent(main.LRightView()), main.SplitTitle().Pane(1));
    EXPECT_EQ(GetParent(main.TreeDel().Handle()), main.SplitMain().Pane(0));
    EXPECT_EQ(GetParent(main.ExplorerList().Handle()), main.SplitMain().Pane(1));
    EXPECT_EQ(main.SplitMain().Position(), 162);
    EXPECT_EQ(main.SplitTitle().Position(), 162);
    EXPECT_EQ(main.SplitMain().SplitterWidth(), 2);
    // The tree and the list fill their panes, without borders.
    RECT pane{};
    GetClientRect(main.SplitMain().Pane(1), &pane);
    const RECT list = BoundsIn(main.ExplorerList().Handle(), main.SplitMain().Pane(1));
    EXPECT_EQ(list.right - list.left, pane.right);
    EXPECT_EQ(list.bottom - list.top, pane.bottom);
    for (HWND control : {main.TreeDel().Handle(), main.ExplorerList().Handle()})
        EXPECT_EQ(GetWindowLongW(control, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0);

    int parts[4] = {};
    // The count; the note on a list that may not hold all the folder has; the selected count at the right end,
    // and no room for the filter's text while no filter narrows the list.
    ASSERT_EQ(SendMessageW(main.StatusBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 4);
    RECT bar{};
    GetClientRect(main.StatusBar(), &bar);
    EXPECT_EQ(parts[0], 300);
    EXPECT_EQ(parts[1], bar.right - 90);
    EXPECT_EQ(parts[2], bar.right);
    EXPECT_EQ(parts[3], -1);
}

TEST_F(TFMainTest, TheTreeShowsTheMappedDrivesAndRenamesNothing)
{
    TPTShellTree& tree = Main().TreeDel();
    const LONG style = GetWindowLongW(tree.Handle(), GWL_STYLE);
    EXPECT_EQ(style & TVS_LINESATROOT, 0) << "root lines hidden";
    EXPECT_EQ(style & TVS_EDITLABELS, 0) << "labels not editable";
    EXPECT_EQ(TreeView_GetIndent(tree.Handle()), 19u);
    EXPECT_EQ(tree.SelectedPath(), L"") << "the Desktop is selected at start";
    // The computer's node is open, so that the drives show.
    std::vector<std::wstring> shown;
    for (HTREEITEM node = TreeView_GetRoot(tree.Handle()); node != nullptr;
         node = TreeView_GetNextVisible(tree.Handle(), node))
        shown.push_back(tree.NodeText(node));
    const auto hasDrive = [&](const wchar_t* letter) {
        for (const std::wstring& text : shown)
            if (text.find(letter) != std::wstring::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(hasDrive(L"(F:)"));
    EXPECT_TRUE(hasDrive(L"(G:)"));
}

TEST_F(TFMainTest, TheListHasTheTwelveColumnsAndTheSystemImages)
{
    TExtListView& list = Main().ExplorerList();
    const wchar_t* captions[] = {L"Name",     L"Size",        L"Deleted", L"Deleted By",
                                 L"Owner",    L"Accessed",    L"Created", L"Attributes",
                                 L"Archived", L"Archived By", L"Updated", L"Updated By"};
    ASSERT_EQ(list.ColumnCount(), 12u);
    for (int column = 0; column < 12; ++column)
    {
        wchar_t text[64] = {};
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = text;
        info.cchTextMax = 64;
        ASSERT_TRUE(ListView_GetColumn(list.Handle(), column, &info));
        EXPECT_STREQ(text, captions[column]);
        EXPECT_EQ(info.cx, 100) << column;
    }
    const LONG style = GetWindowLongW(list.Handle(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(style & LVS_SINGLESEL, 0) << "several rows can be selected";
    EXPECT_EQ(style & LVS_EDITLABELS, 0);
    EXPECT_NE(style & LVS_SHAREIMAGELISTS, 0) << "the system's lists must never be destroyed";
    EXPECT_NE(ListView_GetExtendedListViewStyle(list.Handle()) & LVS_EX_HEADERDRAGDROP, 0u);
    EXPECT_EQ(list.SaveSettings.registryKey, kKey);
    EXPECT_TRUE(list.SaveSettings.autoSave);

    ASSERT_NE(Main().SmallImage(), nullptr);
    ASSERT_NE(Main().LargeImage(), nullptr);
    EXPECT_EQ(ListView_GetImageList(list.Handle(), LVSIL_SMALL), Main().SmallImage());
    EXPECT_EQ(ListView_GetImageList(list.Handle(), LVSIL_NORMAL), Main().LargeImage());
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(Main().SmallImage(), &width, &height);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
    ImageList_GetIconSize(Main().LargeImage(), &width, &height);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXICON));
    EXPECT_GE(ImageList_GetImageCount(Main().Objects1()), 4);
}

TEST_F(TFMainTest, TheMenusCarryEveryItemWithItsShortcutAndState)
{
    TMainMenu& menu = Main().Menu();
    const wchar_t* titles[] = {L"&File", L"&Edit", L"&View", L"&Options", L"&Help"};
    ASSERT_EQ(GetMenuItemCount(menu.Bar()), 5);
    for (int i = 0; i < 5; ++i)
    {
        wchar_t text[32] = {};
        GetMenuStringW(menu.Bar(), static_cast<UINT>(i), text, 32, MF_BYPOSITION);
        EXPECT_STREQ(text, titles[i]);
    }
    struct TExpected
    {
        int command;
        const wchar_t* caption;
        bool enabled;
        bool checked;
    };
    const TExpected items[] = {
        {cmMRetrove, L"&Retrove\tF2", false, false},
        {cmMPurge, L"&Purge\tF9", false, false},
        {cmMFilter, L"&Filter\tF7", true, false},
        {cmMFind, L"F&ind Deleted Files...\tF3", true, false},
        {cmMProperties, L"P&roperties", false, false},
        {cmExit1, L"&Close", true, false},
        {cmMSelectAll, L"Select &All\tCtrl+A", true, false},
        {cmMInvertSelection, L"&Invert Selection", true, false},
        {cmMToolBar, L" &Toolbar", true, true},
        {cmMStatusBar, L" Status &Bar", true, true},
        {cmMLargeIcons, L" Lar&ge Icons", true, false},
        {cmMSmallIcons, L" S&mall Icons", true, false},
        {cmMList, L" &List", true, false},
        {cmMDetails, L" &Details", true, true},
        {cmMRefresh, L" &Refresh\tF5", true, false},
        {cmMUpper, L"&Upper Case", true, true},
        {cmMRename, L"&Rename", true, true},
        {cmMSkip, L"&Skip", true, false},
        {cmMContents, L"Include Folder &Contents", true, true},
        {cmBAbout, L"&About...", true, false},
        {cmPMRetrove, L"&Retrove\tF2", true, false},
        {cmPMPurge, L"&Purge\tF9", true, false},
        {cmPMProperties, L"P&roperties", true, false},
    };
    for (const TExpected& item : items)
    {
        EXPECT_EQ(menu.Caption(item.command), item.caption);
        EXPECT_EQ(menu.Enabled(item.command), item.enabled) << Narrow(item.caption);
        EXPECT_EQ(menu.Checked(item.command), item.checked) << Narrow(item.caption);
    }
    // The view items and the name-conflict items are radio items.
    for (const int command : {cmMLargeIcons, cmMDetails, cmMRename, cmMSkip})
    {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu.Bar(), static_cast<UINT>(command), FALSE, &info);
        EXPECT_NE(info.fType & MFT_RADIOCHECK, 0u) << command;
    }
}

TEST_F(TFMainTest, TheToolBarHoldsTheComboAndTheButtonsInOrderWithTheirHints)
{
    TToolBar& toolbar = Main().Toolbar();
    HWND bar = toolbar.Handle();
    struct TExpected
    {
        int command; // 0 for a separator or the combo's gap
        const wchar_t* hint;
    };
    const TExpected expected[] = {
        {0, nullptr},
        {0, nullptr},
        {cmBUpLevel, L"Up One Level"},
        {0, nullptr},
        {cmBProperties, L"Properties"},
        {0, nullptr},
        {cmBLargeIcons, L"Large Icons"},
        {cmBSmallIcons, L"Small Icons"},
        {cmBList, L"List"},
        {cmBDetails, L"Details"},
        {0, nullptr},
        {cmBRetrove, L"Retrove"},
        {cmBPurge, L"Purge"},
        {cmBStop, L"Stop"},
        {0, nullptr},
        {cmBFilter, L"Filter"},
        {cmBFind, L"Find Deleted Files"},
    };
    ASSERT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(std::size(expected)));
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        TBBUTTON button{};
        SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (expected[i].command == 0)
        {
            EXPECT_NE(button.fsStyle & BTNS_SEP, 0) << i;
            EXPECT_EQ(button.iBitmap, i == 0 ? 193 : 8) << i;
            continue;
        }
        EXPECT_EQ(button.idCommand, expected[i].command) << i;
        EXPECT_EQ(toolbar.Hint(expected[i].command), expected[i].hint);
        EXPECT_EQ(ToolTipOf(toolbar, expected[i].command), expected[i].hint);
        const RECT place = toolbar.ButtonRect(expected[i].command);
        EXPECT_EQ(place.right - place.left, 23) << i;
        EXPECT_EQ(place.bottom - place.top, 22) << i;
    }
    // The combo sits in its gap.
    const RECT combo = BoundsIn(Main().ShellCombo1().Handle(), bar);
    EXPECT_EQ(GetParent(Main().ShellCombo1().Handle()), bar);
    EXPECT_EQ(combo.right - combo.left, 193);
    EXPECT_LE(combo.right, toolbar.ButtonRect(cmBUpLevel).left);

    EXPECT_TRUE(toolbar.Down(cmBDetails));
    for (const int command : {cmBLargeIcons, cmBSmallIcons, cmBList})
        EXPECT_FALSE(toolbar.Down(command));
    for (const int command : {cmBStop, cmBRetrove, cmBPurge, cmBProperties})
        EXPECT_FALSE(toolbar.Enabled(command)) << command;
    for (const int command : {cmBUpLevel, cmBFilter, cmBFind, cmBList})
        EXPECT_TRUE(toolbar.Enabled(command)) << command;
    EXPECT_FALSE(Main().PopDelAttached());
}

TEST_F(TFMainTest, TheFirstRunStartsInReportViewWithBothBars)
{
    TFMain& main = Shown();
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_EQ(main.ExplorerList().ViewStyle(), TViewStyle::vsReport);
    EXPECT_TRUE(main.Toolbar().Down(cmBDetails));
    EXPECT_TRUE(Checked(main, cmMDetails));
    EXPECT_TRUE(IsWindowVisible(main.Toolbar().Handle()));
    EXPECT_TRUE(IsWindowVisible(main.StatusBar()));
    EXPECT_TRUE(Checked(main, cmMUpper));
    EXPECT_TRUE(Checked(main, cmMRename));
    EXPECT_FALSE(Checked(main, cmMSkip));
    EXPECT_TRUE(Checked(main, cmMContents));
}

TEST_F(TFMainTest, TheViewButtonsFormAGroupAndSetTheViewAndItsMenuItem)
{
    TFMain& main = Shown();
    const struct
    {
        int button;
        int item;
        TViewStyle style;
    } views[] = {{cmBList, cmMList, TViewStyle::vsList},
                 {cmBLargeIcons, cmMLargeIcons, TViewStyle::vsIcon},
                 {cmBSmallIcons, cmMSmallIcons, TViewStyle::vsSmallIcon},
                 {cmBDetails, cmMDetails, TViewStyle::vsReport}};
    for (const auto& view : views)
    {
        ClickButton(main, view.button);
        EXPECT_EQ(main.ExplorerList().ViewStyle(), view.style) << view.button;
        for (const auto& other : views)
        {
            EXPECT_EQ(main.Toolbar().Down(other.button), other.button == view.button) << other.button;
            EXPECT_EQ(Checked(main, other.item), other.item == view.item) << other.item;
        }
    }
}

TEST_F(TFMainTest, SmallIconsFromTheMenuPutsItsButtonDownAndTheNextRunKeepsIt)
{
    TFMain& main = Shown();
    Command(main, cmMSmallIcons);
    EXPECT_EQ(main.ExplorerList().ViewStyle(), TViewStyle::vsSmallIcon);
    EXPECT_TRUE(main.Toolbar().Down(cmBSmallIcons));
    for (const int other : {cmBLargeIcons, cmBList, cmBDetails})
        EXPECT_FALSE(main.Toolbar().Down(other));
    EXPECT_TRUE(Checked(main, cmMSmallIcons));
    EXPECT_FALSE(Checked(main, cmMDetails));

    EXPECT_EQ(CloseAndRun(), 0);
    const auto next = NextRun();
    EXPECT_EQ(next->ExplorerList().ViewStyle(), TViewStyle::vsSmallIcon);
    EXPECT_TRUE(next->Toolbar().Down(cmBSmallIcons));
    EXPECT_FALSE(next->Toolbar().Down(cmBDetails));
    EXPECT_TRUE(next->Menu().Checked(cmMSmallIcons));
    EXPECT_FALSE(next->Menu().Checked(cmMDetails));
}

TEST_F(TFMainTest, StoredSettingsWithListDownStartInListView)
{
    ClickButton(Shown(), cmBList);
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(TRegistrySandbox::Value(kKey, L"BList_Down"), L"True");
    EXPECT_EQ(TRegistrySandbox::Value(kKey, L"BDetails_Down"), L"False");
    EXPECT_EQ(TRegistrySandbox::Value(kKey, L"ExplorerList_ViewStyle"), L"vsList");

    auto next = std::make_unique<TFMain>();
    next->ApplyViewStyle();
    EXPECT_EQ(next->ExplorerList().ViewStyle(), TViewStyle::vsReport) << "the designed view until shown";
    next->ShowFirstTime();
    EXPECT_EQ(next->ExplorerList().ViewStyle(), TViewStyle::vsList);
    EXPECT_TRUE(next->Toolbar().Down(cmBList));
    EXPECT_TRUE(next->Menu().Checked(cmMList));
}

TEST_F(TFMainTest, HiddenBarsStayHiddenInTheNextRun)
{
    TFMain& main = Shown();
    Command(main, cmMToolBar);
    Command(main, cmMStatusBar);
    EXPECT_FALSE(IsWindowVisible(main.Toolbar().Handle()));
    EXPECT_FALSE(IsWindowVisible(main.StatusBar()));
    EXPECT_FALSE(Checked(main, cmMToolBar));
    EXPECT_FALSE(Checked(main, cmMStatusBar));
    // The titles move up to the top and the tree and list reach the bottom.
    RECT client{};
    GetClientRect(main.Handle(), &client);
    EXPECT_EQ(BoundsIn(main.SplitTitle().Handle(), main.Handle()).top, 0);
    EXPECT_EQ(BoundsIn(main.SplitMain().Handle(), main.Handle()).bottom, client.bottom);

    EXPECT_EQ(CloseAndRun(), 0);
    const auto next = NextRun();
    EXPECT_FALSE(IsWindowVisible(next->Toolbar().Handle()));
    EXPECT_FALSE(IsWindowVisible(next->StatusBar()));
    EXPECT_FALSE(next->Menu().Checked(cmMToolBar));
    EXPECT_FALSE(next->Menu().Checked(cmMStatusBar));
    EXPECT_EQ(BoundsIn(next->SplitTitle().Handle(), next->Handle()).top, 0);

    // And they come back.
    SendMessageW(next->Handle(), WM_COMMAND, cmMToolBar, 0);
    EXPECT_TRUE(IsWindowVisible(next->Toolbar().Handle()));
    EXPECT_TRUE(next->Menu().Checked(cmMToolBar));
    EXPECT_EQ(BoundsIn(next->SplitTitle().Handle(), next->Handle()).top, 28);
}
