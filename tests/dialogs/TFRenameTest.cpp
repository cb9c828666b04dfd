// The rename dialog: its look, the upper-casing edit, OK by button and by Enter, and every other way out as a
// cancel, in the real modal loop too.
#include "TFRename.h"

#include "TDialogTest.h"

class TFRenameTest : public TGuiTest
{
protected:
    TFRename rename_{TestOwnerWindow()};
};

TEST_F(TFRenameTest, IsAFixedCentredDialogOfItsSizeWithItsControls)
{
    EXPECT_EQ(rename_.Caption(), L"Rename");
    const SIZE client = ClientSize(rename_.Handle());
    EXPECT_EQ(client.cx, 328);
    EXPECT_EQ(client.cy, 148);
    EXPECT_TRUE(CentredOnScreen(rename_.Handle()));
    EXPECT_TRUE(HasStyle(rename_.Handle(), WS_SYSMENU));
    EXPECT_FALSE(HasStyle(rename_.Handle(), WS_THICKFRAME)) << "fixed border";
    EXPECT_FALSE(HasStyle(rename_.Handle(), WS_MINIMIZEBOX));
    EXPECT_FALSE(HasStyle(rename_.Handle(), WS_MAXIMIZEBOX));

    EXPECT_EQ(WindowText(rename_.LMsg()),
              L"A file by this name already exists, please provide a new filename. ");
    EXPECT_EQ(WindowText(rename_.BOK()), L"&OK");
    EXPECT_EQ(WindowText(rename_.BCancel()), L"&Cancel");
    EXPECT_NE(SendMessageW(rename_.Image1(), STM_GETICON, 0, 0), 0) << "the picture";

    LOGFONTW message{};
    LOGFONTW edit{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(rename_.LMsg(), WM_GETFONT, 0, 0)), sizeof(message),
               &message);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(rename_.EFilename(), WM_GETFONT, 0, 0)), sizeof(edit),
               &edit);
    EXPECT_GT(std::abs(message.lfHeight), std::abs(edit.lfHeight)) << "the message stands out";
}

TEST_F(TFRenameTest, TypedLettersBecomeUpperCaseButAProposedNameStaysAsGiven)
{
    SetWindowTextW(rename_.EFilename(), L"Report.doc");
    EXPECT_EQ(WindowText(rename_.EFilename()), L"Report.doc");
    SetWindowTextW(rename_.EFilename(), L"");
    TypeInto(rename_.EFilename(), L"report.doc");
    EXPECT_EQ(WindowText(rename_.EFilename()), L"REPORT.DOC");
    TypeInto(rename_.EFilename(), L"_\x00e4"
                                  L"1");
    EXPECT_EQ(WindowText(rename_.EFilename()), L"REPORT.DOC_\x00c4"
                                               L"1")
        << "every letter, digits as they are";
    // The name goes to the client in its code page: µ's upper case (Greek Mu) is not there, so µ stays.
    TypeInto(rename_.EFilename(), L"\x00b5\x00ff");
    EXPECT_EQ(WindowText(rename_.EFilename()), L"REPORT.DOC_\x00c4"
                                               L"1\x00b5\x0178");
}

TEST_F(TFRenameTest, OkAcceptsAndTheNameStaysForTheCaller)
{
    Modals().ExpectDialog(L"Rename", [&](HWND window) -> INT_PTR {
        EXPECT_EQ(window, rename_.Handle());
        SetWindowTextW(rename_.EFilename(), L"");
        TypeInto(rename_.EFilename(), L"new.doc");
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    EXPECT_TRUE(rename_.Execute());
    EXPECT_EQ(WindowText(rename_.EFilename()), L"NEW.DOC");
}

TEST_F(TFRenameTest, EnterInTheNameAcceptsAndIsNotTyped)
{
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        SetWindowTextW(rename_.EFilename(), L"A.TXT");
        SendMessageW(rename_.EFilename(), WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(rename_.EFilename(), WM_CHAR, VK_RETURN, 1);
        return IDOK;
    });
    EXPECT_TRUE(rename_.Execute());
    EXPECT_EQ(WindowText(rename_.EFilename()), L"A.TXT");
}

TEST_F(TFRenameTest, CancelAndTheCloseBoxAfterAnEarlierOkCountAsCancel)
{
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        SetWindowTextW(rename_.EFilename(), L"A.TXT");
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    ASSERT_TRUE(rename_.Execute());
    Modals().ExpectDialog(L"Rename", [&](HWND window) -> INT_PTR {
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return IDCANCEL;
    });
    EXPECT_FALSE(rename_.Execute()) << "the close box";
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        SendMessageW(rename_.BCancel(), BM_CLICK, 0, 0);
        return IDCANCEL;
    });
    EXPECT_FALSE(rename_.Execute()) << "Cancel";
}

// Names a recovered file cannot have are refused inside the dialog: it stays, with the reason beside the
// name and the name selected for mending; OK waits for a name at all.
TEST_F(TFRenameTest, ANameTheFileCannotHaveIsRefusedInPlaceWithItsReason)
{
    rename_.SetFolder(L"F:\\DATA\\");
    const std::wstring characters = L"A name cannot contain \\ / : * ? \" < > |";
    const std::vector<std::pair<std::wstring, std::wstring>> refused = {
        {L"A\\B.TXT", characters},
        {L"c:d.xls", characters},
        {L"..\\..\\ESCAPE.WK1", characters},
        {L"WHAT?.TXT", characters},
        {L"CON", L"CON is the name of a device."},
        {L"nul.txt", L"NUL is the name of a device."},
        {L"Com1 .doc", L"COM1 is the name of a device."},
        {L".", L"A name cannot be . or .."},
        {L"..", L"A name cannot be . or .."},
        {L"   ", L"A name cannot be blank."},
        {L"REPORT.", L"A name cannot end in a dot or a blank."},
        {std::wstring(248, L'A'), L"The name is too long for this folder."},
    };
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        SetWindowTextW(rename_.EFilename(), L"");
        EXPECT_FALSE(IsWindowEnabled(rename_.BOK())) << "no name, no OK";
        for (const auto& [name, reason] : refused)
        {
            SetWindowTextW(rename_.EFilename(), name.c_str());
            EXPECT_TRUE(IsWindowEnabled(rename_.BOK()));
            SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
            EXPECT_FALSE(rename_.Accepted()) << name;
            EXPECT_EQ(WindowText(rename_.LReason()), reason) << name;
            DWORD start = 1;
            DWORD end = 0;
            SendMessageW(rename_.EFilename(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u) << name;
            EXPECT_EQ(end, name.size()) << name;
        }
        // The longest name that fits the folder passes; the reason goes as the name changes.
        SetWindowTextW(rename_.EFilename(), std::wstring(247, L'A').c_str());
        EXPECT_EQ(WindowText(rename_.LReason()), L"") << "the reason goes with the name";
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        EXPECT_TRUE(rename_.Accepted());
        return IDOK;
    });
    EXPECT_TRUE(rename_.Execute());
    EXPECT_EQ(WindowText(rename_.EFilename()), std::wstring(247, L'A'));
}

namespace
{

// What the operator does once the dialog is up: looked at from a timer, which only the running modal loop
// can deliver.
struct TOperator
{
    HWND edit = nullptr;
    HWND focusSeen = nullptr;
};
TOperator* gOperator = nullptr;

void CALLBACK TypeNameAndPressEnter(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    gOperator->focusSeen = GetFocus();
    for (const wchar_t c : std::wstring(L"report.doc"))
        PostMessageW(gOperator->edit, WM_CHAR, c, 1);
    PostMessageW(gOperator->edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(gOperator->edit, WM_CHAR, VK_RETURN, 1);
}

} // namespace

TEST_F(TFRenameTest, InTheRealModalLoopTheFocusIsInTheNameAndTypingThenEnterAccepts)
{
    // No script: the dialog's own modal loop handles the keys as the operator would give them.
    IModalResponder* previous = TModal::SetResponder(nullptr);
    SetWindowTextW(rename_.EFilename(), L"OLD.DOC");
    TOperator person{rename_.EFilename()};
    gOperator = &person;
    SetTimer(nullptr, 0, 10, &TypeNameAndPressEnter);
    const bool accepted = rename_.Execute();
    gOperator = nullptr;
    TModal::SetResponder(previous);

    EXPECT_TRUE(accepted);
    EXPECT_EQ(person.focusSeen, rename_.EFilename());
    EXPECT_EQ(WindowText(rename_.EFilename()), L"REPORT.DOC") << "the proposal was selected, then typed over";
    EXPECT_FALSE(IsWindowVisible(rename_.Handle()));
    EXPECT_TRUE(IsWindowEnabled(TestOwnerWindow())) << "the owner is enabled again";
}

TEST_F(TFRenameTest, InTheRealModalLoopEscapeCancels)
{
    IModalResponder* previous = TModal::SetResponder(nullptr);
    PostMessageW(rename_.EFilename(), WM_KEYDOWN, VK_ESCAPE, 1);
    const bool accepted = rename_.Execute();
    TModal::SetResponder(previous);
    EXPECT_FALSE(accepted);
}
