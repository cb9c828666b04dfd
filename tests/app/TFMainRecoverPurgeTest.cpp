// Retrove and Purge in the main window on the GUI world behind F:: the files on the volume and in its salvage
// store, the rows, the boxes, the rename dialog, the action window and the Options menu's conflict policy.
#include "TFMainRecoverPurgeTest.h"

#include "DeletedFileListRows.h"
#include "MainCommands.h"
#include "WindowParts.h"

#include <commctrl.h>

TEST_F(TFMainRecoverPurgeTest, ThreeSelectedWithTheMiddleRefusedRecoverTheOthersAndNameTheMiddleOnce)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("B.TXT", "bravo");
    AddDeleted("C.TXT", "charlie");
    AddDeleted("D.TXT", "delta");
    TFMain& main = Listed();
    ASSERT_EQ(Names(List()), L"A.TXT;B.TXT;C.TXT;D.TXT;");
    Select({L"A.TXT", L"B.TXT", L"C.TXT"});
    // From the last row to the first: C, then B, which the server refuses.
    NWSimFailCalls("NWRecoverDeletedFile", 0x8984, 2, 1);
    Modals().ExpectMessageBox(L"Unable to Retrove B.TXT", IDOK);
    Command(main, cmBRetrove);

    EXPECT_EQ(Modals().Shown(), std::vector<std::wstring>{L"Unable to Retrove B.TXT"});
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Retrove 98");
    EXPECT_EQ(Modals().ShownLooks()[0].type & 0x0F, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Names(List()), L"B.TXT;D.TXT;");
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"B.TXT"}) << "the refused row stays selected";
    EXPECT_EQ(StatusText(main), L"2 file(s)");
    EXPECT_EQ(LiveFile("A.TXT"), "alpha");
    EXPECT_EQ(LiveFile("C.TXT"), "charlie");
    EXPECT_FALSE(LiveFile("B.TXT").has_value());
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), 3u);
    EXPECT_EQ(NWSimTexts("NWRecoverDeletedFile"), std::string("C.TXT|C.TXT\nA.TXT|A.TXT\n"))
        << "the refused call does nothing";
    EXPECT_FALSE(IsWindowVisible(ActionMessage().Handle())) << "hidden after the loop";

    // The refused entry is still on the server: listed again, B and D come back.
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(Names(List()), L"B.TXT;D.TXT;");
}

TEST_F(TFMainRecoverPurgeTest, UpperCaseDecidesTheRecoveredNameAndItsItemToggles)
{
    AddDeleted("Report.doc", "the report");
    AddDeleted("Memo.doc", "the memo");
    TFMain& main = Listed();
    ASSERT_TRUE(main.Menu().Checked(cmMUpper));
    Select({L"Report.doc"});
    Command(main, cmMRetrove);
    EXPECT_EQ(LiveNames(), std::vector<std::string>{"REPORT.DOC"});
    EXPECT_EQ(LiveFile("REPORT.DOC"), "the report");
    EXPECT_STREQ(NWSimLastText("NWRecoverDeletedFile"), "Report.doc|REPORT.DOC");

    Command(main, cmMUpper);
    EXPECT_FALSE(main.Menu().Checked(cmMUpper));
    EXPECT_FALSE(main.RetroveOptions().UpperCase);
    Select({L"Memo.doc"});
    Command(main, cmPMRetrove);
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"Memo.doc", "REPORT.DOC"}));
    EXPECT_EQ(LiveFile("Memo.doc"), "the memo");
    EXPECT_EQ(List().Count(), 0u);
    Command(main, cmMUpper);
    EXPECT_TRUE(main.Menu().Checked(cmMUpper));
}

TEST_F(TFMainRecoverPurgeTest, RenameAsksWithTheTargetAndOkRecoversUnderTheTypedNameUpperCased)
{
    AddDeleted("Report.doc", "the old report");
    WriteLive("REPORT.DOC", "the live report");
    TFMain& main = Listed();
    Select({L"Report.doc"});
    std::wstring proposed;
    std::wstring actionText;
    bool actionShown = false;
    Modals().ExpectDialog(L"Rename", [&](HWND window) -> INT_PTR {
        EXPECT_EQ(window, Rename().Handle());
        proposed = WindowText(Rename().EFilename());
        actionShown = IsWindowVisible(ActionMessage().Handle()) != FALSE;
        actionText = WindowText(ActionMessage().LActionMessage());
        // Set, not typed: the edit upper-cases what is typed, and the loop must upper-case this too.
        SetWindowTextW(Rename().EFilename(), L"new.doc");
        SendMessageW(Rename().BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Command(main, cmBRetrove);

    EXPECT_EQ(proposed, L"REPORT.DOC");
    EXPECT_TRUE(actionShown) << "the action window stays up while the dialog asks";
    EXPECT_EQ(actionText, L"Retroving Report.doc");
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"NEW.DOC", "REPORT.DOC"}));
    EXPECT_EQ(LiveFile("NEW.DOC"), "the old report");
    EXPECT_EQ(LiveFile("REPORT.DOC"), "the live report");
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(main), L"0 file(s)");
}

// The rename dialog lets the tree's refresh run: the listed folder went, the folder above it is listed, and
// the loop, which held the rows the operator selected, touches none of the new listing's rows.
TEST_F(TFMainRecoverPurgeTest, AFolderRelistedWhileTheRenameDialogAsksEndsTheLoopAndTouchesNoNewRow)
{
    for (const char* name : {"A.TXT", "B.TXT", "C.TXT"})
        AddDeleted(name, name);
    for (const char* name : {"R1.TXT", "R2.TXT", "R3.TXT"})
        AddDeleted(name, name, "");
    WriteLive("C.TXT", "the live one");
    TFMain& main = Listed();
    Select({L"A.TXT", L"B.TXT", L"C.TXT"});
    const TFolderSnapshot salvage = Salvage();
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        std::filesystem::remove_all(Live());
        main.TreeDel().Refresh();
        EXPECT_EQ(Names(List()), L"R1.TXT;R2.TXT;R3.TXT;") << "F:\\ is listed";
        SetWindowTextW(Rename().EFilename(), L"C2.TXT");
        SendMessageW(Rename().BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Command(main, cmBRetrove);
    EXPECT_TRUE(Modals().AllAnswered()) << Modals().Pending();
    EXPECT_EQ(main.TreeDel().SelectedPath(), L"F:\\");
    EXPECT_EQ(Names(List()), L"R1.TXT;R2.TXT;R3.TXT;");
    EXPECT_TRUE(SelectedNames().empty());
    EXPECT_EQ(Salvage(), salvage) << "nothing recovered";
    for (const char* name : {"R1.TXT", "R2.TXT", "R3.TXT"})
        EXPECT_FALSE(std::filesystem::exists(Live().parent_path() / name)) << name;
}

TEST_F(TFMainRecoverPurgeTest, CancelInTheRenameDialogLeavesTheRowSelectedAndTheFilesAsTheyWere)
{
    AddDeleted("Report.doc", "the old report");
    WriteLive("REPORT.DOC", "the live report");
    TFMain& main = Listed();
    Select({L"Report.doc"});
    const TFolderSnapshot salvage = Salvage();
    const TFolderSnapshot volume = Volume();
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        SendMessageW(Rename().BCancel(), BM_CLICK, 0, 0);
        return IDCANCEL;
    });
    Command(main, cmBRetrove);
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"Report.doc"});
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), 0u);
    EXPECT_EQ(Salvage(), salvage);
    EXPECT_EQ(Volume(), volume);
    EXPECT_FALSE(IsWindowVisible(ActionMessage().Handle()));
}

TEST_F(TFMainRecoverPurgeTest, SkipAsksNothingAndLeavesTheRowSelectedWhileRenameIsItsRadioPartner)
{
    AddDeleted("Report.doc", "the old report");
    AddDeleted("Other.doc", "another");
    WriteLive("REPORT.DOC", "the live report");
    TFMain& main = Listed();
    Command(main, cmMSkip);
    EXPECT_TRUE(main.Menu().Checked(cmMSkip));
    EXPECT_FALSE(main.Menu().Checked(cmMRename));
    EXPECT_EQ(main.RetroveOptions().Conflict, TNameConflictPolicy::ncpSkip);
    Select({L"Report.doc", L"Other.doc"});
    const TFolderSnapshot salvage = Salvage();
    // No dialog is expected: one would fail the test.
    Command(main, cmBRetrove);
    EXPECT_EQ(Names(List()), L"Report.doc;");
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"Report.doc"});
    EXPECT_EQ(LiveFile("REPORT.DOC"), "the live report");
    EXPECT_EQ(LiveFile("OTHER.DOC"), "another") << "the row without a conflict came back";
    EXPECT_EQ(NWSimTexts("NWRecoverDeletedFile"), std::string("Other.doc|OTHER.DOC\n"));
    EXPECT_NE(Salvage(), salvage);

    Command(main, cmMRename);
    EXPECT_TRUE(main.Menu().Checked(cmMRename));
    EXPECT_FALSE(main.Menu().Checked(cmMSkip));
    EXPECT_EQ(main.RetroveOptions().Conflict, TNameConflictPolicy::ncpRename);
}

// The server refuses to recover onto a file that exists: a renamed target that exists too is reported, and
// neither the live file nor the deleted one changes.
TEST_F(TFMainRecoverPurgeTest, ARenamedTargetThatExistsTooIsRefusedAndNothingIsLost)
{
    AddDeleted("Report.doc", "the old report");
    WriteLive("REPORT.DOC", "the live report");
    WriteLive("NEW.DOC", "the live new one");
    TFMain& main = Listed();
    Select({L"Report.doc"});
    const TFolderSnapshot salvage = Salvage();
    const TFolderSnapshot volume = Volume();
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        SetWindowTextW(Rename().EFilename(), L"NEW.DOC");
        SendMessageW(Rename().BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Modals().ExpectMessageBox(L"Unable to Retrove Report.doc", IDOK);
    Command(main, cmBRetrove);
    EXPECT_EQ(Salvage(), salvage);
    EXPECT_EQ(Volume(), volume);
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"Report.doc"});
}

TEST_F(TFMainRecoverPurgeTest, PurgeAsksOnceForTheSelectedRowsAndNoChangesNothingYesErasesThem)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("B.TXT", "bravo");
    AddDeleted("C.TXT", "charlie");
    TFMain& main = Listed();
    Select({L"A.TXT", L"C.TXT"});
    const TFolderSnapshot salvage = Salvage();
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDNO);
    Command(main, cmBPurge);
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().Shown()[0], L"Permanently purge 2 file(s)?");
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Confirm");
    EXPECT_EQ(Modals().ShownLooks()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(Names(List()), L"A.TXT;B.TXT;C.TXT;");
    EXPECT_EQ(Salvage(), salvage);
    EXPECT_EQ(NWSimCallCount("NWPurgeDeletedFile"), 0u);

    SendMessageW(main.StatusBar(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"stale"));
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDYES);
    SetFocus(List().Handle());
    MSG deleteKey{List().Handle(), WM_KEYDOWN, VK_DELETE, 1, 0, {}};
    EXPECT_TRUE(main.FormKeyDown(deleteKey)) << "Delete in the list purges, as F9 does";
    EXPECT_EQ(Names(List()), L"B.TXT;");
    EXPECT_EQ(StatusText(main), L"1 file(s)");
    EXPECT_EQ(NWSimCallCount("NWPurgeErasedFiles"), 0u) << "looked for, never called";
    EXPECT_EQ(Salvage().size(), 2u) << "the store and B's content are left";
    EXPECT_EQ(LiveNames(), std::vector<std::string>{}) << "purging brings nothing back";
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(Names(List()), L"B.TXT;") << "the server no longer holds them";
}

TEST_F(TFMainRecoverPurgeTest, PurgeGivesTheEntrysOwnNameAndReportsARefusalByTheListName)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("B.TXT", "bravo");
    TFMain& main = Listed();
    Select({L"A.TXT", L"B.TXT"});
    NWSimFailCalls("NWPurgeDeletedFile", 0x898A, 1, 1);
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDYES);
    Modals().ExpectMessageBox(L"Unable to Purge B.TXT", IDOK);
    Command(main, cmPMPurge);
    EXPECT_EQ(Names(List()), L"B.TXT;");
    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"B.TXT"});
    EXPECT_EQ(StatusText(main), L"1 file(s)");
    EXPECT_EQ(NWSimCallCount("NWPurgeDeletedFile"), 2u);
}

TEST_F(TFMainRecoverPurgeTest, PurgeWithNothingSelectedAsksNothing)
{
    AddDeleted("A.TXT", "alpha");
    TFMain& main = Listed();
    ASSERT_EQ(List().Count(), 1u);
    // No box is expected: one would fail the test.
    Command(main, cmBPurge);
    SetFocus(List().Handle());
    MSG deleteKey{List().Handle(), WM_KEYDOWN, VK_DELETE, 1, 0, {}};
    EXPECT_TRUE(main.FormKeyDown(deleteKey)) << "the key is the list's even with nothing to purge";
    EXPECT_TRUE(Modals().Shown().empty());
    EXPECT_EQ(List().Count(), 1u);
}

TEST_F(TFMainRecoverPurgeTest, WithoutTheEraseCallInTheLibraryAConfirmedPurgeDoesNothingButTheCount)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("B.TXT", "bravo");
    TFMain& main = Listed();
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWPurgeErasedFiles", 1);
    Select({L"A.TXT", L"B.TXT"});
    const TFolderSnapshot salvage = Salvage();
    SendMessageW(main.StatusBar(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"stale"));
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDYES);
    Command(main, cmBPurge);
    EXPECT_EQ(Modals().Shown().size(), 1u) << "no other box";
    EXPECT_EQ(Names(List()), L"A.TXT;B.TXT;");
    EXPECT_EQ(StatusText(main), L"2 file(s)") << "the unchanged count, written anew";
    EXPECT_EQ(NWSimCallCount("NWPurgeDeletedFile"), 0u);
    EXPECT_EQ(Salvage(), salvage);
    EXPECT_EQ(WindowText(ActionMessage().LActionMessage()), L"") << "the action window was never used";
}

TEST_F(TFMainRecoverPurgeTest, WithoutThePurgeCallInTheLibraryAConfirmedPurgeDoesNothing)
{
    AddDeleted("A.TXT", "alpha");
    TFMain& main = Listed();
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWPurgeDeletedFile", 1);
    Select({L"A.TXT"});
    const TFolderSnapshot salvage = Salvage();
    Modals().ExpectMessageBox(L"Permanently purge 1 file(s)?", IDYES);
    Command(main, cmBPurge);
    EXPECT_EQ(Names(List()), L"A.TXT;");
    EXPECT_EQ(Salvage(), salvage);
    EXPECT_EQ(NWSimCallCount("NWPurgeErasedFiles"), 0u);
}

TEST_F(TFMainRecoverPurgeTest, RecoveringTheLastRowOfAFolderReleasesItsHandle)
{
    AddDeleted("ONLY.TXT", "the only one");
    TFMain& main = Listed();
    Select({L"ONLY.TXT"});
    ASSERT_EQ(NWSimDirectoryHandlesInUse(), 1u);
    Command(main, cmBRetrove);
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(main), L"0 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_EQ(LiveFile("ONLY.TXT"), "the only one");
    // Nothing selected any more: the commands are off.
    EXPECT_FALSE(main.Toolbar().Enabled(cmBRetrove));
    EXPECT_FALSE(main.Menu().Enabled(cmMPurge));
}

// A row recovered or purged from the middle of a scrolled list: what the list paints is what a full repaint
// paints, with no neighbour shown twice or left out.
TEST_F(TFMainRecoverPurgeTest, WhatTheListPaintsAfterARemovedRowIsWhatAFullRepaintPaints)
{
    for (int i = 0; i < 120; ++i)
        AddDeleted("LETTER" + std::to_string(1000 + i).substr(1) + ".TXT", "letter");
    TFMain& main = Listed();
    ASSERT_EQ(List().Count(), 120u);
    HWND list = List().Handle();
    // Scrolled to the end: a removed row makes the control scroll back by one row as well.
    ListView_EnsureVisible(list, 119, FALSE);
    ScreenPixels(list, true);
    Select({L"LETTER110.TXT"});
    Command(main, cmBRetrove);
    ASSERT_EQ(List().Count(), 119u);
    std::vector<uint32_t> painted = ScreenPixels(list);
    EXPECT_TRUE(painted == ScreenPixels(list, true)) << "after Retrove";

    Select({L"LETTER105.TXT", L"LETTER115.TXT"});
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDYES);
    Command(main, cmBPurge);
    ASSERT_EQ(List().Count(), 117u);
    painted = ScreenPixels(list);
    EXPECT_TRUE(painted == ScreenPixels(list, true)) << "after Purge";
}

// A new listing and a cleared list leave nothing selected: Retrove, Purge and Properties go off with the
// rows.
TEST_F(TFMainRecoverPurgeTest, ANewListingOrAClearedListTurnsTheCommandsOff)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("B.TXT", "bravo");
    TFMain& main = Listed();
    const auto anyOn = [&] {
        return main.Toolbar().Enabled(cmBRetrove) || main.Toolbar().Enabled(cmBPurge) ||
               main.Toolbar().Enabled(cmBProperties) || main.Menu().Enabled(cmMRetrove) ||
               main.Menu().Enabled(cmMPurge) || main.Menu().Enabled(cmMProperties);
    };
    Select({L"B.TXT"});
    ASSERT_TRUE(main.Toolbar().Enabled(cmBRetrove));
    SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmMRefresh, 0), 0);
    ASSERT_EQ(List().Count(), 2u);
    EXPECT_FALSE(anyOn()) << "after a new listing";

    Select({L"A.TXT", L"B.TXT"});
    ASSERT_TRUE(main.Menu().Enabled(cmMPurge));
    main.ClearDeletedList();
    EXPECT_FALSE(anyOn()) << "after the list was cleared";

    // A selected row that a filter then hides is not acted on.
    Command(main, cmMRefresh);
    Select({L"B.TXT"});
    TFilterCriteria onlyA;
    onlyA.NamePattern = "A*";
    main.SetFilterCriteriaSource([&] { return onlyA; });
    Command(main, cmMRefresh);
    ASSERT_EQ(Names(List()), L"A.TXT;");
    EXPECT_FALSE(anyOn()) << "B.TXT, selected, is hidden by the filter";
}

TEST_F(TFMainRecoverPurgeTest, RetroveWaitsForARunningListingButPurgeDoesNot)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("B.TXT", "bravo");
    TFMain& main = Listed();
    // Before the second kept entry the listing lets messages run, with the first row in the list.
    int pumped = 0;
    size_t rowsMeanwhile = 0;
    main.SetListingEventPump([&] {
        if (++pumped != 2)
            return;
        List().SetSelected(0, true);
        rowsMeanwhile = List().SelectedCount();
        Command(main, cmMRetrove);
    });
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(rowsMeanwhile, 1u);
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), 0u);
    EXPECT_FALSE(LiveFile("A.TXT").has_value());
    EXPECT_EQ(Names(List()), L"A.TXT;B.TXT;");

    pumped = 0;
    rowsMeanwhile = 0;
    main.SetListingEventPump([&] {
        if (++pumped != 2)
            return;
        List().SetSelected(0, true);
        rowsMeanwhile = List().SelectedCount();
        Modals().ExpectMessageBox(L"Permanently purge 1 file(s)?", IDYES);
        Command(main, cmMPurge);
    });
    main.ListDeletedFiles(L"F:\\DATA");
    EXPECT_EQ(rowsMeanwhile, 1u);
    EXPECT_EQ(NWSimCallCount("NWPurgeDeletedFile"), 1u);
    EXPECT_EQ(Names(List()), L"B.TXT;") << "the first row was purged, the listing added the second";
    EXPECT_EQ(StatusText(main), L"1 file(s)");
}

// Each client call that one recovery and one purge make fails in turn, by its answer or by a throw inside
// the client: the row stays, one box names it, the store and the live folder keep every byte, and no handle
// is left once the rows are gone.

// A deleted folder of F:\DATA with a tree inside it: ALICE deleted the tree; BOB had deleted an older
// PLAN.TXT and B.TXT in DOCS before.
TEST_F(TFMainRecoverPurgeTest, ADeletedFolderComesBackWithTheTreeThatTheFilterPassesNewestVersionsOnly)
{
    constexpr uint32_t kAlice = 0x10000012;
    constexpr uint32_t kBob = 0x10000011;
    const uint32_t zeta = AddTreeEntry("DATA", "ZETA", nullptr, 0, kAlice, 20);
    AddTreeEntry("DATA/ZETA", "A.TXT", "alpha", zeta, kAlice, 20);
    const uint32_t docs = AddTreeEntry("DATA/ZETA", "DOCS", nullptr, zeta, kAlice, 20);
    AddTreeEntry("DATA/ZETA/DOCS", "PLAN.TXT", "old plan", docs, kBob, 10);
    AddTreeEntry("DATA/ZETA/DOCS", "B.TXT", "bob's", docs, kBob, 10);
    AddTreeEntry("DATA/ZETA/DOCS", "PLAN.TXT", "new plan", docs, kAlice, 20);
    const uint32_t deep = AddTreeEntry("DATA/ZETA/DOCS", "DEEP", nullptr, docs, kAlice, 20);
    AddTreeEntry("DATA/ZETA/DOCS/DEEP", "C.TXT", "charlie", deep, kAlice, 20);
    std::filesystem::remove_all(Live() / "ZETA");
    WriteLive("ZETA", "a live file of the folder's name");
    TFMain& main = Listed();
    main.SetFilterCriteriaSource([] {
        TFilterCriteria criteria;
        criteria.DeletedByPattern = "ALICE*";
        return criteria;
    });
    ASSERT_EQ(List().Count(), 1u);
    EXPECT_NE(List().CellText(0, 7).find(L"D"), std::wstring::npos) << "the attribute text marks a folder";
    Select({L"ZETA"});

    // The live file of its name takes the folder's name: the rename dialog asks once, for the folder.
    std::vector<std::wstring> asked;
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        asked.push_back(WindowText(Rename().EFilename()));
        SetWindowTextW(Rename().EFilename(), L"ZETA2");
        SendMessageW(Rename().BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Command(main, cmBRetrove);
    EXPECT_TRUE(Modals().AllAnswered());
    EXPECT_EQ(asked, std::vector<std::wstring>{L"ZETA"});
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(LiveFile("ZETA2/A.TXT"), "alpha");
    EXPECT_EQ(LiveFile("ZETA2/DOCS/PLAN.TXT"), "new plan");
    EXPECT_EQ(LiveFile("ZETA2/DOCS/DEEP/C.TXT"), "charlie");
    EXPECT_FALSE(LiveFile("ZETA2/DOCS/B.TXT")) << "deleted by BOB, which the filter leaves out";
    EXPECT_TRUE(IsWindowEnabled(main.Handle())) << "the window takes input again";
    // BOB's entries stay in salvage, in the folder that came back.
    main.SetFilterCriteriaSource(nullptr);
    main.ListDeletedFiles(L"F:\\DATA\\ZETA2\\DOCS");
    EXPECT_EQ(Names(List()), L"B.TXT;PLAN.TXT;");
}
