// Loading the calls and client libraries, the primary connection, and the calls module's completion codes.
#include "TWorldTest.h"

#include "TDateTime.h"
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
    EXPECT_EQ(NWSimLibraryLoadAttempts("CALWIN32.DLL"), 1u);
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
    EXPECT_EQ(NWSimCallCount("NWGetPrimaryConnectionID"), 1u) << "once, while the client initialises";
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

TEST_F(TNWLibTest, ConnectionInformationFoundInTheCallsLibraryServesEveryUserAfterwards)
{
    TNWBase base;
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetConnInfo", 1);
    EXPECT_EQ(TNWLib::GetConnectionNumber(0x00C10102), 7);
    EXPECT_EQ(NWSimCallCount("NWGetConnectionNumber"), 1u) << "not in the client library: the older call";
    EXPECT_EQ(NWSimCallCount("NWCCGetConnInfo"), 0u);

    EXPECT_EQ(TNWLib::GetBroadcastMode(0), 0);
    EXPECT_EQ(NWSimCallCount("NWCCGetConnInfo"), 1u) << "the broadcast mode finds it in the calls library";
    EXPECT_EQ(TNWLib::GetConnectionNumber(0x00C10102), 7);
    EXPECT_EQ(TNWLib::GetServerNameOfConnection(0x00C10102), "OLDSRV");
    EXPECT_EQ(NWSimCallCount("NWCCGetConnInfo"), 3u) << "one slot: the other users now call it too";
    EXPECT_EQ(NWSimCallCount("NWGetConnectionNumber"), 1u);
    EXPECT_EQ(NWSimCallCount("NWGetFileServerName"), 0u);
}

TEST_F(TNWLibTest, TheServerDateIsTheServersDateOrToday)
{
    TNWBase base;
    ASSERT_EQ(nw::api::NWSetFileServerDateAndTime.Bind()(kPrimaryHandle, 99, 12, 31, 23, 59, 0), 0u);
    EXPECT_DOUBLE_EQ(TNWLib::GetServerDate(0), nw::EncodeDate(1999, 12, 31));
    NWSimFailCalls("NWGetFileServerDateAndTime", 0x8801, 1, 1);
    EXPECT_DOUBLE_EQ(TNWLib::GetServerDate(0), nw::Today());
    EXPECT_EQ(base.LastError().NWLib, "8801");
}

TEST_F(TNWLibTest, APreferredServerBecomesThePrimaryConnection)
{
    TNWBase base;
    EXPECT_TRUE(TNWLib::NDSMode());
    ASSERT_TRUE(TNWLib::SetPreferredServer("OldSrv"));
    EXPECT_EQ(NWSimLastText("NWCCSetPrefServerName"), std::string("OldSrv"))
        << "the one name not upper-cased";
    EXPECT_EQ(NWSimLastText("NWCCOpenConnByName"), std::string("OLDSRV"))
        << "its connection is opened as ever";
    EXPECT_EQ(TNWLib::GetServerNameOfConnection(0), "OLDSRV");
    EXPECT_FALSE(TNWLib::NDSMode()) << "a bindery server";
    EXPECT_FALSE(TNWLib::SetPreferredServer("NOWHERE"));
    EXPECT_EQ(base.LastError().NWLib, "8801");
    EXPECT_FALSE(TNWLib::SetPreferredServer(std::string(1025, 'S')));
}

TEST_F(TNWLibTest, WithoutThePreferredServerCallThePrimaryConnectionIsSet)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCSetPrefServerName", 1);
    TNWBase base;
    ASSERT_TRUE(TNWLib::SetPreferredServer("oldsrv"));
    EXPECT_EQ(NWSimCallCount("NWSetPrimaryConnectionID"), 1u);
    EXPECT_EQ(NWSimTexts("NWGetConnectionHandle"), std::string("oldsrv\n")) << "as given";
    nw::NWCONN_HANDLE primary = 0;
    ASSERT_EQ(nw::api::NWGetPrimaryConnectionID.Bind()(&primary), 0u);
    EXPECT_EQ(primary, 0x00C10102u);
}

TEST_F(TNWLibTest, TheBroadcastModeIsReadThroughTheCallsLibrary)
{
    TNWBase base;
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetConnInfo", 1);
    EXPECT_TRUE(TNWLib::SetBroadcastMode(kPrimaryHandle, 2));
    EXPECT_EQ(TNWLib::GetBroadcastMode(0), 2);
    EXPECT_FALSE(TNWLib::SetBroadcastMode(0, 1)) << "the connection is not resolved";
    EXPECT_EQ(base.LastError().NWLib, "8801");
}

TEST_F(TNWLibTest, NetworkDrivesComeInOrder)
{
    TNWBase base;
    EXPECT_EQ(TNWLib::GetFirstNetworkDrive(), 'F');
    EXPECT_EQ(TNWLib::GetNextNetworkDrive(), 'F');
    NWSimFailCalls("NWGetFirstDrive", 0x8804, 1, 0);
    EXPECT_EQ(TNWLib::GetFirstNetworkDrive(), '\0');
    EXPECT_EQ(TNWLib::GetNextNetworkDrive(), '\0') << "without a first drive no drive is tried";
    EXPECT_EQ(base.LastError().NWLib, "0000") << "drive failures are not recorded";
    EXPECT_EQ(TNWLib::GetMaxConnections(), 50);
    EXPECT_EQ(TNWLib::LongSwap(0x12345678), 0x78563412u);
}
