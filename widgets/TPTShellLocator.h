// A location in the shell namespace: one absolute item-identifier list, none meaning the Desktop.
#pragma once

#include "TItemIdList.h"

#include <functional>
#include <string>

class TPTShellLocator
{
public:
    // Fired after the location changed to a different item.
    std::function<void()> OnChange;

    // The absolute list, or nullptr for the Desktop.
    LPCITEMIDLIST IdList() const { return list_.Get(); }
    bool IsDesktop() const { return list_.Get() == nullptr; }

    // Takes a copy of the list; an equal one changes nothing, an empty one means the Desktop.
    void Assign(LPCITEMIDLIST absolute);
    void Assign(const TPTShellLocator& other) { Assign(other.IdList()); }

    // The file-system path, or empty where the shell has none (the Desktop, the computer, the network).
    std::wstring Path() const;

private:
    TItemIdList list_;
};
