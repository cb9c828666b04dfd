// The properties dialog: its look, the nine values filled from a row, the 12-hour times, and OK and Cancel
// both only closing it.
#include "TFProperties.h"

#include "TDialogTest.h"
#include "WindowParts.h"

#include <atomic>
#include <commctrl.h>
#include <thread>

namespace
{

nw::TDateTime At(int year, int month, int day, int hour, int minute)
{
    return nw::EncodeDate(year, month, day) + nw::EncodeTime(hour, minute, 0, 0);
}

nw::TNWDeletedFileInfoX Report()
{
    nw::TNWDeletedFileInfoX info;
    info.Size = 52341;
    info.Attributes = 0x81;
    info.Deleted = At(2026, 11, 30, 0, 30);
    info.DeletedBy = "JSMITH";
    info.Owner = "KLEE";
    info.Created = At(2026, 1, 5, 12, 0);
    info.Accessed = nw::EncodeDate(2026, 11, 29);
    return info;
}

bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

class TFPropertiesTest : public TGuiTest
{
protected:
    TFProperties properties_{TestOwnerWindow()};
};

TEST_F(TFPropertiesTest, IsAFixedCentredDialogWithOneGeneralPage)
{
    EXPECT_EQ(properties_.Caption(), L"Properties");
    const SIZE client = ClientSize(properties_.Handle());
    // As designed, or wider by just what the locale's longest date needs to show whole.
    EXPECT_GE(client.cx, 358);
    EXPECT_LE(client.cx, 358 + 40);
    EXPECT_EQ(client.cy, 390);
    EXPECT_TRUE(CentredOnScreen(properties_.Handle()));
    EXPECT_FALSE(HasStyle(properties_.Handle(), WS_THICKFRAME));
    EXPECT_FALSE(HasStyle(properties_.Handle(), WS_MINIMIZEBOX));
    EXPECT_FALSE(HasStyle(properties_.Handle(), WS_MAXIMIZEBOX));
    ASSERT_EQ(TabCtrl_GetItemCount(properties_.PageControl()), 1);
    wchar_t name[32] = {};
    TCITEMW page{};
    page.mask = TCIF_TEXT;
    page.pszText = name;
    page.cchTextMax = 32;
    TabCtrl_GetItem(properties_.PageControl(), 0, &page);
    EXPECT_STREQ(name, L"General");
    EXPECT_EQ(WindowText(properties_.BOK()), L"OK");
    EXPECT_EQ(WindowText(properties_.BCancel()), L"Cancel");
}

TEST_F(TFPropertiesTest, FillingSetsTheNineValuesFromTheRow)
{
    properties_.FillProperties(L"Report.doc", Report(), L"F:\\PROJECTS");
    EXPECT_EQ(WindowText(properties_.LName()), L"Report.doc");
    EXPECT_EQ(WindowText(properties_.LLocation()), L"F:\\PROJECTS") << "shown as the caller gives it";
    EXPECT_EQ(WindowText(properties_.LSize()), L"52341");
    EXPECT_EQ(WindowText(properties_.LAttributes()), L"Ro     Sh ");
    EXPECT_EQ(WindowText(properties_.LDeleted_By()), L"JSMITH");
    EXPECT_EQ(WindowText(properties_.LOwner()), L"KLEE");
    EXPECT_TRUE(EndsWith(WindowText(properties_.LDeleted()), L" 12:30 a"))
        << Narrow(WindowText(properties_.LDeleted()));
    EXPECT_TRUE(EndsWith(WindowText(properties_.LCreated()), L" 12:00 p"))
        << Narrow(WindowText(properties_.LCreated()));
    EXPECT_TRUE(EndsWith(WindowText(properties_.LAccessed()), L" 12:00 a"));
    EXPECT_NE(WindowText(properties_.LDeleted()).find(L"2026"), std::wstring::npos)
        << "the long date comes first";
}

TEST_F(TFPropertiesTest, EmptyUserNamesLeaveBlanksAndARefillReplacesEverything)
{
    properties_.FillProperties(L"Report.doc", Report(), L"F:\\PROJECTS\\");
    nw::TNWDeletedFileInfoX nameless = Report();
    nameless.DeletedBy.clear();
    nameless.Owner.clear();
    nameless.Size = -1;
    properties_.FillProperties(L"Plan.txt", nameless, L"G:\\");
    EXPECT_EQ(WindowText(properties_.LName()), L"Plan.txt");
    EXPECT_EQ(WindowText(properties_.LLocation()), L"G:\\");
    EXPECT_EQ(WindowText(properties_.LDeleted_By()), L"");
    EXPECT_EQ(WindowText(properties_.LOwner()), L"");
    EXPECT_EQ(WindowText(properties_.LSize()), L"-1") << "a signed decimal";
}

TEST_F(TFPropertiesTest, OkAndCancelBothOnlyCloseTheRealDialog)
{
    properties_.FillProperties(L"Report.doc", Report(), L"F:\\PROJECTS\\");
    IModalResponder* previous = TModal::SetResponder(nullptr);
    for (HWND button : {properties_.BOK(), properties_.BCancel()})
    {
        std::atomic<bool> pressed{false};
        std::thread user([&] {
            for (int attempt = 0; attempt < 500 && !pressed; ++attempt)
            {
                if (IsWindowVisible(properties_.Handle()))
                    pressed = PostMessageW(button, BM_CLICK, 0, 0) != 0;
                Sleep(10);
            }
        });
        properties_.Execute();
        user.join();
        EXPECT_TRUE(pressed) << "the dialog never showed";
        EXPECT_FALSE(IsWindowVisible(properties_.Handle()));
        EXPECT_EQ(WindowText(properties_.LName()), L"Report.doc") << "nothing changes";
    }
    TModal::SetResponder(previous);
}
