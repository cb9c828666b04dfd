// The shell folder tree: its keys, the shell's context menu, dragging and renaming in place.
#include "TPTShellTree.h"

#include "TDropSource.h"
#include "TModal.h"

ComPtr<IContextMenu> TPTShellTree::ContextMenuOf(HTREEITEM node)
{
    ComPtr<IContextMenu> menu;
    TPTShTreeData* data = NodeData(node);
    if (data == nullptr)
        return menu;
    if (data->Parent() == nullptr)
    {
        // The root has no item in a parent folder of the tree: its own background menu stands for it.
        data->Folder()->CreateViewObject(tree_, IID_PPV_ARGS(&menu));
        return menu;
    }
    LPCITEMIDLIST child = data->Relative();
    data->ParentFolder()->GetUIObjectOf(tree_, 1, &child, IID_IContextMenu, nullptr,
                                        reinterpret_cast<void**>(menu.GetAddressOf()));
    return menu;
}

bool TPTShellTree::InvokeVerb(HTREEITEM node, const char* verb)
{
    const ComPtr<IContextMenu> menu = ContextMenuOf(node);
    if (!menu)
        return false;
    CMINVOKECOMMANDINFO command{};
    command.cbSize = sizeof(command);
    command.hwnd = tree_;
    command.lpVerb = verb;
    command.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&command));
}

void TPTShellTree::OnKeyDown(WORD key)
{
    if (!settings_.options.Has(TPTShellTreeOption::ptstoDefaultKeyHandling))
        return;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const HTREEITEM node = SelectedNode();
    if (key == VK_DELETE)
        InvokeVerb(node, "delete");
    else if (control && key == 'C')
        InvokeVerb(node, "copy");
    else if (control && key == 'X')
        InvokeVerb(node, "cut");
    else if (control && key == 'V')
        InvokeVerb(node, "paste");
    else if (key == VK_F5)
        Refresh();
    else if (key == VK_F2 && node != nullptr)
        TreeView_EditLabel(tree_, node);
}

UINT TPTShellTree::TrackShellMenu(IContextMenu* menu, HMENU popup, POINT at)
{
    menu->QueryInterface(IID_PPV_ARGS(&openMenu2_));
    menu->QueryInterface(IID_PPV_ARGS(&openMenu3_));
    // The menu's own messages go to it only while it is on screen.
    class TOpenMenuScope
    {
    public:
        explicit TOpenMenuScope(TPTShellTree& tree) : tree_(tree) {}
        ~TOpenMenuScope()
        {
            tree_.openMenu2_.Reset();
            tree_.openMenu3_.Reset();
        }
        TOpenMenuScope(const TOpenMenuScope&) = delete;
        TOpenMenuScope& operator=(const TOpenMenuScope&) = delete;

    private:
        TPTShellTree& tree_;
    };
    const TOpenMenuScope open(*this);
    return TModal::PopupMenu(popup, tree_, at);
}

void TPTShellTree::OnRightClick()
{
    POINT at{};
    GetCursorPos(&at);
    TVHITTESTINFO hit{};
    hit.pt = at;
    ScreenToClient(tree_, &hit.pt);
    HTREEITEM node = TreeView_HitTest(tree_, &hit);
    ShowContextMenu(node != nullptr ? node : SelectedNode(), at);
}

void TPTShellTree::OnKeyboardContextMenu()
{
    // Shift+F10 or the menu key: the selected folder's menu, at the folder.
    const HTREEITEM node = SelectedNode();
    if (node == nullptr)
        return;
    TreeView_EnsureVisible(tree_, node);
    RECT label{};
    POINT at{0, 0};
    if (TreeView_GetItemRect(tree_, node, &label, TRUE))
        at = {label.left, label.bottom};
    ClientToScreen(tree_, &at);
    ShowContextMenu(node, at);
}

void TPTShellTree::ShowContextMenu(HTREEITEM node, POINT at)
{
    if (!settings_.options.Has(TPTShellTreeOption::ptstoContextMenus))
        return;
    const ComPtr<IContextMenu> menu = ContextMenuOf(node);
    if (!menu)
        return;
    const TMenuHandle popup(CreatePopupMenu());
    constexpr UINT kFirstCommand = 1;
    const UINT flags = CMF_EXPLORE | (settings_.readOnly ? 0 : CMF_CANRENAME);
    if (SUCCEEDED(menu->QueryContextMenu(popup.Get(), 0, kFirstCommand, 0x7FFF, flags)))
    {
        const UINT chosen = TrackShellMenu(menu.Get(), popup.Get(), at);
        if (chosen >= kFirstCommand)
        {
            char verb[64] = {};
            const bool named = SUCCEEDED(
                menu->GetCommandString(chosen - kFirstCommand, GCS_VERBA, nullptr, verb, sizeof(verb)));
            if (named && lstrcmpiA(verb, "rename") == 0)
                TreeView_EditLabel(tree_, node);
            else
            {
                CMINVOKECOMMANDINFO command{};
                command.cbSize = sizeof(command);
                command.hwnd = tree_;
                command.lpVerb = MAKEINTRESOURCEA(chosen - kFirstCommand);
                command.nShow = SW_SHOWNORMAL;
                menu->InvokeCommand(&command);
            }
        }
    }
}

void TPTShellTree::OnBeginDrag(HTREEITEM node)
{
    TPTShTreeData* data = NodeData(node);
    if (data == nullptr || data->Parent() == nullptr ||
        !settings_.options.Has(TPTShellTreeOption::ptstoOleDrag))
        return;
    ComPtr<IDataObject> dataObject;
    LPCITEMIDLIST child = data->Relative();
    if (FAILED(data->ParentFolder()->GetUIObjectOf(tree_, 1, &child, IID_IDataObject, nullptr,
                                                   reinterpret_cast<void**>(dataObject.GetAddressOf()))))
        return;
    ComPtr<IDropSource> source;
    source.Attach(new TDropSource());
    DWORD effect = DROPEFFECT_NONE;
    dragging_ = true;
    // A read-only tree only shows the folders: what it lets go of may be copied or linked, never moved away.
    const DWORD allowed = settings_.readOnly ? DROPEFFECT_COPY | DROPEFFECT_LINK
                                             : DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    TModal::DragDrop(dataObject.Get(), source.Get(), allowed, &effect);
    dragging_ = false;
    if (refreshAfterDrag_)
    {
        refreshAfterDrag_ = false;
        Refresh();
    }
}

bool TPTShellTree::OnEndLabelEdit(NMTVDISPINFOW* info)
{
    TPTShTreeData* data = NodeData(info->item.hItem);
    if (settings_.readOnly || info->item.pszText == nullptr || data == nullptr || data->Parent() == nullptr)
        return false;
    LPITEMIDLIST renamed = nullptr;
    if (FAILED(data->ParentFolder()->SetNameOf(tree_, data->Relative(), info->item.pszText, SHGDN_INFOLDER,
                                               &renamed)))
        return false;
    CoTaskMemFree(renamed);
    RefreshNode(TreeView_GetParent(tree_, info->item.hItem));
    return false;
}

std::optional<LRESULT> TPTShellTree::ForwardMenuMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITMENUPOPUP && message != WM_DRAWITEM && message != WM_MEASUREITEM &&
        message != WM_MENUCHAR)
        return std::nullopt;
    LRESULT result = 0;
    if (openMenu3_ && SUCCEEDED(openMenu3_->HandleMenuMsg2(message, wParam, lParam, &result)))
        return result;
    if (openMenu2_ && message != WM_MENUCHAR && SUCCEEDED(openMenu2_->HandleMenuMsg(message, wParam, lParam)))
        return message == WM_INITMENUPOPUP ? 0 : TRUE;
    return std::nullopt;
}
