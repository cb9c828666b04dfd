// The main window: its splitters, selection, shortcut keys, pop-up menu, Up One Level, closing, and the
// keyboard's way round the panes.
#include "TFMainTest.h"

TEST_F(TFMainTest, DraggingEitherSplitterMovesTheOther)
{
    TFMain& main = Shown();
    DragBar(main.SplitMain(), 250);
    EXPECT_EQ(main.SplitMain().Position(), 250);
    EXPECT_EQ(main.SplitTitle().Position(), 250);
    EXPECT_EQ(BoundsIn(main.SplitTitle().Pane(1), main.SplitTitle().Handle()).left,
              BoundsIn(main.SplitMain().Pane(1), main.SplitMain().Handle()).left);

    DragBar(main.SplitTitle(), 120);
    EXPECT_EQ(main.SplitTitle().Position(), 120);
    EXPECT_EQ(main.SplitMain().Position(), 120);

    // A resize keeps them in step too, and the next run starts where the operator left the bar.
    SetWindowPos(main.Handle(), nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(main.SplitTitle().Position(), main.SplitMain().Position());
    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(TRegistrySandbox::Value(kKey, L"SplitMain_Position"), L"120");
    const auto next = NextRun();
    EXPECT_EQ(next->SplitMain().Position(), 120);
    EXPECT_EQ(next->SplitTitle().Position(), 120);
}

TEST_F(TFMainTest, SelectAllThenInvertLeavesNothingSelectedAndTheCommandsDisabled)
{
    TFMain& main = Shown();
    AddRows(3);
    Command(main, cmMSelectAll);
    EXPECT_EQ(main.ExplorerList().SelectedCount(), 3u);
    EXPECT_EQ(GetFocus(), main.ExplorerList().Handle());
    for (const int button : {cmBRetrove, cmBPurge, cmBProperties})
        EXPECT_TRUE(main.Toolbar().Enabled(button)) << button;
    for (const int item : {cmMRetrove, cmMPurge, cmMProperties})
        EXPECT_TRUE(main.Menu().Enabled(item)) << item;
    EXPECT_TRUE(main.PopDelAttached());

    Command(main, cmMInvertSelection);
    EXPECT_EQ(main.ExplorerList().SelectedCount(), 0u);
    for (const int button : {cmBRetrove, cmBPurge, cmBProperties})
        EXPECT_FALSE(main.Toolbar().Enabled(button)) << button;
    for (const int item : {cmMRetrove, cmMPurge, cmMProperties})
        EXPECT_FALSE(main.Menu().Enabled(item)) << item;
    EXPECT_FALSE(main.PopDelAttached());

    // Inverting a partial selection flips each row.
    main.ExplorerList().SetSelected(1, true);
    Command(main, cmMInvertSelection);
    EXPECT_EQ(main.ExplorerList().SelectedRows(), (std::vector<size_t>{0, 2}));
}

TEST_F(TFMainTest, TheShortcutKeysGiveTheirCommandsOnlyWhileTheyAreEnabled)
{
    TFMain& main = Shown();
    std::vector<int> commands;
    TSubclass watch(main.Handle(), [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_COMMAND && HIWORD(wParam) == 1)
        {
            commands.push_back(LOWORD(wParam));
            // The Find window has tests of its own.
            if (LOWORD(wParam) == cmMFind)
                return 0;
        }
        return std::nullopt;
    });
    EXPECT_TRUE(PressShortcut(main, VK_F3, false));
    EXPECT_TRUE(PressShortcut(main, 'F', true));
    EXPECT_TRUE(PressShortcut(main, VK_F5, false));
    // F7 runs the filter dialog.
    Modals().ExpectDialog(L"Filter Specification", [](HWND) -> INT_PTR { return IDCANCEL; });
    EXPECT_TRUE(PressShortcut(main, VK_F7, false));
    PressShortcut(main, VK_F2, false);
    PressShortcut(main, VK_F9, false);
    EXPECT_EQ(commands, (std::vector<int>{cmMFind, cmMFind, cmMRefresh, cmMFilter}))
        << "Retrove and Purge are disabled";

    // Refresh listed the tree's folder anew: the rows come after it.
    AddRows(2);
    commands.clear();
    EXPECT_TRUE(PressShortcut(main, 'A', true));
    EXPECT_EQ(main.ExplorerList().SelectedCount(), 2u);
    EXPECT_FALSE(PressShortcut(main, 'A', false)) << "A alone is a key for the list";
    // These rows carry no deleted entry: Retrove reports each, and Purge asks first.
    Modals().ExpectMessageBox(L"Unable to Retrove FILE1.TXT", IDOK);
    Modals().ExpectMessageBox(L"Unable to Retrove FILE0.TXT", IDOK);
    EXPECT_TRUE(PressShortcut(main, VK_F2, false));
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDNO);
    EXPECT_TRUE(PressShortcut(main, VK_F9, false));
    EXPECT_EQ(commands, (std::vector<int>{cmMSelectAll, cmMRetrove, cmMPurge}));
}

TEST_F(TFMainTest, ThePopUpMenuComesUpOnTheListOnlyWhileRowsAreSelected)
{
    TFMain& main = Shown();
    AddRows(2);
    HWND list = main.ExplorerList().Handle();
    SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(300, 300));
    EXPECT_TRUE(Modals().AllAnswered()) << "no menu without a selection";

    main.ExplorerList().SetSelected(0, true);
    HMENU offered = nullptr;
    Modals().ExpectPopupMenu([&](HMENU menu) -> UINT {
        offered = menu;
        return 0;
    });
    SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(300, 300));
    EXPECT_EQ(offered, main.Menu().PopDel());
}

TEST_F(TFMainTest, UpOneLevelMovesTheTreeUpAndStopsAtTheTop)
{
    TFMain& main = Shown();
    TPTShellTree& tree = main.TreeDel();
    tree.GoTo(TItemIdList::FromPath(L"F:\\").Get());
    ASSERT_EQ(tree.SelectedPath(), L"F:\\");
    const HTREEITEM drive = tree.SelectedNode();
    ClickButton(main, cmBUpLevel);
    EXPECT_EQ(tree.SelectedNode(), TreeView_GetParent(tree.Handle(), drive));
    EXPECT_EQ(tree.SelectedPath(), L"") << "the computer's node has no path";

    TreeView_SelectItem(tree.Handle(), tree.RootNode());
    ClickButton(main, cmBUpLevel);
    EXPECT_EQ(tree.SelectedNode(), tree.RootNode());

    // Backspace does it from the tree and from the list; in the location combo it edits the text, as Delete
    // does there.
    for (const HWND pane : {tree.Handle(), main.ExplorerList().Handle()})
    {
        tree.GoTo(TItemIdList::FromPath(L"F:\\").Get());
        SetFocus(pane);
        EXPECT_TRUE(PressFormKey(main, VK_BACK, false));
        EXPECT_EQ(tree.SelectedNode(), TreeView_GetParent(tree.Handle(), drive));
    }
    tree.GoTo(TItemIdList::FromPath(L"F:\\").Get());
    SetFocus(main.ShellCombo1().Handle());
    EXPECT_FALSE(PressFormKey(main, VK_BACK, false));
    EXPECT_FALSE(PressFormKey(main, VK_DELETE, false));
    EXPECT_EQ(tree.SelectedNode(), drive);
}

TEST_F(TFMainTest, ClosingEndsTheProgramAndSavesTheWindowAndTheList)
{
    Shown();
    Command(Main(), cmExit1);
    EXPECT_FALSE(IsWindow(Main().Handle()));
    EXPECT_TRUE(TApplication::Instance().Terminated());
    EXPECT_EQ(program_->Run(), 0);
    const std::vector<std::wstring> names = TRegistrySandbox::ValueNames(kKey);
    for (const wchar_t* name :
         {L"NormPos", L"ShowCmd", L"SplitMain_Position", L"BDetails_Down", L"BList_Down", L"BSmallIcons_Down",
          L"BLargeIcons_Down", L"MStatusBar_Checked", L"MToolBar_Checked", L"MLargeIcons_Checked",
          L"Toolbar_Visible", L"StatusBar_Visible", L"MDetails_Checked", L"MList_Checked",
          L"MSmallIcons_Checked", L"ExplorerList_ViewStyle", L"MUpper_Checked", L"MRename_Checked",
          L"MSkip_Checked"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << Narrow(name);
    EXPECT_FALSE(TRegistrySandbox::Value(std::wstring(kKey) + L"\\Columns", L"Sizes").empty());
}

TEST_F(TFMainTest, AStoredSplitBeyondTheWindowStillLeavesTheListAUsableWidth)
{
    TRegistrySandbox::SetValue(kKey, L"SplitMain_Position", L"999");
    TFMain& main = Shown();
    RECT list{};
    GetClientRect(main.ExplorerList().Handle(), &list);
    EXPECT_GE(list.right, 20) << "the list pane vanished";

    // Maximized, the bar dragged far right, then restored: the list comes back with the window.
    ShowWindow(main.Handle(), SW_MAXIMIZE);
    PumpMessages();
    RECT client{};
    GetClientRect(main.Handle(), &client);
    main.SplitMain().SetPosition(client.right);
    ShowWindow(main.Handle(), SW_RESTORE);
    PumpMessages();
    GetClientRect(main.ExplorerList().Handle(), &list);
    EXPECT_GE(list.right, 20) << "the list pane vanished after restoring";
}

TEST_F(TFMainTest, TheFolderTreeTakesNoDrops)
{
    // Dropped folders would move on the volume without a question.
    EXPECT_EQ(Shown().TreeDel().DropTarget(), nullptr);
}

TEST_F(TFMainTest, AfterMaximizingTheWholeStatusBarIsDrawnAnew)
{
    TFMain& main = Shown();
    ShowWindow(main.Handle(), SW_MAXIMIZE);
    // Before any paint: the size grip's old place in the middle must be part of what is drawn next.
    RECT client{};
    GetClientRect(main.StatusBar(), &client);
    RECT invalid{};
    ASSERT_TRUE(GetUpdateRect(main.StatusBar(), &invalid, FALSE));
    EXPECT_EQ(invalid.left, 0);
    EXPECT_EQ(invalid.right, client.right);
}

// The keyboard starts in the folder tree, Tab and F6 go round the panes (location, tree, list) and Shift goes
// back, and the pane that had the keyboard gets it back when the window is active again.
TEST_F(TFMainTest, TheKeyboardStartsInTheTreeGoesRoundThePanesAndComesBackOnActivation)
{
    TFMain& main = Shown();
    SetForegroundWindow(main.Handle());
    PumpMessages();
    const HWND combo = main.ShellCombo1().Handle();
    const HWND tree = main.TreeDel().Handle();
    const HWND list = main.ExplorerList().Handle();
    EXPECT_TRUE(FocusIn(tree)) << "at the first start";

    EXPECT_TRUE(PressFormKey(main, VK_TAB, false));
    EXPECT_TRUE(FocusIn(list));
    EXPECT_TRUE(PressFormKey(main, VK_F6, false));
    EXPECT_TRUE(FocusIn(combo));
    EXPECT_TRUE(PressFormKey(main, VK_TAB, false));
    EXPECT_TRUE(FocusIn(tree));
    EXPECT_TRUE(PressFormKey(main, VK_F6, true));
    EXPECT_TRUE(FocusIn(combo));
    EXPECT_TRUE(PressFormKey(main, VK_TAB, true));
    EXPECT_TRUE(FocusIn(list));
    EXPECT_FALSE(PressFormKey(main, VK_F5, false)) << "other keys are the shortcuts' and the panes'";

    const HWND other = CreateTestFrame(L"Another program", 300, 200);
    ShowWindow(other, SW_SHOW);
    SetForegroundWindow(other);
    PumpMessages();
    ASSERT_FALSE(FocusIn(list));
    SetForegroundWindow(main.Handle());
    PumpMessages();
    EXPECT_TRUE(FocusIn(list)) << "after another window was active";
    DestroyWindow(other);

    ShowWindow(main.Handle(), SW_MINIMIZE);
    PumpMessages();
    ShowWindow(main.Handle(), SW_RESTORE);
    SetForegroundWindow(main.Handle());
    PumpMessages();
    EXPECT_TRUE(FocusIn(list)) << "after a minimize and a restore";
}
