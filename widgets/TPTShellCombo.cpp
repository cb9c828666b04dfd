// The location combo.
#include "TPTShellCombo.h"

#include "ShellNamespace.h"
#include "TPTShellTree.h"

#include <algorithm>
#include <commctrl.h>

namespace
{

constexpr ULONG kAttributeMask =
    SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_FOLDER | SFGAO_SHARE | SFGAO_LINK;

struct TOffered
{
    TItemIdList relative;
    ULONG attributes = 0;
};

} // namespace

TPTShellCombo::TPTShellCombo(HWND parent, int id, const RECT& bounds, TPTShellComboOptions options)
    : options_(options)
{
    combo_ = CreateWindowExW(
        0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(combo_, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(SystemSmallImages()));
    parentSubclass_.Attach(parent, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnParentMessage(message, wParam, lParam);
    });
    location_.OnChange = [this] { OnLocationChanged(); };
}

TPTShellCombo::~TPTShellCombo()
{
    parentSubclass_.Detach();
    if (tree_ != nullptr)
        tree_->BindCombo(nullptr);
    if (IsWindow(combo_))
        DestroyWindow(combo_);
}

void TPTShellCombo::SetShellTree(TPTShellTree* tree)
{
    if (tree_ != nullptr)
        tree_->BindCombo(nullptr);
    tree_ = tree;
    if (tree_ != nullptr)
        tree_->BindCombo(this);
}

void TPTShellCombo::FormLoaded()
{
    if (filled_)
        return;
    if (tree_ != nullptr)
    {
        tree_->Fill();
        FollowTree(tree_->SelectedFolder().IdList());
    }
    filled_ = true;
    if (options_.autofill)
        Refill();
}

void TPTShellCombo::FollowTree(LPCITEMIDLIST absolute)
{
    ++reentrancy_;
    location_.Assign(absolute);
    --reentrancy_;
}

void TPTShellCombo::OnLocationChanged()
{
    if (tree_ != nullptr && reentrancy_ == 0)
    {
        ++reentrancy_;
        tree_->GoTo(location_.IdList());
        --reentrancy_;
    }
    if (filled_ || tree_ == nullptr)
        Refill();
}

void TPTShellCombo::Pick(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return;
    const TItemIdList picked = TItemIdList::Clone(entries_[static_cast<size_t>(index)].Get());
    location_.Assign(picked.Get());
}

void TPTShellCombo::AddEntry(LPCITEMIDLIST absolute, int indent, bool open, ULONG attributes, bool& selected)
{
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT | CBEIF_OVERLAY;
    item.iItem = static_cast<INT_PTR>(entries_.size());
    std::wstring name = DisplayNameOf(absolute);
    item.pszText = name.data();
    item.iImage = SmallIconIndex(absolute, open);
    item.iSelectedImage = item.iImage;
    item.iIndent = indent * IndentPixels / 10;
    item.iOverlay = (attributes & SFGAO_SHARE) != 0 ? 1 : (attributes & SFGAO_LINK) != 0 ? 2 : 0;
    SendMessageW(combo_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    entries_.push_back(TItemIdList::IsEmptyList(absolute) ? TItemIdList() : TItemIdList::Clone(absolute));
    if (!selected && SameItem(absolute, location_.IdList()))
    {
        SendMessageW(combo_, CB_SETCURSEL, entries_.size() - 1, 0);
        selected = true;
    }
}

void TPTShellCombo::AddChildren(LPCITEMIDLIST parent, int indent, bool& selected)
{
    const ComPtr<IShellFolder> folder = BindFolder(parent);
    ComPtr<IEnumIDList> items;
    if (folder->EnumObjects(GetActiveWindow(), SHCONTF_FOLDERS, &items) != S_OK || !items)
        return;
    std::vector<TOffered> offered;
    LPITEMIDLIST next = nullptr;
    while (items->Next(1, &next, nullptr) == S_OK)
    {
        TItemIdList relative(next);
        const ULONG attributes = AttributesOf(folder.Get(), relative.Get(), kAttributeMask);
        if (!options_.nonFilesystemAncestors &&
            (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) == 0)
            continue;
        if (OnAddItem && !OnAddItem(folder.Get(), parent, relative.Get(), attributes))
            continue;
        offered.push_back({std::move(relative), attributes});
    }
    std::sort(offered.begin(), offered.end(), [&](const TOffered& a, const TOffered& b) {
        return CompareItems(folder.Get(), a.relative.Get(), b.relative.Get()) < 0;
    });

    const TItemIdList drives = TItemIdList::SpecialFolder(CSIDL_DRIVES);
    for (const TOffered& child : offered)
    {
        const TItemIdList absolute = TItemIdList::Combine(parent, child.relative.Get());
        AddEntry(absolute.Get(), indent, false, child.attributes, selected);
        if (SameItem(absolute.Get(), drives.Get()))
        {
            // The computer's drives follow one indent deeper.
            AddChildren(absolute.Get(), indent + 1, selected);
            continue;
        }
        if (location_.IsDesktop() || !ILIsParent(absolute.Get(), location_.IdList(), FALSE))
            continue;
        // The chain from this folder down to the location, the last one open and selected.
        const std::vector<TItemIdList> parts = SplitItemIdList(location_.IdList());
        const size_t depth = SplitItemIdList(absolute.Get()).size();
        TItemIdList chain = TItemIdList::Clone(absolute.Get());
        for (size_t i = depth; i < parts.size(); ++i)
        {
            chain = TItemIdList::Combine(chain.Get(), parts[i].Get());
            AddEntry(chain.Get(), indent + static_cast<int>(i - depth) + 1, i + 1 == parts.size(), 0,
                     selected);
        }
    }
}

void TPTShellCombo::Refill()
{
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    entries_.clear();
    bool selected = false;
    AddEntry(nullptr, 0, false, 0, selected);
    AddChildren(nullptr, 1, selected);
    if (!selected)
        SendMessageW(combo_, CB_SETCURSEL, 0, 0);
}

std::optional<LRESULT> TPTShellCombo::OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != combo_ || HIWORD(wParam) != CBN_SELENDOK)
        return std::nullopt;
    Pick(static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0)));
    return 0;
}
