// Drops onto the shell tree's folders.
#include "TTreeDropTarget.h"

#include "TPTShellTree.h"

HRESULT STDMETHODCALLTYPE TTreeDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL at,
                                                     DWORD* effect)
{
    data_ = data;
    node_ = nullptr;
    TrackNode(at, keyState, effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTreeDropTarget::DragOver(DWORD keyState, POINTL at, DWORD* effect)
{
    TrackNode(at, keyState, effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTreeDropTarget::DragLeave()
{
    LeaveNode();
    data_.Reset();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TTreeDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL at, DWORD* effect)
{
    data_ = data;
    TrackNode(at, keyState, effect);
    HRESULT result = S_OK;
    if (nodeTarget_)
        result = nodeTarget_->Drop(data, keyState, at, effect);
    else
        *effect = DROPEFFECT_NONE;
    TreeView_SelectDropTarget(tree_.Handle(), nullptr);
    nodeTarget_.Reset();
    node_ = nullptr;
    data_.Reset();
    return result;
}

void TTreeDropTarget::TrackNode(POINTL at, DWORD keyState, DWORD* effect)
{
    TVHITTESTINFO hit{};
    hit.pt = {at.x, at.y};
    ScreenToClient(tree_.Handle(), &hit.pt);
    const HTREEITEM node = TreeView_HitTest(tree_.Handle(), &hit);
    if (node != node_)
    {
        LeaveNode();
        node_ = node;
        if (TPTShTreeData* data = tree_.NodeData(node))
        {
            LPCITEMIDLIST child = data->Relative();
            if (data->Parent() != nullptr && SUCCEEDED(data->ParentFolder()->GetUIObjectOf(
                                                 tree_.Handle(), 1, &child, IID_IDropTarget, nullptr,
                                                 reinterpret_cast<void**>(nodeTarget_.GetAddressOf()))))
            {
                DWORD entered = *effect;
                if (FAILED(nodeTarget_->DragEnter(data_.Get(), keyState, at, &entered)))
                    nodeTarget_.Reset();
            }
            TreeView_SelectDropTarget(tree_.Handle(), node);
        }
    }
    if (nodeTarget_)
        nodeTarget_->DragOver(keyState, at, effect);
    else
        *effect = DROPEFFECT_NONE;
}

void TTreeDropTarget::LeaveNode()
{
    if (nodeTarget_)
        nodeTarget_->DragLeave();
    nodeTarget_.Reset();
    node_ = nullptr;
    TreeView_SelectDropTarget(tree_.Handle(), nullptr);
}
