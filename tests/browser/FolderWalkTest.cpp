// The Find window's folder walk on a real folder tree of the workstation: depth first, each folder before its
// subfolders, subfolders and hidden or system folders per the options, and Stop before each folder.
#include "FolderWalk.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

std::wstring Joined(const std::vector<std::wstring>& texts)
{
    std::wstring joined;
    for (const std::wstring& text : texts)
        joined += text + L"|";
    return joined;
}

bool StartsWith(const std::wstring& text, const std::wstring& start)
{
    return text.compare(0, start.size(), start) == 0;
}

} // namespace

class FolderWalkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root_ = std::filesystem::path(temp) / ("retrove-walk-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::remove_all(root_);
        for (const wchar_t* folder : {L"A\\A1\\A11", L"A\\A2", L"B", L"HIDDEN\\BELOW", L"SYSTEM"})
            std::filesystem::create_directories(root_ / folder);
        MakeFile(root_ / L"FILE.TXT");
        MakeFile(root_ / L"A" / L"NOTES.DOC");
        ASSERT_TRUE(SetFileAttributesW((root_ / L"HIDDEN").c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(SetFileAttributesW((root_ / L"SYSTEM").c_str(), FILE_ATTRIBUTE_SYSTEM));
        ASSERT_NE(GetFileAttributesW((root_ / L"HIDDEN").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u)
            << "the file system keeps no hidden mark here";
        ASSERT_NE(GetFileAttributesW((root_ / L"SYSTEM").c_str()) & FILE_ATTRIBUTE_SYSTEM, 0u);
    }

    void TearDown() override
    {
        SetFileAttributesW((root_ / L"HIDDEN").c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesW((root_ / L"SYSTEM").c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    static void MakeFile(const std::filesystem::path& path)
    {
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }

    // The root's path as the walk is given it, without its trailing backslash.
    std::wstring Root() const { return root_.wstring(); }
    std::wstring Folder(const std::wstring& relative) const
    {
        return Root() + L"\\" + (relative.empty() ? L"" : relative + L"\\");
    }

    // Walks with the options, recording the folders reached and scanned.
    void Walk(const std::wstring& path, bool subfolders, bool hidden, std::function<bool()> stop = nullptr)
    {
        TFolderWalkSteps steps;
        steps.includeSubfolders = subfolders;
        steps.includeHidden = hidden;
        steps.reached = [this](const std::wstring& folder) { reached_.push_back(folder); };
        steps.scan = [this](const std::wstring& folder) { scanned_.push_back(folder); };
        steps.stopRequested = std::move(stop);
        WalkFolder(path, steps);
    }

    std::vector<std::wstring> Sorted(std::vector<std::wstring> folders) const
    {
        std::sort(folders.begin(), folders.end());
        return folders;
    }

    std::filesystem::path root_;
    std::vector<std::wstring> reached_;
    std::vector<std::wstring> scanned_;
};

TEST_F(FolderWalkTest, VisitsEveryFolderDepthFirstEachBeforeItsSubfolders)
{
    Walk(Root(), true, true);
    const std::vector<std::wstring> expected{
        Folder(L""),  Folder(L"A"),      Folder(L"A\\A1"),         Folder(L"A\\A1\\A11"), Folder(L"A\\A2"),
        Folder(L"B"), Folder(L"HIDDEN"), Folder(L"HIDDEN\\BELOW"), Folder(L"SYSTEM")};
    EXPECT_EQ(Sorted(reached_), Sorted(expected)) << Joined(reached_);
    EXPECT_EQ(scanned_, reached_) << "every folder reached is scanned, once, in the same order";
    ASSERT_FALSE(reached_.empty());
    EXPECT_EQ(reached_.front(), Folder(L"")) << "the look-in folder first, with a trailing backslash";
    // Depth first: a folder's subtree follows it without another folder in between.
    for (size_t i = 1; i < reached_.size(); ++i)
    {
        const std::wstring& folder = reached_[i];
        const std::wstring parent = folder.substr(0, folder.find_last_of(L'\\', folder.size() - 2) + 1);
        const auto at = std::find(reached_.begin(), reached_.end(), parent);
        ASSERT_NE(at, reached_.end()) << "no parent walked for " << folder;
        for (auto between = at + 1; between != reached_.begin() + static_cast<ptrdiff_t>(i); ++between)
            EXPECT_TRUE(StartsWith(*between, parent)) << "a folder of another tree came between";
    }
}

TEST_F(FolderWalkTest, WithoutSubfoldersOnlyTheFolderItselfIsScanned)
{
    Walk(Root(), false, true);
    EXPECT_EQ(reached_, std::vector<std::wstring>{Folder(L"")});
    EXPECT_EQ(scanned_, std::vector<std::wstring>{Folder(L"")});
    reached_.clear();
    scanned_.clear();
    Walk(Folder(L"A"), false, true);
    EXPECT_EQ(scanned_, std::vector<std::wstring>{Folder(L"A")})
        << "a path that ends in a backslash keeps one";
}

TEST_F(FolderWalkTest, WithoutHiddenFoldersHiddenAndSystemTreesAreLeftOut)
{
    Walk(Root(), true, false);
    const std::vector<std::wstring> expected{Folder(L""),           Folder(L"A"),     Folder(L"A\\A1"),
                                             Folder(L"A\\A1\\A11"), Folder(L"A\\A2"), Folder(L"B")};
    EXPECT_EQ(Sorted(scanned_), Sorted(expected)) << Joined(scanned_);

    // A hidden look-in folder itself is still searched: the option is about what lies below.
    reached_.clear();
    scanned_.clear();
    Walk(Folder(L"HIDDEN"), true, false);
    EXPECT_EQ(Sorted(scanned_), Sorted({Folder(L"HIDDEN"), Folder(L"HIDDEN\\BELOW")}));
}

TEST_F(FolderWalkTest, AnEmptyPathWalksNothingAndAMissingFolderHasNoSubfolders)
{
    Walk(L"", true, true);
    EXPECT_TRUE(reached_.empty());
    EXPECT_TRUE(scanned_.empty());
    Walk(Root() + L"\\MISSING", true, true);
    EXPECT_EQ(scanned_, std::vector<std::wstring>{Folder(L"MISSING")});
}

TEST_F(FolderWalkTest, StopIsSeenBeforeEachFolderIsScannedAndBeforeEachSubfolderIsEntered)
{
    // Stop while the third folder is being shown: it is not scanned, and nothing after it is reached.
    bool stop = false;
    TFolderWalkSteps steps;
    steps.reached = [&](const std::wstring& folder) {
        reached_.push_back(folder);
        if (reached_.size() == 3)
            stop = true;
    };
    steps.scan = [&](const std::wstring& folder) { scanned_.push_back(folder); };
    steps.stopRequested = [&] { return stop; };
    WalkFolder(Root(), steps);
    EXPECT_EQ(reached_.size(), 3u) << Joined(reached_);
    EXPECT_EQ(scanned_.size(), 2u) << Joined(scanned_);

    // Stop during a scan: the folders still to come are not entered.
    reached_.clear();
    scanned_.clear();
    stop = false;
    steps.scan = [&](const std::wstring& folder) {
        scanned_.push_back(folder);
        stop = true;
    };
    WalkFolder(Root(), steps);
    EXPECT_EQ(reached_, std::vector<std::wstring>{Folder(L"")});
    EXPECT_EQ(scanned_, std::vector<std::wstring>{Folder(L"")});
}
