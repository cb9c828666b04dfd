// An image list that the program made and destroys when it goes.
#pragma once

#include <windows.h>

#include <commctrl.h>

class TImageList
{
public:
    TImageList() = default;
    explicit TImageList(HIMAGELIST owned) : list_(owned) {}
    ~TImageList() { Reset(); }
    TImageList(TImageList&& other) noexcept : list_(other.Release()) {}
    TImageList& operator=(TImageList&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            list_ = other.Release();
        }
        return *this;
    }
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    HIMAGELIST Get() const { return list_; }
    int Count() const { return list_ != nullptr ? ImageList_GetImageCount(list_) : 0; }
    HIMAGELIST Release()
    {
        HIMAGELIST list = list_;
        list_ = nullptr;
        return list;
    }
    void Reset()
    {
        if (list_ != nullptr)
            ImageList_Destroy(list_);
        list_ = nullptr;
    }

private:
    HIMAGELIST list_ = nullptr;
};
