// The program's top-level windows: their class and caption, closing that hides, the modal showing through the
// modal seam, and exceptions that must not cross into Windows.
#include "TForm.h"
#include "TApplicationErrors.h"
#include "TGuiTest.h"

#include <stdexcept>

namespace
{

class TSampleForm : public TForm
{
public:
    static constexpr UINT kFail = WM_APP + 1;
    static constexpr UINT kAccept = WM_APP + 2;

    explicit TSampleForm(HWND owner)
    {
        CreateForm({L"TSampleForm", L"Sample", {10, 10, 200, 120}, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0},
                   owner);
    }

    bool ownerEnabledWhileModal = true;
    HWND ownerWhileModal = nullptr;

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kFail)
            throw std::runtime_error("handler failed");
        if (message == kAccept)
        {
            ownerWhileModal = GetWindow(window_, GW_OWNER);
            ownerEnabledWhileModal = IsWindowEnabled(ownerWhileModal) != FALSE;
            EndModal(IDOK);
            return 0;
        }
        return TForm::HandleMessage(message, wParam, lParam);
    }
};

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

} // namespace

class TFormTest : public TGuiTest
{
};

TEST_F(TFormTest, IsAHiddenWindowOfItsClassAndCaptionThatClosingHides)
{
    TSampleForm form(TestOwnerWindow());
    ASSERT_TRUE(IsWindow(form.Handle()));
    EXPECT_EQ(ClassOf(form.Handle()), L"TSampleForm");
    EXPECT_EQ(form.Caption(), L"Sample");
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), TestOwnerWindow());

    ShowWindow(form.Handle(), SW_SHOW);
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form.Handle())) << "the program's forms live as long as the program";
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST_F(TFormTest, ShowsModallyThroughTheModalSeam)
{
    TSampleForm form(TestOwnerWindow());
    HWND seen = nullptr;
    Modals().ExpectDialog(L"Sample", [&](HWND window) -> INT_PTR {
        seen = window;
        return IDOK;
    });
    EXPECT_EQ(form.ShowModal(), IDOK);
    EXPECT_EQ(seen, form.Handle());
}

TEST_F(TFormTest, TheRealModalLoopEndsWithTheFormsResultOrItsClosing)
{
    TSampleForm form(TestOwnerWindow());
    // With no test answering, the seam runs the real loop.
    TModal::SetResponder(nullptr);
    PostMessageW(form.Handle(), TSampleForm::kAccept, 0, 0);
    const INT_PTR accepted = form.ShowModal();
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    const INT_PTR closed = form.ShowModal();
    TModal::SetResponder(&TTestModals::Instance());
    EXPECT_EQ(accepted, IDOK);
    EXPECT_EQ(closed, IDCANCEL);
    EXPECT_FALSE(form.ownerEnabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(TestOwnerWindow())) << "the owner is enabled again";
    EXPECT_TRUE(IsWindow(form.Handle()));
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST_F(TFormTest, AFormOpenedFromAnotherWindowIsModalOverThatWindowAndThenBelongsToItsOwnerAgain)
{
    TSampleForm form(TestOwnerWindow());
    // Another of the program's windows, such as the Find window, is the one in use when the form opens.
    HWND opener = CreateTestFrame(L"Opener", 200, 120);
    SetActiveWindow(opener);
    ASSERT_EQ(GetActiveWindow(), opener);
    TModal::SetResponder(nullptr);
    PostMessageW(form.Handle(), TSampleForm::kAccept, 0, 0);
    const INT_PTR result = form.ShowModal();
    const HWND ownerWhileOpened = form.ownerWhileModal;
    const bool openerEnabledUnder = form.ownerEnabledWhileModal;
    const bool openerEnabledAfter = IsWindowEnabled(opener) != FALSE;
    // A hidden window cannot have opened it: then the form's own owner is blocked.
    ShowWindow(opener, SW_HIDE);
    PostMessageW(form.Handle(), TSampleForm::kAccept, 0, 0);
    form.ShowModal();
    TModal::SetResponder(&TTestModals::Instance());
    const HWND ownerOfHidden = form.ownerWhileModal;
    DestroyWindow(opener);

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ownerWhileOpened, opener) << "the form stays above the window it was opened from";
    EXPECT_FALSE(openerEnabledUnder) << "the opener cannot be used under the form";
    EXPECT_TRUE(openerEnabledAfter);
    EXPECT_EQ(ownerOfHidden, TestOwnerWindow());
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), TestOwnerWindow());
}

TEST_F(TFormTest, AnExceptionInAHandlerGoesToTheApplicationsHandler)
{
    TSampleForm form(TestOwnerWindow());
    std::string reported;
    SetApplicationErrorHandler([&](const std::exception_ptr& error) {
        try
        {
            std::rethrow_exception(error);
        }
        catch (const std::exception& exception)
        {
            reported = exception.what();
        }
    });
    SendMessageW(form.Handle(), TSampleForm::kFail, 0, 0);
    SetApplicationErrorHandler(nullptr);
    EXPECT_EQ(reported, "handler failed");
    EXPECT_TRUE(IsWindow(form.Handle())) << "the window goes on";
}
