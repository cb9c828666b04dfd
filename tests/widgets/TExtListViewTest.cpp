// The list view: its model and owner-data display, sorting by column, the fill protocol, selection through
// sorts and deletions, and the saved column layout.
#include "TExtListView.h"
#include "ListHeaderPainting.h"
#include "ListText.h"
#include "TGuiTest.h"
#include "TRegistrySandbox.h"

#include <numeric>

namespace
{

constexpr wchar_t kKey[] = L"Software\\Tarvex\\Retrove";

std::vector<TListColumn> TwelveColumns()
{
    std::vector<TListColumn> columns;
    for (const wchar_t* caption :
         {L"Name", L"Size", L"Deleted", L"Deleted By", L"Owner", L"Accessed", L"Created", L"Attributes",
          L"Archived", L"Archived By", L"Updated", L"Updated By"})
        columns.push_back({caption, 100, LVCFMT_LEFT});
    return columns;
}

// A row with its name and size, the other cells empty.
TListRow Row(const std::wstring& name, const std::wstring& size = L"", const std::wstring& deleted = L"")
{
    return {name, -1, {size, deleted}, nullptr};
}

std::wstring DateText(int year, int month, int day)
{
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    wchar_t text[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 64);
    return text;
}

// The texts the control shows in a column, top to bottom.
std::vector<std::wstring> Shown(const TExtListView& list, int column)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < ListView_GetItemCount(list.Handle()); ++i)
    {
        wchar_t text[256] = {};
        ListView_GetItemText(list.Handle(), i, column, text, 256);
        texts.push_back(text);
    }
    return texts;
}

// Clicks a header cell as the mouse does.
void ClickHeader(const TExtListView& list, int column)
{
    const HWND header = ListView_GetHeader(list.Handle());
    RECT cell{};
    Header_GetItemRect(header, column, &cell);
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
}

// A row whose sub-items its data makes when the row is first read, counting how often it is asked.
class TCountedCells : public TListRowData
{
public:
    TCountedCells(std::wstring size, int& made) : size_(std::move(size)), made_(made) {}
    std::vector<std::wstring> MakeSubItems() const override
    {
        ++made_;
        return {size_, L"later"};
    }

private:
    std::wstring size_;
    int& made_;
};

TListRow DeferredRow(const std::wstring& name, const std::wstring& size, int& made)
{
    TListRow row{name, -1, {}, std::make_shared<TCountedCells>(size, made)};
    row.subItemsDeferred = true;
    return row;
}

} // namespace

class TExtListViewTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        frame_ = CreateTestFrame(L"List test", 800, 400);
    }
    void TearDown() override
    {
        list_.reset();
        DestroyWindow(frame_);
        TGuiTest::TearDown();
    }

    // The main window's list: settings under the Retrove key, saved automatically, sort toggled.
    TExtListView& MakeList()
    {
        list_ = std::make_unique<TExtListView>(frame_, 300, RECT{0, 0, 780, 360}, TwelveColumns(),
                                               LVS_REPORT | LVS_SHOWSELALWAYS);
        list_->SaveSettings.autoSave = true;
        list_->SaveSettings.registryKey = kKey;
        list_->SetAutoSortAscending(false);
        list_->LoadSettings();
        return *list_;
    }

    TRegistrySandbox sandbox_;
    HWND frame_ = nullptr;
    std::unique_ptr<TExtListView> list_;
};

TEST_F(TExtListViewTest, TheFirstRunShowsTheDesignedColumnsInReportView)
{
    TExtListView& list = MakeList();
    EXPECT_EQ(list.ViewStyle(), TViewStyle::vsReport);
    std::vector<int> design(12);
    std::iota(design.begin(), design.end(), 0);
    EXPECT_EQ(list.ColumnOrder(), design);
    for (int column = 0; column < 12; ++column)
        EXPECT_EQ(list.ColumnWidth(column), 100);
    EXPECT_EQ(list.LastColumnClicked(), 0);
}

TEST_F(TExtListViewTest, AReorderedAndResizedLayoutComesBack)
{
    TExtListView& list = MakeList();
    std::vector<int> dragged{1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    ListView_SetColumnOrderArray(list.Handle(), 12, dragged.data());
    ListView_SetColumnWidth(list.Handle(), 1, 120);
    list_.reset();
    EXPECT_EQ(TRegistrySandbox::Value(L"Software\\Tarvex\\Retrove\\Columns", L"Order"),
              L"1,0,2,3,4,5,6,7,8,9,10,11");
    EXPECT_EQ(TRegistrySandbox::Value(L"Software\\Tarvex\\Retrove\\Columns", L"Sizes"),
              L"120,100,100,100,100,100,100,100,100,100,100,100");

    TExtListView& again = MakeList();
    EXPECT_EQ(again.ColumnOrder(), dragged);
    EXPECT_EQ(again.ColumnWidth(1), 120);
    EXPECT_EQ(again.ColumnWidth(0), 100);

    // Rows copied as text follow the layout: the dragged order, no column narrowed to nothing, and a tab
    // inside a cell as a space, so that every row stays one line of cells.
    for (int column = 3; column < 12; ++column)
        ListView_SetColumnWidth(again.Handle(), column, 0);
    again.AddRow(Row(L"Tab\there", L"7", L"Then"));
    again.AddRow(Row(L"Other", L"8"));
    EXPECT_EQ(RowsAsText(again, {0}), L"Size\tName\tDeleted\r\n7\tTab here\tThen\r\n");
}

TEST_F(TExtListViewTest, ClosingInAnIconViewKeepsTheReportViewWidths)
{
    TExtListView& list = MakeList();
    ListView_SetColumnWidth(list.Handle(), 2, 140);
    list.SetViewStyle(TViewStyle::vsSmallIcon);
    list_.reset();
    EXPECT_EQ(TRegistrySandbox::Value(L"Software\\Tarvex\\Retrove\\Columns", L"Sizes"),
              L"100,100,140,100,100,100,100,100,100,100,100,100");
}

TEST_F(TExtListViewTest, BadStoredLayoutsKeepTheDesign)
{
    std::vector<int> design(12);
    std::iota(design.begin(), design.end(), 0);
    for (const wchar_t* order : {L"1,0", L"1,1,2,3,4,5,6,7,8,9,10,11", L"0,1,2,3,4,5,6,7,8,9,10,99", L"x,y",
                                 L"", L"-1,0,1,2,3,4,5,6,7,8,9,10"})
    {
        // The list before saves its layout as it goes, so it goes before the stored value is set.
        list_.reset();
        TRegistrySandbox::SetValue(L"Software\\Tarvex\\Retrove\\Columns", L"Order", order);
        EXPECT_EQ(MakeList().ColumnOrder(), design) << std::wstring(order).size();
    }
    list_.reset();
    TRegistrySandbox::SetValue(L"Software\\Tarvex\\Retrove\\Columns", L"Order", std::wstring(20000, L','));
    TRegistrySandbox::SetValue(L"Software\\Tarvex\\Retrove\\Columns", L"Sizes", L"-50,99999999,abc,30");
    TExtListView& list = MakeList();
    EXPECT_EQ(list.ColumnOrder(), design);
    // A width that is no width leaves the column its design width rather than hiding it; none is wider than
    // the work area.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(list.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(list.ColumnWidth(0), 100) << "a negative width";
    EXPECT_EQ(list.ColumnWidth(1), monitor.rcWork.right - monitor.rcWork.left) << "an absurd one is cut";
    EXPECT_EQ(list.ColumnWidth(2), 100) << "an entry that is not a number";
    EXPECT_EQ(list.ColumnWidth(3), 30);
    EXPECT_EQ(list.ColumnWidth(4), 100) << "columns without an entry keep their width";
}

TEST_F(TExtListViewTest, HeaderClicksToggleTheDirectionOfTheClickedColumn)
{
    TExtListView& list = MakeList();
    list.BeginFill();
    list.AddRow(Row(L"B", L"10", DateText(2026, 3, 1)));
    list.AddRow(Row(L"A", L"9", DateText(2025, 12, 31)));
    list.AddRow(Row(L"C", L"100", DateText(2026, 1, 15)));
    list.EndFill();
    EXPECT_EQ(Shown(list, 0), (std::vector<std::wstring>{L"A", L"B", L"C"}))
        << "the fill ends ascending by name";

    ClickHeader(list, 2);
    EXPECT_EQ(list.LastColumnClicked(), 2);
    EXPECT_TRUE(list.CurrentSortAscending());
    EXPECT_EQ(Shown(list, 0), (std::vector<std::wstring>{L"A", L"C", L"B"})) << "dates in order";
    ClickHeader(list, 2);
    EXPECT_FALSE(list.CurrentSortAscending());
    EXPECT_EQ(Shown(list, 0), (std::vector<std::wstring>{L"B", L"C", L"A"}));
    ClickHeader(list, 0);
    EXPECT_TRUE(list.CurrentSortAscending()) << "a new column starts ascending";
    EXPECT_EQ(Shown(list, 0), (std::vector<std::wstring>{L"A", L"B", L"C"}));
    ClickHeader(list, 1);
    EXPECT_EQ(Shown(list, 1), (std::vector<std::wstring>{L"9", L"10", L"100"})) << "numbers, not texts";

    list.BeginFill();
    list.Clear();
    list.AddRow(Row(L"Z", L"2"));
    list.AddRow(Row(L"Y", L"1"));
    list.EndFill();
    EXPECT_EQ(Shown(list, 1), (std::vector<std::wstring>{L"1", L"2"}))
        << "a refill is ascending by the last column";
}

TEST_F(TExtListViewTest, MixedTextsFallBackToTheLocalesStringOrder)
{
    EXPECT_LT(CompareTexts(L"9", L"10", TAutoSortStyle::assSmart), 0);
    EXPECT_GT(CompareTexts(L"9", L"10", TAutoSortStyle::assDefault), 0) << "as texts";
    EXPECT_LT(CompareTexts(DateText(2025, 12, 31), DateText(2026, 1, 1), TAutoSortStyle::assSmart), 0);
    EXPECT_LT(CompareTexts(L"10", L"9x", TAutoSortStyle::assSmart), 0) << "one is no number: texts";
    EXPECT_LT(CompareTexts(L"apple", L"Banana", TAutoSortStyle::assSmart), 0);
    // Texts whose sort keys outgrow the usual buffer still order by their last letter, and a text sorts
    // after its own beginning.
    const std::wstring longText(400, L'm');
    EXPECT_LT(CompareTexts(longText + L"a", longText + L"b", TAutoSortStyle::assSmart), 0);
    EXPECT_GT(CompareTexts(longText + L"b", longText + L"a", TAutoSortStyle::assSmart), 0);
    EXPECT_EQ(CompareTexts(longText, longText, TAutoSortStyle::assSmart), 0);
    EXPECT_LT(CompareTexts(L"abc", L"abcd", TAutoSortStyle::assSmart), 0);
    EXPECT_EQ(CompareTexts(L"same", L"same", TAutoSortStyle::assSmart), 0);
}

TEST_F(TExtListViewTest, TheSelectionMovesWithItsRowsAndChangesAreReported)
{
    TExtListView& list = MakeList();
    list.SetAutoColumnSort(TAutoColumnSort::acsNoSort);
    for (const wchar_t* name : {L"D", L"B", L"A", L"C"})
        list.AddRow(Row(name));
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.SetSelected(1, true); // B
    list.SetSelected(3, true); // C
    EXPECT_EQ(changes, 2);
    list.SetAutoSortAscending(true);
    list.SetAutoColumnSort(TAutoColumnSort::acsSortToggle);
    EXPECT_EQ(Shown(list, 0), (std::vector<std::wstring>{L"A", L"B", L"C", L"D"}));
    EXPECT_EQ(list.SelectedRows(), (std::vector<size_t>{1, 2})) << "B and C, where they are now";
    EXPECT_EQ(changes, 2) << "sorting changes no selection";

    list.DeleteRow(0);
    EXPECT_EQ(Shown(list, 0), (std::vector<std::wstring>{L"B", L"C", L"D"}));
    EXPECT_EQ(list.SelectedRows(), (std::vector<size_t>{0, 1}));
    list.SetCellText(2, 1, L"42");
    EXPECT_EQ(Shown(list, 1)[2], L"42");
    EXPECT_EQ(changes, 3) << "a text change is a change";
}

TEST_F(TExtListViewTest, SelectAllAndInvertEachReportOneChange)
{
    TExtListView& list = MakeList();
    for (const wchar_t* name : {L"A", L"B", L"C", L"D"})
        list.AddRow(Row(name));
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.SelectAll();
    EXPECT_EQ(list.SelectedCount(), 4u);
    EXPECT_EQ(changes, 1);
    list.SetSelected(1, false);
    list.SetSelected(2, false);
    changes = 0;
    list.InvertSelection();
    EXPECT_EQ(list.SelectedRows(), (std::vector<size_t>{1, 2}));
    EXPECT_EQ(changes, 1);
    list.InvertSelection();
    EXPECT_EQ(list.SelectedRows(), (std::vector<size_t>{0, 3}));
}

TEST_F(TExtListViewTest, RowsLeavingTheListAreReported)
{
    std::vector<std::wstring> left;
    {
        TExtListView& list = MakeList();
        list.SetAutoColumnSort(TAutoColumnSort::acsNoSort);
        list.OnDeletion = [&](TListRow& row) { left.push_back(row.caption); };
        list.AddRow(Row(L"ONE"));
        list.AddRow(Row(L"TWO"));
        list.AddRow(Row(L"THREE"));
        list.DeleteRow(2);
        list.Clear();
        list.AddRow(Row(L"LAST"));
        list_.reset();
    }
    EXPECT_EQ(left, (std::vector<std::wstring>{L"THREE", L"ONE", L"TWO", L"LAST"}));
}

TEST_F(TExtListViewTest, ViewStylesSwitch)
{
    TExtListView& list = MakeList();
    for (const TViewStyle style :
         {TViewStyle::vsList, TViewStyle::vsSmallIcon, TViewStyle::vsIcon, TViewStyle::vsReport})
    {
        list.SetViewStyle(style);
        EXPECT_EQ(list.ViewStyle(), style);
    }
}

TEST_F(TExtListViewTest, AHundredThousandRowsFillAndSort)
{
    TExtListView& list = MakeList();
    list.BeginFill();
    list.BeginUpdate();
    for (int i = 0; i < 100000; ++i)
        list.AddRow(Row(L"FILE" + std::to_wstring((i * 7919) % 100000) + L".TXT", std::to_wstring(i)));
    list.EndUpdate();
    list.EndFill();
    ASSERT_EQ(ListView_GetItemCount(list.Handle()), 100000);
    EXPECT_EQ(list.CellText(0, 0), L"FILE0.TXT");
    EXPECT_EQ(list.CellText(1, 0), L"FILE1.TXT");
    ClickHeader(list, 1);
    EXPECT_EQ(list.CellText(99999, 1), L"99999");
}

// As in Explorer: typing the start of a name goes to the first row so named (the control asks the owner-data
// list), Enter and a double-click open the focused row, and Ctrl+Plus on the keypad fits every column.
TEST_F(TExtListViewTest, TheExplorerKeysFindARowOpenItAndFitTheColumns)
{
    TExtListView& list = MakeList();
    const std::wstring longName = L"A VERY LONG NAME OF A FILE THAT THE COLUMN MUST SHOW WHOLE.TXT";
    list.BeginFill();
    for (int i = 0; i < 2500; ++i)
    {
        list.AddRow(Row(L"DOC" + std::to_wstring(10000 + i) + L".TXT", std::to_wstring(i % 10)));
        list.AddRow(Row(L"ZIP" + std::to_wstring(10000 + i) + L".TXT", std::to_wstring(i % 10)));
    }
    list.AddRow(Row(L"plot.txt", L"1"));
    list.AddRow(Row(L"PLAN.TXT", L"1"));
    list.AddRow(Row(longName, L"1"));
    list.EndFill();
    ASSERT_EQ(ListView_GetItemCount(list.Handle()), 5003);
    size_t plan = 0;
    while (plan < list.Count() && list.CellText(plan, 0) != L"PLAN.TXT")
        ++plan;
    ASSERT_LT(plan, list.Count());
    ASSERT_EQ(list.CellText(plan + 1, 0), L"plot.txt") << "sorted by name, ignoring case";

    SetFocus(list.Handle());
    ListView_SetItemState(list.Handle(), 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    SendMessageW(list.Handle(), WM_CHAR, L'p', 0);
    SendMessageW(list.Handle(), WM_CHAR, L'l', 0);
    EXPECT_EQ(list.FocusedRow(), static_cast<int>(plan));
    EXPECT_EQ(list.SelectedRows(), std::vector<size_t>{plan});
    EXPECT_EQ(list.FindRowStartingWith(L"Pl", plan + 2, true), static_cast<int>(plan)) << "round to the top";
    EXPECT_EQ(list.FindRowStartingWith(L"Pl", plan + 2, false), -1);
    EXPECT_EQ(list.FindRowStartingWith(L"PLUS", 0, true), -1);

    std::vector<size_t> opened;
    list.OnOpen = [&](size_t row) { opened.push_back(row); };
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    RECT bounds{};
    ListView_EnsureVisible(list.Handle(), static_cast<int>(plan + 1), FALSE);
    ListView_GetItemRect(list.Handle(), static_cast<int>(plan + 1), &bounds, LVIR_LABEL);
    SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(bounds.left + 4, bounds.top + 2));
    EXPECT_EQ(opened, (std::vector<size_t>{plan, plan + 1}));

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_ADD, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_GE(list.ColumnWidth(0), ListView_GetStringWidth(list.Handle(), longName.c_str()))
        << "the longest name shows whole";
    const int size = list.ColumnWidth(1);
    EXPECT_LT(size, 100) << "a column of single digits narrows to its caption";
    EXPECT_GE(size, ListView_GetStringWidth(list.Handle(), TwelveColumns()[1].caption.c_str()));
}

TEST(TExtListViewLayoutTest, HeaderCellsPlaceTheCaptionAndTheArrow)
{
    const RECT cell{0, 0, 100, 20};
    THeaderCellLayout left = LayOutHeaderCell(cell, 30, LVCFMT_LEFT, 8, true);
    EXPECT_EQ(left.text.left, 4);
    EXPECT_EQ(left.text.right, 34);
    EXPECT_TRUE(left.showArrow);
    EXPECT_EQ(left.arrow.left, 42);
    EXPECT_EQ(left.arrow.top, 6);
    THeaderCellLayout right = LayOutHeaderCell(cell, 30, LVCFMT_RIGHT, 8, true);
    EXPECT_EQ(right.text.right, 96);
    EXPECT_EQ(right.arrow.right, 58);
    THeaderCellLayout tight = LayOutHeaderCell(cell, 85, LVCFMT_LEFT, 8, true);
    EXPECT_FALSE(tight.showArrow) << "no room after the caption";
    EXPECT_EQ(SortArrowSide(13), 8);
    EXPECT_EQ(SortArrowSide(14), 8);
}

TEST_F(TExtListViewTest, DeferredCellsAreMadeOnceWhenARowIsFirstRead)
{
    TExtListView& list = MakeList();
    int made = 0;
    list.BeginFill();
    for (const wchar_t* size : {L"30", L"4", L"200"})
        list.AddRow(DeferredRow(std::wstring(L"F") + size, size, made));
    list.EndFill();
    EXPECT_EQ(made, 0);
    // The control reads them as the user sees them; a sort by a later column reads every row.
    EXPECT_EQ(Shown(list, 2), (std::vector<std::wstring>{L"later", L"later", L"later"}));
    ClickHeader(list, 1);
    EXPECT_EQ(Shown(list, 1), (std::vector<std::wstring>{L"4", L"30", L"200"}));
    EXPECT_EQ(made, 3);
    // A text set into a deferred row keeps the others (no resort reads the row first).
    list.AutoResort = false;
    list.AddRow(DeferredRow(L"NEW", L"7", made));
    list.SetCellText(3, 2, L"set");
    EXPECT_EQ(list.CellText(3, 1), L"7");
    EXPECT_EQ(list.CellText(3, 2), L"set");
    EXPECT_EQ(made, 4);
    // Rows that nobody read leave without their texts being made.
    list.AddRow(DeferredRow(L"UNREAD", L"1", made));
    list.Clear();
    EXPECT_EQ(made, 4);

    // A sort of rows nobody read makes their texts for the sort alone: a million rows sorted by a date keep
    // no cells. The rows read afterwards make their own.
    made = 0;
    for (const wchar_t* size : {L"30", L"4", L"200"})
        list.AddRow(DeferredRow(std::wstring(L"F") + size, size, made));
    list.SortBy(1);
    EXPECT_EQ(made, 3);
    EXPECT_EQ(list.CellTextCopy(0, 0), L"F4");
    EXPECT_EQ(made, 3) << "the caption is the row's own";
    EXPECT_EQ(Shown(list, 1), (std::vector<std::wstring>{L"4", L"30", L"200"}));
    EXPECT_EQ(made, 6);
}
