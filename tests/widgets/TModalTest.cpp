// The modal seam: message boxes and dialogs reach the test's script, and a box nobody expected fails the test
// with its text instead of waiting.
#include "TModal.h"
#include "TGuiTest.h"

#include <gtest/gtest-spi.h>

class TModalTest : public TGuiTest
{
};

TEST_F(TModalTest, AnExpectedMessageBoxIsAnsweredFromTheScript)
{
    Modals().ExpectMessageBox(L"Purge", IDYES);
    Modals().ExpectMessageBox(L"Unable to Retrove", IDOK);
    EXPECT_EQ(TModal::MessageBox(TestOwnerWindow(), L"Purge 3 file(s)?", L"Retrove 98", MB_YESNO), IDYES);
    EXPECT_EQ(TModal::MessageBox(nullptr, L"Unable to Retrove REPORT.TXT", L"Retrove 98", MB_OK), IDOK);
    EXPECT_TRUE(Modals().AllAnswered());
    ASSERT_EQ(Modals().Shown().size(), 2u);
    EXPECT_EQ(Modals().Shown()[0], L"Purge 3 file(s)?");
}

TEST_F(TModalTest, AnUnexpectedMessageBoxFailsWithItsText)
{
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = TModal::MessageBox(nullptr, L"Surprise box", L"Retrove 98", MB_YESNO),
                            "Surprise box");
    EXPECT_EQ(answer, IDNO) << "the safest button";
}

TEST_F(TModalTest, AMessageBoxWithOtherTextThanExpectedFails)
{
    Modals().ExpectMessageBox(L"Purge", IDYES);
    EXPECT_NONFATAL_FAILURE(TModal::MessageBox(nullptr, L"Retrove 2 file(s)?", L"Retrove 98", MB_OKCANCEL),
                            "Retrove 2 file(s)?");
    EXPECT_FALSE(Modals().AllAnswered());
    Modals().Clear();
}

TEST_F(TModalTest, ADialogIsDrivenByTheScriptInsteadOfItsModalLoop)
{
    HWND dialog = CreateWindowExW(0, L"STATIC", L"Rename", WS_POPUP, 0, 0, 200, 100, TestOwnerWindow(),
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    bool realLoopRan = false;
    Modals().ExpectDialog(L"Rename", [](HWND window) {
        SetWindowTextW(window, L"NEWNAME.TXT");
        return static_cast<INT_PTR>(IDOK);
    });
    const INT_PTR result = TModal::Dialog({dialog, L"Rename", [&] {
                                               realLoopRan = true;
                                               return static_cast<INT_PTR>(IDCANCEL);
                                           }});
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(realLoopRan);
    wchar_t text[32] = {};
    GetWindowTextW(dialog, text, 32);
    EXPECT_STREQ(text, L"NEWNAME.TXT");
    DestroyWindow(dialog);
}

TEST_F(TModalTest, AnUnexpectedDialogFailsWithItsCaptionAndIsCancelled)
{
    INT_PTR result = 0;
    EXPECT_NONFATAL_FAILURE(result = TModal::Dialog({nullptr, L"Filter", nullptr}), "Filter");
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(TModalTest, WithoutAResponderADialogRunsItsOwnModalLoop)
{
    IModalResponder* previous = TModal::SetResponder(nullptr);
    const INT_PTR result = TModal::Dialog({nullptr, L"About", [] { return static_cast<INT_PTR>(IDOK); }});
    TModal::SetResponder(previous);
    EXPECT_EQ(result, IDOK);
}
