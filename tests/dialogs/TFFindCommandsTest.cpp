// The Find window on the GUI world behind F:: its keys, menus and views, what it stores, Browse and the user
// pickers, and Retrove and Purge on the hits.
#include "TFFindTest.h"

#include "TreeFill.h"
#include "UBrowseDirectory.h"

#include <vector>

TEST_F(TFFindTest, EnterAndCtrlAActWhereTheKeyboardIs)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    SendMessageW(find.EName(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(find.EName(), WM_CHAR, VK_RETURN, 1);
    EXPECT_EQ(List().Count(), 2u);
    EXPECT_EQ(WindowText(find.EName()), L"") << "the key is not typed into the field";

    // In the hits Enter shows the focused one; on a check box it does nothing; in Deleted By it searches.
    const auto scans = [] { return NWSimCallCount("NWAllocTemporaryDirectoryHandle"); };
    const uint32_t before = scans();
    ListView_SetItemState(List().Handle(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
    std::wstring shown;
    Modals().ExpectDialog(L"Properties", [&](HWND) {
        shown = WindowText(properties_.LName());
        return static_cast<INT_PTR>(IDOK);
    });
    EXPECT_TRUE(KeyInForm(find, List().Handle(), VK_RETURN));
    EXPECT_EQ(shown, List().Row(1).caption);
    EXPECT_TRUE(KeyInForm(find, find.CInclude(), VK_RETURN));
    EXPECT_EQ(scans(), before) << "no search from the list or a check box";
    EXPECT_EQ(List().Count(), 2u);
    EXPECT_TRUE(KeyInForm(find, find.EDeleted(), VK_RETURN));
    EXPECT_GT(scans(), before) << "Enter in a criterion searches";
    EXPECT_TRUE(Modals().AllAnswered()) << Modals().Pending();

    // Ctrl+A in an edit field selects its text; elsewhere it selects every hit.
    ASSERT_EQ(List().Count(), 2u);
    SetWindowTextW(find.EDeleted(), L"ALICE");
    SendMessageW(find.EDeleted(), EM_SETSEL, 0, 0);
    BYTE keys[256] = {};
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(KeyInForm(find, find.EDeleted(), 'A'));
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(find.EDeleted(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(List().SelectedCount(), 0u);
    EXPECT_TRUE(KeyInForm(find, List().Handle(), 'A'));
    EXPECT_EQ(List().SelectedCount(), 2u);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);

    // Alt+Enter shows the first selected hit, a double-click the one clicked.
    List().SetSelected(0, false);
    std::vector<std::wstring> shownNames;
    const auto expectProperties = [&] {
        Modals().ExpectDialog(L"Properties", [&](HWND) {
            shownNames.push_back(WindowText(properties_.LName()));
            return static_cast<INT_PTR>(IDOK);
        });
    };
    expectProperties();
    EXPECT_TRUE(KeyInForm(find, List().Handle(), VK_RETURN, WM_SYSKEYDOWN));
    expectProperties();
    RECT row{};
    ListView_GetItemRect(List().Handle(), 0, &row, LVIR_LABEL);
    SendMessageW(List().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 4, row.top + 2));
    EXPECT_EQ(shownNames, (std::vector<std::wstring>{List().Row(1).caption, List().Row(0).caption}));

    // Find Now and Stop go grey in turn: after a search the keyboard is in the hits, or with none in Named.
    SetWindowTextW(find.EDeleted(), L"");
    SetForegroundWindow(find.Handle());
    SetFocus(find.BFind());
    find.BFindClick();
    ASSERT_EQ(List().Count(), 2u);
    EXPECT_EQ(GetFocus(), List().Handle());
    SetWindowTextW(find.EName(), L"NOTHING.*");
    SetFocus(find.BFind());
    find.BFindClick();
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(GetFocus(), find.EName());
}

TEST_F(TFFindTest, WithoutASelectionTheCommandsAreOffAndTheListHasNoMenu)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 2u);
    // No pop-up menu is expected: one would fail the test.
    SendMessageW(find.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().Handle()),
                 MAKELPARAM(-1, -1));
    EXPECT_FALSE(find.PopFindAttached());
    EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMPurge));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMProperties));
    // Properties without a selection opens nothing.
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMProperties, 0), 0);

    List().SetSelected(1, true);
    EXPECT_TRUE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_TRUE(MenuEnabled(TFFind::cmMPurge));
    EXPECT_TRUE(MenuEnabled(TFFind::cmMProperties));
    EXPECT_TRUE(find.PopFindAttached());
    // The pop-up's Properties shows the row with the folder it was found in.
    std::wstring name;
    std::wstring location;
    Modals().ExpectPopupMenu([](HMENU) { return static_cast<UINT>(TFFind::cmPMProperties); });
    Modals().ExpectDialog(L"Properties", [&](HWND) {
        name = WindowText(properties_.LName());
        location = WindowText(properties_.LLocation());
        return static_cast<INT_PTR>(IDOK);
    });
    SendMessageW(find.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().Handle()),
                 MAKELPARAM(-1, -1));
    EXPECT_EQ(name, L"TWO.TXT");
    EXPECT_EQ(location, L"F:\\A\\");

    List().SetSelected(1, false);
    EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_FALSE(find.PopFindAttached());

    // A new search, and a cleared result list, leave nothing selected.
    for (const bool cleared : {false, true})
    {
        List().SetSelected(0, true);
        ASSERT_TRUE(MenuEnabled(TFFind::cmMPurge));
        if (cleared)
            find.BNewClick();
        else
            find.BFindClick();
        EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove) || MenuEnabled(TFFind::cmMPurge) ||
                     MenuEnabled(TFFind::cmMProperties))
            << (cleared ? "cleared" : "searched again");
        EXPECT_FALSE(find.PopFindAttached());
    }
}

TEST_F(TFFindTest, SelectAllAndInvertSelectionActOnEveryRow)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A", "TWO.TXT");
    AddDeleted("A", "THREE.TXT");
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 3u);
    List().SetSelected(0, true);
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMInvertSelection, 0), 0);
    EXPECT_EQ(List().SelectedRows(), (std::vector<size_t>{1, 2}));
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMSelectAll, 0), 0);
    EXPECT_EQ(List().SelectedCount(), 3u);
}

TEST_F(TFFindTest, TheViewItemsAreOneRadioGroupThatSetsTheListStyle)
{
    TFFind& find = Begin();
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMList, 0), 0);
    EXPECT_TRUE(MenuChecked(TFFind::cmMList));
    EXPECT_FALSE(MenuChecked(TFFind::cmMDetails));
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsList);
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMLargeIcons, 0), 0);
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsIcon);
    EXPECT_FALSE(MenuChecked(TFFind::cmMList));
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMSmallIcons, 0), 0);
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsSmallIcon);
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMDetails, 0), 0);
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsReport);
}

TEST_F(TFFindTest, ClosingStoresThePlacementAndTheViewChecksWhichComeBack)
{
    TFFind& find = Begin();
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND window) {
        EXPECT_EQ(window, find.Handle());
        SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMSmallIcons, 0), 0);
        SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMClose, 0), 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find.Execute();
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MSmallIcons_Checked"), L"True");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MDetails_Checked"), L"False");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MLargeIcons_Checked"), L"False");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MList_Checked"), L"False");
    bool found = false;
    TRegistrySandbox::Value(kSection, L"NormPos", &found);
    EXPECT_TRUE(found);

    // The next window of the next run shows the stored view.
    find_.reset();
    find_ = std::make_unique<TFFind>(TestOwnerWindow());
    EXPECT_TRUE(TRegistrySandbox::Value(kSection + std::wstring(L"\\Columns"), L"Order").size() > 0)
        << "the list wrote its column layout as its window went";
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND) {
        EXPECT_TRUE(MenuChecked(TFFind::cmMSmallIcons));
        EXPECT_FALSE(MenuChecked(TFFind::cmMDetails));
        EXPECT_EQ(List().ViewStyle(), TViewStyle::vsSmallIcon);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find_->Execute();
}

TEST_F(TFFindTest, ReopeningShowsAnEmptyCollapsedWindowWithTheDefaultCriteriaAndTheNewFolder)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND) {
        SetWindowTextW(find.EName(), L"ONE*");
        // The stand-in deletes on 30 November 2026 unless told otherwise.
        SYSTEMTIME day{};
        day.wYear = 2026;
        day.wMonth = 11;
        day.wDay = 30;
        DateTime_SetSystemtime(find.DDeleted(), GDT_VALID, &day);
        Click(find.RExactly());
        Click(find.BFind());
        EXPECT_EQ(List().Count(), 1u);
        SendMessageW(find.Handle(), WM_CLOSE, 0, 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find.Execute();
    EXPECT_EQ(List().Count(), 1u) << "the results stay after closing";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);

    LookIn(L"F:\\B");
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND) {
        EXPECT_EQ(List().Count(), 0u);
        EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u) << "the old rows' handle went with them";
        EXPECT_FALSE(find.Expanded());
        EXPECT_EQ(WindowHeight(find.Handle()), TFFind::kCollapsedHeight);
        EXPECT_EQ(WindowText(find.EName()), L"");
        EXPECT_TRUE(Checked(find.RNone()));
        EXPECT_FALSE(Enabled(find.BStop()));
        EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\B");
        Click(find.BFind());
        EXPECT_EQ(Hits(), std::set<std::wstring>{L"TWO.TXT@F:\\B\\"});
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find.Execute();
}

TEST_F(TFFindTest, ClosingOrNewSearchDuringASearchStopsItFirst)
{
    for (int i = 0; i < 5; ++i)
        AddDeleted("A", "FILE" + std::to_string(i) + ".TXT");
    TFFind& find = Begin(L"F:\\A");
    pumpScript_ = [&] {
        if (pumped_ == 3)
            Click(find.BNew());
    };
    find.BFindClick();
    EXPECT_FALSE(find.Searching());
    EXPECT_EQ(List().Count(), 0u) << "New Search emptied the list once the search had stopped";
    EXPECT_FALSE(find.Expanded());
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);

    pumped_ = 0;
    pumpScript_ = [&] {
        if (pumped_ == 3)
            SendMessageW(find.Handle(), WM_CLOSE, 0, 0);
    };
    find.BFindClick();
    EXPECT_EQ(pumped_, 3) << "the search stopped at once";
    EXPECT_EQ(List().Count(), 1u) << "the rows found so far stay";
    MSG close{};
    EXPECT_TRUE(PeekMessageW(&close, find.Handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE))
        << "the window closes once the search has stopped";
}

TEST_F(TFFindTest, BrowseMakesTheChosenFolderTheLookInFolder)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A\\DEEP", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        const HWND tree = GetDlgItem(window, TPTFolderBrowseDlg::kTreeId);
        HTREEITEM start = TreeView_GetSelection(tree);
        EXPECT_EQ(TreeNodeText(tree, start), L"A") << "the tree starts at the Look-in folder";
        TreeView_Expand(tree, start, TVE_EXPAND);
        HTREEITEM deep = TreeView_GetChild(tree, start);
        while (deep != nullptr && TreeNodeText(tree, deep) != L"DEEP")
            deep = TreeView_GetNextSibling(tree, deep);
        EXPECT_NE(deep, nullptr);
        TreeView_SelectItem(tree, deep);
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        return static_cast<INT_PTR>(IDOK);
    });
    Click(find.BBrowse());
    EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\A\\DEEP");
    Click(find.CInclude());
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"TWO.TXT@F:\\A\\DEEP\\"});

    // Cancel leaves it.
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        const HWND tree = GetDlgItem(window, TPTFolderBrowseDlg::kTreeId);
        TreeView_SelectItem(tree, TreeView_GetRoot(tree));
        SendMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    Click(find.BBrowse());
    EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\A\\DEEP");
}

TEST_F(TFFindTest, TheSelectButtonsPutThePickedUserIntoTheirField)
{
    TFFind& find = Begin();
    bool useNDS = true;
    bool useBindery = true;
    TFBrowseDirectory picker(TestOwnerWindow(), nullptr, useNDS, useBindery);
    find.SetUserPicker(&picker);
    const auto expectPick = [&](const std::wstring& user, bool ok) {
        Modals().ExpectDialog(L"Select from Directory", [&picker, user, ok](HWND) -> INT_PTR {
            HWND tree = picker.Bindery1();
            for (HTREEITEM node = TreeView_GetChild(tree, TreeView_GetRoot(tree)); node != nullptr;
                 node = TreeView_GetNextSibling(tree, node))
                if (TreeNodeText(tree, node) == user)
                    TreeView_SelectItem(tree, node);
            Click(ok ? picker.BOK() : picker.BCancel());
            return ok ? IDOK : IDCANCEL;
        });
    };
    expectPick(L"JSMITH", true);
    Click(find.BSelect_Deleted());
    EXPECT_EQ(WindowText(find.EDeleted()), L"JSMITH*");
    EXPECT_EQ(WindowText(find.EOwner()), L"");
    expectPick(L"KLEE", true);
    Click(find.BSelect_Owner());
    EXPECT_EQ(WindowText(find.EOwner()), L"KLEE*");
    expectPick(L"JSMITH", false);
    Click(find.BSelect_Owner());
    EXPECT_EQ(WindowText(find.EOwner()), L"KLEE*") << "Cancel leaves the field";
    EXPECT_EQ(find.Criteria().DeletedByPattern, "JSMITH*");
}

TEST_F(TFFindTest, RetroveBringsEachHitBackIntoTheFolderItWasFoundIn)
{
    AddDeleted("A", "report.txt");
    AddDeleted("B\\DEEP", "report.txt");
    AddDeleted("B", "KEEP.TXT");
    TFFind& find = Begin();
    find.BFindClick();
    ASSERT_EQ(List().Count(), 3u);
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) == L"report.txt");
    Command(TFFind::cmMRetrove);
    EXPECT_TRUE(Modals().Shown().empty());
    EXPECT_TRUE(std::filesystem::exists(LiveFile("A", "REPORT.TXT"))) << "upper-cased by the option";
    EXPECT_TRUE(std::filesystem::exists(LiveFile("B\\DEEP", "REPORT.TXT")));
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"KEEP.TXT@F:\\B\\"});
    EXPECT_EQ(StatusText(0), L"1 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the recovered folders' handles went with their last rows";
    EXPECT_FALSE(IsWindowVisible(actionMessage_.Handle()));

    // Without Upper Case the name comes back as listed, from the pop-up menu too.
    AddDeleted("C", "memo.txt");
    options_.UpperCase = false;
    find.BFindClick();
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) == L"memo.txt");
    Modals().ExpectPopupMenu([](HMENU) { return static_cast<UINT>(TFFind::cmPMRetrove); });
    SendMessageW(find.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().Handle()),
                 MAKELPARAM(-1, -1));
    EXPECT_EQ(Content(LiveFile("C", "memo.txt")), "content");
    EXPECT_EQ(NWSimLastText("NWRecoverDeletedFile"), std::string("memo.txt|memo.txt"));
}

TEST_F(TFFindTest, RetroveWithSkipAndAnExistingFileLeavesTheRowSilently)
{
    AddDeleted("A", "ONE.TXT");
    {
        FILE* out = _wfopen(LiveFile("A", "ONE.TXT").c_str(), L"wb");
        ASSERT_NE(out, nullptr);
        fputs("the new one", out);
        fclose(out);
    }
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 1u);
    List().SetSelected(0, true);
    options_.Conflict = TNameConflictPolicy::ncpSkip;
    // No box or dialog is expected: one would fail the test.
    Command(TFFind::cmMRetrove);
    EXPECT_EQ(List().Count(), 1u);
    EXPECT_EQ(List().SelectedCount(), 1u) << "the skipped row stays selected";
    EXPECT_EQ(Content(LiveFile("A", "ONE.TXT")), "the new one");
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), 0u);

    // With Rename the dialog asks, and the entry comes back under the name given.
    options_.Conflict = TNameConflictPolicy::ncpRename;
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        EXPECT_EQ(WindowText(rename_.EFilename()), L"ONE.TXT");
        SetWindowTextW(rename_.EFilename(), L"older.txt");
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Command(TFFind::cmMRetrove);
    EXPECT_EQ(Content(LiveFile("A", "OLDER.TXT")), "content");
    EXPECT_EQ(Content(LiveFile("A", "ONE.TXT")), "the new one");
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(0), L"0 file(s)");
}

TEST_F(TFFindTest, ARefusedRecoveryIsNamedAndItsRowStays)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    TFFind& find = Begin();
    find.BFindClick();
    List().SelectAll();
    // From the last row to the first: TWO, then ONE, which the server refuses.
    NWSimFailCalls("NWRecoverDeletedFile", 0x8984, 2, 1);
    Modals().ExpectMessageBox(L"Unable to Retrove ONE.TXT", IDOK);
    Command(TFFind::cmMRetrove);
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"ONE.TXT@F:\\A\\"});
    EXPECT_TRUE(std::filesystem::exists(LiveFile("B", "TWO.TXT")));
    EXPECT_FALSE(std::filesystem::exists(LiveFile("A", "ONE.TXT")));
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Retrove 98");
    EXPECT_EQ(StatusText(0), L"1 file(s)");
}

TEST_F(TFFindTest, PurgeAnsweredNoChangesNothingAndYesErasesTheSelectedHits)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    AddDeleted("B", "THREE.TXT");
    TFFind& find = Begin();
    find.BFindClick();
    ASSERT_EQ(List().Count(), 3u);
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) != L"THREE.TXT");
    // Delete in the hits is F9.
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDNO);
    EXPECT_TRUE(KeyInForm(find, List().Handle(), VK_DELETE));
    EXPECT_EQ(List().Count(), 3u);
    EXPECT_EQ(List().SelectedCount(), 2u);
    EXPECT_EQ(NWSimCallCount("NWPurgeDeletedFile"), 0u);
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Confirm");
    EXPECT_EQ(Modals().ShownLooks()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));

    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDYES);
    Command(TFFind::cmMPurge);
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"THREE.TXT@F:\\B\\"});
    EXPECT_EQ(StatusText(0), L"1 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "A's handle went with its last row";
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"THREE.TXT@F:\\B\\"}) << "the server no longer holds them";
    EXPECT_FALSE(std::filesystem::exists(LiveFile("A", "ONE.TXT")));
}

TEST_F(TFFindTest, RetroveWaitsForTheFolderScanAndASearchWaitsForRetrove)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    AddDeleted("B", "THREE.TXT");
    TFFind& find = Begin();
    bool tried = false;
    pumpScript_ = [&] {
        // Inside B's scan, with A's row already listed.
        if (find.ScanInProgress() && List().Count() == 1 && !tried)
        {
            tried = true;
            List().SetSelected(0, true);
            Command(TFFind::cmMRetrove);
        }
    };
    find.BFindClick();
    EXPECT_TRUE(tried);
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), 0u);
    EXPECT_EQ(List().Count(), 3u);

    // A search asked for while the rename dialog is up does not take the rows away.
    pumpScript_ = nullptr;
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) == L"TWO.TXT");
    FILE* out = _wfopen(LiveFile("B", "TWO.TXT").c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    fclose(out);
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        Click(find.BFind());
        Click(find.BNew());
        EXPECT_EQ(List().Count(), 3u);
        SetWindowTextW(rename_.EFilename(), L"TWO.OLD");
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Command(TFFind::cmMRetrove);
    EXPECT_TRUE(std::filesystem::exists(LiveFile("B", "TWO.OLD")));
    EXPECT_EQ(List().Count(), 2u);
    EXPECT_TRUE(find.Expanded());
}
