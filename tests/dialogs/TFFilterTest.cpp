// The filter dialog: its look and defaults, the criteria it gives, the snapshot that Cancel and the close box
// put back, New, Enter as OK, the user picker behind the Select buttons, and its stored placement.
#include "TFFilter.h"
#include "FilterSummary.h"

#include "NWSim.h"
#include "TDialogTest.h"
#include "TNWBase.h"
#include "TRegistrySandbox.h"
#include "TTestWorld.h"
#include "TreeFill.h"
#include "UBrowseDirectory.h"

#include <memory>

namespace
{

constexpr wchar_t kSection[] = L"Software\\Tarvex\\Retrove\\FFilter";

void SetDate(HWND picker, int year, int month, int day)
{
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    DateTime_SetSystemtime(picker, GDT_VALID, &date);
}

} // namespace

class TFFilterTest : public TGuiTest
{
protected:
    // Runs the dialog with a script that drives it while it is shown.
    bool Execute(std::function<void()> script)
    {
        Modals().ExpectDialog(L"Filter Specification", [this, script](HWND window) -> INT_PTR {
            EXPECT_EQ(window, filter_.Handle());
            script();
            return filter_.Accepted() ? IDOK : IDCANCEL;
        });
        return filter_.Execute();
    }

    // Criteria that differ from the defaults in every field.
    void EditEveryField()
    {
        SetWindowTextW(filter_.EFilter(), L"*.DOC");
        SetWindowTextW(filter_.EDeleted(), L"BOB*");
        SetWindowTextW(filter_.EOwner(), L"ALICE*");
        SetDate(filter_.DDeleted(), 2026, 11, 3);
        Click(filter_.RGreater());
    }

    TRegistrySandbox registry_;
    TFFilter filter_{TestOwnerWindow()};
};

TEST_F(TFFilterTest, IsAFixedDialogOfItsSizeWithItsControlsAndTheDefaults)
{
    EXPECT_EQ(filter_.Caption(), L"Filter Specification");
    const SIZE client = ClientSize(filter_.Handle());
    EXPECT_EQ(client.cx, 339);
    EXPECT_EQ(client.cy, 353);
    EXPECT_TRUE(HasStyle(filter_.Handle(), WS_SYSMENU));
    EXPECT_FALSE(HasStyle(filter_.Handle(), WS_THICKFRAME));
    EXPECT_FALSE(HasStyle(filter_.Handle(), WS_MINIMIZEBOX));
    EXPECT_EQ(WindowText(filter_.LMsg()),
              L"Filter deleted files using the following &wildcard specification.");
    EXPECT_EQ(WindowText(filter_.BSelect_Deleted()), L"&Select...");
    EXPECT_EQ(WindowText(filter_.BSelect_Owner()), L"Selec&t...");
    EXPECT_EQ(WindowText(filter_.RNone()), L"Non&e");
    EXPECT_EQ(WindowText(filter_.RExactly()), L"E&xactly");
    EXPECT_EQ(WindowText(filter_.RGreater()), L"&Greater than or equal to");
    EXPECT_EQ(WindowText(filter_.RLess()), L"&Less than or equal to");
    const std::vector<std::string> clashes = AccessKeyClashes(filter_.Handle());
    EXPECT_TRUE(clashes.empty()) << "access keys claimed twice: " << testing::PrintToString(clashes);
    EXPECT_EQ(WindowText(filter_.BNew()), L"&New");
    EXPECT_EQ(WindowText(filter_.BOK()), L"&OK");
    EXPECT_EQ(WindowText(filter_.BCancel()), L"&Cancel");
    wchar_t dateClass[64] = {};
    GetClassNameW(filter_.DDeleted(), dateClass, 64);
    EXPECT_STREQ(dateClass, DATETIMEPICK_CLASSW);

    EXPECT_EQ(WindowText(filter_.EFilter()), L"*.*");
    EXPECT_EQ(WindowText(filter_.EDeleted()), L"");
    EXPECT_EQ(WindowText(filter_.EOwner()), L"");
    EXPECT_TRUE(Checked(filter_.RNone()));
    const TFilterCriteria criteria = filter_.Criteria();
    EXPECT_EQ(criteria.NamePattern, "*.*");
    EXPECT_EQ(criteria.DateTest, TDateTest::dtNone);
    EXPECT_EQ(criteria.Date, nw::Today());
}

TEST_F(TFFilterTest, OkKeepsTheEditedCriteriaInForce)
{
    EXPECT_TRUE(Execute([&] {
        EXPECT_EQ(GetFocus(), filter_.EFilter());
        EditEveryField();
        Click(filter_.BOK());
    }));
    const TFilterCriteria criteria = filter_.Criteria();
    EXPECT_EQ(criteria.NamePattern, "*.DOC");
    EXPECT_EQ(criteria.DeletedByPattern, "BOB*");
    EXPECT_EQ(criteria.OwnerPattern, "ALICE*");
    EXPECT_EQ(criteria.DateTest, TDateTest::dtGreaterOrEqual);
    EXPECT_EQ(criteria.Date, nw::EncodeDate(2026, 11, 3));
    EXPECT_FALSE(Checked(filter_.RNone())) << "one radio group";
    // The status bar's text of them: every test in force, the day in the user's short date format.
    wchar_t day[80] = {};
    const SYSTEMTIME third{2026, 11, 0, 3};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &third, nullptr, day, 80);
    EXPECT_EQ(FilterSummary(criteria),
              std::wstring(L"*.DOC, deleted by BOB*, owned by ALICE*, on or after ") + day);
}

TEST_F(TFFilterTest, CancelAndThenTheCloseBoxBringBackTheCriteriaShownBefore)
{
    EXPECT_TRUE(Execute([&] {
        SetWindowTextW(filter_.EFilter(), L"REPORT*");
        EXPECT_FALSE(IsWindowEnabled(filter_.DDeleted())) << "no date test, no date to give";
        Click(filter_.RLess());
        EXPECT_TRUE(IsWindowEnabled(filter_.DDeleted()));
        Click(filter_.BOK());
    }));
    const TFilterCriteria accepted = filter_.Criteria();

    EXPECT_FALSE(Execute([&] {
        EditEveryField();
        Click(filter_.BCancel());
    }));
    EXPECT_FALSE(Execute([&] {
        EXPECT_EQ(WindowText(filter_.EFilter()), L"REPORT*")
            << "the next show displays the previous criteria";
        EXPECT_TRUE(Checked(filter_.RLess()));
        EXPECT_FALSE(Checked(filter_.RGreater()));
        EXPECT_TRUE(IsWindowEnabled(filter_.DDeleted()));
        EditEveryField();
        Click(filter_.RNone());
        EXPECT_FALSE(IsWindowEnabled(filter_.DDeleted()));
        Click(filter_.RExactly());
        SendMessageW(filter_.Handle(), WM_CLOSE, 0, 0);
    }));
    const TFilterCriteria after = filter_.Criteria();
    EXPECT_EQ(after.NamePattern, accepted.NamePattern);
    EXPECT_EQ(after.DeletedByPattern, "");
    EXPECT_EQ(after.OwnerPattern, "");
    EXPECT_EQ(after.DateTest, TDateTest::dtLessOrEqual);
    EXPECT_EQ(after.Date, accepted.Date);
}

TEST_F(TFFilterTest, NewThenOkGivesTheDefaults)
{
    EXPECT_TRUE(Execute([&] {
        EditEveryField();
        Click(filter_.BOK());
    }));
    EXPECT_TRUE(Execute([&] {
        Click(filter_.BNew());
        Click(filter_.BOK());
    }));
    const TFilterCriteria criteria = filter_.Criteria();
    EXPECT_EQ(criteria.NamePattern, "*.*");
    EXPECT_EQ(criteria.DeletedByPattern, "");
    EXPECT_EQ(criteria.OwnerPattern, "");
    EXPECT_EQ(criteria.DateTest, TDateTest::dtNone);
    EXPECT_EQ(criteria.Date, nw::Today());
    EXPECT_TRUE(Checked(filter_.RNone()));
    EXPECT_FALSE(Checked(filter_.RGreater()));
    EXPECT_EQ(FilterSummary(criteria), L"") << "the defaults narrow nothing";
}

TEST_F(TFFilterTest, NewThenCancelKeepsTheCriteriaInForce)
{
    EXPECT_TRUE(Execute([&] {
        EditEveryField();
        Click(filter_.BOK());
    }));
    EXPECT_FALSE(Execute([&] {
        Click(filter_.BNew());
        Click(filter_.BCancel());
    }));
    EXPECT_EQ(filter_.Criteria().NamePattern, "*.DOC");
    EXPECT_EQ(filter_.Criteria().DateTest, TDateTest::dtGreaterOrEqual);
}

TEST_F(TFFilterTest, EnterInTheNamePatternAcceptsAndIsNotTyped)
{
    EXPECT_TRUE(Execute([&] {
        SetWindowTextW(filter_.EFilter(), L"*.TXT");
        SendMessageW(filter_.EFilter(), WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(filter_.EFilter(), WM_CHAR, VK_RETURN, 1);
    }));
    EXPECT_EQ(WindowText(filter_.EFilter()), L"*.TXT");
}

TEST_F(TFFilterTest, ThePlacementIsStoredUnderItsOwnKeyAndNoCriteria)
{
    EXPECT_TRUE(Execute([&] {
        SetWindowPos(filter_.Handle(), nullptr, 140, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EditEveryField();
        Click(filter_.BOK());
    }));
    const std::wstring normal = TRegistrySandbox::Value(kSection, L"NormPos");
    EXPECT_EQ(normal.substr(0, 8), L"140,110,");
    for (const std::wstring& name : TRegistrySandbox::ValueNames(kSection))
        EXPECT_EQ(name.find(L"EFilter"), std::wstring::npos) << Narrow(name);

    SetWindowPos(filter_.Handle(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(Execute([&] {
        RECT bounds{};
        GetWindowRect(filter_.Handle(), &bounds);
        EXPECT_EQ(bounds.left, 140) << "the stored place comes back on show";
        EXPECT_EQ(bounds.top, 110);
        Click(filter_.BCancel());
    }));
}

// The Select buttons run the user picker over the stand-in's network.
class TFFilterPickerTest : public TFFilterTest
{
protected:
    void SetUp() override
    {
        TFFilterTest::SetUp();
        NWSimReset();
        world_.CreatePlain();
        ASSERT_TRUE(world_.Load()) << NWSimWorldError();
        base_ = std::make_unique<nw::TNWBase>();
        filter_.SetUserPicker(&picker_);
    }

    // The picker's script: choose a bindery user of OLDSRV, then OK or Cancel.
    void ExpectPick(const std::wstring& user, bool ok)
    {
        Modals().ExpectDialog(L"Select from Directory", [this, user, ok](HWND) -> INT_PTR {
            HWND tree = picker_.Bindery1();
            for (HTREEITEM node = TreeView_GetChild(tree, TreeView_GetRoot(tree)); node != nullptr;
                 node = TreeView_GetNextSibling(tree, node))
                if (TreeNodeText(tree, node) == user)
                    TreeView_SelectItem(tree, node);
            Click(ok ? picker_.BOK() : picker_.BCancel());
            return ok ? IDOK : IDCANCEL;
        });
    }

    TTestWorld world_;
    std::unique_ptr<nw::TNWBase> base_;
    bool useNDS_ = true;
    bool useBindery_ = true;
    TFBrowseDirectory picker_{TestOwnerWindow(), nullptr, useNDS_, useBindery_};
};

TEST_F(TFFilterPickerTest, ThePickedUserBecomesAPatternInTheFieldBesideTheButton)
{
    EXPECT_TRUE(Execute([&] {
        ExpectPick(L"JSMITH", true);
        Click(filter_.BSelect_Deleted());
        EXPECT_EQ(WindowText(filter_.EDeleted()), L"JSMITH*");
        EXPECT_EQ(WindowText(filter_.EOwner()), L"");
        ExpectPick(L"KLEE", true);
        Click(filter_.BSelect_Owner());
        EXPECT_EQ(WindowText(filter_.EOwner()), L"KLEE*");
        Click(filter_.BOK());
    }));
    EXPECT_EQ(filter_.Criteria().DeletedByPattern, "JSMITH*");
    EXPECT_EQ(filter_.Criteria().OwnerPattern, "KLEE*");
}

TEST_F(TFFilterPickerTest, CancelInThePickerLeavesTheFieldAsItWas)
{
    EXPECT_TRUE(Execute([&] {
        SetWindowTextW(filter_.EDeleted(), L"MB*");
        ExpectPick(L"JSMITH", false);
        Click(filter_.BSelect_Deleted());
        EXPECT_EQ(WindowText(filter_.EDeleted()), L"MB*");
        ExpectPick(L"JSMITH", false);
        Click(filter_.BSelect_Owner());
        EXPECT_EQ(WindowText(filter_.EOwner()), L"");
        Click(filter_.BOK());
    }));
}
