// The program's start: the common-controls check, the NetWare client's absence or failure, the windows it
// creates, what the user picker is told to offer, and the report of a failure at run time.
#include "TProgramTest.h"

#include "MainCommands.h"
#include "ProgramState.h"
#include "TApplication.h"
#include "TFailingAllocations.h"
#include "TItemIdList.h"

#include <stdexcept>

namespace
{

// Records whether a window of the class was ever shown on this thread while it lives.
class TShowWatch
{
public:
    explicit TShowWatch(const wchar_t* windowClass)
    {
        Class() = windowClass;
        Shown() = false;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &TShowWatch::Hook, nullptr, GetCurrentThreadId());
    }
    ~TShowWatch() { UnhookWindowsHookEx(hook_); }
    TShowWatch(const TShowWatch&) = delete;
    TShowWatch& operator=(const TShowWatch&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    static bool& Shown()
    {
        static bool shown = false;
        return shown;
    }

private:
    static std::wstring& Class()
    {
        static std::wstring name;
        return name;
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam != 0)
        {
            wchar_t name[64] = {};
            GetClassNameW(call->hwnd, name, 64);
            if (Class() == name)
                Shown() = true;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_ = nullptr;
};

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring FirstLine(const std::wstring& text)
{
    return text.substr(0, text.find(L"\r\n"));
}

} // namespace

class TRetroveProgramTest : public TProgramTest
{
};

TEST_F(TRetroveProgramTest, CommonControlsFromVersion470OnPassSilently)
{
    LoadWorld();
    Start(0x00040046);
    EXPECT_TRUE(Modals().Shown().empty());
    EXPECT_TRUE(TApplication::Instance().ShowMainForm);
}

TEST_F(TRetroveProgramTest, OlderOrUnreadableCommonControlsAskForTheUpdateAndStartUpGoesOn)
{
    LoadWorld();
    for (const uint32_t version : {0x00040000u, 0x00040045u, 0u})
    {
        Modals().ExpectMessageBox(
            L"The COMCTL32.DLL should be updated to display all controls.  Download from "
            L"http://download.tarvex.com/downloads/40comupd.exe",
            IDOK);
        CheckCommonControlsVersion([version] { return version; });
        ASSERT_TRUE(Modals().AllAnswered()) << std::hex << version;
    }
    Modals().ExpectMessageBox(L"should be updated", IDOK);
    Start(0x00040000);
    EXPECT_NE(Main().Handle(), nullptr);
    EXPECT_TRUE(TApplication::Instance().ShowMainForm) << "start-up went on to its end";
    ASSERT_EQ(Modals().ShownLooks().size(), 4u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Retrove 98");
}

TEST_F(TRetroveProgramTest, AFailingVersionCheckAsksForAReportAndStartUpGoesOn)
{
    LoadWorld();
    Modals().ExpectMessageBox(
        L"Unable to execute COMCTL32 version id. Please report this error to support@tarvex.com", IDOK);
    program_ =
        std::make_unique<TRetroveProgram>([]() -> uint32_t { throw std::runtime_error("no version"); });
    program_->Start();
    EXPECT_TRUE(TApplication::Instance().ShowMainForm);
}

TEST_F(TRetroveProgramTest, TheSystemsCommonControlsAreNewEnough)
{
    EXPECT_GE(ReadCommonControlsVersion(), kLeastCommonControlsVersion);
}

TEST_F(TRetroveProgramTest, CreatesTheEightWindowsOnceWithTheirCaptions)
{
    LoadWorld();
    Start();
    const TRetroveForms& forms = program_->Forms();
    const std::pair<HWND, const wchar_t*> expected[] = {
        {forms.FMain->Handle(), L"Retrove 98"},
        {forms.FActionMessage->Handle(), L"Retroving"},
        {forms.FAbout->Handle(), L"About"},
        {forms.FRename->Handle(), L"Rename"},
        {forms.FFilter->Handle(), L"Filter Specification"},
        {forms.FFind->Handle(), L"Find: Deleted Files"},
        {forms.FProperties->Handle(), L"Properties"},
        {forms.FBrowseDirectory->Handle(), L"Select from Directory"},
    };
    const wchar_t* classes[] = {L"TFMain",   L"TFActionMessage", L"TFAbout",      L"TFRename",
                                L"TFFilter", L"TFFind",          L"TFProperties", L"TFBrowseDirectory"};
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        ASSERT_TRUE(IsWindow(expected[i].first)) << i;
        wchar_t caption[64] = {};
        GetWindowTextW(expected[i].first, caption, 64);
        EXPECT_STREQ(caption, expected[i].second);
        EXPECT_EQ(ClassOf(expected[i].first), classes[i]);
        EXPECT_FALSE(IsWindowVisible(expected[i].first)) << "nothing shows before the event loop runs";
    }
    EXPECT_EQ(FindWindowW(L"TFMain", L"Retrove 98"), forms.FMain->Handle()) << "one main window";
    EXPECT_EQ(Program().StartupStage, L"FMain NWBase1.NetAvailable");
    EXPECT_TRUE(TApplication::Instance().ShowMainForm);
}

TEST_F(TRetroveProgramTest, WithoutTheClientLibrariesOneMessageAndTheMainWindowNeverShows)
{
    LoadWorld();
    for (const char* library : {"CALWIN32.DLL", "CLXWIN32.DLL", "NETWIN32.DLL", "LOCWIN32.DLL"})
        NWSimSetLibraryMissing(library, 1);
    const TShowWatch watch(L"TFMain");
    ASSERT_TRUE(watch.Hooked());
    Modals().ExpectMessageBox(L"The Netware Client 32 APIs are not loaded.", IDOK);
    Start();
    EXPECT_EQ(program_->Run(), 1);
    ASSERT_EQ(Modals().Shown().size(), 1u);
    EXPECT_EQ(Modals().Shown()[0], L"The Netware Client 32 APIs are not loaded.");
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Retrove 98");
    EXPECT_EQ(Modals().ShownLooks()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(TShowWatch::Shown()) << "the main window showed";
    EXPECT_FALSE(TApplication::Instance().ShowMainForm);
    EXPECT_FALSE(IsWindow(Main().Handle())) << "the main window was closed";
    EXPECT_TRUE(TRegistrySandbox::ValueNames(L"Software\\Tarvex\\Retrove\\Columns").empty())
        << "a window never shown saves no column layout";
    EXPECT_TRUE(TRegistrySandbox::ValueNames(L"Software\\Tarvex\\Retrove").empty());
}

TEST_F(TRetroveProgramTest, AConnectionObjectThatCannotBeMadeEndsTheProgram)
{
    LoadWorld();
    const TShowWatch watch(L"TFMain");
    Modals().ExpectMessageBox(L"Unable to initialize Netware API.", IDOK);
    FailAllocationOfSize(sizeof(nw::TNWBase), 1);
    Start();
    FailAllocationOfSize(sizeof(nw::TNWBase), 0);
    EXPECT_EQ(Program().NWBase1, nullptr);
    EXPECT_EQ(Program().StartupStage, L"FMain Initialize");
    EXPECT_EQ(program_->Run(), 1);
    EXPECT_EQ(Modals().Shown().size(), 1u);
    EXPECT_FALSE(TShowWatch::Shown());
}

TEST_F(TRetroveProgramTest, AFailureAfterStartUpIsReportedWithTheLastStageAndEndsTheProgram)
{
    LoadWorld();
    Start();
    Main().ShowFirstTime();
    // Any handler will do: the boundary of the control that calls it catches what it throws.
    Main().TreeDel().OnChange = [] { throw std::runtime_error("the listing broke"); };
    Modals().ExpectMessageBox(L"Exception: the listing broke", IDOK);
    Main().TreeDel().GoTo(TItemIdList::FromPath(L"F:\\").Get());
    ASSERT_EQ(Modals().Shown().size(), 1u);
    const std::wstring& text = Modals().Shown()[0];
    EXPECT_EQ(FirstLine(text), L"Retrove 98 Internal Error: FMain NWBase1.NetAvailable");
    EXPECT_EQ(text, L"Retrove 98 Internal Error: FMain NWBase1.NetAvailable\r\nException: the listing broke"
                    L"\r\n\r\nPlease report this error to support@tarvex.com");
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Error");
    EXPECT_EQ(Modals().ShownLooks()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(TApplication::Instance().Terminated());
    EXPECT_EQ(program_->Run(), 1) << "the event loop ends at once";
}

TEST_F(TRetroveProgramTest, AFailureOfTheStartItselfIsReportedAndEndsTheProgram)
{
    LoadWorld();
    program_ = std::make_unique<TRetroveProgram>([] { return kCurrentCommonControls; });
    Modals().ExpectMessageBox(L"Retrove 98 Internal Error: Retrove Create Forms\r\nException: ", IDOK);
    FailAllocationOfSize(sizeof(TFMain), 1);
    EXPECT_EQ(program_->Execute(), 1);
    FailAllocationOfSize(sizeof(TFMain), 0);
    EXPECT_EQ(program_->Forms().FMain, nullptr);
}

TEST_F(TRetroveProgramTest, ThePickerOffersTheTreeAndBinderyServersOfThePlainNetwork)
{
    LoadWorld();
    Start();
    EXPECT_TRUE(Program().UseNDS);
    EXPECT_TRUE(Program().UseBindery) << "OLDSRV is a bindery server";
}

TEST_F(TRetroveProgramTest, OnlyDirectoryServersAttachedMeansNoBinderyServers)
{
    world_->EditWorldJson("\"servers\": [", "\"servers\": [{\"name\": \"NORTH\", \"tree\": \"TARVEX_TREE\", "
                                            "\"version\": \"4.11\"},");
    world_->EditWorldJson("\"attached\": [\n      \"TARVEX\",\n      \"OLDSRV\"\n    ]",
                          "\"attached\": [\"TARVEX\", \"NORTH\"]");
    LoadWorld();
    Start();
    EXPECT_TRUE(Program().UseNDS);
    EXPECT_FALSE(Program().UseBindery);
}

TEST_F(TRetroveProgramTest, OneBinderyServerAmongDirectoryServersIsFoundAndEndsTheSearch)
{
    world_->EditWorldJson("\"servers\": [", "\"servers\": [{\"name\": \"NORTH\", \"tree\": \"TARVEX_TREE\", "
                                            "\"version\": \"4.11\"},");
    world_->EditWorldJson("\"attached\": [\n      \"TARVEX\",\n      \"OLDSRV\"\n    ]",
                          "\"attached\": [\"TARVEX\", \"OLDSRV\", \"NORTH\"]");
    LoadWorld();
    Start();
    EXPECT_TRUE(Program().UseBindery);
    const std::string asked = NWSimTexts("NWCCOpenConnByName");
    EXPECT_NE(asked.find("OLDSRV"), std::string::npos);
    EXPECT_EQ(asked.find("NORTH"), std::string::npos) << "the search stops at the first bindery server";
}

TEST_F(TRetroveProgramTest, NoAttachedServerMeansNoClientAndNoBinderyServers)
{
    world_->EditWorldJson("\"attached\": [\n      \"TARVEX\",\n      \"OLDSRV\"\n    ]", "\"attached\": []");
    world_->EditWorldJson("\"primary\": \"TARVEX\"", "\"primary\": \"\"");
    LoadWorld();
    Modals().ExpectMessageBox(L"The Netware Client 32 APIs are not loaded.", IDOK);
    Start();
    EXPECT_FALSE(Program().UseBindery);
    EXPECT_FALSE(Program().UseNDS);
}

TEST_F(TRetroveProgramTest, WithoutTheDirectoryLibrariesThePickerOffersNoTree)
{
    LoadWorld();
    NWSimSetLibraryMissing("NETWIN32.DLL", 1);
    Start();
    EXPECT_TRUE(Program().NWBase1->NetAvailable());
    EXPECT_FALSE(Program().UseNDS);
}

TEST_F(TRetroveProgramTest, HelpAboutShowsTheAboutBoxModally)
{
    LoadWorld();
    Start();
    HWND about = program_->Forms().FAbout->Handle();
    HWND shown = nullptr;
    Modals().ExpectDialog(L"About", [&](HWND window) -> INT_PTR {
        shown = window;
        return IDOK;
    });
    SendMessageW(Main().Handle(), WM_COMMAND, MAKEWPARAM(cmBAbout, 0), 0);
    EXPECT_EQ(shown, about);
}
