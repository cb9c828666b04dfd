// Drops onto the shell tree's folders.
#include "TTreeDropTarget.h"

#include "TApplicationErrors.h"
#include "TPTShellTree.h"

#include <shellapi.h>

namespace
{

// The files of an HDROP data object; empty when it holds none.
std::vector<std::wstring> DroppedFiles(IDataObject* data)
{
    std::vector<std::wstring> files;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data == nullptr || FAILED(data->GetData(&format, &medium)))
        return files;
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        std::wstring file(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        DragQueryFileW(drop, i, file.data(), static_cast<UINT>(file.size()));
        file.pop_back();
        files.push_back(file);
    }
    ReleaseStgMedium(&medium);
    return files;
}

bool SameDrive(const std::wstring& first, const std::wstring& second)
{
    return first.size() >= 2 && second.size() >= 2 && first[1] == L':' && second[1] == L':' &&
           towupper(first[0]) == towupper(second[0]);
}

} // namespace

HRESULT STDMETHODCALLTYPE TTreeDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL at,
                                                     DWORD* effect)
{
    return GuardCallback(
        [&] {
            data_ = data;
            node_ = nullptr;
            TrackNode(at, keyState, effect);
            return S_OK;
        },
        E_UNEXPECTED);
}

HRESULT STDMETHODCALLTYPE TTreeDropTarget::DragOver(DWORD keyState, POINTL at, DWORD* effect)
{
    return GuardCallback(
        [&] {
            TrackNode(at, keyState, effect);
            return S_OK;
        },
        E_UNEXPECTED);
}

HRESULT STDMETHODCALLTYPE TTreeDropTarget::DragLeave()
{
    return GuardCallback(
        [&] {
            LeaveNode();
            data_.Reset();
            return S_OK;
        },
        E_UNEXPECTED);
}

HRESULT STDMETHODCALLTYPE TTreeDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL at, DWORD* effect)
{
    return GuardCallback([&] { return DropOnNode(data, keyState, at, effect); }, E_UNEXPECTED);
}

HRESULT TTreeDropTarget::DropOnNode(IDataObject* data, DWORD keyState, POINTL at, DWORD* effect)
{
    data_ = data;
    const DWORD allowed = *effect;
    TrackNode(at, keyState, effect);
    HRESULT result = S_OK;
    if (!nodePath_.empty())
    {
        *effect = FileDropEffect(keyState, allowed);
        if (*effect == DROPEFFECT_NONE || !DropFiles(*effect))
            *effect = DROPEFFECT_NONE;
    }
    else if (nodeTarget_)
        result = nodeTarget_->Drop(data, keyState, at, effect);
    else
        *effect = DROPEFFECT_NONE;
    LeaveNode();
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
            nodePath_ = PathOf(data->Absolute());
            LPCITEMIDLIST child = data->Relative();
            if (nodePath_.empty() && data->Parent() != nullptr &&
                SUCCEEDED(data->ParentFolder()->GetUIObjectOf(
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
    if (!nodePath_.empty())
        *effect = FileDropEffect(keyState, *effect);
    else if (nodeTarget_)
        nodeTarget_->DragOver(keyState, at, effect);
    else
        *effect = DROPEFFECT_NONE;
}

DWORD TTreeDropTarget::FileDropEffect(DWORD keyState, DWORD allowed) const
{
    const std::vector<std::wstring> files = DroppedFiles(data_.Get());
    if (files.empty())
        return DROPEFFECT_NONE;
    DWORD wanted = SameDrive(files.front(), nodePath_) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    if ((keyState & MK_CONTROL) != 0)
        wanted = DROPEFFECT_COPY;
    else if ((keyState & MK_SHIFT) != 0)
        wanted = DROPEFFECT_MOVE;
    if ((allowed & wanted) != 0)
        return wanted;
    return allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE) & ~wanted;
}

bool TTreeDropTarget::DropFiles(DWORD effect)
{
    // The shell's operation takes its sources as one list of NUL-terminated paths with a NUL after the last.
    std::wstring from;
    for (const std::wstring& file : DroppedFiles(data_.Get()))
        from += file + L'\0';
    from += L'\0';
    const std::wstring to = nodePath_ + L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = tree_.Handle();
    operation.wFunc = (effect & DROPEFFECT_MOVE) != 0 ? FO_MOVE : FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

void TTreeDropTarget::LeaveNode()
{
    if (nodeTarget_)
        nodeTarget_->DragLeave();
    nodeTarget_.Reset();
    node_ = nullptr;
    nodePath_.clear();
    TreeView_SelectDropTarget(tree_.Handle(), nullptr);
}
