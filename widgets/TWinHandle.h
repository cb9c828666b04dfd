// A kernel handle that is closed when it goes.
#pragma once

#include <windows.h>

class TWinHandle
{
public:
    TWinHandle() = default;
    explicit TWinHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~TWinHandle() { Reset(); }
    TWinHandle(TWinHandle&& other) noexcept : handle_(other.Release()) {}
    TWinHandle& operator=(TWinHandle&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            handle_ = other.Release();
        }
        return *this;
    }
    TWinHandle(const TWinHandle&) = delete;
    TWinHandle& operator=(const TWinHandle&) = delete;

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE Release()
    {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void Reset()
    {
        if (handle_ != nullptr)
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};
