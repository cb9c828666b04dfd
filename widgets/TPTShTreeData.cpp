// Shell tree node data.
#include "TPTShTreeData.h"

TPTShTreeData* TPTShTreeData::Root(LPCITEMIDLIST base)
{
    auto* root = new TPTShTreeData(TItemIdList(), nullptr);
    root->absolute_ = TItemIdList::IsEmptyList(base) ? TItemIdList() : TItemIdList::Clone(base);
    root->absoluteBuilt_ = true;
    return root;
}

LPCITEMIDLIST TPTShTreeData::Absolute()
{
    if (!absoluteBuilt_)
    {
        absolute_ = TItemIdList::Combine(parent_ != nullptr ? parent_->Absolute() : nullptr, relative_.Get());
        absoluteBuilt_ = true;
    }
    return absolute_.Get();
}

IShellFolder* TPTShTreeData::Folder()
{
    if (!folder_)
        folder_ = BindFolder(Absolute());
    return folder_.Get();
}

IShellFolder* TPTShTreeData::ParentFolder()
{
    if (parent_ != nullptr)
        return parent_->Folder();
    if (!desktop_)
        desktop_ = DesktopFolder();
    return desktop_.Get();
}
