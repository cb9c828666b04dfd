// Owned item-identifier lists.
#include "TItemIdList.h"

#include <cstring>
#include <new>

TItemIdList& TItemIdList::operator=(TItemIdList&& other) noexcept
{
    if (this != &other)
    {
        CoTaskMemFree(list_);
        list_ = other.Release();
    }
    return *this;
}

LPITEMIDLIST TItemIdList::Release()
{
    LPITEMIDLIST list = list_;
    list_ = nullptr;
    return list;
}

bool TItemIdList::IsEmptyList(LPCITEMIDLIST list)
{
    return list == nullptr || ILGetSize(list) <= 2;
}

TItemIdList TItemIdList::Clone(LPCITEMIDLIST list)
{
    return TItemIdList(list != nullptr ? ILClone(list) : nullptr);
}

TItemIdList TItemIdList::Combine(LPCITEMIDLIST parent, LPCITEMIDLIST child)
{
    if (IsEmptyList(parent))
        return Clone(child);
    return TItemIdList(ILCombine(parent, child));
}

TItemIdList TItemIdList::FromPath(const wchar_t* path)
{
    return TItemIdList(ILCreateFromPathW(path));
}

TItemIdList TItemIdList::SpecialFolder(int folder)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &list)))
        return {};
    return TItemIdList(list);
}

std::vector<TItemIdList> SplitItemIdList(LPCITEMIDLIST absolute)
{
    std::vector<TItemIdList> parts;
    for (LPCITEMIDLIST item = absolute; item != nullptr && item->mkid.cb != 0; item = ILGetNext(item))
    {
        // One item and the terminator.
        const UINT size = item->mkid.cb;
        auto* part = static_cast<LPITEMIDLIST>(CoTaskMemAlloc(size + sizeof(USHORT)));
        if (part == nullptr)
            throw std::bad_alloc();
        std::memcpy(part, item, size);
        *reinterpret_cast<USHORT*>(reinterpret_cast<BYTE*>(part) + size) = 0;
        parts.emplace_back(part);
    }
    return parts;
}
