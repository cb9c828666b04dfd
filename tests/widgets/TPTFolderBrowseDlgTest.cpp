// The folder-browse dialog: its window, the folder it starts at and the one chosen, its size kept between
// calls.
#include "TPTFolderBrowseDlg.h"
#include "ShellNamespace.h"
#include "TShellTest.h"
#include "TreeFill.h"
#include "WindowParts.h"

#include <atomic>
#include <thread>

namespace
{

HWND Child(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(window, text, MAX_PATH);
    return text;
}

HTREEITEM ChildNamed(HWND tree, HTREEITEM node, const std::wstring& name)
{
    TreeView_Expand(tree, node, TVE_EXPAND);
    for (HTREEITEM child = TreeView_GetChild(tree, node); child != nullptr;
         child = TreeView_GetNextSibling(tree, child))
        if (TreeNodeText(tree, child) == name)
            return child;
    return nullptr;
}

// The texts of every node the operator can reach in the tree, opening them all.
void CollectTexts(HWND tree, HTREEITEM node, int depth, std::vector<std::wstring>& texts)
{
    for (HTREEITEM child = TreeView_GetChild(tree, node); child != nullptr;
         child = TreeView_GetNextSibling(tree, child))
    {
        texts.push_back(TreeNodeText(tree, child));
        if (depth > 0)
        {
            TreeView_Expand(tree, child, TVE_EXPAND);
            CollectTexts(tree, child, depth - 1, texts);
        }
    }
}

} // namespace

class TPTFolderBrowseDlgTest : public TShellTest
{
protected:
    void SetUp() override
    {
        TShellTest::SetUp();
        MakeFolder(L"PROJECTS\\ALPHA");
    }

    // The Find window's dialog.
    static void UseFindOptions(TPTFolderBrowseDlg& dialog)
    {
        dialog.SetOption(TPTFolderBrowseOption::ptfbContextMenus, true);
        dialog.SetOption(TPTFolderBrowseOption::ptfbReadOnly, true);
        dialog.SetOption(TPTFolderBrowseOption::ptfbShowHidden, true);
    }
};

TEST_F(TPTFolderBrowseDlgTest, OkChoosesTheFolderSelectedInTheTree)
{
    TPTFolderBrowseDlg dialog(frame_);
    UseFindOptions(dialog);
    dialog.StartFolder().Assign(ListOf(L"F:\\PROJECTS").Get());
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        const HWND tree = Child(window, TPTFolderBrowseDlg::kTreeId);
        EXPECT_EQ(TreeNodeText(tree, TreeView_GetSelection(tree)), L"PROJECTS")
            << "the tree starts at the start folder";
        EXPECT_EQ(TextOf(Child(window, TPTFolderBrowseDlg::kStatusId)), L"F:\\PROJECTS");
        EXPECT_TRUE(GetWindowLongW(tree, GWL_STYLE) & TVS_LINESATROOT) << "the root shows its button";
        EXPECT_TRUE(GetWindowLongW(Child(window, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_EQ(TextOf(Child(window, IDCANCEL)), L"Cancel");
        EXPECT_EQ(Child(window, TPTFolderBrowseDlg::kCreateId), nullptr)
            << "no create button without the option";
        const HTREEITEM alpha = ChildNamed(tree, TreeView_GetSelection(tree), L"ALPHA");
        TreeView_SelectItem(tree, alpha);
        EXPECT_EQ(TextOf(Child(window, TPTFolderBrowseDlg::kStatusId)), L"F:\\PROJECTS\\ALPHA");
        SendMessageW(Child(window, IDOK), BM_CLICK, 0, 0);
        return static_cast<INT_PTR>(IDOK);
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Folder().Path(), L"F:\\PROJECTS\\ALPHA");
}

TEST_F(TPTFolderBrowseDlgTest, CancelKeepsTheFolderChosenBefore)
{
    TPTFolderBrowseDlg dialog(frame_);
    dialog.StartFolder().Assign(ListOf(L"F:\\PROJECTS").Get());
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        SendMessageW(Child(window, IDOK), BM_CLICK, 0, 0);
        return static_cast<INT_PTR>(IDOK);
    });
    ASSERT_TRUE(dialog.Execute());
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        const HWND tree = Child(window, TPTFolderBrowseDlg::kTreeId);
        TreeView_SelectItem(tree, TreeView_GetRoot(tree));
        SendMessageW(Child(window, IDCANCEL), BM_CLICK, 0, 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Folder().Path(), L"F:\\PROJECTS");
}

TEST_F(TPTFolderBrowseDlgTest, TheTitleAndTheCreateAndDeleteButtonsFollowTheOptions)
{
    TPTFolderBrowseDlg dialog(frame_);
    dialog.Title = L"Look in";
    dialog.SetOption(TPTFolderBrowseOption::ptfbCreateDeleteButtons, true);
    dialog.StartFolder().Assign(ListOf(L"F:\\PROJECTS").Get());
    Modals().ExpectDialog(L"Look in", [this](HWND window) {
        EXPECT_EQ(TextOf(Child(window, TPTFolderBrowseDlg::kCreateId)), L"&Create...");
        EXPECT_EQ(TextOf(Child(window, TPTFolderBrowseDlg::kDeleteId)), L"&Delete...");
        Modals().ExpectDialog(L"Create Folder", [](HWND prompt) {
            SetWindowTextW(GetDlgItem(prompt, 100), L"NEWONE");
            SendMessageW(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
            return static_cast<INT_PTR>(IDOK);
        });
        SendMessageW(Child(window, TPTFolderBrowseDlg::kCreateId), BM_CLICK, 0, 0);
        const HWND tree = Child(window, TPTFolderBrowseDlg::kTreeId);
        EXPECT_NE(ChildNamed(tree, TreeView_GetSelection(tree), L"NEWONE"), nullptr)
            << "the new folder shows at once";
        return static_cast<INT_PTR>(IDCANCEL);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(GetFileAttributesW(L"F:\\PROJECTS\\NEWONE") & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(TPTFolderBrowseDlgTest, TheWindowOpensOverItsOpenerWithACloseBoxHasAMinimumSizeAndKeepsItsSize)
{
    SetWindowPos(frame_, nullptr, 200, 150, 600, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    TPTFolderBrowseDlg dialog(frame_);
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        // A dialog box over the window that opened it, not the screen's corner, with no minimize or maximize.
        RECT bounds{};
        GetWindowRect(window, &bounds);
        EXPECT_NEAR((bounds.left + bounds.right) / 2, 500, 1);
        EXPECT_NEAR((bounds.top + bounds.bottom) / 2, 400, 1);
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        MINMAXINFO limits{};
        SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, TPTFolderBrowseDlg::kMinWidth);
        EXPECT_EQ(limits.ptMinTrackSize.y, TPTFolderBrowseDlg::kMinHeight);
        SetWindowPos(window, nullptr, 0, 0, 520, 470, SWP_NOMOVE | SWP_NOZORDER);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    dialog.Execute();
    Modals().ExpectDialog(L"Browse for Folder", [](HWND window) {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        EXPECT_EQ(bounds.right - bounds.left, 520);
        EXPECT_EQ(bounds.bottom - bounds.top, 470);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    dialog.Execute();
}

TEST_F(TPTFolderBrowseDlgTest, TheFindWindowsDialogOffersNoVirtualFolders)
{
    TPTFolderBrowseDlg dialog(frame_);
    UseFindOptions(dialog);
    std::vector<std::wstring> texts;
    Modals().ExpectDialog(L"Browse for Folder", [&](HWND window) {
        const HWND tree = Child(window, TPTFolderBrowseDlg::kTreeId);
        CollectTexts(tree, TreeView_GetRoot(tree), 1, texts);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    dialog.Execute();
    EXPECT_NE(std::find(texts.begin(), texts.end(), DisplayNameOf(ListOf(L"F:\\").Get())), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), L"Control Panel"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), L"Trash"), texts.end());
}

TEST_F(TPTFolderBrowseDlgTest, TheRealDialogOpensWithTheKeyboardInTheTree)
{
    TPTFolderBrowseDlg dialog(frame_);
    dialog.StartFolder().Assign(ListOf(L"F:\\PROJECTS").Get());
    // The system's own modal loop, answered by a second thread as a person would.
    IModalResponder* previous = TModal::SetResponder(nullptr);
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> focusInTree{false};
    std::atomic<bool> seen{false};
    std::thread user([&] {
        for (int attempt = 0; attempt < 500 && !seen; ++attempt)
        {
            HWND window = FindWindowW(nullptr, L"Browse for Folder");
            if (window != nullptr && IsWindowVisible(window))
            {
                Sleep(100);
                GUITHREADINFO info{};
                info.cbSize = sizeof(info);
                GetGUIThreadInfo(thread, &info);
                focusInTree = info.hwndFocus == GetDlgItem(window, TPTFolderBrowseDlg::kTreeId);
                seen = true;
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            Sleep(10);
        }
    });
    const bool chosen = dialog.Execute();
    user.join();
    TModal::SetResponder(previous);
    EXPECT_TRUE(seen) << "the dialog never showed";
    EXPECT_TRUE(focusInTree);
    EXPECT_FALSE(chosen);
}
