// The Find window on the GUI world behind F:: its look, the search through folders with its options and
// criteria, Stop, New Search, the directory handles of the rows, the commands on the results, and what it
// stores.
#include "TFFind.h"

#include "DeletedFileListRows.h"
#include "MenuItems.h"
#include "NWSim.h"
#include "TDeletedFileActionWindows.h"
#include "TDialogTest.h"
#include "TFActionMessage.h"
#include "TFProperties.h"
#include "TFRename.h"
#include "TGuiWorld.h"
#include "TItemIdList.h"
#include "TNWBase.h"
#include "TRegistrySandbox.h"
#include "TreeFill.h"
#include "UBrowseDirectory.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace
{

constexpr uint32_t kAlice = 0x10000012; // directory users of TARVEX
constexpr uint32_t kBob = 0x10000011;
constexpr wchar_t kSection[] = L"Software\\Tarvex\\Retrove\\FFind";

void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Enabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

int WindowHeight(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds.bottom - bounds.top;
}

HIMAGELIST SystemImages(UINT size)
{
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"*.*", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | size));
}

// Keys as the form's loop hands them over, before dispatch (with Alt held: WM_SYSKEYDOWN).
bool KeyInForm(TFFind& find, HWND control, WPARAM key, UINT kind = WM_KEYDOWN)
{
    SetFocus(control);
    MSG message{control, kind, key, 1, 0, {}};
    return find.PreTranslate(message);
}

} // namespace

class TFFindTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        world_ = CreateGuiWorld();
        ASSERT_NE(world_, nullptr);
    }

    void TearDown() override
    {
        find_.reset();
        base_.reset();
        world_.reset();
        TGuiTest::TearDown();
    }

    void AddDeleted(const std::string& folder, const std::string& name, uint32_t deletor = kAlice)
    {
        nwsim::TDeletedFile file;
        file.deletor = deletor;
        file.owner = 0x00000001;
        world_->AddDeleted("TARVEX", "DATA", folder, name, "content", file);
    }

    // The world as it stands loaded, and the window created on it, looking in the folder.
    TFFind& Begin(const std::wstring& lookIn = L"F:\\")
    {
        NWSimReset();
        EXPECT_TRUE(world_->Load()) << NWSimWorldError();
        base_ = std::make_unique<nw::TNWBase>();
        find_ = std::make_unique<TFFind>(TestOwnerWindow());
        find_->SetImageLists(SystemImages(SHGFI_SMALLICON), SystemImages(0));
        find_->SetEventPump([this] {
            ++pumped_;
            if (pumpScript_)
                pumpScript_();
        });
        find_->SetPropertiesDialog(&properties_);
        find_->SetActions(std::make_unique<TDeletedFileActionWindows>(find_->Handle(), L"Retrove 98", rename_,
                                                                      actionMessage_),
                          [this] { return options_; });
        LookIn(lookIn);
        find_->FormShow();
        return *find_;
    }

    void LookIn(const std::wstring& path)
    {
        find_->SLook_In().Location().Assign(TItemIdList::FromPath(path.c_str()).Get());
    }

    TExtListView& List() { return find_->FindList(); }

    // Each row as its name, an at sign and its path, in a set.
    std::set<std::wstring> Hits()
    {
        std::set<std::wstring> hits;
        for (size_t row = 0; row < List().Count(); ++row)
            hits.insert(List().CellText(row, 0) + L"@" + List().CellText(row, kFoundPathColumn));
        return hits;
    }

    std::wstring StatusText(int panel)
    {
        wchar_t text[256] = {};
        SendMessageW(find_->StatusBar(), SB_GETTEXTW, static_cast<WPARAM>(panel),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }

    int CountPanelWidth()
    {
        int edges[2] = {};
        SendMessageW(find_->StatusBar(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
        return edges[0];
    }

    std::filesystem::path LiveFile(const std::string& folder, const std::string& name) const
    {
        return world_->FilesFolder("TARVEX", "DATA") / folder / name;
    }

    std::string Content(const std::filesystem::path& file) const
    {
        std::string text;
        if (FILE* in = _wfopen(file.c_str(), L"rb"))
        {
            char chunk[256];
            size_t read = 0;
            while ((read = fread(chunk, 1, sizeof(chunk), in)) > 0)
                text.append(chunk, read);
            fclose(in);
        }
        return text;
    }

    void Command(int command) { SendMessageW(find_->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }

    bool MenuEnabled(int command) { return MenuItemEnabled(find_->MainMenu1(), command); }
    bool MenuChecked(int command) { return MenuItemChecked(find_->MainMenu1(), command); }

    TRegistrySandbox registry_;
    std::unique_ptr<TTestWorld> world_;
    std::unique_ptr<nw::TNWBase> base_;
    TFProperties properties_{TestOwnerWindow()};
    TFRename rename_{TestOwnerWindow()};
    TFActionMessage actionMessage_{TestOwnerWindow()};
    TRetroveOptions options_;
    std::unique_ptr<TFFind> find_;
    int pumped_ = 0;
    std::function<void()> pumpScript_;
};

TEST_F(TFFindTest, ShowsItsControlsMenusAndColumnsEmptyAndCollapsed)
{
    TFFind& find = Begin();
    EXPECT_EQ(find.Caption(), L"Find: Deleted Files");
    EXPECT_TRUE(HasStyle(find.Handle(), WS_THICKFRAME)) << "the window is sizeable";
    // The program's icon in the title bar and the task switcher, not the system's default.
    EXPECT_NE(SendMessageW(find.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageW(find.Handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(WindowText(find.BFind()), L"F&ind Now");
    EXPECT_EQ(WindowText(find.BStop()), L"Sto&p");
    EXPECT_EQ(WindowText(find.BNew()), L"Ne&w Search");
    EXPECT_EQ(WindowText(find.BBrowse()), L"&Browse...");
    EXPECT_EQ(WindowText(find.CInclude()), L"Include &subfolders");
    EXPECT_EQ(WindowText(find.CInclude_Hidden()), L"Include &hidden folders");
    EXPECT_EQ(WindowText(find.BSelect_Deleted()), L"Sele&ct...");
    EXPECT_EQ(WindowText(find.BSelect_Owner()), L"Selec&t...");
    EXPECT_EQ(WindowText(find.RNone()), L"N&one");
    EXPECT_EQ(WindowText(find.RGreater()), L"&Greater than or equal to");
    const std::vector<std::string> clashes = AccessKeyClashes(find.Handle());
    EXPECT_TRUE(clashes.empty()) << "access keys claimed twice: " << testing::PrintToString(clashes);
    ASSERT_EQ(TabCtrl_GetItemCount(find.PageControl()), 2);
    wchar_t tab[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 64;
    TabCtrl_GetItem(find.PageControl(), 0, &item);
    EXPECT_STREQ(tab, L"Name && Location");
    TabCtrl_GetItem(find.PageControl(), 1, &item);
    EXPECT_STREQ(tab, L"Advanced");

    // The pages follow the tabs.
    EXPECT_TRUE(HasStyle(find.TNameLocation(), WS_VISIBLE));
    EXPECT_FALSE(HasStyle(find.TAdvanced(), WS_VISIBLE));
    TabCtrl_SetCurSel(find.PageControl(), 1);
    NMHDR change{find.PageControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(find.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_FALSE(HasStyle(find.TNameLocation(), WS_VISIBLE));
    EXPECT_TRUE(HasStyle(find.TAdvanced(), WS_VISIBLE));
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages round.
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmNextPage, 1), 0);
    EXPECT_EQ(TabCtrl_GetCurSel(find.PageControl()), 0);
    EXPECT_TRUE(HasStyle(find.TNameLocation(), WS_VISIBLE));
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmPreviousPage, 1), 0);
    EXPECT_EQ(TabCtrl_GetCurSel(find.PageControl()), 1);
    EXPECT_TRUE(HasStyle(find.TAdvanced(), WS_VISIBLE));

    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMFind), L"F&ind Now\tF5");
    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMRetrove), L"&Retrove\tF2");
    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMPurge), L"&Purge\tF9");
    EXPECT_EQ(MenuItemCaption(find.MainMenu1(), TFFind::cmMSelectAll), L"Select &All\tCtrl+A");
    EXPECT_EQ(MenuItemCaption(find.PopFind(), TFFind::cmPMRetrove), L"Retrove\tF2");
    EXPECT_TRUE(MenuEnabled(TFFind::cmMFind));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMPurge));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMProperties));
    EXPECT_TRUE(MenuChecked(TFFind::cmMDetails));
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsReport);

    ASSERT_EQ(List().ColumnCount(), 13u);
    EXPECT_EQ(List().ColumnWidth(0), 100);
    EXPECT_EQ(List().ColumnWidth(12), 100);
    HWND header = ListView_GetHeader(List().Handle());
    wchar_t caption[64] = {};
    HDITEMW column{};
    column.mask = HDI_TEXT;
    column.pszText = caption;
    column.cchTextMax = 64;
    Header_GetItem(header, 1, &column);
    EXPECT_STREQ(caption, L"Path");
    Header_GetItem(header, 2, &column);
    EXPECT_STREQ(caption, L"Size");
    Header_GetItem(header, 12, &column);
    EXPECT_STREQ(caption, L"Updated By");

    EXPECT_FALSE(find.Expanded());
    EXPECT_EQ(WindowHeight(find.Handle()), TFFind::kCollapsedHeight);
    EXPECT_EQ(CountPanelWidth(), 0) << "no count panel while collapsed";
    EXPECT_FALSE(Enabled(find.BStop()));
    EXPECT_TRUE(Enabled(find.BFind()));
    EXPECT_TRUE(Checked(find.CInclude()));
    EXPECT_TRUE(Checked(find.CInclude_Hidden()));
    EXPECT_TRUE(Checked(find.RNone()));
    EXPECT_EQ(WindowText(find.EName()), L"") << "the name pattern starts empty";
    EXPECT_EQ(find.Criteria().Date, nw::Today());
}

// A folder reached just after the bar painted another is shown while its own long scan runs, not after it.
TEST_F(TFFindTest, AFolderReachedJustAfterAPaintIsShownWhileItsLongScanRuns)
{
    AddDeleted("A", "ONE.TXT");
    for (int i = 0; i < 100; ++i)
        AddDeleted("B", "F" + std::to_string(i) + ".TXT");
    TFFind& find = Begin();
    // Each server request takes 2 ms at least: B's hundred entries take 200 ms and more to read.
    NWSimSetLatency(2000);
    std::wstring shownAtBsFirstRow;
    pumpScript_ = [&] {
        if (shownAtBsFirstRow.empty() && List().Count() > 0 &&
            List().CellText(List().Count() - 1, kFoundPathColumn) == L"F:\\B\\")
            shownAtBsFirstRow = StatusText(1);
    };
    find.BFindClick();
    NWSimSetLatency(0);
    EXPECT_EQ(List().Count(), 101u);
    EXPECT_EQ(shownAtBsFirstRow, L"Searching F:\\B\\");
}

TEST_F(TFFindTest, SearchesTheFolderAndEveryFolderBelowItWithTheFolderOfEachHit)
{
    AddDeleted("", "ROOT.TXT");
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A\\DEEP", "TWO.DOC", kBob);
    AddDeleted("C", "THREE.TXT");
    std::filesystem::create_directories(world_->FilesFolder("TARVEX", "DATA") / "EMPTY");
    TFFind& find = Begin();
    std::vector<std::wstring> searched;
    pumpScript_ = [&] {
        const std::wstring text = StatusText(1);
        if (searched.empty() || searched.back() != text)
            searched.push_back(text);
        // The bar shows a folder only as it paints, a few times a second: each folder is given the time.
        Sleep(TFFind::kStatusPaintMilliseconds + 20);
    };
    find.BFindClick();
    EXPECT_EQ(Hits(), (std::set<std::wstring>{L"ROOT.TXT@F:\\", L"ONE.TXT@F:\\A\\", L"TWO.DOC@F:\\A\\DEEP\\",
                                              L"THREE.TXT@F:\\C\\"}));
    EXPECT_EQ(StatusText(0), L"4 file(s)");
    EXPECT_EQ(StatusText(1), L"") << "the folder panel empties at the end";
    EXPECT_TRUE(find.Expanded());
    EXPECT_EQ(CountPanelWidth(), TFFind::kCountPanelWidth);
    ASSERT_GE(searched.size(), 5u);
    EXPECT_EQ(searched.front(), L"Searching F:\\");
    EXPECT_NE(std::find(searched.begin(), searched.end(), L"Searching F:\\EMPTY\\"), searched.end());
    EXPECT_NE(std::find(searched.begin(), searched.end(), L"Searching F:\\A\\DEEP\\"), searched.end());

    // The rows: the cells of the main list after the path, the entry, and one handle per folder with hits.
    const size_t two = List().Count() - 1;
    ASSERT_EQ(List().CellText(two, 0), L"TWO.DOC") << "sorted by name at the end";
    EXPECT_EQ(List().CellText(two, FoundColumn(dcDeletedBy)), L"BOB.SALES.TARVEX");
    EXPECT_EQ(List().CellText(two, FoundColumn(dcSize)), L"7");
    EXPECT_EQ(List().CellText(two, FoundColumn(dcOwner)), L"SUPERVISOR");
    const TDeletedRowData* data = DeletedRowData(List().Row(two));
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data->Entry().Name, "TWO.DOC");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 4u);
    EXPECT_TRUE(List().ShowSortArrows());
    EXPECT_EQ(List().AutoColumnSort(), TAutoColumnSort::acsSortToggle);
    EXPECT_FALSE(find.Searching());
    EXPECT_FALSE(Enabled(find.BStop()));
    EXPECT_TRUE(Enabled(find.BFind()));
    EXPECT_TRUE(MenuEnabled(TFFind::cmMFind));
    EXPECT_FALSE(find.Find_Animate().Playing());

    // Every scan prepares the directory-services context.
    const std::string contexts = NWSimTexts("NWDSSetContext");
    EXPECT_NE(contexts.find("name=[root]"), std::string::npos) << contexts;

    // Searching again replaces the rows, and the old rows' handles go.
    find.BFindClick();
    EXPECT_EQ(List().Count(), 4u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 4u);
}

TEST_F(TFFindTest, DuringASearchStopIsOnFindNowOffAndTheAnimationPlays)
{
    AddDeleted("A", "ONE.TXT");
    TFFind& find = Begin();
    bool sawRunning = false;
    pumpScript_ = [&] {
        sawRunning = find.Searching() && Enabled(find.BStop()) && !Enabled(find.BFind()) &&
                     !MenuEnabled(TFFind::cmMFind) && find.Find_Animate().Playing() && find.Expanded();
        // A second Find Now from the keyboard inside the search starts nothing.
        SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMFind, 1), 0);
    };
    find.BFindClick();
    EXPECT_TRUE(sawRunning);
    EXPECT_EQ(List().Count(), 1u);
}

TEST_F(TFFindTest, WithoutSubfoldersOnlyTheLookInFolderIsScanned)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A\\DEEP", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    Click(find.CInclude());
    ASSERT_FALSE(Checked(find.CInclude()));
    const uint32_t scansBefore = NWSimCallCount("NWAllocTemporaryDirectoryHandle");
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"ONE.TXT@F:\\A\\"});
    EXPECT_EQ(NWSimCallCount("NWAllocTemporaryDirectoryHandle") - scansBefore, 1u) << "one folder scanned";
    EXPECT_EQ(pumped_, 2) << "the folder, then its one kept entry";
    EXPECT_EQ(StatusText(0), L"1 file(s)");
}

TEST_F(TFFindTest, WithoutHiddenFoldersHiddenAndSystemTreesAreSkipped)
{
    AddDeleted("SHOWN", "ONE.TXT");
    AddDeleted("SECRET", "TWO.TXT");
    AddDeleted("SECRET\\BELOW", "THREE.TXT");
    AddDeleted("SYS", "FOUR.TXT");
    TFFind& find = Begin();
    ASSERT_TRUE(SetFileAttributesW(L"F:\\SECRET", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(L"F:\\SYS", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_NE(GetFileAttributesW(L"F:\\SECRET") & FILE_ATTRIBUTE_HIDDEN, 0u);
    find.BFindClick();
    EXPECT_EQ(List().Count(), 4u) << "hidden folders are searched while the option is checked";
    Click(find.CInclude_Hidden());
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"ONE.TXT@F:\\SHOWN\\"});
    SetFileAttributesW(L"F:\\SECRET", FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(L"F:\\SYS", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(TFFindTest, ALocationWithoutAFileSystemPathSearchesNothing)
{
    AddDeleted("", "ROOT.TXT");
    TFFind& find = Begin();
    find.SLook_In().Location().Assign(TItemIdList::SpecialFolder(CSIDL_DRIVES).Get());
    ASSERT_EQ(find.SLook_In().Location().Path(), L"");
    find.BFindClick();
    EXPECT_TRUE(find.Expanded()) << "the list is shown, empty";
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(0), L"") << "the count panel stays empty";
    EXPECT_EQ(NWSimCallCount("NWScanForDeletedFiles"), 0u);
    EXPECT_EQ(pumped_, 0);
}

TEST_F(TFFindTest, AnEmptyNameOrStarDotStarFindsEveryFileAndOtherCriteriaNarrow)
{
    AddDeleted("A", "ONE.TXT", kAlice);
    AddDeleted("A", "TWO.DOC", kBob);
    AddDeleted("B", "NOEXT", kBob);
    TFFind& find = Begin();
    find.BFindClick();
    EXPECT_EQ(List().Count(), 3u);
    SetWindowTextW(find.EName(), L"*.*");
    find.BFindClick();
    EXPECT_EQ(List().Count(), 3u);
    SetWindowTextW(find.EName(), L"*.DOC");
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"TWO.DOC@F:\\A\\"});
    SetWindowTextW(find.EName(), L"");
    SetWindowTextW(find.EDeleted(), L"BOB*");
    find.BFindClick();
    EXPECT_EQ(Hits(), (std::set<std::wstring>{L"TWO.DOC@F:\\A\\", L"NOEXT@F:\\B\\"}));
    EXPECT_EQ(StatusText(0), L"2 file(s)");
}

TEST_F(TFFindTest, AFolderWhoseEntriesAllFailTheCriteriaHoldsNoHandle)
{
    AddDeleted("A", "ONE.TXT", kAlice);
    AddDeleted("A", "TWO.TXT", kAlice);
    AddDeleted("B", "THREE.TXT", kBob);
    TFFind& find = Begin();
    SetWindowTextW(find.EDeleted(), L"BOB*");
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"THREE.TXT@F:\\B\\"});
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "only B's rows hold a handle";
    SetWindowTextW(find.EDeleted(), L"NOBODY");
    find.BFindClick();
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(0), L"0 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_GE(NWSimCallCount("NWScanForDeletedFiles"), 2u);
    // The same count once more: the new search shows it again in the panel that it emptied.
    find.BFindClick();
    EXPECT_EQ(StatusText(0), L"0 file(s)");
}

TEST_F(TFFindTest, StopKeepsTheRowsFoundSoFarWithTheirCount)
{
    for (int i = 0; i < 30; ++i)
        AddDeleted("MANY", "FILE" + std::to_string(100 + i) + ".TXT");
    AddDeleted("MANY\\BELOW", "LATER.TXT");
    TFFind& find = Begin(L"F:\\MANY");
    // The first round is for the folder; from the second on, one per kept entry.
    pumpScript_ = [&] {
        if (pumped_ == 11)
            Click(find.BStop());
    };
    find.BFindClick();
    EXPECT_EQ(pumped_, 11);
    EXPECT_EQ(List().Count(), 9u);
    EXPECT_EQ(StatusText(0), L"9 file(s)");
    EXPECT_TRUE(find.StopRequested());
    EXPECT_FALSE(find.Searching());
    EXPECT_FALSE(Enabled(find.BStop()));
    EXPECT_TRUE(Enabled(find.BFind()));
    const std::set<std::wstring> hits = Hits();
    EXPECT_EQ(std::count_if(hits.begin(), hits.end(),
                            [](const std::wstring& hit) { return hit.find(L"LATER") != std::wstring::npos; }),
              0)
        << "the subfolder is not entered after Stop";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the kept rows hold their folder's handle";

    // Stop while a folder is only being shown: it is not scanned.
    pumped_ = 0;
    pumpScript_ = [&] { Click(find.BStop()); };
    find.BFindClick();
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(pumped_, 1);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
}

TEST_F(TFFindTest, NewSearchResetsTheCriteriaButKeepsLookInAndTheCheckBoxes)
{
    AddDeleted("A", "ONE.TXT");
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 1u);
    const int expandedHeight = WindowHeight(find.Handle());
    EXPECT_EQ(expandedHeight, TFFind::kDesignHeight) << "the list takes its designed height";
    SetWindowTextW(find.EName(), L"*.DOC");
    SetWindowTextW(find.EDeleted(), L"BOB*");
    SetWindowTextW(find.EOwner(), L"ALICE*");
    SYSTEMTIME day{};
    day.wYear = 2025;
    day.wMonth = 4;
    day.wDay = 5;
    DateTime_SetSystemtime(find.DDeleted(), GDT_VALID, &day);
    Click(find.RLess());
    Click(find.CInclude());
    Click(find.CInclude_Hidden());

    Click(find.BNew());
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
    EXPECT_FALSE(find.Expanded());
    EXPECT_EQ(WindowHeight(find.Handle()), TFFind::kCollapsedHeight);
    EXPECT_EQ(StatusText(0), L"");
    EXPECT_EQ(WindowText(find.EName()), L"");
    EXPECT_EQ(WindowText(find.EDeleted()), L"");
    EXPECT_EQ(WindowText(find.EOwner()), L"");
    EXPECT_EQ(find.Criteria().Date, nw::Today());
    EXPECT_TRUE(Checked(find.RNone()));
    EXPECT_FALSE(Checked(find.RLess()));
    EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\A");
    EXPECT_FALSE(Checked(find.CInclude()));
    EXPECT_FALSE(Checked(find.CInclude_Hidden()));

    // Expanding again gives the list its height back, every time.
    find.BFindClick();
    EXPECT_EQ(WindowHeight(find.Handle()), expandedHeight);
    find.BNewClick();
    find.BFindClick();
    EXPECT_EQ(WindowHeight(find.Handle()), expandedHeight);
}

TEST_F(TFFindTest, EnterAndCtrlAActWhereTheKeyboardIs)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    SendMessageW(find.EName(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(find.EName(), WM_CHAR, VK_RETURN, 1);
    EXPECT_EQ(List().Count(), 2u);
    EXPECT_EQ(WindowText(find.EName()), L"") << "the key is not typed into the field";

    // In the hits Enter shows the focused one; on a check box it does nothing; in Deleted By it searches.
    const auto scans = [] { return NWSimCallCount("NWAllocTemporaryDirectoryHandle"); };
    const uint32_t before = scans();
    ListView_SetItemState(List().Handle(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
    std::wstring shown;
    Modals().ExpectDialog(L"Properties", [&](HWND) {
        shown = WindowText(properties_.LName());
        return static_cast<INT_PTR>(IDOK);
    });
    EXPECT_TRUE(KeyInForm(find, List().Handle(), VK_RETURN));
    EXPECT_EQ(shown, List().Row(1).caption);
    EXPECT_TRUE(KeyInForm(find, find.CInclude(), VK_RETURN));
    EXPECT_EQ(scans(), before) << "no search from the list or a check box";
    EXPECT_EQ(List().Count(), 2u);
    EXPECT_TRUE(KeyInForm(find, find.EDeleted(), VK_RETURN));
    EXPECT_GT(scans(), before) << "Enter in a criterion searches";
    EXPECT_TRUE(Modals().AllAnswered()) << Modals().Pending();

    // Ctrl+A in an edit field selects its text; elsewhere it selects every hit.
    ASSERT_EQ(List().Count(), 2u);
    SetWindowTextW(find.EDeleted(), L"ALICE");
    SendMessageW(find.EDeleted(), EM_SETSEL, 0, 0);
    BYTE keys[256] = {};
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(KeyInForm(find, find.EDeleted(), 'A'));
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(find.EDeleted(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(List().SelectedCount(), 0u);
    EXPECT_TRUE(KeyInForm(find, List().Handle(), 'A'));
    EXPECT_EQ(List().SelectedCount(), 2u);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);

    // Alt+Enter shows the first selected hit, a double-click the one clicked.
    List().SetSelected(0, false);
    std::vector<std::wstring> shownNames;
    const auto expectProperties = [&] {
        Modals().ExpectDialog(L"Properties", [&](HWND) {
            shownNames.push_back(WindowText(properties_.LName()));
            return static_cast<INT_PTR>(IDOK);
        });
    };
    expectProperties();
    EXPECT_TRUE(KeyInForm(find, List().Handle(), VK_RETURN, WM_SYSKEYDOWN));
    expectProperties();
    RECT row{};
    ListView_GetItemRect(List().Handle(), 0, &row, LVIR_LABEL);
    SendMessageW(List().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 4, row.top + 2));
    EXPECT_EQ(shownNames, (std::vector<std::wstring>{List().Row(1).caption, List().Row(0).caption}));

    // Find Now and Stop go grey in turn: after a search the keyboard is in the hits, or with none in Named.
    SetWindowTextW(find.EDeleted(), L"");
    SetForegroundWindow(find.Handle());
    SetFocus(find.BFind());
    find.BFindClick();
    ASSERT_EQ(List().Count(), 2u);
    EXPECT_EQ(GetFocus(), List().Handle());
    SetWindowTextW(find.EName(), L"NOTHING.*");
    SetFocus(find.BFind());
    find.BFindClick();
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(GetFocus(), find.EName());
}

TEST_F(TFFindTest, WithoutASelectionTheCommandsAreOffAndTheListHasNoMenu)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 2u);
    // No pop-up menu is expected: one would fail the test.
    SendMessageW(find.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().Handle()),
                 MAKELPARAM(-1, -1));
    EXPECT_FALSE(find.PopFindAttached());
    EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMPurge));
    EXPECT_FALSE(MenuEnabled(TFFind::cmMProperties));
    // Properties without a selection opens nothing.
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMProperties, 0), 0);

    List().SetSelected(1, true);
    EXPECT_TRUE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_TRUE(MenuEnabled(TFFind::cmMPurge));
    EXPECT_TRUE(MenuEnabled(TFFind::cmMProperties));
    EXPECT_TRUE(find.PopFindAttached());
    // The pop-up's Properties shows the row with the folder it was found in.
    std::wstring name;
    std::wstring location;
    Modals().ExpectPopupMenu([](HMENU) { return static_cast<UINT>(TFFind::cmPMProperties); });
    Modals().ExpectDialog(L"Properties", [&](HWND) {
        name = WindowText(properties_.LName());
        location = WindowText(properties_.LLocation());
        return static_cast<INT_PTR>(IDOK);
    });
    SendMessageW(find.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().Handle()),
                 MAKELPARAM(-1, -1));
    EXPECT_EQ(name, L"TWO.TXT");
    EXPECT_EQ(location, L"F:\\A\\");

    List().SetSelected(1, false);
    EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove));
    EXPECT_FALSE(find.PopFindAttached());

    // A new search, and a cleared result list, leave nothing selected.
    for (const bool cleared : {false, true})
    {
        List().SetSelected(0, true);
        ASSERT_TRUE(MenuEnabled(TFFind::cmMPurge));
        if (cleared)
            find.BNewClick();
        else
            find.BFindClick();
        EXPECT_FALSE(MenuEnabled(TFFind::cmMRetrove) || MenuEnabled(TFFind::cmMPurge) ||
                     MenuEnabled(TFFind::cmMProperties))
            << (cleared ? "cleared" : "searched again");
        EXPECT_FALSE(find.PopFindAttached());
    }
}

TEST_F(TFFindTest, SelectAllAndInvertSelectionActOnEveryRow)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A", "TWO.TXT");
    AddDeleted("A", "THREE.TXT");
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 3u);
    List().SetSelected(0, true);
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMInvertSelection, 0), 0);
    EXPECT_EQ(List().SelectedRows(), (std::vector<size_t>{1, 2}));
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMSelectAll, 0), 0);
    EXPECT_EQ(List().SelectedCount(), 3u);
}

TEST_F(TFFindTest, TheViewItemsAreOneRadioGroupThatSetsTheListStyle)
{
    TFFind& find = Begin();
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMList, 0), 0);
    EXPECT_TRUE(MenuChecked(TFFind::cmMList));
    EXPECT_FALSE(MenuChecked(TFFind::cmMDetails));
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsList);
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMLargeIcons, 0), 0);
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsIcon);
    EXPECT_FALSE(MenuChecked(TFFind::cmMList));
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMSmallIcons, 0), 0);
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsSmallIcon);
    SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMDetails, 0), 0);
    EXPECT_EQ(List().ViewStyle(), TViewStyle::vsReport);
}

TEST_F(TFFindTest, ClosingStoresThePlacementAndTheViewChecksWhichComeBack)
{
    TFFind& find = Begin();
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND window) {
        EXPECT_EQ(window, find.Handle());
        SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMSmallIcons, 0), 0);
        SendMessageW(find.Handle(), WM_COMMAND, MAKEWPARAM(TFFind::cmMClose, 0), 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find.Execute();
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MSmallIcons_Checked"), L"True");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MDetails_Checked"), L"False");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MLargeIcons_Checked"), L"False");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"MList_Checked"), L"False");
    bool found = false;
    TRegistrySandbox::Value(kSection, L"NormPos", &found);
    EXPECT_TRUE(found);

    // The next window of the next run shows the stored view.
    find_.reset();
    find_ = std::make_unique<TFFind>(TestOwnerWindow());
    EXPECT_TRUE(TRegistrySandbox::Value(kSection + std::wstring(L"\\Columns"), L"Order").size() > 0)
        << "the list wrote its column layout as its window went";
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND) {
        EXPECT_TRUE(MenuChecked(TFFind::cmMSmallIcons));
        EXPECT_FALSE(MenuChecked(TFFind::cmMDetails));
        EXPECT_EQ(List().ViewStyle(), TViewStyle::vsSmallIcon);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find_->Execute();
}

TEST_F(TFFindTest, ReopeningShowsAnEmptyCollapsedWindowWithTheDefaultCriteriaAndTheNewFolder)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND) {
        SetWindowTextW(find.EName(), L"ONE*");
        // The stand-in deletes on 30 November 2026 unless told otherwise.
        SYSTEMTIME day{};
        day.wYear = 2026;
        day.wMonth = 11;
        day.wDay = 30;
        DateTime_SetSystemtime(find.DDeleted(), GDT_VALID, &day);
        Click(find.RExactly());
        Click(find.BFind());
        EXPECT_EQ(List().Count(), 1u);
        SendMessageW(find.Handle(), WM_CLOSE, 0, 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find.Execute();
    EXPECT_EQ(List().Count(), 1u) << "the results stay after closing";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u);

    LookIn(L"F:\\B");
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND) {
        EXPECT_EQ(List().Count(), 0u);
        EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u) << "the old rows' handle went with them";
        EXPECT_FALSE(find.Expanded());
        EXPECT_EQ(WindowHeight(find.Handle()), TFFind::kCollapsedHeight);
        EXPECT_EQ(WindowText(find.EName()), L"");
        EXPECT_TRUE(Checked(find.RNone()));
        EXPECT_FALSE(Enabled(find.BStop()));
        EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\B");
        Click(find.BFind());
        EXPECT_EQ(Hits(), std::set<std::wstring>{L"TWO.TXT@F:\\B\\"});
        return static_cast<INT_PTR>(IDCANCEL);
    });
    find.Execute();
}

TEST_F(TFFindTest, ClosingOrNewSearchDuringASearchStopsItFirst)
{
    for (int i = 0; i < 5; ++i)
        AddDeleted("A", "FILE" + std::to_string(i) + ".TXT");
    TFFind& find = Begin(L"F:\\A");
    pumpScript_ = [&] {
        if (pumped_ == 3)
            Click(find.BNew());
    };
    find.BFindClick();
    EXPECT_FALSE(find.Searching());
    EXPECT_EQ(List().Count(), 0u) << "New Search emptied the list once the search had stopped";
    EXPECT_FALSE(find.Expanded());
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);

    pumped_ = 0;
    pumpScript_ = [&] {
        if (pumped_ == 3)
            SendMessageW(find.Handle(), WM_CLOSE, 0, 0);
    };
    find.BFindClick();
    EXPECT_EQ(pumped_, 3) << "the search stopped at once";
    EXPECT_EQ(List().Count(), 1u) << "the rows found so far stay";
    MSG close{};
    EXPECT_TRUE(PeekMessageW(&close, find.Handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE))
        << "the window closes once the search has stopped";
}

TEST_F(TFFindTest, BrowseMakesTheChosenFolderTheLookInFolder)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("A\\DEEP", "TWO.TXT");
    TFFind& find = Begin(L"F:\\A");
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        const HWND tree = GetDlgItem(window, TPTFolderBrowseDlg::kTreeId);
        HTREEITEM start = TreeView_GetSelection(tree);
        EXPECT_EQ(TreeNodeText(tree, start), L"A") << "the tree starts at the Look-in folder";
        TreeView_Expand(tree, start, TVE_EXPAND);
        HTREEITEM deep = TreeView_GetChild(tree, start);
        while (deep != nullptr && TreeNodeText(tree, deep) != L"DEEP")
            deep = TreeView_GetNextSibling(tree, deep);
        EXPECT_NE(deep, nullptr);
        TreeView_SelectItem(tree, deep);
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        return static_cast<INT_PTR>(IDOK);
    });
    Click(find.BBrowse());
    EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\A\\DEEP");
    Click(find.CInclude());
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"TWO.TXT@F:\\A\\DEEP\\"});

    // Cancel leaves it.
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        const HWND tree = GetDlgItem(window, TPTFolderBrowseDlg::kTreeId);
        TreeView_SelectItem(tree, TreeView_GetRoot(tree));
        SendMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    Click(find.BBrowse());
    EXPECT_EQ(find.SLook_In().Location().Path(), L"F:\\A\\DEEP");
}

TEST_F(TFFindTest, TheSelectButtonsPutThePickedUserIntoTheirField)
{
    TFFind& find = Begin();
    bool useNDS = true;
    bool useBindery = true;
    TFBrowseDirectory picker(TestOwnerWindow(), nullptr, useNDS, useBindery);
    find.SetUserPicker(&picker);
    const auto expectPick = [&](const std::wstring& user, bool ok) {
        Modals().ExpectDialog(L"Select from Directory", [&picker, user, ok](HWND) -> INT_PTR {
            HWND tree = picker.Bindery1();
            for (HTREEITEM node = TreeView_GetChild(tree, TreeView_GetRoot(tree)); node != nullptr;
                 node = TreeView_GetNextSibling(tree, node))
                if (TreeNodeText(tree, node) == user)
                    TreeView_SelectItem(tree, node);
            Click(ok ? picker.BOK() : picker.BCancel());
            return ok ? IDOK : IDCANCEL;
        });
    };
    expectPick(L"JSMITH", true);
    Click(find.BSelect_Deleted());
    EXPECT_EQ(WindowText(find.EDeleted()), L"JSMITH*");
    EXPECT_EQ(WindowText(find.EOwner()), L"");
    expectPick(L"KLEE", true);
    Click(find.BSelect_Owner());
    EXPECT_EQ(WindowText(find.EOwner()), L"KLEE*");
    expectPick(L"JSMITH", false);
    Click(find.BSelect_Owner());
    EXPECT_EQ(WindowText(find.EOwner()), L"KLEE*") << "Cancel leaves the field";
    EXPECT_EQ(find.Criteria().DeletedByPattern, "JSMITH*");
}

TEST_F(TFFindTest, RetroveBringsEachHitBackIntoTheFolderItWasFoundIn)
{
    AddDeleted("A", "report.txt");
    AddDeleted("B\\DEEP", "report.txt");
    AddDeleted("B", "KEEP.TXT");
    TFFind& find = Begin();
    find.BFindClick();
    ASSERT_EQ(List().Count(), 3u);
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) == L"report.txt");
    Command(TFFind::cmMRetrove);
    EXPECT_TRUE(Modals().Shown().empty());
    EXPECT_TRUE(std::filesystem::exists(LiveFile("A", "REPORT.TXT"))) << "upper-cased by the option";
    EXPECT_TRUE(std::filesystem::exists(LiveFile("B\\DEEP", "REPORT.TXT")));
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"KEEP.TXT@F:\\B\\"});
    EXPECT_EQ(StatusText(0), L"1 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "the recovered folders' handles went with their last rows";
    EXPECT_FALSE(IsWindowVisible(actionMessage_.Handle()));

    // Without Upper Case the name comes back as listed, from the pop-up menu too.
    AddDeleted("C", "memo.txt");
    options_.UpperCase = false;
    find.BFindClick();
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) == L"memo.txt");
    Modals().ExpectPopupMenu([](HMENU) { return static_cast<UINT>(TFFind::cmPMRetrove); });
    SendMessageW(find.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().Handle()),
                 MAKELPARAM(-1, -1));
    EXPECT_EQ(Content(LiveFile("C", "memo.txt")), "content");
    EXPECT_EQ(NWSimLastText("NWRecoverDeletedFile"), std::string("memo.txt|memo.txt"));
}

TEST_F(TFFindTest, RetroveWithSkipAndAnExistingFileLeavesTheRowSilently)
{
    AddDeleted("A", "ONE.TXT");
    {
        FILE* out = _wfopen(LiveFile("A", "ONE.TXT").c_str(), L"wb");
        ASSERT_NE(out, nullptr);
        fputs("the new one", out);
        fclose(out);
    }
    TFFind& find = Begin(L"F:\\A");
    find.BFindClick();
    ASSERT_EQ(List().Count(), 1u);
    List().SetSelected(0, true);
    options_.Conflict = TNameConflictPolicy::ncpSkip;
    // No box or dialog is expected: one would fail the test.
    Command(TFFind::cmMRetrove);
    EXPECT_EQ(List().Count(), 1u);
    EXPECT_EQ(List().SelectedCount(), 1u) << "the skipped row stays selected";
    EXPECT_EQ(Content(LiveFile("A", "ONE.TXT")), "the new one");
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), 0u);

    // With Rename the dialog asks, and the entry comes back under the name given.
    options_.Conflict = TNameConflictPolicy::ncpRename;
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        EXPECT_EQ(WindowText(rename_.EFilename()), L"ONE.TXT");
        SetWindowTextW(rename_.EFilename(), L"older.txt");
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Command(TFFind::cmMRetrove);
    EXPECT_EQ(Content(LiveFile("A", "OLDER.TXT")), "content");
    EXPECT_EQ(Content(LiveFile("A", "ONE.TXT")), "the new one");
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(StatusText(0), L"0 file(s)");
}

TEST_F(TFFindTest, ARefusedRecoveryIsNamedAndItsRowStays)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    TFFind& find = Begin();
    find.BFindClick();
    List().SelectAll();
    // From the last row to the first: TWO, then ONE, which the server refuses.
    NWSimFailCalls("NWRecoverDeletedFile", 0x8984, 2, 1);
    Modals().ExpectMessageBox(L"Unable to Retrove ONE.TXT", IDOK);
    Command(TFFind::cmMRetrove);
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"ONE.TXT@F:\\A\\"});
    EXPECT_TRUE(std::filesystem::exists(LiveFile("B", "TWO.TXT")));
    EXPECT_FALSE(std::filesystem::exists(LiveFile("A", "ONE.TXT")));
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Retrove 98");
    EXPECT_EQ(StatusText(0), L"1 file(s)");
}

TEST_F(TFFindTest, PurgeAnsweredNoChangesNothingAndYesErasesTheSelectedHits)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    AddDeleted("B", "THREE.TXT");
    TFFind& find = Begin();
    find.BFindClick();
    ASSERT_EQ(List().Count(), 3u);
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) != L"THREE.TXT");
    // Delete in the hits is F9.
    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDNO);
    EXPECT_TRUE(KeyInForm(find, List().Handle(), VK_DELETE));
    EXPECT_EQ(List().Count(), 3u);
    EXPECT_EQ(List().SelectedCount(), 2u);
    EXPECT_EQ(NWSimCallCount("NWPurgeDeletedFile"), 0u);
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Confirm");
    EXPECT_EQ(Modals().ShownLooks()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));

    Modals().ExpectMessageBox(L"Permanently purge 2 file(s)?", IDYES);
    Command(TFFind::cmMPurge);
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"THREE.TXT@F:\\B\\"});
    EXPECT_EQ(StatusText(0), L"1 file(s)");
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 1u) << "A's handle went with its last row";
    find.BFindClick();
    EXPECT_EQ(Hits(), std::set<std::wstring>{L"THREE.TXT@F:\\B\\"}) << "the server no longer holds them";
    EXPECT_FALSE(std::filesystem::exists(LiveFile("A", "ONE.TXT")));
}

TEST_F(TFFindTest, RetroveWaitsForTheFolderScanAndASearchWaitsForRetrove)
{
    AddDeleted("A", "ONE.TXT");
    AddDeleted("B", "TWO.TXT");
    AddDeleted("B", "THREE.TXT");
    TFFind& find = Begin();
    bool tried = false;
    pumpScript_ = [&] {
        // Inside B's scan, with A's row already listed.
        if (find.ScanInProgress() && List().Count() == 1 && !tried)
        {
            tried = true;
            List().SetSelected(0, true);
            Command(TFFind::cmMRetrove);
        }
    };
    find.BFindClick();
    EXPECT_TRUE(tried);
    EXPECT_EQ(NWSimCallCount("NWRecoverDeletedFile"), 0u);
    EXPECT_EQ(List().Count(), 3u);

    // A search asked for while the rename dialog is up does not take the rows away.
    pumpScript_ = nullptr;
    for (size_t row = 0; row < List().Count(); ++row)
        List().SetSelected(row, List().CellText(row, 0) == L"TWO.TXT");
    FILE* out = _wfopen(LiveFile("B", "TWO.TXT").c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    fclose(out);
    Modals().ExpectDialog(L"Rename", [&](HWND) -> INT_PTR {
        Click(find.BFind());
        Click(find.BNew());
        EXPECT_EQ(List().Count(), 3u);
        SetWindowTextW(rename_.EFilename(), L"TWO.OLD");
        SendMessageW(rename_.BOK(), BM_CLICK, 0, 0);
        return IDOK;
    });
    Command(TFFind::cmMRetrove);
    EXPECT_TRUE(std::filesystem::exists(LiveFile("B", "TWO.OLD")));
    EXPECT_EQ(List().Count(), 2u);
    EXPECT_TRUE(find.Expanded());
}
