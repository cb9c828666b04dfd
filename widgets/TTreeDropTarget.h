// Drops onto the shell tree: each folder node passes the drop to its shell folder's own drop target.
#pragma once

#include "ShellNamespace.h"
#include "TComObject.h"

#include <commctrl.h>
#include <ole2.h>
#include <string>
#include <vector>

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
    HRESULT DropOnNode(IDataObject* data, DWORD keyState, POINTL at, DWORD* effect);
    // Moves the target to the node under the point: highlights it and, for a folder without a file-system
    // path, enters its shell folder's drop target.
    void TrackNode(POINTL at, DWORD keyState, DWORD* effect);
    void LeaveNode();
    // What dropping files into the node's folder would do: move within a drive, copy across drives; Ctrl
    // copies and Shift moves.
    DWORD FileDropEffect(DWORD keyState, DWORD allowed) const;
    bool DropFiles(DWORD effect);

    TPTShellTree& tree_;
    ComPtr<IDataObject> data_;
    HTREEITEM node_ = nullptr;
    std::wstring nodePath_;
    ComPtr<IDropTarget> nodeTarget_;
};
