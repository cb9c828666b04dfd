// The shell folder tree: its nodes, navigation, refresh and the tree's messages.
#include "TPTShellTree.h"

#include "TDpi.h"
#include "TFlagScope.h"
#include "TPTShellCombo.h"
#include "TTreeDropTarget.h"
#include "TWaitCursor.h"
#include "TreeFill.h"

#include <algorithm>
#include <vector>

namespace
{

// Has subfolders, file system, folder, file-system ancestor, removable, hidden, share, link.
constexpr ULONG kAttributeMask = 0xF20B0000;
constexpr UINT kShareOverlay = 1;
constexpr UINT kLinkOverlay = 2;

int CALLBACK CompareNodes(LPARAM first, LPARAM second, LPARAM folder)
{
    return CompareItems(reinterpret_cast<IShellFolder*>(folder),
                        reinterpret_cast<TPTShTreeData*>(first)->Relative(),
                        reinterpret_cast<TPTShTreeData*>(second)->Relative());
}

} // namespace

struct TPTShellTree::TChild
{
    TItemIdList relative;
    std::wstring name;
    ULONG attributes = 0;
};

TPTShellTreeOptions TPTShellTreeOptions::Default()
{
    return TPTShellTreeOptions()
        .With(TPTShellTreeOption::ptstoAutoFill)
        .With(TPTShellTreeOption::ptstoVirtualFolders)
        .With(TPTShellTreeOption::ptstoDefaultKeyHandling)
        .With(TPTShellTreeOption::ptstoContextMenus)
        .With(TPTShellTreeOption::ptstoDynamicRefresh)
        .With(TPTShellTreeOption::ptstoOleDrag)
        .With(TPTShellTreeOption::ptstoOleDrop)
        .With(TPTShellTreeOption::ptstoShowHidden);
}

TPTShellTree::TPTShellTree(HWND parent, int id, const RECT& bounds, const TPTShellTreeSettings& settings)
    : settings_(settings), parent_(parent)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS;
    if (settings.showRoot)
        style |= TVS_LINESATROOT;
    if (!settings.readOnly)
        style |= TVS_EDITLABELS;
    if (!settings.options.Has(TPTShellTreeOption::ptstoOleDrag))
        style |= TVS_DISABLEDRAGDROP;
    tree_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                            nullptr);
    TreeView_SetImageList(tree_, SystemSmallImages(), TVSIL_NORMAL);
    TreeView_SetIndent(tree_, TDpi::Of(parent)(settings.indent));
    parentSubclass_.Attach(parent, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnParentMessage(message, wParam, lParam);
    });
    treeSubclass_.Attach(tree_, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnTreeMessage(message, wParam, lParam);
    });
    if (settings.options.Has(TPTShellTreeOption::ptstoOleDrop))
    {
        dropTarget_.Attach(new TTreeDropTarget(*this));
        RegisterDragDrop(tree_, dropTarget_.Get());
    }
}

TPTShellTree::~TPTShellTree()
{
    watcher_.reset();
    RevokeDrops();
    // The nodes' data is freed as the parent hears of each deleted node, so the nodes go first.
    if (IsWindow(tree_))
        TreeView_DeleteAllItems(tree_);
    parentSubclass_.Detach();
    treeSubclass_.Detach();
    if (IsWindow(tree_))
        DestroyWindow(tree_);
}

void TPTShellTree::RevokeDrops()
{
    // OLE holds the target by the window: it must let go while the window still exists.
    if (dropTarget_ && IsWindow(tree_))
        RevokeDragDrop(tree_);
    dropTarget_.Reset();
}

IDropTarget* TPTShellTree::DropTarget() const
{
    return dropTarget_.Get();
}

void TPTShellTree::FormLoaded()
{
    // The drives are watched before the first fill reads them: a folder made while the tree fills is then in
    // the fill or in a change notice. Watched only afterwards, one made between the two would never show.
    StartWatching();
    // A bound combo fills the tree, and the tree counts as loading until it has.
    if (combo_ != nullptr)
        combo_->FormLoaded();
    else
        Fill();
    loading_ = false;
}

SHCONTF TPTShellTree::EnumerationFlags() const
{
    SHCONTF flags = SHCONTF_FOLDERS;
    if (settings_.options.Has(TPTShellTreeOption::ptstoIncludeNonFolders))
        flags |= SHCONTF_NONFOLDERS;
    if (settings_.options.Has(TPTShellTreeOption::ptstoShowHidden))
        flags |= SHCONTF_INCLUDEHIDDEN;
    return flags;
}

void TPTShellTree::Fill()
{
    const TWaitCursor wait;
    TreeView_DeleteAllItems(tree_);
    TPTShTreeData* root = TPTShTreeData::Root(baseFolder_.IdList());
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    const std::wstring name = DisplayNameOf(baseFolder_.IdList());
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = const_cast<wchar_t*>(name.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(root);
    insert.item.iImage = SmallIconIndex(baseFolder_.IdList(), false);
    insert.item.iSelectedImage = SmallIconIndex(baseFolder_.IdList(), true);
    insert.item.cChildren = 1;
    const HTREEITEM rootNode = TreeView_InsertItem(tree_, &insert);
    TreeView_Expand(tree_, rootNode, TVE_EXPAND);
    if (OnFillComplete)
        OnFillComplete();
    if (selectedFolder_.IsDesktop())
        Select(rootNode);
    else
        GoTo(selectedFolder_.IdList());
}

TPTShTreeData* TPTShellTree::NodeData(HTREEITEM node) const
{
    if (node == nullptr)
        return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!TreeView_GetItem(tree_, &item))
        return nullptr;
    return reinterpret_cast<TPTShTreeData*>(item.lParam);
}

std::wstring TPTShellTree::NodeText(HTREEITEM node) const
{
    return TreeNodeText(tree_, node);
}

HRESULT TPTShellTree::DefaultEnumerateItems(IShellFolder* folder, HWND owner, SHCONTF flags,
                                            IEnumIDList** items)
{
    return folder->EnumObjects(owner, flags, items);
}

std::optional<std::vector<TPTShellTree::TChild>> TPTShellTree::EnumerateChildren(TPTShTreeData* data)
{
    std::vector<TChild> children;
    IShellFolder* folder = data->Folder();
    ComPtr<IEnumIDList> items;
    // S_FALSE is a folder with nothing to list; a failure (a drive not ready) is not an empty folder.
    const HRESULT listed =
        folder == nullptr ? E_FAIL : EnumerateItems(folder, GetActiveWindow(), EnumerationFlags(), &items);
    if (listed == S_FALSE)
        return children;
    if (FAILED(listed) || !items)
        return std::nullopt;
    const bool virtualFolders = settings_.options.Has(TPTShellTreeOption::ptstoVirtualFolders);
    LPITEMIDLIST next = nullptr;
    while (items->Next(1, &next, nullptr) == S_OK)
    {
        TItemIdList relative(next);
        const ULONG attributes = AttributesOf(folder, relative.Get(), kAttributeMask);
        if (!virtualFolders && (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) == 0)
            continue;
        if (OnAddItem && !OnAddItem(folder, data->Absolute(), relative.Get(), attributes))
            continue;
        std::wstring name = DisplayName(folder, relative.Get());
        children.push_back({std::move(relative), std::move(name), attributes});
    }
    return children;
}

HTREEITEM TPTShellTree::InsertNode(HTREEITEM parent, TChild child)
{
    auto* data = new TPTShTreeData(std::move(child.relative), NodeData(parent));
    const bool includeNonFolders = settings_.options.Has(TPTShellTreeOption::ptstoIncludeNonFolders);
    const bool isFolder = (child.attributes & SFGAO_FOLDER) != 0;
    const bool hasSubfolders = (child.attributes & SFGAO_HASSUBFOLDER) != 0;

    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    insert.item.pszText = child.name.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    insert.item.iImage = SmallIconIndex(data->Absolute(), false);
    insert.item.iSelectedImage = SmallIconIndex(data->Absolute(), true);
    insert.item.cChildren =
        (includeNonFolders ? isFolder || hasSubfolders : isFolder && hasSubfolders) ? 1 : 0;
    insert.item.stateMask = TVIS_OVERLAYMASK | TVIS_CUT;
    if ((child.attributes & SFGAO_SHARE) != 0)
        insert.item.state |= INDEXTOOVERLAYMASK(kShareOverlay);
    else if ((child.attributes & SFGAO_LINK) != 0)
        insert.item.state |= INDEXTOOVERLAYMASK(kLinkOverlay);
    // Hidden items are drawn dimmed.
    if ((child.attributes & SFGAO_HIDDEN) != 0)
        insert.item.state |= TVIS_CUT;
    return TreeView_InsertItem(tree_, &insert);
}

void TPTShellTree::FillChildren(HTREEITEM node)
{
    TPTShTreeData* data = NodeData(node);
    if (data == nullptr || data->filled)
        return;
    std::optional<std::vector<TChild>> children = EnumerateChildren(data);
    data->enumerationFailed = !children;
    if (!children)
    {
        // Left unfilled with its button: opening it again, or the next refresh, tries again.
        SetTreeNodeHasChildren(tree_, node, true);
        return;
    }
    data->filled = true;
    FillNodeChildren(tree_, node, [&] {
        for (TChild& child : *children)
            InsertNode(node, std::move(child));
        SortChildren(node);
        return children->size();
    });
}

void TPTShellTree::SortChildren(HTREEITEM node)
{
    TPTShTreeData* data = NodeData(node);
    TVSORTCB sort{};
    sort.hParent = node;
    sort.lpfnCompare = &CompareNodes;
    sort.lParam = reinterpret_cast<LPARAM>(data->Folder());
    TreeView_SortChildrenCB(tree_, &sort, FALSE);
}

HTREEITEM TPTShellTree::FindChild(HTREEITEM node, LPCITEMIDLIST relative)
{
    FillChildren(node);
    IShellFolder* folder = NodeData(node)->Folder();
    for (HTREEITEM child = TreeView_GetChild(tree_, node); child != nullptr;
         child = TreeView_GetNextSibling(tree_, child))
        if (CompareItems(folder, NodeData(child)->Relative(), relative) == 0)
            return child;
    return nullptr;
}

void TPTShellTree::Select(HTREEITEM node)
{
    TreeView_SelectItem(tree_, node);
    // Selecting reports the change, which may run a listing during which a refresh deletes the node: what is
    // selected now is what is brought into view.
    if (const HTREEITEM selected = SelectedNode())
        TreeView_EnsureVisible(tree_, selected);
}

std::wstring TPTShellTree::SelectedPath() const
{
    TPTShTreeData* data = NodeData(SelectedNode());
    return data != nullptr ? PathOf(data->Absolute()) : std::wstring();
}

void TPTShellTree::GoUp(int levels)
{
    HTREEITEM node = SelectedNode();
    HTREEITEM target = node != nullptr ? TreeView_GetParent(tree_, node) : nullptr;
    if (target == nullptr)
        return;
    for (int level = 1; level < levels; ++level)
    {
        const HTREEITEM above = TreeView_GetParent(tree_, target);
        if (above == nullptr)
            break;
        target = above;
    }
    Select(target);
}

void TPTShellTree::GoTo(LPCITEMIDLIST absolute)
{
    if (HTREEITEM node = DeepestNodeOf(absolute))
        Select(node);
}

void TPTShellTree::Expand(LPCITEMIDLIST absolute)
{
    if (HTREEITEM node = DeepestNodeOf(absolute))
        TreeView_Expand(tree_, node, TVE_EXPAND);
}

HTREEITEM TPTShellTree::DeepestNodeOf(LPCITEMIDLIST absolute)
{
    HTREEITEM node = RootNode();
    if (node == nullptr)
        return nullptr;
    const std::vector<TItemIdList> target = SplitItemIdList(absolute);
    const size_t baseDepth = SplitItemIdList(baseFolder_.IdList()).size();
    // A location above or equal to the base selects the root.
    TItemIdList prefix;
    for (size_t i = 0; i < baseDepth && i < target.size(); ++i)
        prefix = TItemIdList::Combine(prefix.Get(), target[i].Get());
    if (target.size() > baseDepth && SameItem(prefix.Get(), baseFolder_.IdList()))
        for (size_t i = baseDepth; i < target.size(); ++i)
        {
            const HTREEITEM child = FindChild(node, target[i].Get());
            if (child == nullptr)
                break;
            node = child;
        }
    return node;
}

void TPTShellTree::OnSelectionChanged(HTREEITEM node)
{
    if (NodeData(node) == nullptr)
        return;
    if (refreshing_)
    {
        selectionMovedInRefresh_ = true;
        return;
    }
    if (!loading_ && OnChange)
        OnChange();
    // The callback may run the event loop (a listing does): another selection may have been made, or a
    // refresh may have deleted this node, so the selection is read again.
    TPTShTreeData* data = NodeData(SelectedNode());
    if (data == nullptr)
        return;
    selectedFolder_.Assign(data->Absolute());
    if (combo_ != nullptr)
        combo_->FollowTree(selectedFolder_.IdList());
}

bool TPTShellTree::OnItemExpanding(HTREEITEM node)
{
    // Watched before it is read, as the drives are.
    WatchFolder(node);
    FillChildren(node);
    TPTShTreeData* data = NodeData(node);
    if (data != nullptr && !data->filled)
        UnwatchFolder(node, data);
    return data == nullptr || data->filled;
}

void TPTShellTree::Refresh()
{
    const TWaitCursor wait;
    if (RootNode() == nullptr)
        return;
    selectionMovedInRefresh_ = false;
    {
        const TFlagScope refreshing(refreshing_);
        RefreshNode(RootNode());
    }
    if (selectionMovedInRefresh_)
    {
        selectionMovedInRefresh_ = false;
        OnSelectionChanged(SelectedNode());
    }
}

bool TPTShellTree::HoldsSelection(HTREEITEM node) const
{
    for (HTREEITEM item = SelectedNode(); item != nullptr; item = TreeView_GetParent(tree_, item))
        if (item == node)
            return true;
    return false;
}

void TPTShellTree::RefreshNode(HTREEITEM node)
{
    TPTShTreeData* data = NodeData(node);
    if (data == nullptr)
        return;
    if (!data->filled)
    {
        // A node whose folder could not be enumerated when it was opened is tried again.
        if (data->enumerationFailed)
            FillChildren(node);
        return;
    }
    std::optional<std::vector<TChild>> enumerated = EnumerateChildren(data);
    // A folder that cannot be enumerated now keeps the nodes it showed.
    if (!enumerated)
        return;
    std::vector<TChild> fresh = std::move(*enumerated);
    IShellFolder* folder = data->Folder();
    // Nodes whose items went are removed; the others stay as they are, with their children.
    for (HTREEITEM child = TreeView_GetChild(tree_, node); child != nullptr;)
    {
        const HTREEITEM next = TreeView_GetNextSibling(tree_, child);
        const auto found = std::find_if(fresh.begin(), fresh.end(), [&](const TChild& item) {
            return CompareItems(folder, item.relative.Get(), NodeData(child)->Relative()) == 0;
        });
        if (found == fresh.end())
        {
            // The control would pick a neighbour of a deleted selection; the folder above it is the sound
            // choice.
            if (HoldsSelection(child))
                TreeView_SelectItem(tree_, node);
            TreeView_DeleteItem(tree_, child);
        }
        else
        {
            fresh.erase(found);
            RefreshNode(child);
        }
        child = next;
    }
    for (TChild& child : fresh)
        InsertNode(node, std::move(child));
    SortChildren(node);
    SetTreeNodeHasChildren(tree_, node, TreeView_GetChild(tree_, node) != nullptr);
}

bool TPTShellTree::CreateFolder(const std::wstring& name)
{
    TPTShTreeData* data = NodeData(SelectedNode());
    if (data == nullptr)
        return false;
    const std::wstring parent = PathOf(data->Absolute());
    if (parent.empty())
        return false;
    const std::wstring path = parent + (parent.back() == L'\\' ? L"" : L"\\") + name;
    if (!CreateDirectoryW(path.c_str(), nullptr))
        return false;
    ignoreNextChange_ = watcher_ != nullptr;
    RefreshNode(SelectedNode());
    return true;
}

std::optional<LRESULT> TPTShellTree::OnNotify(NMHDR* header)
{
    switch (header->code)
    {
    case TVN_ITEMEXPANDINGW: {
        const auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
        // A folder that could not be enumerated stays closed, with its button.
        if ((change->action & TVE_EXPAND) != 0 && !OnItemExpanding(change->itemNew.hItem))
            return TRUE;
        return FALSE;
    }
    case TVN_SELCHANGEDW:
        OnSelectionChanged(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        return 0;
    case TVN_DELETEITEMW: {
        const NMTREEVIEWW* deleted = reinterpret_cast<NMTREEVIEWW*>(header);
        auto* data = reinterpret_cast<TPTShTreeData*>(deleted->itemOld.lParam);
        UnwatchFolder(deleted->itemOld.hItem, data);
        delete data;
        return 0;
    }
    case TVN_KEYDOWN:
        OnKeyDown(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey);
        return 0;
    case NM_RCLICK:
        OnRightClick();
        return TRUE;
    case TVN_BEGINDRAGW:
        OnBeginDrag(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        return 0;
    case TVN_BEGINLABELEDITW:
        // A read-only tree refuses renaming in place.
        return settings_.readOnly ? TRUE : FALSE;
    case TVN_ENDLABELEDITW:
        return OnEndLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(header)) ? TRUE : FALSE;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TPTShellTree::OnParentMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return std::nullopt;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom != tree_)
        return std::nullopt;
    return OnNotify(header);
}

std::optional<LRESULT> TPTShellTree::OnTreeMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (openMenu2_ || openMenu3_)
        if (const std::optional<LRESULT> handled = ForwardMenuMessage(message, wParam, lParam))
            return handled;
    if (message == TChangeHandlerThread::kChangedMessage)
    {
        OnDirectoryChanged();
        return 0;
    }
    if (message == WM_TIMER && wParam == kRefreshTimer)
    {
        OnRefreshTimer();
        return 0;
    }
    // A right click is answered by its notification; the keyboard's request comes without a place.
    if (message == WM_CONTEXTMENU && LOWORD(lParam) == 0xFFFF && HIWORD(lParam) == 0xFFFF)
    {
        OnKeyboardContextMenu();
        return 0;
    }
    // The window can go before this object does (with its parent form).
    if (message == WM_DESTROY)
        RevokeDrops();
    return std::nullopt;
}
