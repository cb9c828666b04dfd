// The location combo: its entries, and moving a bound tree to the folder picked.
#include "TPTShellCombo.h"
#include "ShellNamespace.h"
#include "TPTShellTree.h"
#include "TShellTest.h"

namespace
{

struct TEntry
{
    std::wstring text;
    int indent = 0;
    bool operator==(const TEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TEntry& entry)
{
    return out << std::string(entry.text.begin(), entry.text.end()) << "@" << entry.indent;
}

std::vector<TEntry> Entries(HWND combo)
{
    std::vector<TEntry> entries;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        wchar_t text[MAX_PATH] = {};
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_INDENT;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        entries.push_back({text, item.iIndent});
    }
    return entries;
}

int IndexOf(const std::vector<TEntry>& entries, const std::wstring& text)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].text == text)
            return static_cast<int>(i);
    return -1;
}

TEntry Selected(HWND combo)
{
    const int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    const std::vector<TEntry> entries = Entries(combo);
    return index >= 0 && static_cast<size_t>(index) < entries.size() ? entries[static_cast<size_t>(index)]
                                                                     : TEntry{};
}

// Picks an entry as the operator does: selects it and ends the selection.
void Pick(HWND combo, int index)
{
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(combo));
}

std::wstring NameOf(const wchar_t* path)
{
    return DisplayNameOf(TItemIdList::FromPath(path).Get());
}

} // namespace

class TPTShellComboTest : public TShellTest
{
protected:
    void SetUp() override
    {
        TShellTest::SetUp();
        MakeFolder(L"PROJECTS\\ALPHA");
    }
};

TEST_F(TPTShellComboTest, TheDesktopItsFoldersAndTheDrivesAreOffered)
{
    TPTShellCombo combo(frame_, 200, RECT{0, 0, 300, 300});
    combo.FormLoaded();
    const std::vector<TEntry> entries = Entries(combo.Handle());
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0], (TEntry{DisplayNameOf(nullptr), 0}));
    const int computer = IndexOf(entries, DisplayNameOf(TItemIdList::SpecialFolder(CSIDL_DRIVES).Get()));
    ASSERT_GT(computer, 0);
    EXPECT_EQ(entries[static_cast<size_t>(computer)].indent, 1);
    const int drive = IndexOf(entries, NameOf(L"F:\\"));
    ASSERT_GT(drive, computer);
    EXPECT_EQ(entries[static_cast<size_t>(drive)].indent, 2)
        << "the drives follow the computer one indent deeper";
    EXPECT_EQ(Selected(combo.Handle()), entries[0]) << "the Desktop";
}

TEST_F(TPTShellComboTest, AnAssignedLocationIsShownWithItsChain)
{
    TPTShellCombo combo(frame_, 200, RECT{0, 0, 300, 300});
    combo.FormLoaded();
    combo.Location().Assign(TItemIdList::FromPath(L"F:\\PROJECTS\\ALPHA").Get());
    const std::vector<TEntry> entries = Entries(combo.Handle());
    const int drive = IndexOf(entries, NameOf(L"F:\\"));
    ASSERT_GE(drive, 0);
    ASSERT_GE(entries.size(), static_cast<size_t>(drive) + 3);
    EXPECT_EQ(entries[static_cast<size_t>(drive) + 1], (TEntry{L"PROJECTS", 3}));
    EXPECT_EQ(entries[static_cast<size_t>(drive) + 2], (TEntry{L"ALPHA", 4}));
    EXPECT_EQ(Selected(combo.Handle()), (TEntry{L"ALPHA", 4}));
}

TEST_F(TPTShellComboTest, PickingADriveMovesTheBoundTreeThereWithOneChange)
{
    TPTShellTreeSettings settings;
    settings.showRoot = false;
    settings.readOnly = true;
    TPTShellTree tree(frame_, 100, RECT{0, 40, 380, 460}, settings);
    TPTShellCombo combo(frame_, 200, RECT{0, 0, 300, 300});
    combo.SetShellTree(&tree);
    int changes = 0;
    tree.OnChange = [&] { ++changes; };
    tree.FormLoaded();
    combo.FormLoaded();
    EXPECT_EQ(changes, 0);

    Pick(combo.Handle(), IndexOf(Entries(combo.Handle()), NameOf(L"F:\\")));
    EXPECT_EQ(tree.SelectedPath(), L"F:\\");
    EXPECT_TRUE(TreeView_GetItemState(tree.Handle(), TreeView_GetParent(tree.Handle(), tree.SelectedNode()),
                                      TVIS_EXPANDED) &
                TVIS_EXPANDED);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Selected(combo.Handle()).text, NameOf(L"F:\\"));

    tree.GoTo(TItemIdList::FromPath(L"F:\\PROJECTS\\ALPHA").Get());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(Selected(combo.Handle()), (TEntry{L"ALPHA", 4})) << "the combo follows the tree";
    const std::vector<TEntry> entries = Entries(combo.Handle());
    EXPECT_EQ(entries[static_cast<size_t>(IndexOf(entries, L"ALPHA")) - 1], (TEntry{L"PROJECTS", 3}));
}

TEST_F(TPTShellComboTest, WithoutNonFileSystemAncestorsOnlyFileSystemFoldersAreOffered)
{
    TPTShellComboOptions options;
    options.nonFilesystemAncestors = false;
    TPTShellCombo combo(frame_, 200, RECT{0, 0, 300, 300}, options);
    combo.FormLoaded();
    const std::vector<TEntry> entries = Entries(combo.Handle());
    EXPECT_EQ(IndexOf(entries, L"Trash"), -1);
    EXPECT_GE(IndexOf(entries, NameOf(L"F:\\")), 0);
}
