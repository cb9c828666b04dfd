// Retrove and Purge in the main window, call by call: what each asks of the client library, that a failing
// call changes nothing, and what the loops tell their windows, in order.
#include "TFMainRecoverPurgeTest.h"

#include "DeletedFileActions.h"
#include "DeletedTreeRecovery.h"
#include "MainCommands.h"
#include "NWClientApi.h"

#include <utility>

namespace
{

// The names of the calls library's entry points, for counting what one action asks of the client.
const std::vector<const char*>& CallsLibraryFunctions()
{
#define NW_FUNCTION_NAME(name, ret, params) #name,
    static const std::vector<const char*> names{NW_CALWIN32_API(NW_FUNCTION_NAME)};
#undef NW_FUNCTION_NAME
    return names;
}

// Every client function that was called since the last reset, with how often.
std::vector<std::pair<std::string, uint32_t>> CalledFunctions()
{
    std::vector<std::pair<std::string, uint32_t>> calls;
    for (const char* function : CallsLibraryFunctions())
        if (const uint32_t count = NWSimCallCount(function))
            calls.emplace_back(function, count);
    return calls;
}

// Stands in for the windows of the loops and writes down what they were asked, in order.
class TRecordingUI : public IDeletedFileActionsUI
{
public:
    std::vector<std::wstring> calls;
    std::optional<std::wstring> newName;
    bool confirm = false;
    std::optional<size_t> cancelAt;

    void ShowActionMessage() override { calls.push_back(L"show"); }
    void SetActionMessage(const std::wstring& message) override { calls.push_back(L"set " + message); }
    void HideActionMessage() override { calls.push_back(L"hide"); }
    std::optional<std::wstring> AskNewName(const std::wstring& proposed, const std::wstring&) override
    {
        calls.push_back(L"ask " + proposed);
        return newName;
    }
    void ShowFailure(const std::wstring& text) override { calls.push_back(L"box " + text); }
    bool ConfirmPurge(const std::wstring& question) override
    {
        calls.push_back(L"confirm " + question);
        return confirm;
    }
    bool ShowTreeProgress(size_t done) override
    {
        calls.push_back(L"progress " + std::to_wstring(done));
        return cancelAt && done >= *cancelAt;
    }
};

} // namespace

TEST_F(TFMainRecoverPurgeTest, EveryFailingClientCallOfARecoveryOrAPurgeChangesNothing)
{
    AddDeleted("ONE.TXT", "one");
    AddDeleted("TWO.TXT", "two");
    AddDeleted("ONE.TXT", "probe one", "PROBE");
    AddDeleted("TWO.TXT", "probe two", "PROBE");
    AddDeleted("THREE.TXT", "probe three", "PROBE");
    TFMain& main = Listed(L"F:\\PROBE");
    ASSERT_EQ(List().Count(), 3u);

    // What one recovery and one purge ask of the client, on rows whose folder keeps other rows.
    NWSimReset();
    Select({L"TWO.TXT"});
    Command(main, cmBRetrove);
    ASSERT_EQ(List().Count(), 2u);
    const auto recoverCalls = CalledFunctions();
    NWSimReset();
    Select({L"THREE.TXT"});
    Modals().ExpectMessageBox(L"Permanently purge 1 file(s)?", IDYES);
    Command(main, cmBPurge);
    ASSERT_EQ(List().Count(), 1u);
    const auto purgeCalls = CalledFunctions();
    ASSERT_FALSE(recoverCalls.empty());
    ASSERT_FALSE(purgeCalls.empty());

    main.TreeDel().GoTo(TItemIdList::FromPath(L"F:\\DATA").Get());
    PumpMessages();
    ASSERT_EQ(Names(List()), L"ONE.TXT;TWO.TXT;");
    main.ClearDeletedList();
    const uint32_t handlesBefore = NWSimDirectoryHandlesInUse();
    struct TAction
    {
        int command;
        std::vector<std::pair<std::string, uint32_t>> calls;
        const wchar_t* failure;
    };
    size_t runs = 0;
    for (const bool thrown : {false, true})
        for (const TAction& action : {TAction{cmBRetrove, recoverCalls, L"Unable to Retrove TWO.TXT"},
                                      TAction{cmBPurge, purgeCalls, L"Unable to Purge TWO.TXT"}})
            for (const auto& [function, count] : action.calls)
                for (uint32_t nth = 1; nth <= count; ++nth)
                {
                    const std::string what =
                        function + " #" + std::to_string(nth) + (thrown ? " thrown" : "");
                    main.ListDeletedFiles(L"F:\\DATA");
                    ASSERT_EQ(List().Count(), 2u) << what;
                    Select({L"TWO.TXT"});
                    const TFolderSnapshot salvage = Salvage();
                    const TFolderSnapshot volume = Volume();
                    NWSimReset();
                    if (thrown)
                        NWSimThrowInCalls(function.c_str(), nth, 1);
                    else
                        NWSimFailCalls(function.c_str(), 0x89FF, nth, 1);
                    Modals().Clear();
                    if (action.command == cmBPurge)
                        Modals().ExpectMessageBox(L"Permanently purge 1 file(s)?", IDYES);
                    Modals().ExpectMessageBox(action.failure, IDOK);
                    Command(main, action.command);
                    EXPECT_TRUE(Modals().AllAnswered()) << what;
                    EXPECT_EQ(Names(List()), L"ONE.TXT;TWO.TXT;") << what;
                    EXPECT_EQ(SelectedNames(), std::vector<std::wstring>{L"TWO.TXT"}) << what;
                    EXPECT_EQ(Salvage(), salvage) << what;
                    EXPECT_EQ(Volume(), volume) << what;
                    main.ClearDeletedList();
                    EXPECT_EQ(NWSimDirectoryHandlesInUse(), handlesBefore) << what;
                    ++runs;
                }
    EXPECT_GE(runs, 4u);
}

// What the Find window relies on: each row's own folder, given with or without its backslash, and the
// windows asked in the loop's order.
TEST_F(TFMainRecoverPurgeTest, TheLoopsAskEachRowsFolderAndTalkToTheirWindowsInOrder)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("Report.doc", "the old report");
    AddDeleted("Z.TXT", "zulu");
    WriteLive("REPORT.DOC", "the live report");
    Listed();
    Select({L"A.TXT", L"Report.doc", L"Z.TXT"});
    std::vector<size_t> asked;
    TRecordingUI ui;
    ui.newName = L"new.doc";
    size_t lastCount = 99;
    RetroveSelected(
        [&](size_t row) {
            asked.push_back(row);
            return std::wstring(L"F:\\DATA");
        },
        List(), TRetroveOptions{}, ui, [&](size_t rows) { lastCount = rows; });
    EXPECT_EQ(asked, (std::vector<size_t>{2, 1, 0}));
    EXPECT_EQ(ui.calls, (std::vector<std::wstring>{L"show", L"set Retroving Z.TXT", L"show",
                                                   L"set Retroving Report.doc", L"ask REPORT.DOC", L"show",
                                                   L"set Retroving A.TXT", L"hide"}))
        << "the conflict was seen in F:\\DATA\\";
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(lastCount, 0u);
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"A.TXT", "NEW.DOC", "REPORT.DOC", "Z.TXT"}));

    // With nothing selected the window is only put away.
    ui.calls.clear();
    RetroveSelected(L"F:\\DATA\\", List(), TRetroveOptions{}, ui, nullptr);
    EXPECT_EQ(ui.calls, std::vector<std::wstring>{L"hide"});
}

TEST_F(TFMainRecoverPurgeTest, ThePurgeLoopNamesEachRowAndWithoutTheLibrarysCallsTouchesNoWindow)
{
    AddDeleted("A.TXT", "alpha");
    AddDeleted("B.TXT", "bravo");
    Listed();
    Select({L"A.TXT", L"B.TXT"});
    TRecordingUI ui;
    EXPECT_FALSE(ConfirmAndPurgeSelected(List(), ui)) << "not confirmed";
    EXPECT_EQ(ui.calls, std::vector<std::wstring>{L"confirm Permanently purge 2 file(s)?"});
    EXPECT_EQ(List().Count(), 2u);

    NWSimSetFunctionMissing("CALWIN32.DLL", "NWPurgeErasedFiles", 1);
    ui.calls.clear();
    EXPECT_EQ(PurgeSelected(List(), ui), 0u);
    EXPECT_TRUE(ui.calls.empty()) << "no action window, no box";
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWPurgeErasedFiles", 0);

    ui.confirm = true;
    EXPECT_TRUE(ConfirmAndPurgeSelected(List(), ui));
    EXPECT_EQ(ui.calls,
              (std::vector<std::wstring>{L"confirm Permanently purge 2 file(s)?", L"show",
                                         L"set Purging B.TXT", L"show", L"set Purging A.TXT", L"hide"}));
    EXPECT_EQ(List().Count(), 0u);
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u);
}

// A deleted folder's contents come back one by one under the action window's count; a failure inside the
// tree is named in one box at the end, and Cancel stops before the next entry.
TEST_F(TFMainRecoverPurgeTest, ATreeNamesEachEntryCountsThemAndEndsWithOneBoxForItsFailuresAndCancel)
{
    constexpr uint32_t kAlice = 0x10000012;
    const uint32_t zeta = AddTreeEntry("DATA", "ZETA", nullptr, 0, kAlice, 20);
    for (const char* name : {"A.TXT", "B.TXT", "C.TXT", "D.TXT"})
        AddTreeEntry("DATA/ZETA", name, name, zeta, kAlice, 20);
    std::filesystem::remove_all(Live() / "ZETA");
    Listed();
    Select({L"ZETA"});
    TRecordingUI ui;
    ui.cancelAt = 3;
    // The folder's own recovery is the first call; B.TXT's is the third.
    NWSimFailCalls("NWRecoverDeletedFile", 0x89FF, 3, 1);
    RetroveSelected(L"F:\\DATA", List(), TRetroveOptions{}, ui, nullptr);
    EXPECT_EQ(ui.calls,
              (std::vector<std::wstring>{
                  L"show", L"set Retroving ZETA", L"progress 0", L"set Retroving ZETA\\A.TXT", L"progress 1",
                  L"set Retroving ZETA\\B.TXT", L"progress 2", L"set Retroving ZETA\\C.TXT", L"progress 3",
                  L"box ZETA came back with 2 of the entries deleted inside it; 0 skipped.\n"
                  L"Cancelled: the rest stay deleted.\nUnable to Retrove 1:\nZETA\\B.TXT",
                  L"hide"}));
    EXPECT_EQ(LiveFile("ZETA/A.TXT"), "A.TXT");
    EXPECT_EQ(LiveFile("ZETA/C.TXT"), "C.TXT");
    EXPECT_FALSE(LiveFile("ZETA/B.TXT"));
    EXPECT_FALSE(LiveFile("ZETA/D.TXT")) << "after Cancel";
    EXPECT_EQ(NWSimDirectoryHandlesInUse(), 0u) << "every scan's handle went back";

    // A long list of failures names the first twenty.
    TTreeRecoveryCount count;
    for (int i = 0; i < 23; ++i)
        count.failed.push_back(L"ZETA\\F" + std::to_wstring(i));
    const std::wstring summary = TreeSummary(L"ZETA", count);
    EXPECT_NE(summary.find(L"ZETA\\F19\n\u2026and 3 more"), std::wstring::npos) << Narrow(summary);
    EXPECT_EQ(summary.find(L"ZETA\\F20"), std::wstring::npos);
    EXPECT_EQ(TreeSummary(L"ZETA", TTreeRecoveryCount{5, 0, {}, false}), L"") << "all came back: no box";
}
