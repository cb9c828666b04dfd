// The shell folder tree: watching the drives and open folders for changes, and the refresh they start.
#include "TPTShellTree.h"

#include <shlwapi.h>

#include <algorithm>

namespace
{

bool IsWatchedDriveType(UINT type)
{
    return type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK;
}

} // namespace

void TPTShellTree::StartWatching()
{
    if (!settings_.options.Has(TPTShellTreeOption::ptstoDynamicRefresh) || watcher_ != nullptr)
        return;
    watcher_ = std::make_unique<TChangeHandlerThread>(tree_);
    const bool includeFiles = WatchesFiles();
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
    {
        if ((drives & (1u << letter)) == 0)
            continue;
        std::wstring root = L"?:\\";
        root[0] = static_cast<wchar_t>(L'A' + letter);
        if (IsWatchedDriveType(GetDriveTypeW(root.c_str())) && watcher_->AddWatch(root, includeFiles) >= 0)
            ++driveWatches_;
    }
}

bool TPTShellTree::WatchesFiles() const
{
    return settings_.options.Has(TPTShellTreeOption::ptstoIncludeNonFolders);
}

// Wine follows the folders below a watched drive through records in its server, and a record left over from
// an earlier watch can stand for a folder made since (its inode number used again): that folder's changes
// then never reach the drive's watch, and the tree would never show what is made in it. A watch on the open
// folder itself always sees them.
void TPTShellTree::WatchFolder(HTREEITEM node)
{
    TPTShTreeData* data = NodeData(node);
    if (watcher_ == nullptr || data == nullptr || data->watchSlot >= 0)
        return;
    const std::wstring path = PathOf(data->Absolute());
    if (path.empty() || PathIsRootW(path.c_str()))
        return;
    std::wstring root = path;
    PathStripToRootW(root.data());
    root.resize(wcslen(root.c_str()));
    if (root.empty() || root.back() != L'\\')
        root += L'\\';
    if (!IsWatchedDriveType(GetDriveTypeW(root.c_str())))
        return;
    if (driveWatches_ + static_cast<int>(watchedFolderNodes_.size()) >= TChangeHandlerThread::kMaxWatches &&
        !UnwatchOldestClosedFolder())
        return;
    data->watchSlot = watcher_->AddWatch(path, WatchesFiles(), false);
    if (data->watchSlot >= 0)
        watchedFolderNodes_.push_back(node);
}

void TPTShellTree::UnwatchFolder(HTREEITEM node, TPTShTreeData* data)
{
    if (data == nullptr || data->watchSlot < 0)
        return;
    if (watcher_ != nullptr)
        watcher_->RemoveWatch(data->watchSlot);
    data->watchSlot = -1;
    watchedFolderNodes_.erase(std::remove(watchedFolderNodes_.begin(), watchedFolderNodes_.end(), node),
                              watchedFolderNodes_.end());
}

bool TPTShellTree::UnwatchOldestClosedFolder()
{
    for (const HTREEITEM node : watchedFolderNodes_)
        if ((TreeView_GetItemState(tree_, node, TVIS_EXPANDED) & TVIS_EXPANDED) == 0)
        {
            UnwatchFolder(node, NodeData(node));
            return true;
        }
    return false;
}

void TPTShellTree::OnDirectoryChanged()
{
    if (dragging_)
        return;
    if (ignoreNextChange_)
    {
        ignoreNextChange_ = false;
        return;
    }
    pendingDelay_ = GetFocus() == tree_ ? kRefreshDelayFocused : kRefreshDelay;
    SetTimer(tree_, kRefreshTimer, pendingDelay_, nullptr);
}

void TPTShellTree::OnRefreshTimer()
{
    KillTimer(tree_, kRefreshTimer);
    pendingDelay_ = 0;
    if (dragging_)
    {
        refreshAfterDrag_ = true;
        return;
    }
    Refresh();
}
