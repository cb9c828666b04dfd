// Shell locations.
#include "TPTShellLocator.h"

#include "ShellNamespace.h"

void TPTShellLocator::Assign(LPCITEMIDLIST absolute)
{
    if (SameItem(list_.Get(), absolute))
        return;
    list_ = TItemIdList::IsEmptyList(absolute) ? TItemIdList() : TItemIdList::Clone(absolute);
    if (OnChange)
        OnChange();
}

std::wstring TPTShellLocator::Path() const
{
    return PathOf(list_.Get());
}
