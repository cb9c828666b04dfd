// The user picker against the stand-in's directory and bindery servers: which tabs it offers, the tree that
// grows as containers are opened and reads them afresh, the bindery users, and OK only while a user is
// selected.
#include "UBrowseDirectory.h"

#include "NWSim.h"
#include "TGuiTest.h"
#include "TNWBase.h"
#include "TNWNDS.h"
#include "TTestWorld.h"
#include "TreeFill.h"
#include "WindowParts.h"

#include <memory>
#include <string>
#include <vector>

namespace
{

std::vector<std::wstring> ChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::wstring> texts;
    for (HTREEITEM node = parent == nullptr ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
         node != nullptr; node = TreeView_GetNextSibling(tree, node))
        texts.push_back(TreeNodeText(tree, node));
    return texts;
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::wstring& text)
{
    for (HTREEITEM node = parent == nullptr ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
         node != nullptr; node = TreeView_GetNextSibling(tree, node))
        if (TreeNodeText(tree, node) == text)
            return node;
    return nullptr;
}

int ImageOf(HWND tree, HTREEITEM node)
{
    TVITEMW item{};
    item.mask = TVIF_IMAGE;
    item.hItem = node;
    TreeView_GetItem(tree, &item);
    return item.iImage;
}

bool IsExpanded(HWND tree, HTREEITEM node)
{
    return (TreeView_GetItemState(tree, node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

// A press of the left button on the node's label, as the mouse gives it: the tree selects the node, then
// the picker acts on the selection.
void ClickNode(HWND tree, HTREEITEM node)
{
    RECT label{};
    TreeView_GetItemRect(tree, node, &label, TRUE);
    const LPARAM at = MAKELPARAM(label.left + 3, (label.top + label.bottom) / 2);
    // The tree waits for the release to tell a click from a drag.
    PostMessageW(tree, WM_LBUTTONUP, 0, at);
    SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessages();
}

std::vector<std::wstring> TabTexts(HWND tabs)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i)
    {
        wchar_t text[32] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        TabCtrl_GetItem(tabs, i, &item);
        texts.push_back(text);
    }
    return texts;
}

std::wstring ActiveTab(HWND tabs)
{
    const int selected = TabCtrl_GetCurSel(tabs);
    const std::vector<std::wstring> texts = TabTexts(tabs);
    return selected >= 0 && selected < static_cast<int>(texts.size()) ? texts[selected] : L"";
}

} // namespace

class UBrowseDirectoryTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        NWSimReset();
        world_.CreatePlain();
    }

    void TearDown() override
    {
        picker_.reset();
        base_.reset();
        TGuiTest::TearDown();
    }

    // Loads the world as it stands and makes the picker over it.
    void Open(bool useNDS, bool useBindery)
    {
        ASSERT_TRUE(world_.Load()) << NWSimWorldError();
        base_ = std::make_unique<nw::TNWBase>();
        useNDS_ = useNDS;
        useBindery_ = useBindery;
        picker_ = std::make_unique<TFBrowseDirectory>(TestOwnerWindow(), nullptr, useNDS_, useBindery_);
    }

    // Runs the picker with a script that drives it while it is shown.
    bool Execute(std::function<void()> script)
    {
        Modals().ExpectDialog(L"Select from Directory", [&](HWND window) -> INT_PTR {
            EXPECT_EQ(window, picker_->Handle());
            ShowWindow(window, SW_SHOWNA);
            script();
            return picker_->Accepted() ? IDOK : IDCANCEL;
        });
        return picker_->Execute();
    }

    HWND NDS1() const { return picker_->NDS1(); }
    HWND Bindery1() const { return picker_->Bindery1(); }
    bool OkEnabled() const { return IsWindowEnabled(picker_->BOK()) != FALSE; }

    TTestWorld world_;
    std::unique_ptr<nw::TNWBase> base_;
    bool useNDS_ = false;
    bool useBindery_ = false;
    std::unique_ptr<TFBrowseDirectory> picker_;
};

TEST_F(UBrowseDirectoryTest, IsAFixedDialogOfItsSizeWithTwoTabsOfTreesAndItsButtons)
{
    Open(true, true);
    HWND window = picker_->Handle();
    EXPECT_EQ(picker_->Caption(), L"Select from Directory");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 313);
    EXPECT_EQ(client.bottom, 341);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0)
        << "fixed border, only the system menu";
    EXPECT_EQ(WindowText(picker_->LMsg()), L"Select a user from the NDS directory.");
    EXPECT_EQ(WindowText(picker_->Label1()), L"Select a user from the Bindery directory.");
    EXPECT_EQ(WindowText(picker_->BOK()), L"&OK");
    EXPECT_EQ(WindowText(picker_->BCancel()), L"&Cancel");
    for (HWND tree : {NDS1(), Bindery1()})
    {
        const LONG style = GetWindowLongW(tree, GWL_STYLE);
        EXPECT_EQ(style & (TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS), 0);
        EXPECT_NE(style & TVS_SHOWSELALWAYS, 0);
        EXPECT_EQ(TreeView_GetIndent(tree), 19u);
    }

    EXPECT_FALSE(Execute([&] {
        EXPECT_EQ(TabTexts(picker_->PMain()), (std::vector<std::wstring>{L"NDS", L"Bindery"}));
        EXPECT_EQ(ActiveTab(picker_->PMain()), L"NDS");
        RECT tab{};
        TabCtrl_GetItemRect(picker_->PMain(), 1, &tab);
        EXPECT_EQ(tab.right - tab.left, 65);
        EXPECT_EQ(tab.bottom - tab.top, 21);
        EXPECT_TRUE(Shown(picker_->TNDS()));
        EXPECT_FALSE(Shown(picker_->TBindery()));
        EXPECT_FALSE(OkEnabled()) << "no user yet";
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
}

TEST_F(UBrowseDirectoryTest, TheTreeStartsWithTheTopContainersAndOpensThemByAClickWithFullNames)
{
    Open(true, true);
    EXPECT_FALSE(Execute([&] {
        ASSERT_EQ(ChildTexts(NDS1(), nullptr), (std::vector<std::wstring>{L"TARVEX"})) << "no Country";
        const HTREEITEM tarvex = TreeView_GetRoot(NDS1());
        EXPECT_EQ(ImageOf(NDS1(), tarvex), TFBrowseDirectory::kContainerImage);
        EXPECT_EQ(TreeView_GetChild(NDS1(), tarvex), nullptr) << "only the top level at first";

        ClickNode(NDS1(), tarvex);
        EXPECT_TRUE(IsExpanded(NDS1(), tarvex));
        EXPECT_EQ(ChildTexts(NDS1(), tarvex), (std::vector<std::wstring>{L"ADMIN", L"ENGINEERING", L"SALES"}))
            << "sorted; groups, servers and volumes left out";
        const HTREEITEM sales = ChildNamed(NDS1(), tarvex, L"SALES");
        EXPECT_EQ(ImageOf(NDS1(), sales), TFBrowseDirectory::kContainerImage);
        EXPECT_EQ(ImageOf(NDS1(), ChildNamed(NDS1(), tarvex, L"ADMIN")), TFBrowseDirectory::kUserImage);

        // SALES.TARVEX is listed by its full name.
        ClickNode(NDS1(), sales);
        EXPECT_EQ(ChildTexts(NDS1(), sales), (std::vector<std::wstring>{L"ALICE", L"BOB"}));

        ClickNode(NDS1(), tarvex);
        EXPECT_FALSE(IsExpanded(NDS1(), tarvex)) << "a second click closes it";
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
}

// Without the mouse: the tree of the tab in front has the keyboard; Right and Enter open a container, Enter
// on a user chooses it; Ctrl+Tab and Ctrl+Shift+Tab switch the tabs, whose captions show above the pages.
TEST_F(UBrowseDirectoryTest, TheKeyboardOpensContainersChoosesAUserAndSwitchesTheTabs)
{
    Open(true, true);
    EXPECT_TRUE(Execute([&] {
        const HWND window = picker_->Handle();
        RECT tab{};
        TabCtrl_GetItemRect(picker_->PMain(), 1, &tab);
        MapWindowPoints(picker_->PMain(), window, reinterpret_cast<POINT*>(&tab), 2);
        RECT page{};
        GetWindowRect(picker_->TNDS(), &page);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&page), 2);
        EXPECT_LE(tab.bottom, page.top) << "the page covers the captions of the tabs";
        SetForegroundWindow(window);
        EXPECT_EQ(GetFocus(), NDS1());
        const auto key = [&](WPARAM code) {
            MSG message{GetFocus(), WM_KEYDOWN, code, 1, 0, {}};
            if (!picker_->PreTranslate(message))
                SendMessageW(message.hwnd, WM_KEYDOWN, code, 1);
        };

        const HTREEITEM tarvex = TreeView_GetRoot(NDS1());
        TreeView_SelectItem(NDS1(), tarvex);
        key(VK_RIGHT);
        EXPECT_TRUE(IsExpanded(NDS1(), tarvex));
        EXPECT_EQ(ChildTexts(NDS1(), tarvex),
                  (std::vector<std::wstring>{L"ADMIN", L"ENGINEERING", L"SALES"}));
        const HTREEITEM sales = ChildNamed(NDS1(), tarvex, L"SALES");
        TreeView_SelectItem(NDS1(), sales);
        key(VK_RETURN);
        EXPECT_TRUE(IsExpanded(NDS1(), sales));
        EXPECT_EQ(ChildTexts(NDS1(), sales), (std::vector<std::wstring>{L"ALICE", L"BOB"}));
        TreeView_SelectItem(NDS1(), ChildNamed(NDS1(), sales, L"BOB"));

        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        key(VK_TAB);
        EXPECT_EQ(ActiveTab(picker_->PMain()), L"Bindery");
        EXPECT_TRUE(Shown(picker_->TBindery()));
        EXPECT_EQ(GetFocus(), Bindery1());
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        key(VK_TAB);
        keys[VK_SHIFT] = 0;
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(ActiveTab(picker_->PMain()), L"NDS");
        EXPECT_EQ(GetFocus(), NDS1());
        EXPECT_TRUE(OkEnabled()) << "BOB is still selected in the tree in front";
        key(VK_RETURN);
    }));
    EXPECT_EQ(picker_->SelectedUser(), L"BOB");
}

TEST_F(UBrowseDirectoryTest, OpeningAContainerAgainReadsTheDirectoryAfresh)
{
    Open(true, false);
    EXPECT_FALSE(Execute([&] {
        const HTREEITEM tarvex = TreeView_GetRoot(NDS1());
        ClickNode(NDS1(), tarvex);
        const HTREEITEM sales = ChildNamed(NDS1(), tarvex, L"SALES");
        ClickNode(NDS1(), sales);
        ClickNode(NDS1(), sales);
        EXPECT_FALSE(IsExpanded(NDS1(), sales));

        // A user is added to the directory meanwhile. Loading the world again replaces the stand-in's
        // directory and its contexts, so the test makes the global context again as it was.
        world_.EditWorldJson(
            R"("objects": [)",
            R"("objects": [{"class": "User", "id": 268435600, "name": "CN=ZED.OU=SALES.O=TARVEX"},)");
        ASSERT_TRUE(world_.Load()) << NWSimWorldError();
        nw::TNWNDS::ResetContext();
        nw::TNWNDS::AddContextFlags(5);

        ClickNode(NDS1(), sales);
        EXPECT_TRUE(IsExpanded(NDS1(), sales));
        EXPECT_EQ(ChildTexts(NDS1(), sales), (std::vector<std::wstring>{L"ALICE", L"BOB", L"ZED"}));
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
}

TEST_F(UBrowseDirectoryTest, ATopLevelOfOnlyCountriesGivesAnEmptyTree)
{
    world_.EditWorldJson(R"("class": "Organization")", R"("class": "Country")"); // O=TARVEX
    Open(true, true);
    EXPECT_FALSE(Execute([&] {
        EXPECT_EQ(ActiveTab(picker_->PMain()), L"NDS");
        EXPECT_EQ(TreeView_GetCount(NDS1()), 0u);
        EXPECT_EQ(ChildTexts(Bindery1(), nullptr), (std::vector<std::wstring>{L"OLDSRV"}));
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
}

TEST_F(UBrowseDirectoryTest, OnlyBinderyServersOpenOnTheBinderyTabWithoutTheDirectoryTab)
{
    world_.EditWorldJson("\"attached\": [\n      \"TARVEX\",\n      \"OLDSRV\"\n    ]",
                         "\"attached\": [\"OLDSRV\"]");
    world_.EditWorldJson(R"("primary": "TARVEX")", R"("primary": "OLDSRV")");
    Open(false, true);
    EXPECT_FALSE(Execute([&] {
        EXPECT_EQ(TabTexts(picker_->PMain()), (std::vector<std::wstring>{L"Bindery"}));
        EXPECT_EQ(ActiveTab(picker_->PMain()), L"Bindery");
        EXPECT_TRUE(Shown(picker_->TBindery()));
        EXPECT_FALSE(Shown(picker_->TNDS()));
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
}

TEST_F(UBrowseDirectoryTest, BinderyServersThatAreNotInATreeListTheirUsersSorted)
{
    // Sorted as the locale sorts without case: an accented name among its letter, not after Z.
    world_.EditWorldJson("\"PFISCHER\"", "\"\xC3\x84RGER\"");
    Open(true, true);
    EXPECT_TRUE(Execute([&] {
        ASSERT_EQ(ChildTexts(Bindery1(), nullptr), (std::vector<std::wstring>{L"OLDSRV"}))
            << "TARVEX belongs to a tree";
        const HTREEITEM server = TreeView_GetRoot(Bindery1());
        EXPECT_EQ(ImageOf(Bindery1(), server), TFBrowseDirectory::kServerImage);
        EXPECT_EQ(ChildTexts(Bindery1(), server),
                  (std::vector<std::wstring>{L"\u00c4RGER", L"GUEST", L"JSMITH", L"KLEE", L"MBROWN",
                                             L"SUPERVISOR"}))
            << "users only, sorted";
        EXPECT_FALSE(IsExpanded(Bindery1(), server));
        ClickNode(Bindery1(), server);
        EXPECT_TRUE(IsExpanded(Bindery1(), server));
        EXPECT_FALSE(OkEnabled()) << "a server is not a user";

        const HTREEITEM jsmith = ChildNamed(Bindery1(), server, L"JSMITH");
        EXPECT_EQ(ImageOf(Bindery1(), jsmith), TFBrowseDirectory::kUserImage);
        ClickNode(Bindery1(), jsmith);
        EXPECT_TRUE(OkEnabled());
        SendMessageW(picker_->BOK(), BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(picker_->SelectedUser(), L"JSMITH");
}

TEST_F(UBrowseDirectoryTest, SelectingAContainerAfterAUserDisablesOk)
{
    Open(true, false);
    EXPECT_FALSE(Execute([&] {
        const HTREEITEM tarvex = TreeView_GetRoot(NDS1());
        ClickNode(NDS1(), tarvex);
        ClickNode(NDS1(), ChildNamed(NDS1(), tarvex, L"ADMIN"));
        EXPECT_TRUE(OkEnabled());
        ClickNode(NDS1(), ChildNamed(NDS1(), tarvex, L"SALES"));
        EXPECT_FALSE(OkEnabled());
        SendMessageW(picker_->BOK(), BM_CLICK, 0, 0);
        EXPECT_FALSE(picker_->Accepted()) << "OK cannot be chosen without a user";
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(picker_->SelectedUser(), L"ADMIN") << "the last user chosen stays";
}

TEST_F(UBrowseDirectoryTest, CancelAfterChoosingAUserReturnsFalseAndTheNextShowingStartsAfresh)
{
    Open(true, true);
    EXPECT_FALSE(Execute([&] {
        const HTREEITEM tarvex = TreeView_GetRoot(NDS1());
        ClickNode(NDS1(), tarvex);
        ClickNode(NDS1(), ChildNamed(NDS1(), tarvex, L"ADMIN"));
        EXPECT_TRUE(OkEnabled());
        SendMessageW(picker_->Handle(), WM_CLOSE, 0, 0);
    }));
    EXPECT_FALSE(Execute([&] {
        EXPECT_EQ(picker_->SelectedUser(), L"");
        EXPECT_FALSE(OkEnabled());
        EXPECT_EQ(ChildTexts(NDS1(), nullptr), (std::vector<std::wstring>{L"TARVEX"}));
        EXPECT_EQ(TreeView_GetChild(NDS1(), TreeView_GetRoot(NDS1())), nullptr) << "the tree is rebuilt";
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
}

TEST_F(UBrowseDirectoryTest, WithNeitherDirectoryNothingCanBeChosen)
{
    Open(false, false);
    EXPECT_FALSE(Execute([&] {
        EXPECT_EQ(TabCtrl_GetItemCount(picker_->PMain()), 0);
        EXPECT_FALSE(Shown(picker_->TNDS()));
        EXPECT_FALSE(Shown(picker_->TBindery()));
        EXPECT_FALSE(OkEnabled());
        SendMessageW(picker_->BCancel(), BM_CLICK, 0, 0);
    }));
}
