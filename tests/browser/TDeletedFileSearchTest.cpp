// The search for deleted files run without the Find window: the folders below the start, the criteria read
// afresh for each folder, the rows with their folders, and Stop.
#include "TDeletedFileSearch.h"

#include "DeletedFileListRows.h"
#include "NWSim.h"
#include "TGuiTest.h"
#include "TGuiWorld.h"
#include "TNWBase.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

constexpr uint32_t kAlice = 0x10000012; // a directory user of TARVEX

} // namespace

class TDeletedFileSearchTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        world_ = CreateGuiWorld();
        ASSERT_NE(world_, nullptr);
        for (const auto& [folder, name] : std::vector<std::pair<std::string, std::string>>{
                 {"", "ROOT.TXT"}, {"A", "ONE.TXT"}, {"A\\DEEP", "TWO.DOC"}, {"C", "THREE.TXT"}})
        {
            nwsim::TDeletedFile file;
            file.deletor = kAlice;
            file.owner = 0x00000001;
            world_->AddDeleted("TARVEX", "DATA", folder, name, "content", file);
        }
        NWSimReset();
        ASSERT_TRUE(world_->Load()) << NWSimWorldError();
        base_ = std::make_unique<nw::TNWBase>();
        frame_ = CreateTestFrame(L"search", 400, 300);
        list_ =
            std::make_unique<TExtListView>(frame_, 1, RECT{0, 0, 400, 300}, FoundFileColumns(), LVS_REPORT);
    }

    void TearDown() override
    {
        list_.reset();
        DestroyWindow(frame_);
        base_.reset();
        world_.reset();
        TGuiTest::TearDown();
    }

    std::set<std::wstring> Hits() const
    {
        std::set<std::wstring> hits;
        for (size_t row = 0; row < list_->Count(); ++row)
            hits.insert(list_->CellText(row, 0) + L"@" + list_->CellText(row, kFoundPathColumn));
        return hits;
    }

    std::unique_ptr<TTestWorld> world_;
    std::unique_ptr<nw::TNWBase> base_;
    HWND frame_ = nullptr;
    std::unique_ptr<TExtListView> list_;
};

TEST_F(TDeletedFileSearchTest, WalksTheFoldersWithTheCriteriaInForceForEachAndStopsWhenAsked)
{
    std::vector<std::wstring> reached;
    std::vector<size_t> counts;
    TFilterCriteria criteria;
    TDeletedFileSearchView view;
    TDeletedFileSearch* running = nullptr;
    view.reached = [&](const std::wstring& folder) { reached.push_back(folder); };
    view.pump = [&] {
        EXPECT_TRUE(running->Running());
        // A search started from inside one, as a pumped Find Now would, does nothing.
        running->Run({L"F:\\C", false, true, [&]() -> const TFilterCriteria& { return criteria; }});
    };
    view.scanned = [&](size_t rows) { counts.push_back(rows); };
    TDeletedFileSearch search(*list_, view);
    running = &search;
    // Only text files, until the walk reaches the deep folder: from there every file counts.
    criteria.NamePattern = "*.TXT";
    TDeletedFileSearchRequest request;
    request.folder = L"F:\\";
    request.criteria = [&]() -> const TFilterCriteria& {
        if (!reached.empty() && reached.back() == L"F:\\A\\DEEP\\")
            criteria.NamePattern = "*.*";
        return criteria;
    };
    search.Run(request);
    EXPECT_FALSE(search.Running());
    EXPECT_FALSE(search.StopRequested());
    EXPECT_EQ(Hits(), (std::set<std::wstring>{L"ROOT.TXT@F:\\", L"ONE.TXT@F:\\A\\", L"TWO.DOC@F:\\A\\DEEP\\",
                                              L"THREE.TXT@F:\\C\\"}));
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), 4u) << "each folder's scan reports the rows so far";
    EXPECT_EQ(reached.front(), L"F:\\");

    // Stop asked at the first folder below the start: nothing below it is scanned.
    list_->Clear();
    reached.clear();
    view.reached = [&](const std::wstring& folder) {
        reached.push_back(folder);
        if (folder == L"F:\\A\\")
            running->RequestStop();
    };
    TDeletedFileSearch stopping(*list_, view);
    running = &stopping;
    stopping.Run(request);
    EXPECT_TRUE(stopping.StopRequested());
    EXPECT_EQ(Hits(), (std::set<std::wstring>{L"ROOT.TXT@F:\\"}));
    EXPECT_EQ(reached.back(), L"F:\\A\\");
}
