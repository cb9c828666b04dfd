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
    EXPECT_EQ(TNWLib::GetConnectionNumber(kOldsrv), 7);
    EXPECT_EQ(TNWLib::GetServerNameOfConnection(kOldsrv), "OLDSRV");
    EXPECT_GE(NWSimCallCount("NWGetConnectionNumber"), 1u);
    EXPECT_GE(NWSimCallCount("NWGetFileServerName"), 1u);
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
