// A tree of the shell namespace from a base folder down, filled as its nodes are opened, that reports the
// selected folder and follows changes on the watched drives.
#pragma once

#include "TChangeHandlerThread.h"
#include "TPTShTreeData.h"
#include "TPTShellLocator.h"
#include "TSubclass.h"

#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <memory>
#include <string>

class TPTShellCombo;
class TTreeDropTarget;

enum class TPTShellTreeOption : uint32_t
{
    ptstoAutoFill,
    ptstoVirtualFolders,
    ptstoDesignInteractive,
    ptstoDefaultKeyHandling,
    ptstoContextMenus,
    ptstoDynamicRefresh,
    ptstoIncludeNonFolders,
    ptstoOleDrag,
    ptstoOleDrop,
    ptstoShowHidden,
};

// A set of options.
class TPTShellTreeOptions
{
public:
    constexpr TPTShellTreeOptions() = default;
    // All but ptstoDesignInteractive and ptstoIncludeNonFolders.
    static TPTShellTreeOptions Default();

    bool Has(TPTShellTreeOption option) const { return (bits_ & Bit(option)) != 0; }
    TPTShellTreeOptions With(TPTShellTreeOption option) const
    {
        return TPTShellTreeOptions(bits_ | Bit(option));
    }
    TPTShellTreeOptions Without(TPTShellTreeOption option) const
    {
        return TPTShellTreeOptions(bits_ & ~Bit(option));
    }

private:
    constexpr explicit TPTShellTreeOptions(uint32_t bits) : bits_(bits) {}
    static constexpr uint32_t Bit(TPTShellTreeOption option) { return 1u << static_cast<uint32_t>(option); }
    uint32_t bits_ = 0;
};

struct TPTShellTreeSettings
{
    TPTShellTreeOptions options = TPTShellTreeOptions::Default();
    bool showRoot = true;
    bool readOnly = false;
    int indent = 19; // at 96 DPI
};

class TPTShellTree
{
public:
    // The shortcut texts of the tree's keys.
    static constexpr const wchar_t* kDeleteKeyText = L"Del";
    static constexpr const wchar_t* kCopyKeyText = L"Ctrl+C";
    static constexpr const wchar_t* kCutKeyText = L"Ctrl+X";
    static constexpr const wchar_t* kPasteKeyText = L"Ctrl+V";
    static constexpr const wchar_t* kRefreshKeyText = L"F5";
    static constexpr const wchar_t* kRenameKeyText = L"F2";
    // Refresh delays after a change on a watched drive.
    static constexpr UINT kRefreshDelayFocused = 400;
    static constexpr UINT kRefreshDelay = 2000;

    TPTShellTree(HWND parent, int id, const RECT& bounds, const TPTShellTreeSettings& settings = {});
    ~TPTShellTree();

    TPTShellTree(const TPTShellTree&) = delete;
    TPTShellTree& operator=(const TPTShellTree&) = delete;

    HWND Handle() const { return tree_; }
    const TPTShellTreeSettings& Settings() const { return settings_; }

    // Fired after the selection changed, once the form has been loaded.
    std::function<void()> OnChange;
    // May veto an item before it is added: parent folder, parent's absolute list, child's relative list,
    // child's attributes. Returns whether the item is taken.
    std::function<bool(IShellFolder*, LPCITEMIDLIST, LPCITEMIDLIST, ULONG)> OnAddItem;
    // Lists a folder's items; the shell folder's own enumeration unless replaced (a test makes it fail as a
    // drive that is not ready does).
    std::function<HRESULT(IShellFolder*, HWND, SHCONTF, IEnumIDList**)> EnumerateItems =
        DefaultEnumerateItems;
    static HRESULT DefaultEnumerateItems(IShellFolder* folder, HWND owner, SHCONTF flags,
                                         IEnumIDList** items);
    std::function<void()> OnFillComplete;

    TPTShellLocator& BaseFolder() { return baseFolder_; }
    const TPTShellLocator& SelectedFolder() const { return selectedFolder_; }

    // The form has been loaded: fills the tree (unless a bound combo does), selects the selected folder or
    // the root, and starts watching the drives.
    void FormLoaded();
    // Fills the tree from the base folder and selects the selected folder's node, or the root.
    void Fill();

    // The selected node's file-system path: a drive root ends in a backslash, other folders do not; empty
    // when there is none.
    std::wstring SelectedPath() const;
    // Selects the node that many levels above the selected one, stopping at the top.
    void GoUp(int levels);
    // Selects the deepest node on the way to the location, opening the nodes above it.
    void GoTo(LPCITEMIDLIST absolute);
    // Opens the deepest node on the way to the location, leaving the selection where it is.
    void Expand(LPCITEMIDLIST absolute);
    // Enumerates every opened node again, keeping the selection; when the selected folder went, its nearest
    // remaining ancestor is selected and the change is reported once the refresh is over.
    void Refresh();
    // Creates a folder below the selected one; true when the shell made it. The change it causes on a watched
    // drive is not refreshed again.
    bool CreateFolder(const std::wstring& name);
    // Runs a shell verb ("delete", "copy", ...) on the selected node's item.
    bool InvokeVerbOnSelection(const char* verb) { return InvokeVerb(SelectedNode(), verb); }

    // The node's data, or nullptr.
    TPTShTreeData* NodeData(HTREEITEM node) const;
    HTREEITEM RootNode() const { return TreeView_GetRoot(tree_); }
    HTREEITEM SelectedNode() const { return TreeView_GetSelection(tree_); }
    std::wstring NodeText(HTREEITEM node) const;

    // The delay of the refresh now pending after a change notification, 0 for none.
    UINT PendingRefreshDelay() const { return pendingDelay_; }
    // Whether a watcher thread runs.
    bool Watching() const { return watcher_ != nullptr; }
    // The tree's drop target, with ptstoOleDrop.
    IDropTarget* DropTarget() const;
    // Takes the tree off OLE's drop targets; nothing when it is not one.
    void RevokeDrops();

    // Binds the tool-bar combo that shows this tree's location; the combo binds itself.
    void BindCombo(TPTShellCombo* combo) { combo_ = combo; }

private:
    static constexpr UINT_PTR kRefreshTimer = 1;
    friend class TTreeDropTarget;

    std::optional<LRESULT> OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnTreeMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnNotify(NMHDR* header);
    void OnSelectionChanged(HTREEITEM node);
    // Whether the node may open: false when its folder could not be enumerated.
    bool OnItemExpanding(HTREEITEM node);
    void OnKeyDown(WORD key);
    void OnRightClick();
    void OnKeyboardContextMenu();
    // The shell's menu of the node's item, at that screen point.
    void ShowContextMenu(HTREEITEM node, POINT at);
    void OnBeginDrag(HTREEITEM node);
    bool OnEndLabelEdit(NMTVDISPINFOW* info);
    void OnDirectoryChanged();
    void OnRefreshTimer();

    SHCONTF EnumerationFlags() const;
    // The children of a folder node as the tree takes them, sorted by the folder; nothing when the folder
    // could not be enumerated.
    struct TChild;
    std::optional<std::vector<TChild>> EnumerateChildren(TPTShTreeData* data);
    HTREEITEM InsertNode(HTREEITEM parent, TChild child);
    void FillChildren(HTREEITEM node);
    void SortChildren(HTREEITEM node);
    void RefreshNode(HTREEITEM node);
    // Whether the node is the selected one or above it.
    bool HoldsSelection(HTREEITEM node) const;
    HTREEITEM FindChild(HTREEITEM node, LPCITEMIDLIST relative);
    // The deepest node on the way to the location, opening the nodes above it; the root for a location above
    // the base.
    HTREEITEM DeepestNodeOf(LPCITEMIDLIST absolute);
    void Select(HTREEITEM node);
    void StartWatching();
    bool WatchesFiles() const;
    // Watches the node's folder itself, as long as the node stays; nothing for the Desktop, a drive or a
    // folder off the watched drives.
    void WatchFolder(HTREEITEM node);
    void UnwatchFolder(HTREEITEM node, TPTShTreeData* data);
    // Makes room for a folder's watch by ending the oldest one on a closed node; false when every watched
    // node is open.
    bool UnwatchOldestClosedFolder();
    bool InvokeVerb(HTREEITEM node, const char* verb);
    ComPtr<IContextMenu> ContextMenuOf(HTREEITEM node);
    std::optional<LRESULT> ForwardMenuMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Shows the shell's menu and returns the command chosen, 0 for none.
    UINT TrackShellMenu(IContextMenu* menu, HMENU popup, POINT at);

    TPTShellTreeSettings settings_;
    HWND parent_;
    HWND tree_;
    TSubclass parentSubclass_;
    TSubclass treeSubclass_;
    TPTShellLocator baseFolder_;
    TPTShellLocator selectedFolder_;
    TPTShellCombo* combo_ = nullptr;
    bool loading_ = true;
    bool dragging_ = false;
    bool refreshAfterDrag_ = false;
    bool ignoreNextChange_ = false;
    // A refresh runs: a selection moved meanwhile is reported after it, not from inside its loop.
    bool refreshing_ = false;
    bool selectionMovedInRefresh_ = false;
    UINT pendingDelay_ = 0;
    std::unique_ptr<TChangeHandlerThread> watcher_;
    int driveWatches_ = 0;
    // The nodes whose own folders are watched, oldest first.
    std::vector<HTREEITEM> watchedFolderNodes_;
    ComPtr<TTreeDropTarget> dropTarget_;
    // The shell menu on screen: its submenus ("Send To", "Open with") fill and draw themselves through the
    // menu messages that reach the tree, its owner.
    ComPtr<IContextMenu2> openMenu2_;
    ComPtr<IContextMenu3> openMenu3_;
};
