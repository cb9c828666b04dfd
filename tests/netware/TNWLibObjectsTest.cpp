// The calls module's connections, bindery objects and identity, against the stand-in.
#include "NWSim.h"
#include "TConnectedTest.h"
#include "TNWBase.h"
#include "TNWLib.h"

using namespace nw;

class TNWLibObjectsTest : public TConnectedTest
{
};

TEST_F(TNWLibObjectsTest, ConnectionsGiveTheirNumbersServersAndLogins)
{
    EXPECT_EQ(TNWLib::GetConnectionNumber(kOldsrv), 7);
    EXPECT_EQ(TNWLib::GetConnectionNumber(0), 3) << "0 is the primary connection";
    EXPECT_EQ(TNWLib::GetServerNameOfConnection(kOldsrv), "OLDSRV");
    EXPECT_EQ(TNWLib::GetConnectionLoginName(kOldsrv), "SUPERVISOR");
    EXPECT_EQ(TNWLib::GetServerNameOfConnection(0x4242), "LOCAL");
    EXPECT_EQ(base_->LastError().NWLib, "8801");
}

TEST_F(TNWLibObjectsTest, WithoutConnectionInformationTheOlderCallsAnswer)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetConnInfo", 1);
    TNWBase fresh;
    const uint32_t numbers = NWSimCallCount("NWGetConnectionNumber");
    const uint32_t names = NWSimCallCount("NWGetFileServerName");
    EXPECT_EQ(TNWLib::GetConnectionNumber(kOldsrv), 7);
    EXPECT_EQ(TNWLib::GetServerNameOfConnection(kOldsrv), "OLDSRV");
    EXPECT_EQ(NWSimCallCount("NWGetConnectionNumber"), numbers + 1);
    EXPECT_EQ(NWSimCallCount("NWGetFileServerName"), names + 1);
    EXPECT_EQ(NWSimCallCount("NWCCGetConnInfo"), 0u);
}

TEST_F(TNWLibObjectsTest, WithNoFunctionToAnswerTheServerIsLocal)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCGetConnInfo", 1);
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWGetFileServerName", 1);
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWGetConnectionNumber", 1);
    TNWBase fresh;
    EXPECT_EQ(TNWLib::GetServerNameOfConnection(kOldsrv), "LOCAL");
    EXPECT_EQ(TNWLib::GetConnectionNumber(kOldsrv), 0);
    EXPECT_EQ(fresh.LastError().NWLib, "FFFFFFFF");
}

TEST_F(TNWLibObjectsTest, TheConnectionListNamesEachServerAndEndsWithTheScansCode)
{
    EXPECT_EQ(TNWLib::GetConnectionList(), (TNWStringList{{"TARVEX", 3}, {"OLDSRV", 7}}));
    EXPECT_EQ(base_->LastError().NWLib, "89FF") << "the normal end of the scan is left in the last error";
}

TEST_F(TNWLibObjectsTest, WithoutTheReferenceScanTheListHoldsHandles)
{
    NWSimSetFunctionMissing("CLXWIN32.DLL", "NWCCScanConnRefs", 1);
    TNWBase fresh;
    EXPECT_EQ(TNWLib::GetConnectionList(), (TNWStringList{{"TARVEX", kTarvex}, {"OLDSRV", kOldsrv}}));
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWGetConnectionList", 1);
    EXPECT_TRUE(TNWLib::GetConnectionList().empty()) << "looked up on every use";
}

TEST_F(TNWLibObjectsTest, BinderyObjectsAreScannedWithTheirIds)
{
    const TNWStringList users = TNWLib::ScanBinderyObjects(kOldsrv, 0x0100);
    ASSERT_EQ(users.size(), 6u);
    EXPECT_EQ(users[2], (TNWStringItem{"JSMITH", 0x0A000011}));
    EXPECT_EQ(TNWLib::ScanBinderyObjects(kOldsrv, 0x0300), (TNWStringList{{"LASER_Q", 0x03000001}}));
    EXPECT_EQ(base_->LastError().NWLib, "0000") << "the end of a bindery scan is not recorded";
}

TEST_F(TNWLibObjectsTest, ObjectIdTextsHaveNoLeadingZeros)
{
    world_.EditWorldJson(R"("id": 167772177)", R"("id": 65536)"); // JSMITH becomes 0x00010000
    world_.EditWorldJson(R"("name": "GUEST")", R"("name": "ZERO")");
    world_.EditWorldJson(R"("id": 16777219)", R"("id": 0)");
    ASSERT_TRUE(world_.Load());
    TNWBase fresh;
    TNWLib::NDSMode() = false;
    EXPECT_EQ(TNWLib::GetObjectIDText(kOldsrv, "jsmith", 0x0100), "100");
    EXPECT_EQ(TNWLib::GetObjectIDText(kOldsrv, "ZERO", 0x0100), "0");
    EXPECT_EQ(TNWLib::GetObjectIDText(kOldsrv, "SUPERVISOR", 0x0100), "1000000");
    EXPECT_EQ(TNWLib::GetObjectIDText(kOldsrv, "NOBODY", 0x0100), "0");
}

TEST_F(TNWLibObjectsTest, InDirectoryModeAnUnmappableNameHasAnEmptyIdText)
{
    EXPECT_EQ(TNWLib::GetObjectIDText(kTarvex, "CN=NOBODY.O=TARVEX", 0x0100), "");
    EXPECT_EQ(TNWLib::GetObjectIDText(kTarvex, "CN=ALICE.OU=SALES.O=TARVEX", 0x0100), "12000010");
}

TEST_F(TNWLibObjectsTest, ObjectTypesAreTriedInTheirOrder)
{
    world_.WriteWorldJson(R"({"servers": [{"name": "S", "version": "3.12", "volumes": ["SYS"],
        "bindery": [{"id": 1, "name": "PS1", "type": 1024}, {"id": 2, "name": "PS1", "type": 1792},
                    {"id": 3, "name": "KLEE", "type": 256}, {"id": 4, "name": "TCP", "type": 9984}]}],
        "workstation": {"attached": ["S"], "logins": {"S": "KLEE"}}})");
    ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    TNWBase fresh;
    EXPECT_EQ(TNWLib::GetObjectTypeOfName(0, "PS1"), 0x0700) << "print server comes before file server";
    EXPECT_EQ(TNWLib::GetObjectTypeOfName(0, "klee"), 0x0100);
    EXPECT_EQ(TNWLib::GetObjectTypeOfName(0, "TCP"), 0x2700) << "the last type tried";
    EXPECT_EQ(TNWLib::GetObjectTypeOfName(0, "NOBODY"), 0);
}

TEST_F(TNWLibObjectsTest, FullNamesComeFromTheDirectoryOrTheIdentificationProperty)
{
    EXPECT_EQ(TNWLib::GetObjectFullName(kTarvex, "CN=ADMIN.O=TARVEX"), "Network Administrator");
    TNWLib::NDSMode() = false;
    EXPECT_EQ(TNWLib::GetObjectFullName(kOldsrv, "  klee "), "Kim Lee");
    EXPECT_EQ(TNWLib::GetObjectFullName(kOldsrv, " everyone "), "EVERYONE")
        << "no full name: the name itself";
}

TEST_F(TNWLibObjectsTest, ManagersAndConsoleOperatorsAreAskedOfTheServer)
{
    EXPECT_TRUE(TNWLib::IsManager(kOldsrv));
    EXPECT_TRUE(TNWLib::IsConsoleOperator(0));
    EXPECT_FALSE(TNWLib::IsManager(0x4242));
    EXPECT_EQ(base_->LastError().NWLib, "8801");
    NWSimSetFunctionMissing("CALWIN32.DLL", "NWCheckConsolePrivileges", 1);
    TNWBase fresh;
    EXPECT_TRUE(TNWLib::IsConsoleOperator(0)) << "a bound function stays bound";
}

TEST_F(TNWLibObjectsTest, NamesReachTheBinderyUpperCased)
{
    TNWLib::NDSMode() = false;
    EXPECT_EQ(TNWLib::GetObjectIDByName(kOldsrv, "mBrown", 0x0100), 0x0A000012u);
    EXPECT_STREQ(NWSimLastText("NWGetObjectID"), "MBROWN");
    EXPECT_EQ(TNWLib::GetObjectIDText(kOldsrv, "jSmith", 0x0100), "1100000A");
    EXPECT_STREQ(NWSimLastText("NWGetObjectID"), "JSMITH");
    EXPECT_EQ(TNWLib::GetObjectTypeOfName(kOldsrv, "laser_q"), 0x0300);
    EXPECT_EQ(NWSimTexts("NWGetObjectID"), std::string("MBROWN\nJSMITH\nLASER_Q\nLASER_Q\nLASER_Q\n"))
        << "user, group, then print queue";

    EXPECT_EQ(TNWLib::GetObjectFullName(kOldsrv, "  Klee "), "Kim Lee");
    EXPECT_STREQ(NWSimLastText("NWReadPropertyValue"), "KLEE|IDENTIFICATION");
    EXPECT_STREQ(NWSimLastText("NWGetObjectID"), "KLEE") << "the type is looked up for the same name";
}

TEST_F(TNWLibObjectsTest, InDirectoryModeABinderyMissIsNotRecordedButTheDirectorysIs)
{
    ASSERT_TRUE(TNWLib::NDSMode());
    EXPECT_EQ(TNWLib::GetObjectIDByName(kTarvex, "CN=BOB.OU=SALES.O=TARVEX", 0x0100), 0x10000011u)
        << "the directory answers";
    EXPECT_EQ(TNWLib::Cells().lastResult, 0x89FCu) << "the bindery's code is the last result";
    EXPECT_EQ(base_->LastError().NWLib, "0000") << "but not recorded";
    EXPECT_EQ(TNWLib::GetObjectIDByName(kTarvex, "CN=NOBODY.O=TARVEX", 0x0100), 0u);
    EXPECT_EQ(base_->LastError().NWLib, "0000");
    EXPECT_EQ(base_->LastError().NWNDS, "FFFFFDA7") << "the directory records its own miss";

    TNWLib::NDSMode() = false;
    EXPECT_EQ(TNWLib::GetObjectIDText(kOldsrv, "NOBODY", 0x0100), "0");
    EXPECT_EQ(base_->LastError().NWLib, "0000") << "the text's miss is never recorded";
    EXPECT_EQ(TNWLib::GetObjectIDByName(kOldsrv, "NOBODY", 0x0100), 0u);
    EXPECT_EQ(base_->LastError().NWLib, "89FC") << "outside directory mode the miss is recorded";
}

TEST_F(TNWLibObjectsTest, AFullNameThatCannotBeReadIsNotRecorded)
{
    TNWLib::NDSMode() = false;
    // EVERYONE is a group: the user type is tried and missed first, the property then fails with 89FB.
    EXPECT_EQ(TNWLib::GetObjectFullName(kOldsrv, "everyone"), "EVERYONE");
    EXPECT_EQ(base_->LastError().NWLib, "89FC") << "the type look-up's miss, not the property's code";
}
