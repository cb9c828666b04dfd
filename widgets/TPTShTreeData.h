// What a node of the shell tree knows of its item: its lists, its folder and its parent.
#pragma once

#include "ShellNamespace.h"
#include "TItemIdList.h"

class TPTShTreeData
{
public:
    // A node for an item below a parent node; the root (the base folder) has no parent and an absolute list.
    TPTShTreeData(TItemIdList relative, TPTShTreeData* parent)
        : relative_(std::move(relative)), parent_(parent)
    {
    }
    static TPTShTreeData* Root(LPCITEMIDLIST base);

    LPCITEMIDLIST Relative() const { return relative_.Get(); }
    // Built on first use from the parent's absolute list and the relative one, then kept.
    LPCITEMIDLIST Absolute();
    // Bound on first use.
    IShellFolder* Folder();
    TPTShTreeData* Parent() const { return parent_; }
    // The folder the item lies in: the parent's folder (the Desktop above the root).
    IShellFolder* ParentFolder();

    bool filled = false;
    // The last try to enumerate the node's folder failed.
    bool enumerationFailed = false;
    // The slot of the watch on the node's own folder, -1 for none.
    int watchSlot = -1;

private:
    TItemIdList relative_;
    TItemIdList absolute_;
    bool absoluteBuilt_ = false;
    ComPtr<IShellFolder> folder_;
    ComPtr<IShellFolder> desktop_;
    TPTShTreeData* parent_;
};
