// The change watcher: a folder change on a watched drive posts a message to the window.
#include "TChangeHandlerThread.h"
#include "TShellTest.h"

namespace
{

// Waits for the watcher's message to the window, handling what else arrives; false when none came in time.
bool WaitForChangeMessage(HWND window, WPARAM& slot, DWORD limit)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            if (message.hwnd == window && message.message == TChangeHandlerThread::kChangedMessage)
            {
                slot = message.wParam;
                return true;
            }
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return false;
}

} // namespace

class TChangeHandlerThreadTest : public TShellTest
{
};

TEST_F(TChangeHandlerThreadTest, AFolderCreatedOnAWatchedDrivePostsTheWatchesSlot)
{
    TChangeHandlerThread watcher(frame_);
    EXPECT_EQ(watcher.AddWatch(L"G:\\", false), 0);
    EXPECT_EQ(watcher.AddWatch(L"F:\\", false), 1);
    MakeFolder(L"DEEP\\DOWN\\BELOW");
    WPARAM slot = 99;
    ASSERT_TRUE(WaitForChangeMessage(frame_, slot, 10000));
    EXPECT_EQ(slot, 1u);
}

TEST_F(TChangeHandlerThreadTest, RemovedWatchesPostNothingAndAMissingFolderCannotBeWatched)
{
    TChangeHandlerThread watcher(frame_);
    EXPECT_EQ(watcher.AddWatch(L"Q:\\NOWHERE\\", false), -1);
    const int slot = watcher.AddWatch(L"F:\\", false);
    ASSERT_EQ(slot, 0);
    EXPECT_TRUE(watcher.RemoveWatch(slot));
    EXPECT_FALSE(watcher.RemoveWatch(slot)) << "already gone";
    MakeFolder(L"UNWATCHED");
    WPARAM fired = 0;
    EXPECT_FALSE(WaitForChangeMessage(frame_, fired, 1500));
    EXPECT_EQ(watcher.AddWatch(L"F:\\", false), 0) << "the freed slot is used again";
    EXPECT_TRUE(watcher.RemoveAll());
}

TEST_F(TChangeHandlerThreadTest, NoMoreThanSixtyThreeFoldersAreWatched)
{
    TChangeHandlerThread watcher(frame_);
    for (int i = 0; i < TChangeHandlerThread::kMaxWatches; ++i)
        ASSERT_EQ(watcher.AddWatch(L"F:\\", false), i);
    EXPECT_EQ(watcher.AddWatch(L"F:\\", false), -1);
}
