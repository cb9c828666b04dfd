// The two-pane splitter: its panes, the bar the operator drags, and what its panes pass on.
#include "TPTSplitter.h"
#include "TGuiTest.h"
#include "TSubclass.h"

#include <commctrl.h>

#include <vector>

namespace
{

RECT BoundsIn(HWND window, HWND parent)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

void Mouse(HWND window, UINT message, int x)
{
    SendMessageW(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 10));
}

} // namespace

class TPTSplitterTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        frame_ = CreateTestFrame(L"Splitter test", 500, 300);
        splitter_ = std::make_unique<TPTSplitter>(frame_, 7, RECT{0, 0, 400, 200},
                                                  TPTSplitterSettings{150, 4, false, 20});
        splitter_->OnSplitterDrag = [this](int position) { drags_.push_back(position); };
        splitter_->OnSplitterDrop = [this](int position) { drops_.push_back(position); };
    }

    void TearDown() override
    {
        splitter_.reset();
        DestroyWindow(frame_);
        TGuiTest::TearDown();
    }

    HWND frame_ = nullptr;
    std::unique_ptr<TPTSplitter> splitter_;
    std::vector<int> drags_;
    std::vector<int> drops_;
};

TEST_F(TPTSplitterTest, ThePanesLieEitherSideOfTheBarAndTheirControlsFillThem)
{
    HWND bar = splitter_->Handle();
    const RECT left = BoundsIn(splitter_->Pane(0), bar);
    const RECT right = BoundsIn(splitter_->Pane(1), bar);
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(left.right, 150);
    EXPECT_EQ(right.left, 154);
    EXPECT_EQ(right.right, 400);
    EXPECT_EQ(right.bottom - right.top, 200);

    // A control put on a pane fills it at once, and follows it when the bar moves.
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, splitter_->Pane(1),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(BoundsIn(edit, splitter_->Pane(1)).right, 246);
    splitter_->SetPosition(100);
    EXPECT_EQ(BoundsIn(edit, splitter_->Pane(1)).right, 296);
    EXPECT_EQ(BoundsIn(splitter_->Pane(1), bar).left, 104);
    EXPECT_TRUE(drags_.empty()) << "moving the bar in code is not a drag";
}

// A list on the right pane, the bar dragged 130 pixels left: the list paints all it uncovered.
TEST_F(TPTSplitterTest, AfterADragThePanesShowWhatAFullRepaintShows)
{
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 10, 10,
                                splitter_->Pane(1), nullptr, GetModuleHandleW(nullptr), nullptr);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 120;
    column.pszText = const_cast<wchar_t*>(L"Name");
    ListView_InsertColumn(list, 0, &column);
    for (int i = 0; i < 20; ++i)
    {
        std::wstring text = L"LETTER" + std::to_wstring(i);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        ListView_InsertItem(list, &item);
    }
    HWND bar = splitter_->Handle();
    ScreenPixels(bar, true);
    Mouse(bar, WM_LBUTTONDOWN, 151);
    for (int x = 141; x >= 21; x -= 10)
        Mouse(bar, WM_MOUSEMOVE, x);
    Mouse(bar, WM_LBUTTONUP, 21);
    ASSERT_EQ(BoundsIn(splitter_->Pane(1), bar).left, 24);
    const std::vector<uint32_t> painted = ScreenPixels(list);
    EXPECT_TRUE(painted == ScreenPixels(list, true));
}

TEST_F(TPTSplitterTest, DraggingTheBarReportsEachMoveAndTheDrop)
{
    HWND bar = splitter_->Handle();
    Mouse(bar, WM_LBUTTONDOWN, 151);
    Mouse(bar, WM_MOUSEMOVE, 181);
    Mouse(bar, WM_MOUSEMOVE, 201);
    Mouse(bar, WM_LBUTTONUP, 201);
    EXPECT_EQ(drags_, (std::vector<int>{180, 200}));
    EXPECT_EQ(drops_, (std::vector<int>{200}));
    EXPECT_EQ(splitter_->Position(), 200);
    EXPECT_EQ(BoundsIn(splitter_->Pane(1), bar).left, 204);
    EXPECT_EQ(GetCapture(), nullptr);

    // Moves after the drop are no drag.
    Mouse(bar, WM_MOUSEMOVE, 250);
    EXPECT_EQ(splitter_->Position(), 200);
}

TEST_F(TPTSplitterTest, ADragLeavesEachPaneItsLeastWidth)
{
    HWND bar = splitter_->Handle();
    Mouse(bar, WM_LBUTTONDOWN, 150);
    Mouse(bar, WM_MOUSEMOVE, 2);
    EXPECT_EQ(splitter_->Position(), 20);
    Mouse(bar, WM_MOUSEMOVE, 399);
    EXPECT_EQ(splitter_->Position(), 400 - 4 - 20);
    Mouse(bar, WM_LBUTTONUP, 399);
    EXPECT_EQ(drops_, (std::vector<int>{376}));
}

TEST_F(TPTSplitterTest, PressingBesideTheBarDragsNothing)
{
    HWND bar = splitter_->Handle();
    Mouse(bar, WM_LBUTTONDOWN, 140);
    Mouse(bar, WM_MOUSEMOVE, 200);
    Mouse(bar, WM_LBUTTONUP, 200);
    EXPECT_EQ(splitter_->Position(), 150);
    EXPECT_TRUE(drags_.empty());
    EXPECT_TRUE(drops_.empty());
}

TEST_F(TPTSplitterTest, LosingTheMouseEndsTheDragWhereTheBarIs)
{
    HWND bar = splitter_->Handle();
    Mouse(bar, WM_LBUTTONDOWN, 151);
    Mouse(bar, WM_MOUSEMOVE, 171);
    SetCapture(frame_);
    EXPECT_EQ(drops_, (std::vector<int>{170}));
    ReleaseCapture();
    Mouse(bar, WM_MOUSEMOVE, 250);
    EXPECT_EQ(splitter_->Position(), 170);
}

TEST_F(TPTSplitterTest, APositionBeyondEitherEdgeLeavesBothPanesTheirLeastWidth)
{
    splitter_->SetPosition(1000);
    EXPECT_EQ(splitter_->Position(), 400 - 4 - 20);
    const RECT right = BoundsIn(splitter_->Pane(1), splitter_->Handle());
    EXPECT_EQ(right.right - right.left, 20);
    splitter_->SetPosition(-5);
    EXPECT_EQ(splitter_->Position(), 20);
}

TEST_F(TPTSplitterTest, ShrinkingTheControlPullsTheBarInSoTheSecondPaneStays)
{
    splitter_->SetPosition(350);
    MoveWindow(splitter_->Handle(), 0, 0, 200, 200, TRUE);
    EXPECT_EQ(splitter_->Position(), 200 - 4 - 20);
    const RECT right = BoundsIn(splitter_->Pane(1), splitter_->Handle());
    EXPECT_EQ(right.right - right.left, 20);
    MoveWindow(splitter_->Handle(), 0, 0, 400, 200, TRUE);
    EXPECT_EQ(splitter_->Position(), 176) << "growing keeps the bar where the operator sees it";
}

TEST_F(TPTSplitterTest, WhatThePanesControlsReportReachesTheForm)
{
    std::vector<int> commands;
    TSubclass frameSubclass(frame_, [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        return std::nullopt;
    });
    HWND button =
        CreateWindowExW(0, L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, splitter_->Pane(0),
                        reinterpret_cast<HMENU>(42), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(commands, (std::vector<int>{42}));
}
