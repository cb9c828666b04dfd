// One owner for every kind of Win32 handle the program makes: move-only, and the handle goes back to the
// system when the owner goes. A traits type names the handle type, its empty value and how it is released.
#pragma once

#include <windows.h>

#include <commctrl.h>

template <typename Traits> class TUniqueHandle
{
public:
    using THandle = typename Traits::THandle;

    TUniqueHandle() = default;
    explicit TUniqueHandle(THandle owned) : handle_(Traits::Normalised(owned)) {}
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            handle_ = other.Release();
        }
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    THandle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != THandle{}; }
    // The handle, which the caller now owns.
    THandle Release()
    {
        THandle handle = handle_;
        handle_ = THandle{};
        return handle;
    }
    void Reset()
    {
        if (handle_ != THandle{})
            Traits::Close(handle_);
        handle_ = THandle{};
    }

private:
    THandle handle_{};
};

namespace handle_traits
{

// Most handles have one empty value; the few that have two are mapped to the null one.
template <typename T, auto CloseFunction> struct TNullEmpty
{
    using THandle = T;
    static THandle Normalised(THandle handle) { return handle; }
    static void Close(THandle handle) { CloseFunction(handle); }
};

template <typename T> struct TGdi
{
    using THandle = T;
    static THandle Normalised(THandle handle) { return handle; }
    static void Close(THandle handle) { DeleteObject(handle); }
};

// Kernel handles: the file-opening calls give INVALID_HANDLE_VALUE where others give null.
struct TKernel
{
    using THandle = HANDLE;
    static THandle Normalised(THandle handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }
    static void Close(THandle handle) { CloseHandle(handle); }
};

struct TFind
{
    using THandle = HANDLE;
    static THandle Normalised(THandle handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }
    static void Close(THandle handle) { FindClose(handle); }
};

inline void CloseRegistryKey(HKEY key)
{
    RegCloseKey(key);
}
inline void DestroyImageList(HIMAGELIST list)
{
    ImageList_Destroy(list);
}
inline void DestroyMenuHandle(HMENU menu)
{
    DestroyMenu(menu);
}
inline void DestroyAcceleratorHandle(HACCEL table)
{
    DestroyAcceleratorTable(table);
}

} // namespace handle_traits

using TFont = TUniqueHandle<handle_traits::TGdi<HFONT>>;
using TBitmap = TUniqueHandle<handle_traits::TGdi<HBITMAP>>;
using TBrush = TUniqueHandle<handle_traits::TGdi<HBRUSH>>;
using TPen = TUniqueHandle<handle_traits::TGdi<HPEN>>;
using TWinHandle = TUniqueHandle<handle_traits::TKernel>;
// An event is a kernel handle; the name says what it holds.
using TEventHandle = TWinHandle;
using TFindHandle = TUniqueHandle<handle_traits::TFind>;
using TRegKey = TUniqueHandle<handle_traits::TNullEmpty<HKEY, handle_traits::CloseRegistryKey>>;
using TImageList = TUniqueHandle<handle_traits::TNullEmpty<HIMAGELIST, handle_traits::DestroyImageList>>;
using TMenuHandle = TUniqueHandle<handle_traits::TNullEmpty<HMENU, handle_traits::DestroyMenuHandle>>;
using TAcceleratorTable =
    TUniqueHandle<handle_traits::TNullEmpty<HACCEL, handle_traits::DestroyAcceleratorHandle>>;
