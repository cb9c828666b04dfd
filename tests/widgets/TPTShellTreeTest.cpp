// The shell folder tree on the mapped drives: filling, selection and its path, going up, refreshing, keys,
// context menus and drag and drop.
#include "TPTShellTree.h"
#include "ShellNamespace.h"
#include "TMallocCount.h"
#include "TShellTest.h"

#include <fstream>
#include <shellapi.h>

namespace
{

// The settings of the main window's tree.
TPTShellTreeSettings MainTreeSettings()
{
    TPTShellTreeSettings settings;
    settings.showRoot = false;
    settings.readOnly = true;
    return settings;
}

// The paths in an HDROP data object.
std::vector<std::wstring> DroppedPaths(IDataObject* data)
{
    std::vector<std::wstring> paths;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data == nullptr || FAILED(data->GetData(&format, &medium)))
        return paths;
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        wchar_t path[MAX_PATH] = {};
        DragQueryFileW(drop, i, path, MAX_PATH);
        paths.push_back(path);
    }
    ReleaseStgMedium(&medium);
    return paths;
}

// Handles messages until the condition holds; false when it does not within the limit.
template <typename F> bool PumpUntil(F condition, DWORD limit)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start >= limit)
            return false;
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

// Reads a folder's entries, as any program listing it does.
void ReadFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// A notification of the tree, as the tree sends it to its parent.
template <typename T> void NotifyParent(HWND tree, T& notification, UINT code)
{
    notification.hdr.hwndFrom = tree;
    notification.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tree));
    notification.hdr.code = code;
    SendMessageW(GetParent(tree), WM_NOTIFY, notification.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&notification));
}

} // namespace

class TPTShellTreeTest : public TShellTest
{
protected:
    void SetUp() override
    {
        TShellTest::SetUp();
        MakeFolder(L"PROJECTS\\BETA");
        MakeFolder(L"PROJECTS\\ALPHA");
        MakeFolder(L"REPORTS");
    }

    // The main window's tree, loaded, with its changes counted.
    std::unique_ptr<TPTShellTree> LoadedTree(TPTShellTreeSettings settings = MainTreeSettings())
    {
        auto tree = std::make_unique<TPTShellTree>(frame_, 100, RECT{0, 0, 380, 460}, settings);
        tree->OnChange = [this] { ++changes_; };
        tree->FormLoaded();
        return tree;
    }

    HTREEITEM NodeOf(TPTShellTree& tree, const wchar_t* path)
    {
        const TItemIdList list = ListOf(path);
        tree.GoTo(list.Get());
        return SameItem(tree.NodeData(tree.SelectedNode())->Absolute(), list.Get()) ? tree.SelectedNode()
                                                                                    : nullptr;
    }

    std::vector<std::wstring> ChildTexts(TPTShellTree& tree, HTREEITEM node)
    {
        std::vector<std::wstring> texts;
        for (HTREEITEM child = TreeView_GetChild(tree.Handle(), node); child != nullptr;
             child = TreeView_GetNextSibling(tree.Handle(), child))
            texts.push_back(tree.NodeText(child));
        return texts;
    }

    int changes_ = 0;
};

TEST_F(TPTShellTreeTest, LoadingFillsFromTheDesktopAndSelectsItWithoutAChange)
{
    const auto tree = LoadedTree();
    const HTREEITEM root = tree->RootNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree->NodeText(root), DisplayNameOf(nullptr));
    EXPECT_EQ(tree->SelectedNode(), root);
    EXPECT_EQ(tree->SelectedPath(), L"");
    EXPECT_EQ(changes_, 0) << "the start-up selection lists nothing";
    EXPECT_TRUE(tree->SelectedFolder().IsDesktop());
    EXPECT_TRUE(TreeView_GetItemState(tree->Handle(), root, TVIS_EXPANDED) & TVIS_EXPANDED);
    const std::vector<std::wstring> top = ChildTexts(*tree, root);
    EXPECT_NE(
        std::find(top.begin(), top.end(), DisplayNameOf(TItemIdList::SpecialFolder(CSIDL_DRIVES).Get())),
        top.end());
}

TEST_F(TPTShellTreeTest, TheSelectedPathEndsInABackslashOnlyAtADriveRoot)
{
    const auto tree = LoadedTree();
    ASSERT_NE(NodeOf(*tree, L"F:\\"), nullptr);
    EXPECT_EQ(tree->SelectedPath(), L"F:\\");
    ASSERT_NE(NodeOf(*tree, L"F:\\PROJECTS\\ALPHA"), nullptr);
    EXPECT_EQ(tree->SelectedPath(), L"F:\\PROJECTS\\ALPHA");
    EXPECT_EQ(tree->SelectedFolder().Path(), L"F:\\PROJECTS\\ALPHA");
    EXPECT_EQ(changes_, 2);

    tree->GoTo(TItemIdList::SpecialFolder(CSIDL_DRIVES).Get());
    EXPECT_EQ(tree->SelectedPath(), L"") << "the computer's folder has no path";
    EXPECT_EQ(changes_, 3);
}

TEST_F(TPTShellTreeTest, GoingUpStopsAtTheTopAndTheDesktopStaysPut)
{
    const auto tree = LoadedTree();
    ASSERT_NE(NodeOf(*tree, L"F:\\PROJECTS"), nullptr);
    changes_ = 0;
    tree->GoUp(1);
    EXPECT_EQ(tree->SelectedPath(), L"F:\\");
    tree->GoUp(1);
    EXPECT_TRUE(SameItem(tree->SelectedFolder().IdList(), TItemIdList::SpecialFolder(CSIDL_DRIVES).Get()))
        << "above a drive root is the computer's folder";
    EXPECT_EQ(changes_, 2);
    tree->GoUp(5);
    EXPECT_EQ(tree->SelectedNode(), tree->RootNode());
    EXPECT_EQ(changes_, 3);
    tree->GoUp(1);
    EXPECT_EQ(changes_, 3) << "nothing above the Desktop";
}

TEST_F(TPTShellTreeTest, NodesAreFilledWhenFirstOpenedAndSortedByTheirFolder)
{
    const auto tree = LoadedTree();
    const HTREEITEM drive = NodeOf(*tree, L"F:\\");
    ASSERT_NE(drive, nullptr);
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    ASSERT_NE(projects, nullptr);
    EXPECT_FALSE(tree->NodeData(projects)->filled) << "not opened yet";
    EXPECT_EQ(TreeView_GetChild(tree->Handle(), projects), nullptr);
    TreeView_Expand(tree->Handle(), projects, TVE_EXPAND);
    EXPECT_TRUE(tree->NodeData(projects)->filled);
    EXPECT_EQ(ChildTexts(*tree, projects), (std::vector<std::wstring>{L"ALPHA", L"BETA"}));

    const HTREEITEM reports = NodeOf(*tree, L"F:\\REPORTS");
    TreeView_Expand(tree->Handle(), reports, TVE_EXPAND);
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = reports;
    TreeView_GetItem(tree->Handle(), &item);
    EXPECT_EQ(item.cChildren, 0) << "a folder without subfolders loses its button";
}

// A folder that cannot be enumerated (a drive not ready) is not an empty one: it keeps its button and stays
// closed, opening it again or a refresh tries again, and a refresh that cannot enumerate keeps what it
// showed.
TEST_F(TPTShellTreeTest, AFolderThatCannotBeEnumeratedIsTriedAgainWhenOpenedOrRefreshed)
{
    const auto tree = LoadedTree();
    const HWND handle = tree->Handle();
    bool failing = false;
    tree->EnumerateItems = [&](IShellFolder* folder, HWND owner, SHCONTF flags, IEnumIDList** items) {
        return failing ? HRESULT_FROM_WIN32(ERROR_NOT_READY)
                       : TPTShellTree::DefaultEnumerateItems(folder, owner, flags, items);
    };
    const auto hasButton = [&](HTREEITEM node) {
        TVITEMW item{};
        item.mask = TVIF_CHILDREN;
        item.hItem = node;
        TreeView_GetItem(handle, &item);
        return item.cChildren != 0;
    };
    const auto isOpen = [&](HTREEITEM node) {
        return (TreeView_GetItemState(handle, node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    };
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    ASSERT_NE(projects, nullptr);
    const HTREEITEM drive = TreeView_GetParent(handle, projects);
    const std::vector<std::wstring> onDrive = ChildTexts(*tree, drive);

    failing = true;
    TreeView_Expand(handle, projects, TVE_EXPAND);
    EXPECT_EQ(TreeView_GetChild(handle, projects), nullptr);
    EXPECT_TRUE(hasButton(projects));
    EXPECT_FALSE(isOpen(projects));
    SendMessageW(handle, WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(ChildTexts(*tree, drive), onDrive) << "a refresh that cannot enumerate keeps the nodes";
    EXPECT_EQ(tree->SelectedNode(), projects);
    failing = false;
    TreeView_Expand(handle, projects, TVE_EXPAND);
    EXPECT_EQ(ChildTexts(*tree, projects), (std::vector<std::wstring>{L"ALPHA", L"BETA"}));
    EXPECT_TRUE(isOpen(projects));

    const HTREEITEM reports = NodeOf(*tree, L"F:\\REPORTS");
    failing = true;
    TreeView_Expand(handle, reports, TVE_EXPAND);
    failing = false;
    MakeFolder(L"REPORTS\\2026");
    SendMessageW(handle, WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(ChildTexts(*tree, reports), std::vector<std::wstring>{L"2026"}) << "the refresh tried again";
    EXPECT_TRUE(hasButton(reports));
}

TEST_F(TPTShellTreeTest, HiddenFoldersAreListedDimmed)
{
    MakeFolder(L".SECRET");
    const auto tree = LoadedTree();
    const HTREEITEM hidden = NodeOf(*tree, L"F:\\.SECRET");
    ASSERT_NE(hidden, nullptr);
    EXPECT_TRUE(TreeView_GetItemState(tree->Handle(), hidden, TVIS_CUT) & TVIS_CUT);
    const HTREEITEM shown = NodeOf(*tree, L"F:\\REPORTS");
    EXPECT_FALSE(TreeView_GetItemState(tree->Handle(), shown, TVIS_CUT) & TVIS_CUT);
}

TEST_F(TPTShellTreeTest, ARefreshShowsNewFoldersKeepsTheSelectionOrSelectsTheFolderAboveOneThatWent)
{
    const auto tree = LoadedTree();
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    TreeView_Expand(tree->Handle(), projects, TVE_EXPAND);
    changes_ = 0;
    MakeFolder(L"PROJECTS\\GAMMA");
    RemoveDirectoryW(L"F:\\PROJECTS\\BETA");
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(ChildTexts(*tree, projects), (std::vector<std::wstring>{L"ALPHA", L"GAMMA"}));
    EXPECT_EQ(tree->SelectedNode(), projects);
    EXPECT_EQ(changes_, 0);

    // The selected folder goes: the folder above it is selected, not a neighbour, and the change is reported
    // once, after the refresh, when the tree shows all it found.
    ASSERT_NE(NodeOf(*tree, L"F:\\PROJECTS\\ALPHA"), nullptr);
    changes_ = 0;
    std::wstring pathAtChange;
    std::vector<std::wstring> shownAtChange;
    tree->OnChange = [&] {
        ++changes_;
        pathAtChange = tree->SelectedPath();
        shownAtChange = ChildTexts(*tree, projects);
    };
    RemoveDirectoryW(L"F:\\PROJECTS\\ALPHA");
    MakeFolder(L"PROJECTS\\ZETA");
    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(pathAtChange, L"F:\\PROJECTS");
    EXPECT_EQ(shownAtChange, (std::vector<std::wstring>{L"GAMMA", L"ZETA"}));
    EXPECT_EQ(tree->SelectedNode(), projects);
    EXPECT_EQ(tree->SelectedFolder().Path(), L"F:\\PROJECTS");

    // A refresh while a change is reported (a listing runs the event loop) takes the node away: the folder
    // selected afterwards is the one the tree then selects.
    changes_ = 0;
    tree->OnChange = [&] {
        if (++changes_ != 1)
            return;
        RemoveDirectoryW(L"F:\\PROJECTS\\GAMMA");
        tree->Refresh();
    };
    tree->GoTo(ListOf(L"F:\\PROJECTS\\GAMMA").Get());
    EXPECT_EQ(changes_, 2);
    EXPECT_EQ(ChildTexts(*tree, projects), std::vector<std::wstring>{L"ZETA"});
    EXPECT_EQ(tree->SelectedPath(), L"F:\\PROJECTS");
    EXPECT_EQ(tree->SelectedFolder().Path(), L"F:\\PROJECTS");
}

TEST_F(TPTShellTreeTest, AFolderCreatedOnAWatchedDriveAppearsWithTheSelectionKept)
{
    // A watch of the drive that ends after PROJECTS\ALPHA was read leaves Wine's server with a record of
    // ALPHA that no later watch of the drive follows, as a folder made where a gone one's inode was does (the
    // other watch keeps the server's notification queue, and so the record's, alive meanwhile).
    TChangeHandlerThread keeper([](int) {});
    ASSERT_GE(keeper.AddWatch(L"G:\\", false), 0);
    {
        TChangeHandlerThread earlier([](int) {});
        ASSERT_GE(earlier.AddWatch(L"F:\\", false), 0);
        ReadFolder(L"F:\\PROJECTS");
        ReadFolder(L"F:\\PROJECTS\\ALPHA");
    }
    const auto tree = LoadedTree();
    ASSERT_TRUE(tree->Watching());
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    TreeView_Expand(tree->Handle(), projects, TVE_EXPAND);
    changes_ = 0;
    SetFocus(frame_);
    MakeFolder(L"PROJECTS\\DELTA");
    ASSERT_TRUE(PumpUntil([&] { return tree->PendingRefreshDelay() != 0; }, 10000));
    EXPECT_EQ(tree->PendingRefreshDelay(), TPTShellTree::kRefreshDelay) << "the tree does not have the focus";
    ASSERT_TRUE(PumpUntil([&] { return ChildTexts(*tree, projects).size() == 3; }, 10000));
    EXPECT_EQ(ChildTexts(*tree, projects), (std::vector<std::wstring>{L"ALPHA", L"BETA", L"DELTA"}));
    EXPECT_EQ(tree->SelectedNode(), projects);
    EXPECT_EQ(changes_, 0);

    const HTREEITEM alpha = TreeView_GetChild(tree->Handle(), projects);
    TreeView_Expand(tree->Handle(), alpha, TVE_EXPAND);
    SetForegroundWindow(frame_);
    SetFocus(tree->Handle());
    ASSERT_EQ(GetFocus(), tree->Handle());
    MakeFolder(L"PROJECTS\\ALPHA\\EPSILON");
    ASSERT_TRUE(PumpUntil([&] { return tree->PendingRefreshDelay() != 0; }, 10000))
        << "a change in a folder that Wine's watch of the drive no longer follows was lost";
    EXPECT_EQ(tree->PendingRefreshDelay(), TPTShellTree::kRefreshDelayFocused);
    ASSERT_TRUE(PumpUntil([&] { return !ChildTexts(*tree, alpha).empty(); }, 10000));
    EXPECT_EQ(ChildTexts(*tree, alpha), std::vector<std::wstring>{L"EPSILON"});
}

TEST_F(TPTShellTreeTest, AFolderMadeAsTheFirstFillEndsIsShownWithoutARefreshByHand)
{
    // The tree from F:\ down, so that the first fill reads the drive's folders; the folder is made the moment
    // that fill ends, before anything else the tree does on loading.
    TPTShellTree tree(frame_, 100, RECT{0, 0, 380, 460}, MainTreeSettings());
    tree.BaseFolder().Assign(ListOf(L"F:\\").Get());
    tree.OnFillComplete = [] { MakeFolder(L"LATECOMER"); };
    tree.FormLoaded();
    ASSERT_TRUE(tree.Watching());
    ASSERT_EQ(ChildTexts(tree, tree.RootNode()), (std::vector<std::wstring>{L"PROJECTS", L"REPORTS"}));
    EXPECT_TRUE(PumpUntil([&] { return ChildTexts(tree, tree.RootNode()).size() == 3; }, 10000))
        << "the folder made as the fill ended never showed";
    EXPECT_EQ(ChildTexts(tree, tree.RootNode()),
              (std::vector<std::wstring>{L"LATECOMER", L"PROJECTS", L"REPORTS"}));
}

TEST_F(TPTShellTreeTest, CopyingPutsTheFolderOnTheClipboardAndRenamingIsRefused)
{
    const auto tree = LoadedTree();
    ASSERT_NE(NodeOf(*tree, L"F:\\REPORTS"), nullptr);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(tree->Handle(), WM_KEYDOWN, 'C', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ComPtr<IDataObject> clipboard;
    ASSERT_EQ(OleGetClipboard(&clipboard), S_OK);
    EXPECT_EQ(DroppedPaths(clipboard.Get()), std::vector<std::wstring>{L"F:\\REPORTS"});

    SendMessageW(tree->Handle(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(TreeView_GetEditControl(tree->Handle()), nullptr) << "the tree is read-only";
}

TEST_F(TPTShellTreeTest, ARightClickShowsTheFoldersShellMenu)
{
    const auto tree = LoadedTree();
    const HTREEITEM reports = NodeOf(*tree, L"F:\\REPORTS");
    RECT bounds{};
    TreeView_GetItemRect(tree->Handle(), reports, &bounds, TRUE);
    POINT at{bounds.left + 2, bounds.top + 2};
    ClientToScreen(tree->Handle(), &at);
    SetCursorPos(at.x, at.y);
    std::vector<std::wstring> items;
    Modals().ExpectPopupMenu([&](HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i)
        {
            wchar_t text[128] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            items.push_back(text);
        }
        return 0u;
    });
    struct
    {
        NMHDR hdr;
    } click{};
    NotifyParent(tree->Handle(), click, NM_RCLICK);
    EXPECT_NE(std::find(items.begin(), items.end(), L"&Copy"), items.end());
    EXPECT_NE(std::find(items.begin(), items.end(), L"&Delete"), items.end());

    // Shift+F10 or the menu key: the selected folder's menu, under the folder wherever the cursor is.
    SetCursorPos(0, 0);
    ASSERT_EQ(tree->SelectedNode(), reports);
    std::vector<std::wstring> keyboardItems;
    Modals().ExpectPopupMenu([&](HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i)
        {
            wchar_t text[128] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            keyboardItems.push_back(text);
        }
        return 0u;
    });
    SendMessageW(tree->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree->Handle()),
                 MAKELPARAM(-1, -1));
    EXPECT_EQ(keyboardItems, items);
    POINT under{bounds.left, bounds.bottom};
    ClientToScreen(tree->Handle(), &under);
    EXPECT_EQ(Modals().LastPopupPoint().x, under.x);
    EXPECT_EQ(Modals().LastPopupPoint().y, under.y);
}

TEST_F(TPTShellTreeTest, DraggingAFolderOffersItsPath)
{
    const auto tree = LoadedTree();
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    std::vector<std::wstring> dragged;
    Modals().ExpectDragDrop([&](IDataObject* data) {
        dragged = DroppedPaths(data);
        return static_cast<DWORD>(DROPEFFECT_NONE);
    });
    NMTREEVIEWW begin{};
    begin.itemNew.hItem = projects;
    NotifyParent(tree->Handle(), begin, TVN_BEGINDRAGW);
    EXPECT_EQ(dragged, std::vector<std::wstring>{L"F:\\PROJECTS"});
    EXPECT_EQ(Modals().LastDragAllowed(), static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_LINK))
        << "a read-only tree never lets a folder be moved away";
}

TEST_F(TPTShellTreeTest, DestroyingTheTreeStopsItsWatcherAndFreesEveryList)
{
    const auto useAndDestroyTree = [this] {
        auto tree = LoadedTree();
        ASSERT_TRUE(tree->Watching());
        ASSERT_NE(NodeOf(*tree, L"F:\\PROJECTS\\ALPHA"), nullptr);
        TreeView_Expand(tree->Handle(), tree->SelectedNode(), TVE_EXPAND);
        tree->Refresh();
        tree->GoUp(2);
        const HWND window = tree->Handle();
        tree.reset();
        EXPECT_FALSE(IsWindow(window));
    };
    // A first round lets the shell set up what it keeps for the whole process.
    useAndDestroyTree();
    ComPtr<TMallocCount> count;
    count.Attach(new TMallocCount());
    ASSERT_EQ(CoRegisterMallocSpy(count.Get()), S_OK);
    useAndDestroyTree();
    CoRevokeMallocSpy();
    EXPECT_EQ(count->Outstanding(), 0) << "identifier lists left behind";
}

TEST_F(TPTShellTreeTest, AnAddItemHandlerCanVetoAFolder)
{
    auto tree = std::make_unique<TPTShellTree>(frame_, 100, RECT{0, 0, 380, 460}, MainTreeSettings());
    tree->OnAddItem = [](IShellFolder* folder, LPCITEMIDLIST, LPCITEMIDLIST child, ULONG attributes) {
        EXPECT_NE(attributes & SFGAO_FOLDER, 0u);
        return DisplayName(folder, child) != L"REPORTS";
    };
    tree->FormLoaded();
    const HTREEITEM drive = NodeOf(*tree, L"F:\\");
    TreeView_Expand(tree->Handle(), drive, TVE_EXPAND);
    EXPECT_EQ(ChildTexts(*tree, drive), std::vector<std::wstring>{L"PROJECTS"});
}

TEST_F(TPTShellTreeTest, TheChangeIsReportedBeforeTheSelectedFolderFollows)
{
    const auto tree = LoadedTree();
    std::wstring pathAtChange;
    std::wstring folderAtChange;
    tree->OnChange = [&] {
        pathAtChange = tree->SelectedPath();
        folderAtChange = tree->SelectedFolder().Path();
    };
    ASSERT_NE(NodeOf(*tree, L"F:\\REPORTS"), nullptr);
    EXPECT_EQ(pathAtChange, L"F:\\REPORTS");
    EXPECT_EQ(folderAtChange, L"") << "still the Desktop";
    EXPECT_EQ(tree->SelectedFolder().Path(), L"F:\\REPORTS");
}

TEST_F(TPTShellTreeTest, TheTreesOwnNewFolderShowsAtOnceAndItsNotificationIsIgnored)
{
    const auto tree = LoadedTree();
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    TreeView_Expand(tree->Handle(), projects, TVE_EXPAND);
    ASSERT_TRUE(tree->CreateFolder(L"ZETA"));
    EXPECT_EQ(ChildTexts(*tree, projects), (std::vector<std::wstring>{L"ALPHA", L"BETA", L"ZETA"}));
    SendMessageW(tree->Handle(), TChangeHandlerThread::kChangedMessage, 0, 0);
    EXPECT_EQ(tree->PendingRefreshDelay(), 0u) << "the first notification after it is the tree's own";
    SendMessageW(tree->Handle(), TChangeHandlerThread::kChangedMessage, 0, 0);
    EXPECT_NE(tree->PendingRefreshDelay(), 0u) << "the next one is not";
}

TEST_F(TPTShellTreeTest, AFileDroppedOnAFolderLandsInIt)
{
    std::ofstream(world_->FilesFolder("TARVEX", "DATA") / "REPORTS" / "Q1.TXT") << "figures";
    const auto tree = LoadedTree();
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    RECT bounds{};
    TreeView_GetItemRect(tree->Handle(), projects, &bounds, TRUE);
    POINT at{bounds.left + 2, bounds.top + 2};
    ClientToScreen(tree->Handle(), &at);

    const TItemIdList file = ListOf(L"F:\\REPORTS\\Q1.TXT");
    ComPtr<IShellFolder> folder;
    LPCITEMIDLIST last = nullptr;
    ASSERT_EQ(SHBindToParent(file.Get(), IID_PPV_ARGS(&folder), &last), S_OK);
    ComPtr<IDataObject> data;
    ASSERT_EQ(folder->GetUIObjectOf(nullptr, 1, &last, IID_IDataObject, nullptr,
                                    reinterpret_cast<void**>(data.GetAddressOf())),
              S_OK);
    IDropTarget* target = tree->DropTarget();
    ASSERT_NE(target, nullptr);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{at.x, at.y}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE)) << "within one drive files move";
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragOver(MK_LBUTTON | MK_CONTROL, POINTL{at.x, at.y}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "Ctrl copies";
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->Drop(data.Get(), MK_CONTROL, POINTL{at.x, at.y}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(nwsim::ReadWholeFile(world_->FilesFolder("TARVEX", "DATA") / "PROJECTS" / "Q1.TXT"),
              std::string("figures"));
    EXPECT_TRUE(std::filesystem::exists(world_->FilesFolder("TARVEX", "DATA") / "REPORTS" / "Q1.TXT"))
        << "a copy leaves the original";
}

TEST_F(TPTShellTreeTest, ChangesDuringADragWaitForTheDragToEnd)
{
    const auto tree = LoadedTree();
    const HTREEITEM projects = NodeOf(*tree, L"F:\\PROJECTS");
    TreeView_Expand(tree->Handle(), projects, TVE_EXPAND);
    MakeFolder(L"PROJECTS\\LATE");
    SendMessageW(tree->Handle(), TChangeHandlerThread::kChangedMessage, 0, 0);
    ASSERT_NE(tree->PendingRefreshDelay(), 0u);
    Modals().ExpectDragDrop([&](IDataObject*) {
        SendMessageW(tree->Handle(), WM_TIMER, 1, 0);
        EXPECT_EQ(ChildTexts(*tree, projects).size(), 2u) << "no refresh while dragging";
        SendMessageW(tree->Handle(), TChangeHandlerThread::kChangedMessage, 0, 0);
        EXPECT_EQ(tree->PendingRefreshDelay(), 0u) << "notifications are ignored while dragging";
        return static_cast<DWORD>(DROPEFFECT_NONE);
    });
    NMTREEVIEWW begin{};
    begin.itemNew.hItem = TreeView_GetChild(tree->Handle(), projects);
    NotifyParent(tree->Handle(), begin, TVN_BEGINDRAGW);
    EXPECT_EQ(ChildTexts(*tree, projects), (std::vector<std::wstring>{L"ALPHA", L"BETA", L"LATE"}))
        << "the postponed refresh ran after the drag";
}

TEST_F(TPTShellTreeTest, ATreeWhoseWindowGoesFirstLetsOleGoOfItsDropTarget)
{
    HWND frame = CreateTestFrame(L"Tree owner", 300, 300);
    auto tree = std::make_unique<TPTShellTree>(frame, 100, RECT{0, 0, 280, 280}, MainTreeSettings());
    ASSERT_NE(tree->DropTarget(), nullptr);
    // As when a form's window is destroyed before the form's members.
    DestroyWindow(frame);
    EXPECT_EQ(tree->DropTarget(), nullptr) << "revoked while the window still existed";
    tree.reset();
}
