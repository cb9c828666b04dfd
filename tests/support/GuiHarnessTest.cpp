// Proves the GUI harness: a real window with a list view opens under the hidden owner, is driven through its
// messages, reports back through its notifications, and closes.
#include "TGuiTest.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace
{

// A frame window holding one report-style list view; it records the selection changes the list reports.
class THarnessFrame
{
public:
    THarnessFrame()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &THarnessFrame::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"RetroveHarnessFrame";
        RegisterClassW(&windowClass);
        frame_ = CreateWindowExW(0, windowClass.lpszClassName, L"Harness", WS_OVERLAPPEDWINDOW, 10, 10, 400,
                                 300, TestOwnerWindow(), nullptr, windowClass.hInstance, this);
        list_ =
            CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0,
                            0, 380, 260, frame_, reinterpret_cast<HMENU>(1), windowClass.hInstance, nullptr);
    }

    ~THarnessFrame()
    {
        if (IsWindow(frame_))
            DestroyWindow(frame_);
    }

    HWND Frame() const { return frame_; }
    HWND List() const { return list_; }
    const std::vector<int>& SelectedItems() const { return selected_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(
                window, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<THarnessFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NOTIFY && self != nullptr)
        {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (change->hdr.code == LVN_ITEMCHANGED && (change->uNewState & LVIS_SELECTED) != 0 &&
                (change->uOldState & LVIS_SELECTED) == 0)
                self->selected_.push_back(change->iItem);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND frame_ = nullptr;
    HWND list_ = nullptr;
    std::vector<int> selected_;
};

void InsertColumn(HWND list, int index, const wchar_t* caption)
{
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = const_cast<wchar_t*>(caption);
    ListView_InsertColumn(list, index, &column);
}

void InsertRow(HWND list, int index, const wchar_t* name, const wchar_t* size)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(name);
    ListView_InsertItem(list, &item);
    ListView_SetItemText(list, index, 1, const_cast<wchar_t*>(size));
}

std::wstring ItemText(HWND list, int item, int subItem)
{
    wchar_t text[64] = {};
    ListView_GetItemText(list, item, subItem, text, 64);
    return text;
}

} // namespace

class GuiHarnessTest : public TGuiTest
{
};

TEST_F(GuiHarnessTest, AListViewWindowOpensIsDrivenAndCloses)
{
    HWND frame = nullptr;
    HWND list = nullptr;
    {
        THarnessFrame harness;
        frame = harness.Frame();
        list = harness.List();
        ASSERT_TRUE(IsWindow(frame));
        ASSERT_TRUE(IsWindow(list));
        EXPECT_EQ(GetWindow(frame, GW_OWNER), TestOwnerWindow());
        ShowWindow(frame, SW_SHOWNOACTIVATE);
        EXPECT_TRUE(IsWindowVisible(frame));

        InsertColumn(list, 0, L"Name");
        InsertColumn(list, 1, L"Size");
        InsertRow(list, 0, L"REPORT.TXT", L"120");
        InsertRow(list, 1, L"BUDGET.XLS", L"4096");
        InsertRow(list, 2, L"MEMO.DOC", L"77");
        EXPECT_EQ(ListView_GetItemCount(list), 3);
        EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 2);

        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PumpMessages();
        EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
        EXPECT_EQ(harness.SelectedItems(), std::vector<int>{1});
        EXPECT_EQ(ItemText(list, 1, 0), L"BUDGET.XLS");
        EXPECT_EQ(ItemText(list, 1, 1), L"4096");

        ListView_DeleteItem(list, 0);
        EXPECT_EQ(ListView_GetItemCount(list), 2);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 0) << "the selection moves with its row";
    }
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_FALSE(IsWindow(list));
}
