// Filling a tree view's nodes when they are opened.
#include "TreeFill.h"

#include "ShellNamespace.h"
#include "TWaitCursor.h"

HTREEITEM AddTreeNode(HWND tree, HTREEITEM parent, const std::wstring& text, int image, LPARAM data)
{
    std::wstring name = text;
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = name.data();
    insert.item.lParam = data;
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return TreeView_InsertItem(tree, &insert);
}

void RemoveChildNodes(HWND tree, HTREEITEM node)
{
    for (HTREEITEM child = TreeView_GetChild(tree, node); child != nullptr;)
    {
        const HTREEITEM next = TreeView_GetNextSibling(tree, child);
        TreeView_DeleteItem(tree, child);
        child = next;
    }
}

void FillNodeChildren(HWND tree, HTREEITEM node, const std::function<size_t()>& addChildren)
{
    const TWaitCursor wait;
    // Set either way: a node whose children are read again may have had none before.
    SetTreeNodeHasChildren(tree, node, addChildren() != 0);
}

void SetTreeNodeHasChildren(HWND tree, HTREEITEM node, bool hasChildren)
{
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    item.cChildren = hasChildren ? 1 : 0;
    TreeView_SetItem(tree, &item);
}

std::wstring TreeNodeText(HWND tree, HTREEITEM node)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree, &item);
    return text;
}
