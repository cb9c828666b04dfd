// Creating the connection component: its error properties, exceptions and the client's error mode.
#include "TConnectedTest.h"

#include "TDateTime.h"
#include "TNWBase.h"
#include "TNWEntryPoint.h"
#include "TNWLib.h"
#include "TNWNDS.h"
#include "TNWObjError.h"

#include <sstream>
#include <vector>

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
    EXPECT_EQ(nw::TNWLib::GetServerNameOfConnection(0x4242), "LOCAL");
    EXPECT_EQ(base.LastError().NWLib, "8801");
    EXPECT_EQ(nw::TNWLib::GetObjectIDByName(0, "NOBODY", 0x0100), 0u);
    EXPECT_EQ(base.LastError().NWLib, "8801") << "in directory mode the miss goes to the directory";
    nw::TNWLib::NDSMode() = false;
    EXPECT_EQ(nw::TNWLib::GetObjectIDByName(0, "NOBODY", 0x0100), 0u);
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

namespace
{

// Records what the component sends to its owner's controls.
class TRecordingOwner : public nw::INWOwnerForm
{
public:
    void SendToWindowedControls(uint32_t message) override { messages.push_back(message); }
    std::vector<uint32_t> messages;
};

} // namespace

TEST_F(TNWBaseTest, OnADirectoryServerTheLoginIsTheCanonicalDirectoryName)
{
    TNWBase base;
    EXPECT_TRUE(base.NDSAvailable());
    EXPECT_EQ(base.LoginID(), "CN=ADMIN.O=TARVEX");
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(nw::TNWNDS::GetContextFlags(), 0x13u)
        << "dereference aliases, translate strings, canonicalize names";
    EXPECT_EQ(base.LoginFullName(), "Network Administrator");
    EXPECT_EQ(base.ObjectID(), "10000010");
    EXPECT_EQ(base.ObjectType(), nw::TNWObjType::nwObjTypeUser)
        << "the directory answers the first type tried";
    EXPECT_EQ(base.Version(), "1.21 / 3.34 - 11 Oct 1997");
}

TEST_F(TNWBaseTest, OnABinderyServerTheLoginIsTheConnectionsName)
{
    // A workstation whose client has no directory library, primarily on a bindery server.
    world_.EditWorldJson(R"("primary": "TARVEX")", R"("primary": "OLDSRV")");
    ASSERT_TRUE(world_.Load());
    NWSimSetLibraryMissing("NETWIN32.DLL", 1);
    TNWBase base;
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_EQ(base.ServerHandle(), kOldsrv);
    EXPECT_EQ(base.LoginID(), "SUPERVISOR");
    EXPECT_EQ(base.ServerName(), "OLDSRV");
    EXPECT_EQ(base.ServerVersion(), "3.12");
    EXPECT_EQ(base.ConnectionID(), 7);
    EXPECT_EQ(base.NWObjectType(), 0x0100);
    EXPECT_EQ(base.ObjectID(), "1000000");
    EXPECT_EQ(base.LoginFullName(), "Supervisor");
    EXPECT_TRUE(base.Manager());
    EXPECT_TRUE(base.ConsoleOperator());
    EXPECT_EQ(base.MaxServerConns(), 50);
    EXPECT_EQ(base.FirstNetworkDrive(), 'F');
    base.SetNDSContextName("O=TARVEX");
    EXPECT_EQ(nw::TNWNDS::GetNameContext(), "");
    EXPECT_EQ(base.NDSContextName(), "") << "without a directory server nothing happens";
}

TEST_F(TNWBaseTest, WritingTheLoginStoresItUpperCasedAndAnEmptyOneReloads)
{
    TRecordingOwner owner;
    TNWBase base(&owner);
    int userChanges = 0;
    base.OnUserChange = [&] { ++userChanges; };
    owner.messages.clear();
    base.SetLoginID("bob");
    EXPECT_EQ(base.LoginID(), "BOB");
    EXPECT_EQ(owner.messages, std::vector<uint32_t>{0xB842});
    EXPECT_EQ(userChanges, 1);
    base.SetLoginID("");
    EXPECT_EQ(base.LoginID(), "CN=ADMIN.O=TARVEX") << "reloaded as a read fetches it";
    EXPECT_EQ(userChanges, 2);
}

TEST_F(TNWBaseTest, WritingTheServerNameOpensItsConnectionOrKeepsTheOldOne)
{
    TRecordingOwner owner;
    TNWBase base(&owner);
    int serverChanges = 0;
    base.OnServerChange = [&] { ++serverChanges; };
    owner.messages.clear();

    base.SetServerName("oldsrv");
    EXPECT_EQ(base.ServerHandle(), kOldsrv);
    EXPECT_EQ(base.ServerName(), "OLDSRV");
    EXPECT_STREQ(NWSimLastText("NWCCOpenConnByName"), "OLDSRV");
    base.SetServerName("NOWHERE");
    EXPECT_EQ(base.ServerHandle(), kOldsrv) << "an unreachable server keeps the handle";
    EXPECT_EQ(base.ServerName(), "OLDSRV");
    EXPECT_EQ(serverChanges, 2);
    EXPECT_EQ(owner.messages, (std::vector<uint32_t>{0xB841, 0xB841}));

    base.SetSilentExceptions(false);
    EXPECT_THROW(base.SetServerName("NOWHERE"), nw::TNWObjError);
    EXPECT_EQ(serverChanges, 3) << "announced before the refusal is raised";

    base.SetServerName("");
    EXPECT_EQ(base.ServerHandle(), kTarvex) << "empty selects the primary connection";
    EXPECT_EQ(base.ServerName(), "TARVEX");
}

TEST_F(TNWBaseTest, AnEmptyServerNameWhoseNameCannotBeReadIsLocal)
{
    TNWBase base;
    NWSimFailCalls("NWCCGetConnInfo", 0x8801, 1, 0);
    base.SetServerName("");
    EXPECT_EQ(base.ServerName(), "LOCAL");
}

TEST_F(TNWBaseTest, TheContextNameIsSetUpperCasedOrResetToTheRoot)
{
    TRecordingOwner owner;
    TNWBase base(&owner);
    owner.messages.clear();
    base.SetNDSContextName("ou=sales.o=tarvex");
    EXPECT_EQ(base.NDSContextName(), "OU=SALES.O=TARVEX");
    EXPECT_STREQ(NWSimLastText("NWDSSetContext"), "name=OU=SALES.O=TARVEX") << "upper-cased on its way";
    EXPECT_EQ(nw::TNWNDS::GetNameContext(), "OU=SALES.O=TARVEX");
    base.SetNDSContextName("[root]");
    EXPECT_EQ(base.NDSContextName(), "[Root]");
    EXPECT_EQ(nw::TNWNDS::GetNameContext(), "[Root]");
    EXPECT_EQ(owner.messages, (std::vector<uint32_t>{0xB841, 0xB841}));
}

TEST_F(TNWBaseTest, TheDefaultServerChangesOnlyWhenThePreferenceIsTaken)
{
    TNWBase base;
    EXPECT_EQ(base.DefaultServer(), "TARVEX");
    base.SetDefaultServer("OldSrv");
    EXPECT_EQ(base.DefaultServer(), "OLDSRV");
    EXPECT_STREQ(NWSimLastText("NWCCSetPrefServerName"), "OldSrv") << "the preferred server goes as given";
    const uint32_t calls = NWSimCallCount("NWCCSetPrefServerName");
    base.SetDefaultServer("OldSrv");
    EXPECT_EQ(NWSimCallCount("NWCCSetPrefServerName"), calls) << "the same server again does nothing";
    base.SetDefaultServer("NOWHERE");
    EXPECT_EQ(base.DefaultServer(), "OLDSRV");
}

TEST_F(TNWBaseTest, AnObjectTypeOutsideTheTableIsRaisedUnlessSilent)
{
    TNWBase base;
    base.SetLoginID("NOBODY");
    EXPECT_EQ(base.ObjectType(), nw::TNWObjType::nwObjTypeUser);
    base.SetSilentExceptions(false);
    EXPECT_THROW(base.ObjectType(), nw::TNWObjError);
}

TEST_F(TNWBaseTest, AServerThatDoesNotAnswerHasVersionZero)
{
    TNWBase base;
    EXPECT_EQ(base.ServerVersion(), "4.11");
    NWSimFailCalls("NWGetFileServerInformation", 0x8801, 1, 0);
    EXPECT_EQ(base.ServerVersion(), "0.0");
}

TEST_F(TNWBaseTest, WithTheDirectoryLibraryAnIdTheDirectoryCannotMapIsEmpty)
{
    world_.EditWorldJson(R"("primary": "TARVEX")", R"("primary": "OLDSRV")");
    ASSERT_TRUE(world_.Load());
    TNWBase base;
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_EQ(base.LoginID(), "SUPERVISOR");
    EXPECT_EQ(base.ObjectID(), "")
        << "directory mode asks the directory, which does not know the bindery name";
}

TEST_F(TNWBaseTest, TheServerDateAndBroadcastModeGoThroughTheServerHandle)
{
    TNWBase base;
    base.SetServerDate(nw::EncodeDate(2001, 2, 3) + nw::EncodeTime(4, 5, 6, 0));
    EXPECT_DOUBLE_EQ(base.ServerDate(), nw::EncodeDate(2001, 2, 3));
    base.SetBroadcastMode(nw::TNWBroadcastMode::nwBroadcastOff);
    EXPECT_EQ(base.BroadcastMode(), nw::TNWBroadcastMode::nwBroadcastOff);
}

TEST_F(TNWBaseTest, ContextFlagPropertiesSetAndClearTheirBits)
{
    TNWBase base;
    base.NDSContextFlags().Set(nw::TNWDSContextFlags::TypelessNamesBit, true);
    EXPECT_TRUE(base.NDSContextFlags().TypelessNames());
    EXPECT_EQ(nw::TNWNDS::GetContextFlags(), 0x17u);
    base.NDSContextFlags().Set(nw::TNWDSContextFlags::TypelessNamesBit, false);
    EXPECT_FALSE(base.NDSContextFlags().TypelessNames());
    EXPECT_EQ(nw::TNWNDS::GetContextFlags(), 0x13u);
}

TEST_F(TNWBaseTest, DestructionFreesTheModulesButLeavesTheLibrariesLoaded)
{
    {
        TNWBase base;
        ASSERT_TRUE(base.NDSAvailable());
        ASSERT_NE(nw::TNWNDS::Context(), 0);
    }
    EXPECT_EQ(NWSimCallCount("NWFreeUnicodeTables"), 1u);
    EXPECT_EQ(nw::TNWNDS::Context(), 0);
    EXPECT_NE(nw::ClientLibraryHandle(nw::TNWClientLibrary::Calls), nullptr);
    EXPECT_NE(nw::ClientLibraryHandle(nw::TNWClientLibrary::Directory), nullptr);
    TNWBase again;
    EXPECT_TRUE(again.NetAvailable()) << "a new component loads the client again";
}

TEST_F(TNWBaseTest, CreationAddsDereferenceTranslateAndCanonicalizeInThatOrder)
{
    world_.EditWorldJson(R"("contextFlags": 19)", R"("contextFlags": 0)");
    ASSERT_TRUE(world_.Load());
    TNWBase base;
    ASSERT_TRUE(base.NDSAvailable());
    std::vector<std::string> flagSettings;
    std::istringstream texts(NWSimTexts("NWDSSetContext"));
    for (std::string line; std::getline(texts, line);)
        if (line.rfind("flags=", 0) == 0)
            flagSettings.push_back(line);
    // The login is canonicalized afterwards, with its own flags and the old ones put back.
    EXPECT_EQ(flagSettings,
              (std::vector<std::string>{"flags=1", "flags=3", "flags=13", "flags=13", "flags=13"}));
    EXPECT_EQ(nw::TNWNDS::GetContextFlags(), 0x13u);
}
