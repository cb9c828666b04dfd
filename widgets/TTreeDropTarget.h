// Drops onto the shell tree: each folder node passes the drop to its shell folder's own drop target.
#pragma once

#include "ShellNamespace.h"
#include "TComObject.h"

#include <commctrl.h>
#include <ole2.h>

class TPTShellTree;

class TTreeDropTarget : public TComObject<IDropTarget>
{
public:
    explicit TTreeDropTarget(TPTShellTree& tree) : tree_(tree) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL at, DWORD* effect) override;

private:
    // Moves the target to the node under the point: highlights it and enters its folder's drop target.
    void TrackNode(POINTL at, DWORD keyState, DWORD* effect);
    void LeaveNode();

    TPTShellTree& tree_;
    ComPtr<IDataObject> data_;
    HTREEITEM node_ = nullptr;
    ComPtr<IDropTarget> nodeTarget_;
};
