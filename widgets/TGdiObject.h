// A GDI object (font, brush, pen, bitmap) that is deleted when it goes.
#pragma once

#include <windows.h>

template <typename THandle> class TGdiObject
{
public:
    TGdiObject() = default;
    explicit TGdiObject(THandle owned) : handle_(owned) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    TGdiObject& operator=(TGdiObject&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    THandle Get() const { return handle_; }
    void Reset()
    {
        if (handle_ != nullptr)
            DeleteObject(handle_);
        handle_ = nullptr;
    }

private:
    THandle handle_ = nullptr;
};

using TFont = TGdiObject<HFONT>;
using TBitmap = TGdiObject<HBITMAP>;
using TBrush = TGdiObject<HBRUSH>;
using TPen = TGdiObject<HPEN>;
