// A thread that watches folders for changes and posts a message to a window for each one, so that the window
// can refresh itself on its own thread.
#pragma once

#include "TUniqueHandle.h"

#include <windows.h>

#include <array>
#include <functional>
#include <string>

class TChangeHandlerThread
{
public:
    // Posted to the window with the slot of the watch that fired.
    static constexpr UINT kChangedMessage = WM_USER + 101;
    // WaitForMultipleObjects takes 64 handles, one of which is the thread's control event.
    static constexpr int kMaxWatches = MAXIMUM_WAIT_OBJECTS - 1;
    static constexpr DWORD kCommandTimeout = 2000;

    // Told on the watcher's own thread, with the slot of the watch that fired.
    using TChangeNotify = std::function<void(int slot)>;

    // Posts kChangedMessage to the window.
    explicit TChangeHandlerThread(HWND window);
    explicit TChangeHandlerThread(TChangeNotify notify);
    // Stops the thread, waits for its end (a notification in progress included, however long it takes), and
    // closes every handle.
    ~TChangeHandlerThread();

    TChangeHandlerThread(const TChangeHandlerThread&) = delete;
    TChangeHandlerThread& operator=(const TChangeHandlerThread&) = delete;

    // Watches a folder, and its subtree unless told otherwise, for folder changes (and file changes when
    // asked). Returns the watch's slot, or -1 when it cannot be watched or the thread does not answer within
    // 2 seconds. A slot stays its watch's until removed, also once the watch has failed (its folder went): it
    // is never handed to another watch behind its owner's back.
    int AddWatch(const std::wstring& folder, bool includeFiles, bool subtree = true);
    bool RemoveWatch(int slot);
    bool RemoveAll();

private:
    enum class TCommandKind
    {
        Add,
        Remove,
        RemoveAll,
        Stop,
    };

    struct TCommand
    {
        TCommandKind kind = TCommandKind::Stop;
        std::wstring folder;
        bool includeFiles = false;
        bool subtree = true;
        int slot = -1;
        unsigned sequence = 0;
        int result = -1;
        bool answered = false;
    };

    static DWORD WINAPI ThreadMain(LPVOID self);
    void Run();
    // Hands a command to the thread and waits for its answer; nothing when none came in time.
    bool Send(TCommand command, int& result);
    // Carries out the pending command on the thread; false for Stop.
    bool Execute();
    // Closes the slot's watch; the slot stays its owner's.
    void CloseWatch(int slot);
    // Closes the slot's watch and frees the slot for another.
    void FreeSlot(int slot);

    TChangeNotify notify_;
    TEventHandle control_;
    TEventHandle answered_;
    TWinHandle thread_;
    CRITICAL_SECTION lock_;
    TCommand pending_;
    unsigned nextSequence_ = 0;
    // Touched by the thread only, and after it ended. A slot in use whose watch failed has no handle.
    std::array<HANDLE, kMaxWatches> watches_{};
    std::array<bool, kMaxWatches> inUse_{};
};
