// An item-identifier list of the shell namespace, owned and freed through the shell allocator.
#pragma once

#include <windows.h>

#include <shlobj.h>
#include <vector>

class TItemIdList
{
public:
    TItemIdList() = default;
    // Takes ownership of a list the shell allocated.
    explicit TItemIdList(LPITEMIDLIST owned) : list_(owned) {}
    ~TItemIdList() { CoTaskMemFree(list_); }

    TItemIdList(TItemIdList&& other) noexcept : list_(other.Release()) {}
    TItemIdList& operator=(TItemIdList&& other) noexcept;
    TItemIdList(const TItemIdList&) = delete;
    TItemIdList& operator=(const TItemIdList&) = delete;

    static TItemIdList Clone(LPCITEMIDLIST list);
    static TItemIdList Combine(LPCITEMIDLIST parent, LPCITEMIDLIST child);
    // The list of a file-system path, or an empty list when the shell does not know it.
    static TItemIdList FromPath(const wchar_t* path);
    // A special folder (CSIDL_DRIVES, CSIDL_NETWORK, ...).
    static TItemIdList SpecialFolder(int folder);

    LPITEMIDLIST Get() const { return list_; }
    LPITEMIDLIST Release();
    // Null, or only the terminator: the Desktop.
    bool IsEmpty() const { return IsEmptyList(list_); }

    static bool IsEmptyList(LPCITEMIDLIST list);

private:
    LPITEMIDLIST list_ = nullptr;
};

// The single-item lists that make up an absolute list, from the Desktop down.
std::vector<TItemIdList> SplitItemIdList(LPCITEMIDLIST absolute);
