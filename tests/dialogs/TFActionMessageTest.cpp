// The action message window: its look, and a message that is on the screen as soon as it is set, although
// nothing lets window messages run.
#include "TFActionMessage.h"

#include "TDialogTest.h"

#include <vector>

namespace
{

// The pixels of a control as they are on its window's surface now.
std::vector<COLORREF> Pixels(HWND control)
{
    const SIZE size = ClientSize(control);
    HDC dc = GetDC(control);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.cy; y += 1)
        for (int x = 0; x < size.cx; x += 1)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(control, dc);
    return pixels;
}

bool NothingLeftToPaint(HWND window)
{
    return GetUpdateRect(window, nullptr, FALSE) == FALSE;
}

} // namespace

class TFActionMessageTest : public TGuiTest
{
protected:
    TFActionMessage action_{TestOwnerWindow()};
};

TEST_F(TFActionMessageTest, IsACentredWindowOfItsSizeWithoutCaptionButtons)
{
    EXPECT_EQ(action_.Caption(), L"Retroving");
    const SIZE client = ClientSize(action_.Handle());
    EXPECT_EQ(client.cx, 375);
    EXPECT_EQ(client.cy, 108);
    EXPECT_TRUE(CentredOnScreen(action_.Handle()));
    EXPECT_TRUE(HasStyle(action_.Handle(), WS_CAPTION));
    EXPECT_FALSE(HasStyle(action_.Handle(), WS_SYSMENU)) << "no close box";
    EXPECT_FALSE(HasStyle(action_.Handle(), WS_THICKFRAME));
    EXPECT_FALSE(IsWindowVisible(action_.Handle())) << "hidden at start";
    EXPECT_TRUE(IsWindow(action_.Animate1().Handle()));
    EXPECT_EQ(GetParent(action_.Animate1().Handle()), action_.Handle());
    RECT animation{};
    RECT label{};
    GetWindowRect(action_.Animate1().Handle(), &animation);
    GetWindowRect(action_.LActionMessage(), &label);
    EXPECT_LE(animation.bottom, label.top) << "the message is below the animation";
}

TEST_F(TFActionMessageTest, ShowsAnEmptyMessageThenEachNewOneAtOnce)
{
    SetWindowTextW(action_.LActionMessage(), L"left from the last loop");
    action_.ShowActionMessage();
    EXPECT_TRUE(IsWindowVisible(action_.Handle()));
    EXPECT_EQ(GetWindow(action_.Handle(), GW_OWNER), TestOwnerWindow()) << "shown, not modal";
    EXPECT_TRUE(IsWindowEnabled(TestOwnerWindow()));
    EXPECT_EQ(WindowText(action_.LActionMessage()), L"");
    EXPECT_TRUE(NothingLeftToPaint(action_.Handle())) << "painted without a message loop";
    EXPECT_TRUE(NothingLeftToPaint(action_.LActionMessage()));
    EXPECT_TRUE(action_.Animate1().Playing());
    const std::vector<COLORREF> empty = Pixels(action_.LActionMessage());

    action_.SetActionMessage(L"Retroving REPORT.DOC");
    EXPECT_EQ(WindowText(action_.LActionMessage()), L"Retroving REPORT.DOC");
    EXPECT_TRUE(NothingLeftToPaint(action_.Handle()));
    EXPECT_TRUE(NothingLeftToPaint(action_.LActionMessage()));
    const std::vector<COLORREF> first = Pixels(action_.LActionMessage());
    EXPECT_NE(first, empty) << "the text is on the screen";

    action_.SetActionMessage(L"Purging PLAN.TXT");
    EXPECT_NE(Pixels(action_.LActionMessage()), first);

    // A second show within a loop keeps the window up and empties the message again.
    action_.ShowActionMessage();
    EXPECT_TRUE(IsWindowVisible(action_.Handle()));
    EXPECT_EQ(Pixels(action_.LActionMessage()), empty);
}

TEST_F(TFActionMessageTest, HidingEndsTheAnimationAndMayBeRepeated)
{
    action_.ShowActionMessage();
    action_.HideActionMessage();
    EXPECT_FALSE(IsWindowVisible(action_.Handle()));
    EXPECT_FALSE(action_.Animate1().Playing());
    action_.HideActionMessage();
    EXPECT_FALSE(IsWindowVisible(action_.Handle()));
    action_.ShowActionMessage();
    EXPECT_TRUE(IsWindowVisible(action_.Handle()));
    EXPECT_TRUE(action_.Animate1().Playing());
    action_.HideActionMessage();
}

TEST_F(TFActionMessageTest, OurOwnAnimationMovesWhenTheShellHasNoClip)
{
    if (action_.Animate1().ShellClip())
    {
        // The shell's clip is the system's animation control.
        wchar_t name[64] = {};
        GetClassNameW(action_.Animate1().Handle(), name, 64);
        EXPECT_STREQ(name, ANIMATE_CLASSW);
        return;
    }
    action_.ShowActionMessage();
    const int before = action_.Animate1().Frame();
    const DWORD start = GetTickCount();
    while (action_.Animate1().Frame() == before && GetTickCount() - start < 5000)
    {
        PumpMessages();
        Sleep(10);
    }
    EXPECT_NE(action_.Animate1().Frame(), before);
    action_.HideActionMessage();
}
