// Creating the connection component: its error properties, exceptions and the client's error mode.
#include "TWorldTest.h"

#include "TNWBase.h"
#include "TNWLib.h"
#include "TNWNDS.h"
#include "TNWObjError.h"

using nw::TNWBase;
using nw::TNWShellErrorMode;

class TNWBaseTest : public TWorldTest
{
};

TEST_F(TNWBaseTest, AfterCreationTheComponentIsSilentAndInteractive)
{
    TNWBase base;
    EXPECT_TRUE(base.SilentExceptions());
    EXPECT_EQ(base.ShellErrorMode(), TNWShellErrorMode::nwErrInteractive);
    // The initial mode is stored without telling the client.
    EXPECT_EQ(NWSimCallCount("NWSetNetWareErrorMode"), 0u);
}

TEST_F(TNWBaseTest, SettingTheErrorModeAlwaysCallsTheClient)
{
    TNWBase base;
    base.SetShellErrorMode(TNWShellErrorMode::nwErrInteractive);
    base.SetShellErrorMode(TNWShellErrorMode::nwErrInteractive);
    EXPECT_EQ(NWSimCallCount("NWSetNetWareErrorMode"), 2u);
    base.SetShellErrorMode(TNWShellErrorMode::nwErrDOS);
    EXPECT_EQ(base.ShellErrorMode(), TNWShellErrorMode::nwErrDOS);
    // The client now holds the DOS mode (2), which the next change reports as the previous one.
    EXPECT_EQ(nw::TNWLib::SetNetWareErrorMode(0), 2);
}

TEST_F(TNWBaseTest, RaisingIsSilentUnlessAsked)
{
    TNWBase base;
    EXPECT_NO_THROW(base.RaiseNWError("Invalid Server Handle"));
    base.SetSilentExceptions(false);
    try
    {
        base.RaiseNWError("Invalid Server Handle");
        FAIL() << "no exception raised";
    }
    catch (const nw::TNWObjError& error)
    {
        EXPECT_STREQ(error.what(), "Invalid Server Handle");
    }
}

TEST_F(TNWBaseTest, PropertyAndPrintErrorsAlwaysReadZero)
{
    NWSimFailCalls("NWCCOpenConnByRef", 0x8801, 1, 0);
    NWSimSetLibraryMissing("NETWIN32.DLL", 1);
    TNWBase base;
    const nw::TNWLastError& errors = base.LastError();
    EXPECT_EQ(errors.NWLib, "8801");
    EXPECT_EQ(errors.NWNDS, "FFFF");
    EXPECT_EQ(errors.NWProp, "0000");
    EXPECT_EQ(errors.NWPrint, "0000");
    EXPECT_EQ(errors.NWServer, "0000");
}

TEST_F(TNWBaseTest, LastErrorIsReadAfreshEachTime)
{
    TNWBase base;
    EXPECT_EQ(base.LastError().NWLib, "0000");
    nw::TNWLib::Cells().Record(0x89FC);
    EXPECT_EQ(base.LastError().NWLib, "89FC");
}

TEST_F(TNWBaseTest, WithoutTheDirectoryLibraryTheLocaleLibraryIsNotTried)
{
    NWSimSetLibraryMissing("NETWIN32.DLL", 1);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(base.LastError().NWNDS, "FFFF");
    EXPECT_EQ(NWSimLibraryLoadAttempts("LOCWIN32.DLL"), 0u);
    EXPECT_EQ(nw::TNWNDS::Context(), 0);
}

TEST_F(TNWBaseTest, WithoutTheLocaleLibraryTheDirectoryIsUnavailable)
{
    NWSimSetLibraryMissing("LOCWIN32.DLL", 1);
    TNWBase base;
    EXPECT_EQ(base.LastError().NWNDS, "FFFF");
    EXPECT_EQ(nw::TNWNDS::Context(), 0);
    EXPECT_EQ(NWSimCallCount("NWDSCreateContext"), 0u);
}

TEST_F(TNWBaseTest, AMissingDirectoryFunctionStopsTheBindingQuietly)
{
    NWSimSetFunctionMissing("NETWIN32.DLL", "NWDSAllocBuf", 1);
    TNWBase base;
    EXPECT_EQ(NWSimCallCount("NWDSCreateContext"), 0u);
    EXPECT_EQ(nw::TNWNDS::Context(), 0);
    EXPECT_EQ(base.LastError().NWNDS, "0000");
}
