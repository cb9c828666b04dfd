// Form storage: placement and state, stored properties of every kind, and what garbage in the registry does.
#include "TFormStorage.h"
#include "TExtListView.h"
#include "TGuiTest.h"
#include "TRegistrySandbox.h"
#include "TSubclass.h"

#include <commctrl.h>

namespace
{

constexpr wchar_t kSection[] = L"Software\\Tarvex\\Retrove";

std::wstring Suffix()
{
    return L"(" + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" +
           std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L")";
}

// A form with a storage like the program's, and a few properties of each kind.
class TStoredForm
{
public:
    explicit TStoredForm(DWORD style = WS_OVERLAPPEDWINDOW)
    {
        form = CreateWindowExW(0, L"RetroveTestFrame", L"Stored", style, 100, 80, 400, 300, TestOwnerWindow(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        storage = std::make_unique<TFormStorage>(form);
        storage->IniFileName = L"Software";
        storage->IniSection = L"Tarvex\\Retrove";
        storage->StoredProps = {
            stored::Integer(
                L"SplitMain.Position", [this] { return position; }, [this](int value) { position = value; }),
            stored::Boolean(
                L"BDetails.Down", [this] { return down; }, [this](bool value) { down = value; }),
            stored::Enumeration(
                L"ExplorerList.ViewStyle", {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"},
                [this] { return view; }, [this](int value) { view = value; }),
            stored::Set(
                L"Find.Options", {L"foCase", L"foWhole", L"foUp"}, [this] { return options; },
                [this](uint32_t value) { options = value; }),
            stored::Character(
                L"Mask.Char", [this] { return mask; }, [this](wchar_t value) { mask = value; }),
            stored::String(
                L"Title.Text", [this] { return title; }, [this](std::wstring value) { title = value; }),
        };
    }
    ~TStoredForm() { DestroyWindow(form); }

    void Show()
    {
        storage->FormShow();
        ShowWindow(form, SW_SHOWNA);
    }
    void Close() { storage->FormCloseQuery(true); }
    void Destroy()
    {
        storage->FormDestroy();
        DestroyWindow(form);
        form = nullptr;
    }
    RECT NormalPosition() const
    {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(form, &placement);
        return placement.rcNormalPosition;
    }

    HWND form = nullptr;
    std::unique_ptr<TFormStorage> storage;
    int position = 162;
    bool down = true;
    int view = 3;
    uint32_t options = 0;
    wchar_t mask = L'*';
    std::wstring title = L"designed";
};

} // namespace

class TFormStorageTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        CreateTestFrame(L"registers the frame class", 10, 10);
    }
    TRegistrySandbox sandbox_;
};

TEST_F(TFormStorageTest, AFormNeverShownWritesNothing)
{
    TStoredForm form;
    form.Close();
    form.Destroy();
    EXPECT_TRUE(TRegistrySandbox::ValueNames(kSection).empty());
}

TEST_F(TFormStorageTest, ThePlacementIsWrittenWithAndWithoutTheScreenSize)
{
    TStoredForm form;
    form.Show();
    SetWindowPos(form.form, nullptr, 120, 90, 500, 350, SWP_NOZORDER | SWP_NOACTIVATE);
    form.Close();
    const std::wstring normal = TRegistrySandbox::Value(kSection, L"NormPos");
    EXPECT_EQ(normal, L"120,90,620,440");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"NormPos" + Suffix()), normal);
    bool found = false;
    TRegistrySandbox::Value(kSection, L"MinMaxPos" + Suffix(), &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"ShowCmd"), L"1");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Visible"), L"0") << "written on close";
    TRegistrySandbox::Value(kSection, L"Flags", &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"SplitMain_Position"), L"162");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"BDetails_Down"), L"True");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"ExplorerList_ViewStyle"), L"vsReport");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Find_Options"), L"[]");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Mask_Char"), L"*");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Title_Text"), L"designed");

    TStoredForm again;
    again.Show();
    const RECT restored = again.NormalPosition();
    EXPECT_EQ(restored.left, 120);
    EXPECT_EQ(restored.right, 620);
}

TEST_F(TFormStorageTest, AMaximizedFormComesBackMaximized)
{
    {
        TStoredForm form;
        form.Show();
        ShowWindow(form.form, SW_MAXIMIZE);
        form.Destroy();
        EXPECT_EQ(TRegistrySandbox::Value(kSection, L"ShowCmd"), L"3");
        EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Visible"), L"1") << "written as the form was destroyed";
    }
    TStoredForm again;
    again.Show();
    EXPECT_TRUE(IsZoomed(again.form));
}

TEST_F(TFormStorageTest, AnotherScreenSizeFallsBackToThePlainPosition)
{
    TRegistrySandbox::SetValue(kSection, L"NormPos", L"50,60,450,360");
    TRegistrySandbox::SetValue(kSection, L"NormPos(9999x9999)", L"0,0,10,10");
    TStoredForm form;
    form.Show();
    const RECT restored = form.NormalPosition();
    EXPECT_EQ(restored.left, 50);
    EXPECT_EQ(restored.bottom, 360);
    TRegistrySandbox::SetValue(kSection, L"NormPos" + Suffix(), L"70,80,470,380");
    TStoredForm sized;
    sized.Show();
    EXPECT_EQ(sized.NormalPosition().left, 70) << "the value for this screen size comes first";
}

TEST_F(TFormStorageTest, AFixedBorderFormKeepsItsSizeAndAFormOffScreenComesBack)
{
    TRegistrySandbox::SetValue(kSection, L"NormPos", L"30,40,930,940");
    TStoredForm fixed(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    fixed.Show();
    RECT restored = fixed.NormalPosition();
    EXPECT_EQ(restored.left, 30);
    EXPECT_EQ(restored.right - restored.left, 400) << "its own width";
    EXPECT_EQ(restored.bottom - restored.top, 300);

    TRegistrySandbox::SetValue(kSection, L"NormPos", L"-30000,-30000,-29600,-29700");
    TStoredForm lost;
    lost.Show();
    restored = lost.NormalPosition();
    EXPECT_NE(MonitorFromRect(&restored, MONITOR_DEFAULTTONULL), nullptr) << "pulled onto a monitor";
    EXPECT_EQ(restored.right - restored.left, 400);

    // Partly off the work area: moved wholly onto it, caption and close box with it. Larger than the work
    // area, or not four numbers: the design placement.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&restored, MONITOR_DEFAULTTONEAREST), &monitor);
    TRegistrySandbox::SetValue(kSection, L"NormPos", L"-200,100,300,400");
    TStoredForm partly;
    partly.Show();
    restored = partly.NormalPosition();
    EXPECT_EQ(restored.left, monitor.rcWork.left);
    EXPECT_EQ(restored.right - restored.left, 500);
    EXPECT_EQ(restored.top, 100);
    const RECT design{100, 80, 500, 380};
    for (const wchar_t* stored : {L"-5000,0,100,600", L"1,2,3", L"0,0,30000,400"})
    {
        TRegistrySandbox::SetValue(kSection, L"NormPos", stored);
        TStoredForm form;
        form.Show();
        restored = form.NormalPosition();
        EXPECT_TRUE(EqualRect(&restored, &design))
            << Narrow(stored) << ": " << restored.left << "," << restored.top << "," << restored.right << ","
            << restored.bottom;
    }
}

TEST_F(TFormStorageTest, StoredPropertiesRoundTripAndBadValuesLeaveTheDesign)
{
    {
        TStoredForm form;
        form.Show();
        form.position = 240;
        form.down = false;
        form.view = 1;
        form.options = 0b101;
        form.mask = L'#';
        form.title = L"  changed  ";
        form.Close();
        EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Find_Options"), L"[foCase,foUp]");
        EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Title_Text"), L"changed") << "trimmed";
    }
    TStoredForm again;
    again.Show();
    EXPECT_EQ(again.position, 240);
    EXPECT_FALSE(again.down);
    EXPECT_EQ(again.view, 1);
    EXPECT_EQ(again.options, 0b101u);
    EXPECT_EQ(again.mask, L'#');
    EXPECT_EQ(again.title, L"changed");

    TRegistrySandbox::SetValue(kSection, L"SplitMain_Position", L"wide");
    TRegistrySandbox::SetValue(kSection, L"BDetails_Down", L"maybe");
    TRegistrySandbox::SetValue(kSection, L"ExplorerList_ViewStyle", L"vsTiles");
    TRegistrySandbox::SetValue(kSection, L"Find_Options", L"[foCase,foNever]");
    TRegistrySandbox::SetValue(kSection, L"Mask_Char", L"##");
    TStoredForm designed;
    designed.Show();
    EXPECT_EQ(designed.position, 162);
    EXPECT_TRUE(designed.down);
    EXPECT_EQ(designed.view, 3);
    EXPECT_EQ(designed.options, 0u);
    EXPECT_EQ(designed.mask, L'*');
}

TEST_F(TFormStorageTest, GarbageEverywhereGivesTheDesignedForm)
{
    const std::wstring garbage[] = {
        L"",    L"letters",    L"99999999999999999999999", std::wstring(5000, L','), L"-", L"0x",
        L"1,2", L"3,4,5,6,7,8"};
    for (const std::wstring& value : garbage)
    {
        for (const wchar_t* name :
             {L"Flags", L"ShowCmd", L"MinMaxPos", L"NormPos", L"Visible", L"SplitMain_Position",
              L"BDetails_Down", L"ExplorerList_ViewStyle", L"Find_Options", L"Mask_Char"})
        {
            TRegistrySandbox::SetValue(kSection, name, value);
            TRegistrySandbox::SetValue(kSection, std::wstring(name) + Suffix(), value);
        }
        TStoredForm form;
        form.Show();
        EXPECT_EQ(form.position, 162);
        EXPECT_TRUE(form.down);
        EXPECT_EQ(form.view, 3);
        EXPECT_FALSE(IsZoomed(form.form));
        EXPECT_FALSE(IsIconic(form.form));
    }
}

TEST_F(TFormStorageTest, ADestroyRightAfterACloseWritesNothingMore)
{
    TStoredForm form;
    form.Show();
    form.Close();
    ASSERT_EQ(TRegistrySandbox::Value(kSection, L"Visible"), L"0");
    form.Destroy();
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Visible"), L"0") << "already saved since the last restore";
}

TEST_F(TFormStorageTest, TheProgramsControlsAreRestoredWithoutRunningTheirHandlers)
{
    HWND frame = CreateTestFrame(L"Controls", 400, 300);
    int commands = 0;
    TSubclass counter(frame, [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_COMMAND)
            ++commands;
        return std::nullopt;
    });
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 501, L"&Status Bar");
    SetMenu(frame, menu);
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame,
                                   reinterpret_cast<HMENU>(600), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON button{I_IMAGENONE, 601, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0};
    SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    TExtListView list(frame, 700, RECT{0, 40, 300, 200}, {{L"Name", 100, LVCFMT_LEFT}});

    TRegistrySandbox::SetValue(kSection, L"MStatusBar_Checked", L"True");
    TRegistrySandbox::SetValue(kSection, L"BDetails_Down", L"True");
    TRegistrySandbox::SetValue(kSection, L"Toolbar_Visible", L"False");
    TRegistrySandbox::SetValue(kSection, L"ExplorerList_ViewStyle", L"vsList");
    TFormStorage storage(frame);
    storage.IniFileName = L"Software";
    storage.IniSection = L"Tarvex\\Retrove";
    storage.StoredProps = {stored::MenuChecked(L"MStatusBar.Checked", menu, 501),
                           stored::ToolButtonDown(L"BDetails.Down", toolbar, 601),
                           stored::WindowVisible(L"Toolbar.Visible", toolbar),
                           stored::ListViewStyle(L"ExplorerList.ViewStyle", list)};
    storage.FormShow();
    EXPECT_TRUE(GetMenuState(menu, 501, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 601, 0));
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_EQ(list.ViewStyle(), TViewStyle::vsList);
    PumpMessages();
    EXPECT_EQ(commands, 0) << "no click handler ran";
    storage.FormCloseQuery(true);
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"ExplorerList_ViewStyle"), L"vsList");
    EXPECT_EQ(TRegistrySandbox::Value(kSection, L"Toolbar_Visible"), L"False");
    DestroyWindow(frame);
}
