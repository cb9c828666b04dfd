// A location combo: the Desktop, its folders and the computer's drives, with the chain down to the current
// location; bound to a shell tree, it shows the tree's folder and moves the tree to the folder picked.
#pragma once

#include "TItemIdList.h"
#include "TPTShellLocator.h"
#include "TSubclass.h"

#include <windows.h>

#include <functional>
#include <vector>

class TPTShellTree;

struct TPTShellComboOptions
{
    bool autofill = true;               // ptscoAutofill
    bool nonFilesystemAncestors = true; // ptscoNonFilesystemAncestors
};

class TPTShellCombo
{
public:
    TPTShellCombo(HWND parent, int id, const RECT& bounds, TPTShellComboOptions options = {});
    ~TPTShellCombo();

    TPTShellCombo(const TPTShellCombo&) = delete;
    TPTShellCombo& operator=(const TPTShellCombo&) = delete;

    HWND Handle() const { return combo_; }

    // May veto an item before it is offered: parent folder, parent's absolute list, child's relative list,
    // child's attributes. Returns whether the item is taken.
    std::function<bool(IShellFolder*, LPCITEMIDLIST, LPCITEMIDLIST, ULONG)> OnAddItem;

    // Assigning moves a bound tree there and refills the combo.
    TPTShellLocator& Location() { return location_; }

    // Binds the tree whose location the combo shows.
    void SetShellTree(TPTShellTree* tree);
    TPTShellTree* ShellTree() const { return tree_; }

    // The form has been loaded: a bound combo fills its tree and then itself; an unbound one fills itself.
    void FormLoaded();
    // The bound tree moved: show its location without moving it back.
    void FollowTree(LPCITEMIDLIST absolute);

    int IndentPixels = 10;

private:
    std::optional<LRESULT> OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnLocationChanged();
    void Pick(int index);
    void Refill();
    // Offers a folder's subfolders one indent deeper, each followed by the chain down to the location.
    void AddChildren(LPCITEMIDLIST parent, int indent, bool& selected);
    void AddEntry(LPCITEMIDLIST absolute, int indent, bool open, ULONG attributes, bool& selected);

    TPTShellComboOptions options_;
    HWND combo_;
    TSubclass parentSubclass_;
    TPTShellLocator location_;
    TPTShellTree* tree_ = nullptr;
    std::vector<TItemIdList> entries_; // the location of each item, by index
    int reentrancy_ = 0;
    bool filled_ = false;
};
