// Loading the calls and client libraries, the primary connection, and the calls module's completion codes.
#include "TWorldTest.h"

#include "TNWBase.h"
#include "TNWEntryPoint.h"
#include "TNWLib.h"

using nw::TNWBase;
using nw::TNWLib;

namespace
{

// The first connection handle of the stand-in's workstation (its primary connection in the plain world).
constexpr uint32_t kPrimaryHandle = 0x00C10001;

} // namespace

class TNWLibTest : public TWorldTest
{
};

TEST_F(TNWLibTest, LoadsTheClientAndCachesThePrimaryConnection)
{
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(TNWLib::CachedPrimaryConnection(), kPrimaryHandle);
    EXPECT_EQ(TNWLib::GetPrimaryConnection(), kPrimaryHandle);
    EXPECT_EQ(NWSimCallCount("NWCallsInit"), 1u);
    // A cached connection is returned without asking the client again.
    EXPECT_EQ(NWSimCallCount("NWCCGetPrimConnRef"), 1u);
    EXPECT_EQ(base.LastError().NWLib, "0000");
}

TEST_F(TNWLibTest, WithoutTheCallsLibraryNothingElseIsTried)
{
    NWSimSetLibraryMissing("CALWIN32.DLL", 1);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib, "FFFF");
    EXPECT_GE(NWSimLibraryLoadAttempts("CALWIN32.DLL"), 1u);
    EXPECT_EQ(NWSimLibraryLoadAttempts("CLXWIN32.DLL"), 0u);
    EXPECT_EQ(NWSimCallCount("NWCallsInit"), 0u);
}

TEST_F(TNWLibTest, WithoutTheClientLibraryTheClientIsNotInitialised)
{
    NWSimSetLibraryMissing("CLXWIN32.DLL", 1);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib, "FFFF");
    EXPECT_EQ(NWSimCallCount("NWCallsInit"), 0u);
    EXPECT_FALSE(TNWLib::IsNetWareLoaded());
}

TEST_F(TNWLibTest, WithoutAConnectionReferenceTheCodeIsNoAnswer)
{
    TTestWorld detached;
    detached.WriteWorldJson(R"({"servers": [{"name": "LONELY", "version": "3.12", "volumes": ["SYS"]}]})");
    ASSERT_TRUE(detached.Load()) << NWSimWorldError();

    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib, "FFFFFFFF");
    EXPECT_EQ(TNWLib::CachedPrimaryConnection(), 0u);
}

TEST_F(TNWLibTest, AFailedConnectionOpenLeavesItsCode)
{
    NWSimFailCalls("NWCCOpenConnByRef", 0x8801, 1, 0);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib, "8801");
    EXPECT_EQ(TNWLib::Cells().lastResult, 0x8801u);
}

TEST_F(TNWLibTest, ASuccessAfterAFailureKeepsTheFailuresCode)
{
    // The open fails while the client initialises, so nothing is cached; the loaded test then succeeds.
    NWSimFailCalls("NWCCOpenConnByRef", 0x8801, 1, 1);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(TNWLib::CachedPrimaryConnection(), 0u);
    EXPECT_EQ(TNWLib::Cells().lastResult, 0u);
    EXPECT_EQ(base.LastError().NWLib, "8801");
}

TEST_F(TNWLibTest, WithoutAPrimaryReferenceFunctionTheCallsLibraryAnswers)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetPrimConnRef", 1);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(TNWLib::GetPrimaryConnection(), kPrimaryHandle);
    EXPECT_EQ(NWSimCallCount("NWCCGetPrimConnRef"), 0u);
    EXPECT_GE(NWSimCallCount("NWGetPrimaryConnectionID"), 1u);
}

TEST_F(TNWLibTest, TheCallsLibrarysPrimaryConnectionCodeIsRecorded)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetPrimConnRef", 1);
    NWSimFailCalls("NWGetPrimaryConnectionID", 0x8801, 1, 0);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib, "8801");
}

TEST_F(TNWLibTest, WithNeitherPrimaryConnectionFunctionNoOneAnswers)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetPrimConnRef", 1);
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWGetPrimaryConnectionID", 1);
    TNWBase base;
    EXPECT_FALSE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWLib, "FFFFFFFF");
}

TEST_F(TNWLibTest, AMissingOrFailingInitialisationCachesNothing)
{
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWCallsInit", 1);
    TNWBase base;
    EXPECT_EQ(TNWLib::CachedPrimaryConnection(), 0u);
    // The loaded test fetches a connection without caching it.
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(TNWLib::CachedPrimaryConnection(), 0u);
    EXPECT_EQ(base.LastError().NWLib, "0000");
}

TEST_F(TNWLibTest, AFailingInitialisationIsNotRecorded)
{
    NWSimFailCalls("NWCallsInit", 0x8801, 1, 0);
    TNWBase base;
    EXPECT_EQ(NWSimCallCount("NWCallsInit"), 1u);
    EXPECT_EQ(TNWLib::CachedPrimaryConnection(), 0u);
    EXPECT_EQ(base.LastError().NWLib, "0000");
}

TEST_F(TNWLibTest, BoundSlotsStayButTheConnectionOpenIsLookedUpOnEveryUse)
{
    TNWBase base;
    ASSERT_TRUE(base.NetAvailable());
    const uint32_t referenceCalls = NWSimCallCount("NWCCGetPrimConnRef");
    const uint32_t openCalls = NWSimCallCount("NWCCOpenConnByRef");
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetPrimConnRef", 1);
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCOpenConnByRef", 1);
    TNWLib::CachedPrimaryConnection() = 0;

    EXPECT_EQ(TNWLib::GetPrimaryConnection(), 0u);
    // The reference function answered through its slot; the open was looked up anew and found missing.
    EXPECT_EQ(NWSimCallCount("NWCCGetPrimConnRef"), referenceCalls + 1);
    EXPECT_EQ(NWSimCallCount("NWCCOpenConnByRef"), openCalls);
    EXPECT_EQ(base.LastError().NWLib, "FFFFFFFF");

    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCOpenConnByRef", 0);
    EXPECT_EQ(TNWLib::GetPrimaryConnection(), kPrimaryHandle);
}

TEST_F(TNWLibTest, AMissingFunctionIsQuietAndLookedUpAgainNextTime)
{
    TNWBase base;
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWSetNetWareErrorMode", 1);
    EXPECT_EQ(TNWLib::SetNetWareErrorMode(2), 0);
    EXPECT_EQ(NWSimCallCount("NWSetNetWareErrorMode"), 0u);
    EXPECT_EQ(base.LastError().NWLib, "0000");

    NWSimSetFunctionMissing("CALWIN32.DLL", "NWSetNetWareErrorMode", 0);
    EXPECT_EQ(TNWLib::SetNetWareErrorMode(2), 0);
    EXPECT_EQ(TNWLib::SetNetWareErrorMode(1), 2);
    EXPECT_EQ(NWSimCallCount("NWSetNetWareErrorMode"), 2u);
}

TEST_F(TNWLibTest, AFailingErrorModeChangeGivesZero)
{
    TNWBase base;
    EXPECT_EQ(TNWLib::SetNetWareErrorMode(2), 0);
    NWSimFailCalls("NWSetNetWareErrorMode", 0x89FF, 1, 1);
    EXPECT_EQ(TNWLib::SetNetWareErrorMode(1), 0);
    EXPECT_EQ(TNWLib::SetNetWareErrorMode(1), 2);
}

TEST_F(TNWLibTest, TheConnectionInformationSlotCanBeFilledFromTheCallsLibrary)
{
    TNWBase base;
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetConnInfo", 1);
    EXPECT_EQ(nw::api::NWCCGetConnInfo.Bind(), nullptr);
    const auto fromCalls = nw::api::NWCCGetConnInfo.BindFrom(nw::TNWClientLibrary::Calls);
    ASSERT_NE(fromCalls, nullptr);
    // One slot: once filled, every user gets the same function.
    EXPECT_EQ(nw::api::NWCCGetConnInfo.Bind(), fromCalls);
}
