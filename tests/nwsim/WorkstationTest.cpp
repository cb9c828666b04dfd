// The workstation's connections, the bindery and the server facts of the simulated network, through the
// exported functions.
#include "ClientText.h"
#include "TClientLibraries.h"
#include "TWorldTest.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr nw::NWCONN_HANDLE kTarvex = 0x00C10001; // the first attached server, TARVEX
constexpr nw::NWCONN_HANDLE kOldsrv = 0x00C10102; // the second, OLDSRV

std::vector<std::string> ScanBindery(nw::NWCONN_HANDLE conn, const char* pattern, uint16_t type)
{
    const auto scan = NW_FUNCTION("CALWIN32.DLL", NWScanObject);
    std::vector<std::string> names;
    uint32_t id = 0xFFFFFFFF;
    std::string search = pattern;
    for (;;)
    {
        char name[1025] = {};
        uint16_t objectType = 0;
        uint8_t hasProperties = 0, flags = 0, security = 0;
        const uint32_t code =
            scan(conn, search.data(), type, &id, name, &objectType, &hasProperties, &flags, &security);
        if (code != 0)
        {
            EXPECT_EQ(code, 0x89FCu) << "the end of a scan";
            return names;
        }
        names.push_back(name);
    }
}

} // namespace

class WorkstationTest : public TWorldTest
{
};

TEST_F(WorkstationTest, ConnectionInformationGivesNumberNameAndBroadcastMode)
{
    for (const char* library : {"CALWIN32.DLL", "CLXWIN32.DLL"})
    {
        const auto info = ClientFunction<nw::PFN_NWCCGetConnInfo>(library, "NWCCGetConnInfo");
        uint32_t number = 0;
        EXPECT_EQ(info(kOldsrv, 5, 4, &number), 0u);
        EXPECT_EQ(number, 7u);
        char name[1025] = {};
        EXPECT_EQ(info(kOldsrv, 7, sizeof(name), name), 0u);
        EXPECT_STREQ(name, "OLDSRV");
        EXPECT_NE(info(kOldsrv, 7, 3, name), 0u) << "a buffer too small for the name";
        EXPECT_EQ(info(0x1234, 5, 4, &number), 0x8801u);
    }
    const auto info = NW_FUNCTION("CLXWIN32.DLL", NWCCGetConnInfo);
    uint16_t mode = 0xEEEE;
    EXPECT_EQ(info(kTarvex, 2, 2, &mode), 0u);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWSetBroadcastMode)(kTarvex, 2), 0u);
    EXPECT_EQ(info(kTarvex, 2, 2, &mode), 0u);
    EXPECT_EQ(mode, 2);
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWSetBroadcastMode)(kTarvex, 9), 0u);
}

TEST_F(WorkstationTest, ConnectionReferencesScanInOrderWithTheirBlocks)
{
    const auto scan = NW_FUNCTION("CLXWIN32.DLL", NWCCScanConnRefs);
    const auto info = NW_FUNCTION("CLXWIN32.DLL", NWCCGetAllConnRefInfo);
    uint32_t iterator = 0;
    std::vector<std::string> servers;
    std::vector<uint32_t> numbers;
    uint32_t reference = 0;
    uint32_t code = 0;
    while ((code = scan(&iterator, &reference)) == 0)
    {
        uint8_t block[nw::kConnRefInfoSize];
        std::memset(block, 0xCD, sizeof(block));
        ASSERT_EQ(info(reference, 1, block), 0u);
        uint32_t number = 0;
        std::memcpy(&number, block + nw::kConnRefInfoNumberOffset, 4);
        numbers.push_back(number);
        servers.push_back(reinterpret_cast<const char*>(block + nw::kConnRefInfoNameOffset));
    }
    EXPECT_NE(code, 0u);
    EXPECT_EQ(servers, (std::vector<std::string>{"TARVEX", "OLDSRV"}));
    EXPECT_EQ(numbers, (std::vector<uint32_t>{3, 7}));
}

TEST_F(WorkstationTest, TheConnectionListHoldsThe32BitHandles)
{
    nw::NWCONN_HANDLE handles[49] = {};
    uint16_t count = 0;
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetConnectionList)(0, handles, 49, &count), 0u);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(handles[0], kTarvex);
    EXPECT_EQ(handles[1], kOldsrv);
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetConnectionList)(0, handles, 1, &count), 0u);
    EXPECT_EQ(count, 1) << "no more than the list holds";
}

TEST_F(WorkstationTest, EachConnectionKnowsWhoIsLoggedIn)
{
    const auto information = NW_FUNCTION("CALWIN32.DLL", NWGetConnectionInformation);
    char name[1028] = {};
    uint16_t type = 1;
    uint32_t id = 0;
    uint8_t loginTime[7] = {};
    ASSERT_EQ(information(kOldsrv, 7, name, &type, &id, loginTime), 0u);
    EXPECT_STREQ(name, "SUPERVISOR");
    EXPECT_EQ(type, 0x0100);
    EXPECT_EQ(id, 0x00000001u);
    EXPECT_GE(loginTime[0], 100) << "years count from 1900";
    ASSERT_EQ(information(kTarvex, 3, name, &type, &id, loginTime), 0u);
    EXPECT_STREQ(name, "ADMIN") << "the directory user on the directory server";
    EXPECT_EQ(id, 0x10000010u);
    EXPECT_NE(information(kTarvex, 7, name, &type, &id, loginTime), 0u) << "another station's number";
    nw::NWCONN_NUM number = 0;
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetConnectionNumber)(kOldsrv, &number), 0u);
    EXPECT_EQ(number, 7);
}

TEST_F(WorkstationTest, OpeningByNameFindsOrMakesAConnection)
{
    const auto open = NW_FUNCTION("CLXWIN32.DLL", NWCCOpenConnByName);
    nw::NWCONN_HANDLE conn = 0;
    char oldsrv[] = "oldsrv";
    EXPECT_EQ(open(0, oldsrv, 2, 1, 0, &conn), 0u);
    EXPECT_EQ(conn, kOldsrv);
    char unknown[] = "NOWHERE";
    EXPECT_EQ(open(0, unknown, 2, 1, 0, &conn), 0x8801u);
    char tooLong[100];
    std::memset(tooLong, 'X', sizeof(tooLong));
    tooLong[99] = '\0';
    EXPECT_NE(open(0, tooLong, 2, 1, 0, &conn), 0u);

    nw::NWCONN_HANDLE handle = 0;
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetConnectionHandle)(oldsrv, 0, &handle, nullptr), 0u);
    EXPECT_EQ(handle, kOldsrv);
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWGetConnectionHandle)(unknown, 0, &handle, nullptr), 0u);
}

TEST_F(WorkstationTest, ThePrimaryConnectionAndThePreferredServerCanChange)
{
    char oldsrv[] = "OLDSRV";
    char unknown[] = "NOWHERE";
    EXPECT_EQ(NW_FUNCTION("CLXWIN32.DLL", NWCCSetPrefServerName)(oldsrv), 0u);
    EXPECT_NE(NW_FUNCTION("CLXWIN32.DLL", NWCCSetPrefServerName)(unknown), 0u);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWSetPrimaryConnectionID)(kOldsrv), 0u);
    nw::NWCONN_HANDLE primary = 0;
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetPrimaryConnectionID)(&primary), 0u);
    EXPECT_EQ(primary, kOldsrv);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWSetPrimaryConnectionID)(0x4242), 0x8801u);
}

TEST_F(WorkstationTest, DrivesComeFromTheWorkstationsMappings)
{
    uint16_t first = 0;
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetFirstDrive)(&first), 0u);
    EXPECT_EQ(first, 'F' - 'A' + 1);

    const auto status = NW_FUNCTION("CALWIN32.DLL", NWGetDriveStatus);
    uint16_t state = 0xFFFF;
    nw::NWCONN_HANDLE conn = 0;
    char root[256] = {}, relative[256] = {}, full[256] = {};
    ASSERT_EQ(status('G' - 'A' + 1, 0, &state, &conn, root, relative, full), 0u);
    EXPECT_EQ(state, 0) << "a network drive";
    EXPECT_EQ(conn, kOldsrv);
    EXPECT_STREQ(root, "OLDSRV\\VOL1:");
    ASSERT_EQ(status('C' - 'A' + 1, 0, &state, &conn, root, relative, full), 0u);
    EXPECT_NE(state, 0) << "not a network drive";
    EXPECT_NE(status(27, 0, &state, &conn, root, relative, full), 0u);
    EXPECT_NE(status(0, 0, &state, &conn, root, relative, full), 0u);
}

TEST_F(WorkstationTest, BinderyObjectsAreNamedFoundAndScanned)
{
    const auto name = NW_FUNCTION("CALWIN32.DLL", NWGetObjectName);
    const auto id = NW_FUNCTION("CALWIN32.DLL", NWGetObjectID);
    char text[1026] = {};
    uint16_t type = 0;
    ASSERT_EQ(name(kOldsrv, 0x0A000011, text, &type), 0u);
    EXPECT_STREQ(text, "JSMITH");
    EXPECT_EQ(type, 0x0100);
    EXPECT_EQ(name(kOldsrv, 0x12345678, text, &type), 0x89FCu);
    EXPECT_EQ(name(kTarvex, 0x10000011, text, &type), 0x89FCu) << "a directory user is not in the bindery";

    uint32_t found = 0;
    char user[] = "mbrown";
    EXPECT_EQ(id(kOldsrv, user, 0x0100, &found), 0u);
    EXPECT_EQ(found, 0x0A000012u);
    EXPECT_EQ(id(kOldsrv, user, 0x0200, &found), 0x89FCu) << "not a group";

    EXPECT_EQ(ScanBindery(kOldsrv, "*", 0x0100),
              (std::vector<std::string>{"SUPERVISOR", "GUEST", "JSMITH", "MBROWN", "KLEE", "PFISCHER"}));
    EXPECT_EQ(ScanBindery(kOldsrv, "*", 0x0200), std::vector<std::string>{"EVERYONE"});
    EXPECT_EQ(ScanBindery(kOldsrv, "?SMITH", 0xFFFF), std::vector<std::string>{"JSMITH"});
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWLongSwap)(0x0A000011), 0x1100000Au);
}

TEST_F(WorkstationTest, TheIdentificationPropertyHoldsTheFullName)
{
    const auto read = NW_FUNCTION("CALWIN32.DLL", NWReadPropertyValue);
    uint8_t value[128];
    uint8_t more = 1, flags = 1;
    char user[] = "KLEE";
    char property[] = "IDENTIFICATION";
    ASSERT_EQ(read(kOldsrv, user, 0x0100, property, 1, value, &more, &flags), 0u);
    EXPECT_STREQ(reinterpret_cast<const char*>(value), "Kim Lee");
    EXPECT_EQ(more, 0);
    char group[] = "EVERYONE";
    EXPECT_EQ(read(kOldsrv, group, 0x0200, property, 1, value, &more, &flags), 0x89FBu) << "no full name";
    char other[] = "PASSWORD";
    EXPECT_EQ(read(kOldsrv, user, 0x0100, other, 1, value, &more, &flags), 0x89FBu);
}

TEST_F(WorkstationTest, ManagersAndConsoleOperatorsAreKnown)
{
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWIsManager)(kOldsrv), 0u);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWCheckConsolePrivileges)(kTarvex), 0u);
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWIsManager)(0x4242), 0x8801u);

    TTestWorld guest;
    guest.WriteWorldJson(R"({"servers": [{"name": "S", "version": "3.12", "volumes": ["SYS"],
        "bindery": [{"id": 5, "name": "GUEST"}]}],
        "workstation": {"attached": ["S"], "logins": {"S": "GUEST"}}})");
    ASSERT_TRUE(guest.Load()) << NWSimWorldError();
    const nw::NWCONN_HANDLE toS = kTarvex; // the first connection of the new world
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWIsManager)(toS), 0u);
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWCheckConsolePrivileges)(toS), 0u);
}

TEST_F(WorkstationTest, ServersTellTheirVersionsAndCounts)
{
    const auto information = NW_FUNCTION("CALWIN32.DLL", NWGetFileServerInformation);
    char name[1025] = {};
    uint8_t major = 0, minor = 0, revision = 0, sft = 0, tts = 0;
    uint16_t maxConnections = 0, maxUsed = 0, inUse = 0, volumes = 0;
    ASSERT_EQ(information(kOldsrv, name, &major, &minor, &revision, &maxConnections, &maxUsed, &inUse,
                          &volumes, &sft, &tts),
              0u);
    EXPECT_STREQ(name, "OLDSRV");
    EXPECT_EQ(major, 3);
    EXPECT_EQ(minor, 12);
    EXPECT_EQ(maxConnections, 100);
    EXPECT_EQ(inUse, 6);
    EXPECT_EQ(maxUsed, 23);
    EXPECT_EQ(volumes, 2);
    ASSERT_EQ(information(kTarvex, name, &major, &minor, &revision, &maxConnections, &maxUsed, &inUse,
                          &volumes, &sft, &tts),
              0u);
    EXPECT_EQ(major, 4);
    EXPECT_EQ(minor, 11);

    uint8_t block[nw::kServerInfoBlockSize];
    std::memset(block, 0xCD, sizeof(block));
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetFileServerInfo)(kTarvex, block), 0u);
    EXPECT_EQ(block[149], 0) << "the whole block is written";
    char server[64] = {};
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetFileServerName)(kTarvex, server), 0u);
    EXPECT_STREQ(server, "TARVEX");
    uint16_t maximum = 0;
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetMaximumConnections)(&maximum), 0u);
    EXPECT_EQ(maximum, 50);
}

TEST_F(WorkstationTest, AServerClockThatIsSetReadsBack)
{
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWSetFileServerDateAndTime)(kOldsrv, 100, 1, 1, 13, 5, 9), 0u);
    uint8_t clock[7] = {};
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetFileServerDateAndTime)(kOldsrv, clock), 0u);
    EXPECT_EQ(clock[0], 100) << "2000";
    EXPECT_EQ(clock[1], 1);
    EXPECT_EQ(clock[2], 1);
    EXPECT_EQ(clock[3], 13);
    EXPECT_EQ(clock[6], 6) << "1 January 2000 was a Saturday";
    uint8_t other[7] = {};
    ASSERT_EQ(NW_FUNCTION("CALWIN32.DLL", NWGetFileServerDateAndTime)(kTarvex, other), 0u);
    EXPECT_GE(other[0], 126) << "the other server's clock is untouched";
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWSetFileServerDateAndTime)(kOldsrv, 100, 2, 30, 0, 0, 0), 0u);
    EXPECT_NE(NW_FUNCTION("CALWIN32.DLL", NWSetFileServerDateAndTime)(kOldsrv, 100, 1, 1, 24, 0, 0), 0u);
}
