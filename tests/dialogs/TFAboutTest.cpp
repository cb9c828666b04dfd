// The about box: its look, the running executable's version in red at the bottom right, and OK.
#include "TFAbout.h"

#include "TDialogTest.h"

class TFAboutTest : public TGuiTest
{
protected:
    TFAbout about_{TestOwnerWindow()};
};

TEST_F(TFAboutTest, IsAWhiteCentredBoxOfItsSizeWithItsPicturesAndNoCaptionButtons)
{
    EXPECT_EQ(about_.Caption(), L"About");
    const SIZE client = ClientSize(about_.Handle());
    EXPECT_EQ(client.cx, 397);
    EXPECT_EQ(client.cy, 233);
    EXPECT_TRUE(CentredOnScreen(about_.Handle()));
    EXPECT_TRUE(HasStyle(about_.Handle(), WS_CAPTION));
    EXPECT_FALSE(HasStyle(about_.Handle(), WS_SYSMENU)) << "no caption buttons";
    EXPECT_EQ(WindowText(about_.BOk()), L"&OK");

    BITMAP banner{};
    const auto bannerPicture =
        reinterpret_cast<HBITMAP>(SendMessageW(about_.Image2(), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bannerPicture, nullptr);
    GetObjectW(bannerPicture, sizeof(banner), &banner);
    EXPECT_EQ(banner.bmWidth, 257);
    EXPECT_EQ(banner.bmHeight, 185);
    EXPECT_NE(SendMessageW(about_.Image1(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    RECT icon{};
    RECT bannerPlace{};
    GetWindowRect(about_.Image1(), &icon);
    GetWindowRect(about_.Image2(), &bannerPlace);
    EXPECT_LE(icon.right, bannerPlace.left) << "the icon at the banner's left";

    // The background and the version's colours, as the box gives them to a control being painted.
    ShowWindow(about_.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(about_.Handle());
    HDC dc = GetDC(about_.Handle());
    EXPECT_EQ(GetPixel(dc, client.cx / 2, client.cy - 4), RGB(255, 255, 255));
    ReleaseDC(about_.Handle(), dc);
    HDC probe = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(about_.Handle(), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(probe),
                                                             reinterpret_cast<LPARAM>(about_.PBuild())));
    EXPECT_EQ(GetTextColor(probe), RGB(255, 0, 0));
    LOGBRUSH look{};
    GetObjectW(brush, sizeof(look), &look);
    EXPECT_EQ(look.lbColor, RGB(255, 255, 255));
    DeleteDC(probe);
    ShowWindow(about_.Handle(), SW_HIDE);
}

TEST_F(TFAboutTest, ShowsTheFourPartsOfTheExecutablesVersionRightAlignedAtTheBottomRight)
{
    std::wstring shown;
    Modals().ExpectDialog(L"About", [&](HWND window) -> INT_PTR {
        ShowWindow(window, SW_SHOW);
        shown = WindowText(about_.PBuild());
        EXPECT_TRUE(IsWindowVisible(window));
        SendMessageW(about_.BOk(), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowVisible(window)) << "OK closes the box";
        return IDOK;
    });
    about_.ShowModal();
    // This test program's own version resource says 2, 0, 3, 17.
    EXPECT_EQ(shown, L"2.0.3.17");
    EXPECT_TRUE(HasStyle(about_.PBuild(), SS_RIGHT));
    RECT build{};
    GetWindowRect(about_.PBuild(), &build);
    POINT corner{build.right, build.bottom};
    ScreenToClient(about_.Handle(), &corner);
    const SIZE client = ClientSize(about_.Handle());
    EXPECT_GT(corner.x, client.cx - 20);
    EXPECT_GT(corner.y, client.cy - 20);
}

TEST_F(TFAboutTest, OkEndsTheRealModalLoop)
{
    IModalResponder* previous = TModal::SetResponder(nullptr);
    PostMessageW(about_.BOk(), BM_CLICK, 0, 0);
    const INT_PTR result = about_.ShowModal();
    TModal::SetResponder(previous);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(IsWindowVisible(about_.Handle()));
    EXPECT_EQ(WindowText(about_.PBuild()), L"2.0.3.17");
}
