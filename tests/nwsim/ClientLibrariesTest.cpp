// The four client libraries of the stand-in: their exports, shared state and the test controls.
#include "SimFiles.h"
#include "TClientLibraries.h"
#include "TWorldTest.h"

#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

namespace
{

// Calls a client function with every argument zero or null, and gives its answer as a number (a pointer as 0
// or 1, nothing as 0). Only for calls that fail at their entry, before they read an argument.
template <typename R, typename... A> int64_t CallWithZeroes(R(NWAPI* function)(A...))
{
    if constexpr (std::is_void_v<R>)
    {
        function(A{}...);
        return 0;
    }
    else if constexpr (std::is_pointer_v<R>)
        return function(A{}...) != nullptr ? 1 : 0;
    else
        return static_cast<int64_t>(function(A{}...));
}

struct TExport
{
    const char* library;
    const char* name;
    std::function<std::optional<int64_t>()> callWithZeroes; // nothing when the library lacks the function
};

#define NWSIM_TEST_EXPORT(library, name)                                                                     \
    TExport{library, #name, [] {                                                                             \
                const auto function = ClientFunction<nw::PFN_##name>(library, #name);                        \
                return function != nullptr ? std::optional(CallWithZeroes(function)) : std::nullopt;         \
            }},
#define NWSIM_CALWIN32_EXPORT(name, ret, params) NWSIM_TEST_EXPORT("CALWIN32.DLL", name)
#define NWSIM_CLXWIN32_EXPORT(name, ret, params) NWSIM_TEST_EXPORT("CLXWIN32.DLL", name)
#define NWSIM_NETWIN32_EXPORT(name, ret, params) NWSIM_TEST_EXPORT("NETWIN32.DLL", name)
#define NWSIM_LOCWIN32_EXPORT(name, ret, params) NWSIM_TEST_EXPORT("LOCWIN32.DLL", name)

const std::vector<TExport>& AllExports()
{
    static const std::vector<TExport> exports{NW_CALWIN32_API(NWSIM_CALWIN32_EXPORT) NW_CLXWIN32_API(
        NWSIM_CLXWIN32_EXPORT) NW_NETWIN32_API(NWSIM_NETWIN32_EXPORT) NW_LOCWIN32_API(NWSIM_LOCWIN32_EXPORT)
                                                  NWSIM_TEST_EXPORT("CALWIN32.DLL", NWCCGetConnInfo)};
    return exports;
}

// What a function answers when it fails inside: 0x89FF, or where it returns something other than a code, what
// stands for nothing.
int64_t FailureAnswer(const std::string& function)
{
    if (function == "NWDSCreateContext" || function == "NWDSDuplicateContext")
        return -328;
    if (function == "NWLongSwap" || function == "NWIsDSServer" || function == "NWLlocaleconv" ||
        function == "NWUnpackDateTime")
        return 0;
    return 0x89FF;
}

std::string LogSince(uintmax_t offset)
{
    const std::string log =
        nwsim::ReadWholeFile(nwsim::CoreLibraryFolder() / nwsim::kProblemLogName).value_or("");
    return offset < log.size() ? log.substr(offset) : std::string();
}

} // namespace

class ClientLibrariesTest : public TWorldTest
{
};

TEST_F(ClientLibrariesTest, EachLibraryExportsItsOwnFunctions)
{
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWCallsInit), nullptr);
    EXPECT_NE(NW_FUNCTION("CLXWIN32.DLL", NWCCGetPrimConnRef), nullptr);
    EXPECT_NE(NW_FUNCTION("NETWIN32.DLL", NWDSList), nullptr);
    EXPECT_NE(NW_FUNCTION("LOCWIN32.DLL", NWLlocaleconv), nullptr);
    // The connection information call is in both the calls and the client library, and nothing else crosses.
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWCCGetConnInfo), nullptr);
    EXPECT_NE(NW_FUNCTION("CLXWIN32.DLL", NWCCGetConnInfo), nullptr);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWDSList), nullptr);
    EXPECT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCallsInit), nullptr);
}

TEST_F(ClientLibrariesTest, AllLibrariesShareOneNetwork)
{
    uint32_t reference = 0;
    ASSERT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCGetPrimConnRef)(&reference), 0u);
    nw::NWCONN_HANDLE opened = 0;
    ASSERT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCOpenConnByRef)(reference, 1, 0, &opened), 0u);
    nw::NWCONN_HANDLE primary = 0;
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetPrimaryConnectionID)(&primary), 0u);
    EXPECT_EQ(opened, primary);
    EXPECT_EQ(primary, 0x00C10001u) << "handles are 32-bit";
}

TEST_F(ClientLibrariesTest, AnUnknownReferenceOpensNothing)
{
    nw::NWCONN_HANDLE opened = 0;
    EXPECT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCOpenConnByRef)(0x1234, 1, 0, &opened), 0x8801u);
    EXPECT_EQ(opened, 0u);
}

TEST_F(ClientLibrariesTest, FaultsFireOnceOnTheNthCallOrAlways)
{
    const auto getReference = NW_FUNCTION("CLXWIN32.DLL", NWCCGetPrimConnRef);
    uint32_t reference = 0;
    NWSimFailCalls("NWCCGetPrimConnRef", 0x8801, 1, 1);
    EXPECT_EQ(getReference(&reference), 0x8801u);
    EXPECT_EQ(reference, 0u) << "a failed call does nothing";
    EXPECT_EQ(getReference(&reference), 0u);

    NWSimFailCalls("NWCCGetPrimConnRef", 0x89FF, 2, 1);
    EXPECT_EQ(getReference(&reference), 0u);
    EXPECT_EQ(getReference(&reference), 0x89FFu);
    EXPECT_EQ(getReference(&reference), 0u);

    NWSimFailCalls("NWCCGetPrimConnRef", 0x8998, 1, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(getReference(&reference), 0x8998u);
    EXPECT_EQ(NWSimCallCount("NWCCGetPrimConnRef"), 8u);

    NWSimReset();
    EXPECT_EQ(NWSimCallCount("NWCCGetPrimConnRef"), 0u);
    EXPECT_EQ(getReference(&reference), 0u);
}

TEST_F(ClientLibrariesTest, AnExceptionInsideAnyExportIsAnsweredAsAFailureAndLoggedAndTheCallerCarriesOn)
{
    ASSERT_EQ(AllExports().size(), 74u) << "every export of the four libraries";
    std::error_code error;
    const uintmax_t logged =
        std::filesystem::file_size(nwsim::CoreLibraryFolder() / nwsim::kProblemLogName, error);
    for (const TExport& entry : AllExports())
    {
        const uint32_t calls = NWSimCallCount(entry.name);
        NWSimThrowInCalls(entry.name, 1, 1);
        const std::optional<int64_t> answer = entry.callWithZeroes();
        ASSERT_TRUE(answer.has_value()) << entry.library << " lacks " << entry.name;
        EXPECT_EQ(*answer, FailureAnswer(entry.name)) << entry.library << " " << entry.name;
        EXPECT_EQ(NWSimCallCount(entry.name), calls + 1) << entry.name;
    }
    const std::string log = LogSince(error ? 0 : logged);
    for (const TExport& entry : AllExports())
        EXPECT_NE(log.find(std::string(entry.name) + " failed inside"), std::string::npos) << entry.name;

    // The throw was once per function: each works again.
    uint32_t reference = 0;
    EXPECT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCGetPrimConnRef)(&reference), 0u);
    EXPECT_NE(reference, 0u);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWLongSwap)(0x11223344), 0x44332211u);
}

TEST_F(ClientLibrariesTest, AFunctionSetMissingCannotBeFoundUntilItIsBack)
{
    ASSERT_NE(NW_FUNCTION("CALWIN32.DLL", NWLongSwap), nullptr);
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWLongSwap", 1);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWLongSwap), nullptr);
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWCallsInit), nullptr) << "only that function is hidden";
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWLongSwap", 0);
    const auto swap = NW_FUNCTION("CALWIN32.DLL", NWLongSwap);
    ASSERT_NE(swap, nullptr);
    EXPECT_EQ(swap(0x11223344), 0x44332211u);
}

TEST_F(ClientLibrariesTest, HidingTheSharedFunctionInOneLibraryLeavesTheOther)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetConnInfo", 1);
    EXPECT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCGetConnInfo), nullptr);
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWCCGetConnInfo), nullptr);
}

TEST_F(ClientLibrariesTest, ALibrarySetMissingRefusesToLoadAndCountsTheAttempt)
{
    NWSimSetLibraryMissing("netwin32.dll", 1);
    EXPECT_EQ(nw::LoadDynamicLibrary("NETWIN32.DLL"), nullptr);
    EXPECT_EQ(nw::LoadDynamicLibrary("NETWIN32.DLL"), nullptr);
    EXPECT_EQ(NWSimLibraryLoadAttempts("NETWIN32.DLL"), 2u);
    NWSimSetLibraryMissing("NETWIN32.DLL", 0);
    EXPECT_NE(nw::LoadDynamicLibrary("NETWIN32.DLL"), nullptr);
}

TEST_F(ClientLibrariesTest, TheErrorModeIsKeptAndTheOldOneReturned)
{
    const auto setMode = NW_FUNCTION("CALWIN32.DLL", NWSetNetWareErrorMode);
    uint8_t previous = 0xEE;
    EXPECT_EQ(setMode(1, &previous), 0u);
    EXPECT_EQ(previous, 0);
    EXPECT_EQ(setMode(2, &previous), 0u);
    EXPECT_EQ(previous, 1);
}

TEST_F(ClientLibrariesTest, DatesUnpackFieldByFieldEvenOutOfRange)
{
    const auto unpack = NW_FUNCTION("CALWIN32.DLL", NWUnpackDateTime);
    nw::NW_DATE date{};
    nw::NW_TIME time{};
    // 2026-12-08 13:05:08
    unpack((46u << 25 | 12u << 21 | 8u << 16) | (13u << 11 | 5u << 5 | 4u), &date, &time);
    EXPECT_EQ(date.year, 2026);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 8);
    EXPECT_EQ(time.hours, 13);
    EXPECT_EQ(time.minutes, 5);
    EXPECT_EQ(time.seconds, 8);
    // 31 February 1980, 24:63:62 comes back as packed.
    unpack((2u << 21 | 31u << 16) | (24u << 11 | 63u << 5 | 31u), &date, &time);
    EXPECT_EQ(date.year, 1980);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 31);
    EXPECT_EQ(time.hours, 24);
    EXPECT_EQ(time.minutes, 63);
    EXPECT_EQ(time.seconds, 62);
}

TEST_F(ClientLibrariesTest, TheLocaleIsFilledAndTheUnicodeTablesLoad)
{
    nw::NW_LCONV locale{};
    EXPECT_EQ(NW_FUNCTION("LOCWIN32.DLL", NWLlocaleconv)(&locale), &locale);
    EXPECT_EQ(locale.codePage, 437);
    EXPECT_EQ(locale.countryId, 1);
    EXPECT_EQ(NW_FUNCTION("LOCWIN32.DLL", NWInitUnicodeTables)(locale.countryId, locale.codePage), 0u);
    EXPECT_EQ(NW_FUNCTION("LOCWIN32.DLL", NWFreeUnicodeTables)(), 0u);
}

TEST_F(ClientLibrariesTest, TheTextsAFunctionReceivedAreKeptInTheirLetterCase)
{
    constexpr nw::NWCONN_HANDLE kOldsrv = 0x00C10102;
    EXPECT_STREQ(NWSimLastText("NWGetObjectID"), "");
    char user[] = "mBrown";
    uint32_t id = 0;
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetObjectID)(kOldsrv, user, 0x0100, &id), 0u)
        << "the server compares names without case";
    EXPECT_STREQ(NWSimLastText("NWGetObjectID"), "mBrown");
    char server[] = "OldSrv";
    nw::NWCONN_HANDLE handle = 0;
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetConnectionHandle)(server, 0, &handle, nullptr), 0u);
    EXPECT_STREQ(NWSimLastText("NWGetConnectionHandle"), "OldSrv");
    char klee[] = "Klee";
    char property[] = "Identification";
    uint8_t value[128] = {};
    uint8_t more = 0, flags = 0;
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWReadPropertyValue)(kOldsrv, klee, 0x0100, property, 1, value,
                                                               &more, &flags),
              0u);
    EXPECT_STREQ(NWSimLastText("NWReadPropertyValue"), "Klee|Identification");
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWSetFileServerDateAndTime)(kOldsrv, 0, 1, 31, 23, 59, 60), 0u);
    EXPECT_STREQ(NWSimLastText("NWSetFileServerDateAndTime"), "0 1 31 23 59 60") << "refused, but received";
    EXPECT_STREQ(NWSimTexts("NWGetObjectID"), "mBrown\n");
}
