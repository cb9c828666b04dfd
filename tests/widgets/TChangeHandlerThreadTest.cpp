// The change watcher: a folder change on a watched drive posts a message to the window.
#include "TChangeHandlerThread.h"
#include "TShellTest.h"
#include "TUniqueHandle.h"

#include <atomic>
#include <memory>

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

// Destroys the watcher that the pointer owns, on a thread of its own.
DWORD WINAPI DestroyWatcher(LPVOID owner)
{
    static_cast<std::unique_ptr<TChangeHandlerThread>*>(owner)->reset();
    return 0;
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

// The watcher must outlive its thread: a thread still in its notification when the watcher goes comes back
// to its handles and its lock.
TEST_F(TChangeHandlerThreadTest, GoingWaitsForANotificationInProgressAndThenStopsWithoutAnother)
{
    TWinHandle entered(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    TWinHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<int> notified = 0;
    std::atomic<int> lastSlot = -1;
    auto watcher = std::make_unique<TChangeHandlerThread>([&](int slot) {
        ++notified;
        lastSlot = slot;
        SetEvent(entered.Get());
        WaitForSingleObject(release.Get(), INFINITE);
    });
    ASSERT_EQ(watcher->AddWatch(L"F:\\", false), 0);
    MakeFolder(L"HELD");
    ASSERT_EQ(WaitForSingleObject(entered.Get(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(lastSlot, 0);

    TWinHandle destroyer(CreateThread(nullptr, 0, &DestroyWatcher, &watcher, 0, nullptr));
    ASSERT_TRUE(destroyer);
    // Another change while the thread is held: the stop comes first once it is back.
    MakeFolder(L"HELD\\AGAIN");
    // Longer than any stop wait that gives up: the watcher is still there while its thread is held.
    EXPECT_EQ(WaitForSingleObject(destroyer.Get(), 3000), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the watcher went while its thread was still in its notification";
    SetEvent(release.Get());
    ASSERT_EQ(WaitForSingleObject(destroyer.Get(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(watcher, nullptr);
    EXPECT_EQ(notified, 1);
}
