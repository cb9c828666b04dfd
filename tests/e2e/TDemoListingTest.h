// The end-to-end cases that start the real program on the demo network and list one of its folders first.
#pragma once

#include "MainWindowDriver.h"
#include "TE2ETest.h"

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

inline const std::wstring kProjects = L"F:\\PROJECTS\\";

inline std::wstring StatusOf(HWND main)
{
    return StatusBarText(FindChild(main, STATUSCLASSNAMEW), 0);
}

inline std::wstring Count(size_t rows)
{
    return std::to_wstring(rows) + L" file(s)";
}

class TDemoListingTest : public TE2ETest
{
protected:
    void SetUp() override
    {
        TE2ETest::SetUp();
        CreateDemoWorld();
        world_ = OnMappedWorld().world;
    }

    std::vector<TSalvageRow> Salvage(const std::wstring& folder)
    {
        // Quoted for names with blanks; a backslash before the closing quote would escape it.
        std::wstring path = folder;
        if (path.size() > 3 && path.back() == L'\\')
            path.pop_back();
        return SalvageRows(RunTool(L"--world \"" + world_ + L"\" salvage \"" + path + L"\""));
    }

    std::filesystem::path Volume() const
    {
        return std::filesystem::path(world_) / "volumes" / "TARVEX" / "DATA" / "files";
    }
    std::filesystem::path Store() const
    {
        return std::filesystem::path(world_) / "volumes" / "TARVEX" / "DATA" / "salvage";
    }

    // The program started with F:\PROJECTS listed as the tool lists it; the main window's list, or nullptr.
    HWND ListProjects(TProgramRun& run, size_t expected)
    {
        main_ = WaitForMainWindow(run);
        if (main_ == nullptr)
        {
            ADD_FAILURE() << run.Describe();
            return nullptr;
        }
        HWND list = FindChild(main_, WC_LISTVIEWW);
        if (list == nullptr || !BringToFront(main_) || !SelectTreeFolder(main_, L"(F:)", L"PROJECTS") ||
            !WaitForListing(main_, L"Deleted Contents of '" + kProjects + L"'", Count(expected)))
        {
            HWND tree = FindChild(main_, WC_TREEVIEWW);
            ADD_FAILURE() << "F:\\PROJECTS was not listed: " << Utf8(ListedCaption(main_)) << " / "
                          << Utf8(StatusOf(main_)) << "; the tree selects " << Utf8(TreeSelectionText(tree))
                          << " of " << Joined(TreeItemTexts(tree));
            return nullptr;
        }
        return list;
    }

    void CloseProgram(const TProgramRun& run)
    {
        const std::optional<DWORD> exitCode = CloseAndWait(run, main_);
        ASSERT_TRUE(exitCode.has_value()) << run.Describe();
        EXPECT_EQ(*exitCode, 0u);
    }

    std::wstring world_;
    HWND main_ = nullptr;
};
