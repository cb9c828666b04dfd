// The folder change watcher.
#include "TChangeHandlerThread.h"

#include <utility>
#include <vector>

TChangeHandlerThread::TChangeHandlerThread(HWND window)
    : TChangeHandlerThread(
          [window](int slot) { PostMessageW(window, kChangedMessage, static_cast<WPARAM>(slot), 0); })
{
}

TChangeHandlerThread::TChangeHandlerThread(TChangeNotify notify)
    : notify_(std::move(notify)), control_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      answered_(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    InitializeCriticalSection(&lock_);
    thread_ = TWinHandle(CreateThread(nullptr, 0, &TChangeHandlerThread::ThreadMain, this, 0, nullptr));
}

TChangeHandlerThread::~TChangeHandlerThread()
{
    if (thread_)
    {
        EnterCriticalSection(&lock_);
        pending_ = TCommand{};
        pending_.kind = TCommandKind::Stop;
        pending_.sequence = ++nextSequence_;
        LeaveCriticalSection(&lock_);
        SetEvent(control_.Get());
        // The thread uses this object's handles and lock until it ends, and it answers the stop at its next
        // wait: closing them after a timed-out wait would pull them from under it.
        WaitForSingleObject(thread_.Get(), INFINITE);
    }
    for (int slot = 0; slot < kMaxWatches; ++slot)
        CloseWatch(slot);
    DeleteCriticalSection(&lock_);
}

DWORD WINAPI TChangeHandlerThread::ThreadMain(LPVOID self)
{
    // Nothing may leave the thread: a watcher that fails stops watching, and the tree no longer follows the
    // drives' changes by itself.
    try
    {
        static_cast<TChangeHandlerThread*>(self)->Run();
        return 0;
    }
    catch (...)
    {
        return 1;
    }
}

void TChangeHandlerThread::Run()
{
    for (;;)
    {
        std::vector<HANDLE> handles{control_.Get()};
        std::vector<int> slots{-1};
        for (int slot = 0; slot < kMaxWatches; ++slot)
            if (watches_[static_cast<size_t>(slot)] != nullptr)
            {
                handles.push_back(watches_[static_cast<size_t>(slot)]);
                slots.push_back(slot);
            }
        const DWORD signalled =
            WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
        if (signalled == WAIT_OBJECT_0)
        {
            if (!Execute())
                return;
            continue;
        }
        const size_t index = signalled - WAIT_OBJECT_0;
        if (index >= handles.size())
            return;
        const int slot = slots[index];
        notify_(slot);
        if (!FindNextChangeNotification(watches_[static_cast<size_t>(slot)]))
            CloseWatch(slot);
    }
}

bool TChangeHandlerThread::Execute()
{
    EnterCriticalSection(&lock_);
    TCommand command = pending_;
    LeaveCriticalSection(&lock_);

    int result = 0;
    switch (command.kind)
    {
    case TCommandKind::Add: {
        result = -1;
        for (int slot = 0; slot < kMaxWatches && result < 0; ++slot)
            if (!inUse_[static_cast<size_t>(slot)])
            {
                const DWORD filter =
                    FILE_NOTIFY_CHANGE_DIR_NAME | (command.includeFiles ? FILE_NOTIFY_CHANGE_FILE_NAME : 0);
                const HANDLE watch = FindFirstChangeNotificationW(command.folder.c_str(),
                                                                  command.subtree ? TRUE : FALSE, filter);
                if (watch != INVALID_HANDLE_VALUE)
                {
                    watches_[static_cast<size_t>(slot)] = watch;
                    inUse_[static_cast<size_t>(slot)] = true;
                    result = slot;
                }
                break;
            }
        break;
    }
    case TCommandKind::Remove:
        if (command.slot >= 0 && command.slot < kMaxWatches && inUse_[static_cast<size_t>(command.slot)])
            FreeSlot(command.slot);
        else
            result = -1;
        break;
    case TCommandKind::RemoveAll:
        for (int slot = 0; slot < kMaxWatches; ++slot)
            FreeSlot(slot);
        break;
    case TCommandKind::Stop:
        return false;
    }

    EnterCriticalSection(&lock_);
    // A command the caller gave up on is not answered: its slot has a newer one by now.
    if (pending_.sequence == command.sequence)
    {
        pending_.result = result;
        pending_.answered = true;
    }
    LeaveCriticalSection(&lock_);
    SetEvent(answered_.Get());
    return true;
}

bool TChangeHandlerThread::Send(TCommand command, int& result)
{
    if (!thread_)
        return false;
    EnterCriticalSection(&lock_);
    command.sequence = ++nextSequence_;
    command.answered = false;
    pending_ = command;
    LeaveCriticalSection(&lock_);
    ResetEvent(answered_.Get());
    SetEvent(control_.Get());

    const DWORD start = GetTickCount();
    for (;;)
    {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kCommandTimeout ||
            WaitForSingleObject(answered_.Get(), kCommandTimeout - elapsed) != WAIT_OBJECT_0)
            break;
        EnterCriticalSection(&lock_);
        const bool answered = pending_.sequence == command.sequence && pending_.answered;
        result = pending_.result;
        LeaveCriticalSection(&lock_);
        if (answered)
            return true;
    }
    EnterCriticalSection(&lock_);
    ++nextSequence_;
    pending_.sequence = nextSequence_;
    LeaveCriticalSection(&lock_);
    return false;
}

int TChangeHandlerThread::AddWatch(const std::wstring& folder, bool includeFiles, bool subtree)
{
    TCommand command;
    command.kind = TCommandKind::Add;
    command.folder = folder;
    command.includeFiles = includeFiles;
    command.subtree = subtree;
    int result = -1;
    return Send(command, result) ? result : -1;
}

bool TChangeHandlerThread::RemoveWatch(int slot)
{
    TCommand command;
    command.kind = TCommandKind::Remove;
    command.slot = slot;
    int result = -1;
    return Send(command, result) && result == 0;
}

bool TChangeHandlerThread::RemoveAll()
{
    TCommand command;
    command.kind = TCommandKind::RemoveAll;
    int result = -1;
    return Send(command, result) && result == 0;
}

void TChangeHandlerThread::CloseWatch(int slot)
{
    HANDLE& watch = watches_[static_cast<size_t>(slot)];
    if (watch != nullptr)
        FindCloseChangeNotification(watch);
    watch = nullptr;
}

void TChangeHandlerThread::FreeSlot(int slot)
{
    CloseWatch(slot);
    inUse_[static_cast<size_t>(slot)] = false;
}
