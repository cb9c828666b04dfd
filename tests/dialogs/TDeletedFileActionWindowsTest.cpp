// The real windows behind the recover and purge loops: the rename dialog proposes and returns a name over the
// loop's window, the close box counts as a cancel, the confirmation is a Yes/No question, the failures plain
// boxes of the title.
#include "TDeletedFileActionWindows.h"

#include "TDialogTest.h"

class TDeletedFileActionWindowsTest : public TGuiTest
{
protected:
    TFRename rename_{TestOwnerWindow()};
    TFActionMessage actionMessage_{TestOwnerWindow()};
    TDeletedFileActionWindows windows_{TestOwnerWindow(), L"Retrove 98", rename_, actionMessage_};
};

TEST_F(TDeletedFileActionWindowsTest, TheRenameDialogOpensWithTheProposedNameAndGivesWhatItClosedWith)
{
    SetWindowTextW(rename_.EFilename(), L"LEFT.OVER");
    std::wstring shown;
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        shown = WindowText(rename_.EFilename());
        SetWindowTextW(rename_.EFilename(), L"");
        TypeInto(rename_.EFilename(), L"new.doc");
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    EXPECT_EQ(windows_.AskNewName(L"REPORT.DOC", L"F:\\DATA\\"), std::optional<std::wstring>(L"NEW.DOC"));
    EXPECT_EQ(shown, L"REPORT.DOC") << "the caller's name replaces what the last use left";

    // After an accepted name, the close box still counts as a cancel.
    Modals().ExpectDialog(L"Rename", [&](HWND window) -> INT_PTR {
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return IDCANCEL;
    });
    EXPECT_EQ(windows_.AskNewName(L"PLAN.TXT", L"F:\\DATA\\"), std::nullopt);
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        SendMessageW(rename_.BCancel(), BM_CLICK, 0, 0);
        return IDCANCEL;
    });
    EXPECT_EQ(windows_.AskNewName(L"PLAN.TXT", L"F:\\DATA\\"), std::nullopt);
}

TEST_F(TDeletedFileActionWindowsTest, TheRenameDialogIsOwnedByTheLoopsWindowEvenWhenTheActionWindowIsActive)
{
    // The operator clicked the action window while the loop ran: the dialog must still keep the window whose
    // rows are recovered from being used.
    windows_.ShowActionMessage();
    SetActiveWindow(actionMessage_.Handle());
    ASSERT_EQ(GetActiveWindow(), actionMessage_.Handle());
    HWND owner = nullptr;
    Modals().ExpectDialog(L"Rename", [&](HWND window) -> INT_PTR {
        owner = GetWindow(window, GW_OWNER);
        SendMessageW(rename_.BCancel(), BM_CLICK, 0, 0);
        return IDCANCEL;
    });
    EXPECT_EQ(windows_.AskNewName(L"PLAN.TXT", L"F:\\DATA\\"), std::nullopt);
    EXPECT_EQ(owner, TestOwnerWindow());
    windows_.HideActionMessage();
}

TEST_F(TDeletedFileActionWindowsTest, OnlyYesConfirmsAPurgeAndFailuresArePlainBoxesOfTheTitle)
{
    Modals().ExpectMessageBox(L"Permanently purge 3 file(s)?", IDYES);
    EXPECT_TRUE(windows_.ConfirmPurge(PurgeQuestion(3)));
    Modals().ExpectMessageBox(L"Permanently purge 1 file(s)?", IDNO);
    EXPECT_FALSE(windows_.ConfirmPurge(PurgeQuestion(1)));
    Modals().ExpectMessageBox(L"Permanently purge 1 file(s)?", IDCANCEL);
    EXPECT_FALSE(windows_.ConfirmPurge(PurgeQuestion(1))) << "a box closed otherwise";
    Modals().ExpectMessageBox(L"Unable to Purge A.TXT", IDOK);
    windows_.ShowFailure(L"Unable to Purge A.TXT");

    ASSERT_EQ(Modals().ShownLooks().size(), 4u);
    for (size_t box = 0; box < 3; ++box)
    {
        EXPECT_EQ(Modals().ShownLooks()[box].caption, L"Confirm");
        EXPECT_EQ(Modals().ShownLooks()[box].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    }
    EXPECT_EQ(Modals().ShownLooks()[3].caption, L"Retrove 98");
    EXPECT_EQ(Modals().ShownLooks()[3].type, static_cast<UINT>(MB_OK));
}

TEST_F(TDeletedFileActionWindowsTest, TheActionWindowShowsTheMessageUntilHidden)
{
    windows_.ShowActionMessage();
    EXPECT_TRUE(IsWindowVisible(actionMessage_.Handle()));
    windows_.SetActionMessage(L"Purging A.TXT");
    EXPECT_EQ(WindowText(actionMessage_.LActionMessage()), L"Purging A.TXT");
    windows_.ShowActionMessage();
    EXPECT_EQ(WindowText(actionMessage_.LActionMessage()), L"") << "each row starts empty";
    windows_.HideActionMessage();
    EXPECT_FALSE(IsWindowVisible(actionMessage_.Handle()));
}

// In a tree the entries go by faster than the window is painted, but a question about an entry comes with
// that entry named, and the owner is usable again once the loop is over.
TEST_F(TDeletedFileActionWindowsTest, ATreeQuestionShowsItsEntryAndTheEndGivesTheOwnerBack)
{
    windows_.ShowActionMessage();
    windows_.SetActionMessage(L"Retroving ZETA");
    EXPECT_FALSE(windows_.ShowTreeProgress(0));
    EXPECT_FALSE(IsWindowEnabled(TestOwnerWindow())) << "the owner waits for the tree";
    EXPECT_EQ(WindowText(actionMessage_.LActionMessage()), L"Retroving ZETA");
    EXPECT_EQ(WindowText(actionMessage_.LCount()), L"Done: 0");
    for (int entry = 1; entry <= 3; ++entry)
    {
        windows_.SetActionMessage(L"Retroving ZETA\\F" + std::to_wstring(entry) + L".TXT");
        EXPECT_FALSE(windows_.ShowTreeProgress(static_cast<size_t>(entry)));
    }
    std::wstring named;
    std::wstring count;
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        named = WindowText(actionMessage_.LActionMessage());
        count = WindowText(actionMessage_.LCount());
        SendMessageW(rename_.BCancel(), BM_CLICK, 0, 0);
        return IDCANCEL;
    });
    EXPECT_EQ(windows_.AskNewName(L"F3.TXT", L"F:\\ZETA\\"), std::nullopt);
    EXPECT_EQ(named, L"Retroving ZETA\\F3.TXT");
    EXPECT_EQ(count, L"Done: 3");
    windows_.HideActionMessage();
    EXPECT_TRUE(IsWindowEnabled(TestOwnerWindow()));
}
