// The directory module against the stand-in's directory: context, names and IDs, listings and attribute
// reads.
#include "TNWNDS.h"
#include "NWSim.h"
#include "TConnectedTest.h"
#include "TNWBase.h"
#include "TNWLib.h"
#include "TNWServer.h"

#include <cstring>

using namespace nw;

namespace nw
{

// Lets failed expectations show the entries.
std::ostream& operator<<(std::ostream& out, const TNWDSListEntry& entry)
{
    return out << entry.name << " (" << static_cast<int>(entry.kind) << ")";
}

} // namespace nw

class TNWNDSTest : public TConnectedTest
{
protected:
    void SetUp() override
    {
        TConnectedTest::SetUp();
        ASSERT_TRUE(base_->NDSAvailable());
    }
};

TEST_F(TNWNDSTest, TheRootListsItsTopObjectsWithTheirKinds)
{
    const std::vector<TNWDSListEntry> top = TNWNDS::ListSubordinates("[root]", "");
    EXPECT_EQ(top, (std::vector<TNWDSListEntry>{{"O=TARVEX", TNWDSClassKind::Organization},
                                                {"C=US", TNWDSClassKind::Country}}));
    EXPECT_EQ(static_cast<int>(top[0].kind), 14);
    EXPECT_EQ(static_cast<int>(top[1].kind), 5);
}

TEST_F(TNWNDSTest, AContainerListsItsObjectsRelativeToItAndTakesOverTheGlobalContext)
{
    const std::vector<TNWDSListEntry> listed = TNWNDS::ListSubordinates("O=TARVEX", "");
    ASSERT_EQ(listed.size(), 6u);
    EXPECT_EQ(listed[0], (TNWDSListEntry{"OU=SALES", TNWDSClassKind::OrganizationalUnit}));
    EXPECT_EQ(listed[2], (TNWDSListEntry{"CN=ADMIN", TNWDSClassKind::User}));
    EXPECT_EQ(listed[3].kind, TNWDSClassKind::Group);
    EXPECT_EQ(listed[4].kind, TNWDSClassKind::NCPServer);
    EXPECT_EQ(listed[5].kind, TNWDSClassKind::Volume);
    EXPECT_EQ(TNWNDS::GetNameContext(), "O=TARVEX");

    EXPECT_TRUE(TNWNDS::ListSubordinates("OU=NOWHERE.O=TARVEX", "").empty());
    EXPECT_EQ(TNWNDS::GetNameContext(), "O=TARVEX") << "a container that cannot be set changes nothing";
}

TEST_F(TNWNDSTest, BaseClassesMapToKindsInAnyCase)
{
    uint8_t information[80] = {};
    std::memcpy(information + 12, "organizational Unit", 19);
    EXPECT_EQ(TNWNDS::ClassKindOf(information), TNWDSClassKind::OrganizationalUnit);
    std::memcpy(information + 12, "Widget\0", 7);
    EXPECT_EQ(static_cast<int>(TNWNDS::ClassKindOf(information)), 23);
    std::memset(information + 12, 'X', 68);
    EXPECT_EQ(TNWNDS::ClassKindOf(information), TNWDSClassKind::Unknown) << "read no further than the record";
    EXPECT_EQ(AttributeName(29), "Full Name");
    EXPECT_EQ(AttributeName(15), AttributeName(80));
    EXPECT_EQ(AttributeName(142), "Volume");
    EXPECT_EQ(AttributeName(143), "");
}

TEST_F(TNWNDSTest, TheFullNameIsReadWhereItExists)
{
    EXPECT_EQ(TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", kDSAttributeFullName),
              std::make_pair(true, std::string("Bob Miller")));
    EXPECT_EQ(TNWNDS::ReadAttributeString("", "CN=DAVE.OU=ENGINEERING.O=TARVEX", kDSAttributeFullName),
              std::make_pair(false, std::string()));
    EXPECT_EQ(TNWNDS::ReadAttributeString("OU=SALES.O=TARVEX", "CN=ALICE", kDSAttributeFullName).second,
              "Alice Wong");
}

TEST_F(TNWNDSTest, AValueLargerThanTheAreaIsReadWholeIntoAnAreaOfItsSize)
{
    world_.EditWorldJson(R"("fullName": "Bob Miller")", R"("fullName": ")" + std::string(2000, 'b') + "\"");
    ASSERT_TRUE(world_.Load());
    TNWBase base;
    const auto [found, value] =
        TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", kDSAttributeFullName);
    EXPECT_TRUE(found);
    EXPECT_EQ(value, std::string(2000, 'b'));
}

TEST_F(TNWNDSTest, IdsMapToTextWithoutLeadingZerosAndBack)
{
    world_.EditWorldJson(R"("id": 268435473)", R"("id": 587268096)"); // BOB becomes 0x23010000
    ASSERT_TRUE(world_.Load());
    TNWBase base;
    EXPECT_EQ(TNWNDS::MapNameToID(kTarvex, "CN=BOB.OU=SALES.O=TARVEX"), "123");
    EXPECT_EQ(TNWNDS::MapNameToID(kTarvex, "CN=NOBODY.O=TARVEX"), "");
    EXPECT_EQ(TNWNDS::MapIDToName(kTarvex, 0x23010000), "CN=BOB.OU=SALES.O=TARVEX");
    EXPECT_EQ(TNWNDS::AuditGetObjectID(0, "CN=BOB.OU=SALES.O=TARVEX"), 0x23010000u);
    EXPECT_EQ(TNWNDS::AuditGetObjectID(kOldsrv, "CN=BOB.OU=SALES.O=TARVEX"), 0u);
}

TEST_F(TNWNDSTest, AddingFlagsNeverClearsOne)
{
    ASSERT_TRUE(TNWNDS::SetContextFlags(1));
    EXPECT_TRUE(TNWNDS::AddContextFlags(5));
    EXPECT_EQ(TNWNDS::GetContextFlags(), 5u);
    EXPECT_TRUE(TNWNDS::AddContextFlags(0));
    EXPECT_EQ(TNWNDS::GetContextFlags(), 5u);
}

TEST_F(TNWNDSTest, CanonicalizingGivesTheTypedNameAndRestoresTheFlags)
{
    ASSERT_TRUE(TNWNDS::SetContextFlags(0x04));
    EXPECT_EQ(TNWNDS::CanonicalizeName("ADMIN.TARVEX"), "CN=ADMIN.O=TARVEX");
    EXPECT_EQ(TNWNDS::GetContextFlags(), 0x04u);
    EXPECT_EQ(TNWNDS::WhoAmI(), "ADMIN.TARVEX") << "typeless, as the context now asks";
}

TEST_F(TNWNDSTest, OnlyServersOfATreeAreDirectoryServers)
{
    EXPECT_TRUE(TNWNDS::IsDSServer(kTarvex));
    EXPECT_TRUE(TNWNDS::IsDSServer(0)) << "the primary connection";
    EXPECT_FALSE(TNWNDS::IsDSServer(kOldsrv));
    EXPECT_EQ(TNWNDS::LastErrorText(), "FFFFFFFF");
}

TEST_F(TNWNDSTest, ResettingTheContextReturnsToTheRoot)
{
    ASSERT_TRUE(TNWNDS::SetNameContext(" OU=SALES.O=TARVEX\x01 "));
    EXPECT_EQ(TNWNDS::GetNameContext(), "OU=SALES.O=TARVEX");
    TNWNDS::ResetContext();
    EXPECT_EQ(TNWNDS::GetNameContext(), "[Root]");
    EXPECT_FALSE(TNWNDS::SetNameContext("OU=NOWHERE"));
    EXPECT_EQ(TNWNDS::LastErrorText(), "FFFFFDA7");
}

class TNWNDSWithoutLibraryTest : public TWorldTest
{
};

TEST_F(TNWNDSWithoutLibraryTest, WithoutTheDirectoryLibraryEverythingIsEmpty)
{
    NWSimSetLibraryMissing("NETWIN32.DLL", 1);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_FALSE(base.NDSAvailable());
    EXPECT_FALSE(TNWNDS::InitUnicode());
    EXPECT_TRUE(TNWNDS::ListSubordinates("[root]", "").empty());
    EXPECT_FALSE(TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", kDSAttributeFullName).first);
    EXPECT_EQ(TNWNDS::WhoAmI(), "");
    EXPECT_EQ(TNWNDS::MapNameToID(0, "CN=BOB.OU=SALES.O=TARVEX"), "");
    EXPECT_EQ(TNWNDS::GetNameContext(), "");
    EXPECT_EQ(TNWNDS::LastErrorText(), "FFFF");
    EXPECT_EQ(base.LoginID(), "ADMIN") << "the login comes from the connection instead";
}

TEST_F(TNWNDSWithoutLibraryTest, AMissingDirectoryFunctionStopsTheModulesBindingQuietly)
{
    NWSimSetFunctionMissing("NETWIN32.DLL", "NWDSAllocBuf", 1);
    const TNWLib lib;
    const TNWNDS nds;
    EXPECT_EQ(NWSimCallCount("NWDSCreateContext"), 0u);
    EXPECT_EQ(TNWNDS::Context(), 0);
    EXPECT_EQ(TNWNDS::LastErrorText(), "0000");
}

TEST_F(TNWNDSTest, AListingThatTakesSeveralRoundsListsEveryObjectOnce)
{
    std::string objects = R"({"name": "O=BIG", "class": "Organization", "id": 1000})";
    for (int i = 0; i < 70; ++i)
        objects += R"(, {"name": "CN=USER)" + std::to_string(i) + R"(.O=BIG", "class": "User", "id": )" +
                   std::to_string(2000 + i) + "}";
    world_.WriteWorldJson(R"({"servers": [{"name": "S", "version": "4.11", "tree": "T", "volumes": ["SYS"]}],
        "directory": {"tree": "T", "objects": [)" +
                          objects + R"(]}, "workstation": {"attached": ["S"]}})");
    ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    TNWBase base;
    ASSERT_TRUE(base.NDSAvailable());
    const uint32_t rounds = NWSimCallCount("NWDSList");

    const std::vector<TNWDSListEntry> listed = TNWNDS::ListSubordinates("O=BIG", "");
    EXPECT_EQ(NWSimCallCount("NWDSList") - rounds, 3u) << "32 objects fill a result buffer";
    ASSERT_EQ(listed.size(), 70u);
    for (size_t i = 0; i < listed.size(); ++i)
        EXPECT_EQ(listed[i], (TNWDSListEntry{"CN=USER" + std::to_string(i), TNWDSClassKind::User}));
    EXPECT_EQ(TNWNDS::ListSubordinates("[root]", "CN=USER69.O=BIG"), std::vector<TNWDSListEntry>{})
        << "a leaf has nothing below it, in one round";
    EXPECT_EQ(NWSimCallCount("NWDSList") - rounds, 4u);
}

TEST_F(TNWNDSTest, AnAttributeReadThatTakesSeveralRoundsKeepsTheFirstValueOfTheLastRound)
{
    // 1,500-byte values: two fill a 4,096-byte result buffer, the third goes into a second round.
    const std::string a(1500, 'a'), b(1500, 'b'), c(1500, 'c');
    world_.EditWorldJson(R"("fullName": "Bob Miller")", R"("fullName": "Bob Miller", "attributes": )"
                                                        R"({"Description": [")" +
                                                            a + R"(", ")" + b + R"(", ")" + c + R"("]})");
    world_.EditWorldJson(R"("fullName": "Alice Wong")", R"("fullName": "Alice Wong", "attributes": )"
                                                        R"({"Description": ["first", "second"]})");
    ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    TNWBase base;
    ASSERT_EQ(AttributeName(20), "Description");
    const uint32_t reads = NWSimCallCount("NWDSRead");

    EXPECT_EQ(TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", 20), std::make_pair(true, c));
    EXPECT_EQ(NWSimCallCount("NWDSRead") - reads, 2u);
    EXPECT_EQ(TNWNDS::ReadAttributeString("OU=SALES.O=TARVEX", "CN=ALICE", 20),
              std::make_pair(true, std::string("first")))
        << "one round: its first value only";
    EXPECT_EQ(NWSimCallCount("NWDSRead") - reads, 3u);
}

TEST_F(TNWNDSTest, ListingReleasesEveryContextAndBufferItTakes)
{
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 1u) << "the global context";
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);
    EXPECT_EQ(TNWNDS::ListSubordinates("[root]", "").size(), 2u);
    EXPECT_EQ(TNWNDS::ListSubordinates("O=TARVEX", "OU=SALES").size(), 2u);
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 1u) << "the global context, handed over to the container";
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);

    // Failures: a container that cannot be set, an object that cannot be listed, a count that cannot be
    // read, a buffer that cannot be had, and a name that cannot be read.
    EXPECT_TRUE(TNWNDS::ListSubordinates("OU=NOWHERE.O=TARVEX", "").empty());
    EXPECT_TRUE(TNWNDS::ListSubordinates("O=TARVEX", "CN=NOBODY").empty());
    NWSimFailCalls("NWDSGetObjectCount", static_cast<uint32_t>(-641), 1, 1);
    EXPECT_TRUE(TNWNDS::ListSubordinates("O=TARVEX", "").empty());
    NWSimFailCalls("NWDSAllocBuf", static_cast<uint32_t>(-641), 1, 1);
    EXPECT_TRUE(TNWNDS::ListSubordinates("O=TARVEX", "").empty());
    NWSimFailCalls("NWDSGetObjectName", static_cast<uint32_t>(-641), 1, 1);
    EXPECT_EQ(TNWNDS::ListSubordinates("", "OU=SALES").size(), 1u)
        << "the object whose name failed is skipped";
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 1u);
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);
}

TEST_F(TNWNDSTest, ReadingReleasesEveryContextAndBufferItTakes)
{
    const uint32_t contexts = NWSimDirectoryContextsInUse();
    EXPECT_TRUE(TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", kDSAttributeFullName).first);
    EXPECT_TRUE(TNWNDS::ReadAttributeString("OU=SALES.O=TARVEX", "CN=ALICE", kDSAttributeFullName).first);
    EXPECT_EQ(NWSimDirectoryContextsInUse(), contexts);
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);

    EXPECT_FALSE(
        TNWNDS::ReadAttributeString("", "CN=DAVE.OU=ENGINEERING.O=TARVEX", kDSAttributeFullName).first)
        << "no such attribute";
    EXPECT_FALSE(TNWNDS::ReadAttributeString("", "CN=NOBODY.O=TARVEX", kDSAttributeFullName).first);
    EXPECT_FALSE(TNWNDS::ReadAttributeString("OU=NOWHERE.O=TARVEX", "CN=ALICE", kDSAttributeFullName).first);
    NWSimFailCalls("NWDSAllocBuf", static_cast<uint32_t>(-641), 2, 1);
    EXPECT_FALSE(TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", kDSAttributeFullName).first)
        << "the result buffer cannot be had";
    NWSimFailCalls("NWDSAllocBuf", static_cast<uint32_t>(-641), 1, 1);
    EXPECT_FALSE(TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", kDSAttributeFullName).first)
        << "the request buffer cannot be had";
    NWSimFailCalls("NWDSGetAttrVal", static_cast<uint32_t>(-641), 1, 1);
    EXPECT_FALSE(TNWNDS::ReadAttributeString("", "CN=BOB.OU=SALES.O=TARVEX", kDSAttributeFullName).first);
    EXPECT_EQ(NWSimDirectoryContextsInUse(), contexts);
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);
}

TEST_F(TNWNDSTest, CanonicalizingTakesNoContextOrBuffer)
{
    EXPECT_EQ(TNWNDS::CanonicalizeName("BOB.SALES.TARVEX"), "CN=BOB.OU=SALES.O=TARVEX");
    EXPECT_EQ(TNWNDS::CanonicalizeName("X...."), "") << "above the root";
    NWSimFailCalls("NWDSGetContext", static_cast<uint32_t>(-641), 1, 1);
    EXPECT_EQ(TNWNDS::CanonicalizeName("BOB.SALES.TARVEX"), "") << "the old flags cannot be read";
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 1u);
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);
    EXPECT_EQ(TNWNDS::GetContextFlags(), 0x13u) << "the old flags are back";
}

TEST_F(TNWNDSTest, AContextCopyThatFailsLeavesAFreshContextInTheContainer)
{
    NWSimFailCalls("NWDSDuplicateContextHandle", static_cast<uint32_t>(-641), 1, 1);
    EXPECT_EQ(TNWNDS::ListSubordinates("OU=SALES.O=TARVEX", "").size(), 2u) << "the working context lists";
    EXPECT_NE(TNWNDS::Context(), 0);
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 1u);
    EXPECT_EQ(TNWNDS::GetNameContext(), "OU=SALES.O=TARVEX");
    EXPECT_EQ(TNWNDS::LastErrorText(), "FFFFFD7F") << "the failed copy is recorded";

    // What the listing does before each scan, and the name look-ups after it.
    EXPECT_TRUE(TNWNDS::SetNameContext("[root]"));
    EXPECT_TRUE(TNWNDS::AddContextFlags(5));
    EXPECT_EQ(TNWServer::GetObjectNameByID(kTarvex, 0x10000013), "CAROL.ENGINEERING.TARVEX");
    EXPECT_EQ(TNWNDS::MapIDToName(kTarvex, 0x10000012), "ALICE.SALES.TARVEX");
}

TEST_F(TNWNDSTest, WithoutTheHandleCopyAFailedContextCopyLeavesAFreshContextToo)
{
    NWSimSetFunctionMissing("NETWIN32.DLL", "NWDSDuplicateContextHandle", 1);
    // The first duplicate is the working context, the second the copy for the global context.
    NWSimFailCalls("NWDSDuplicateContext", static_cast<uint32_t>(-641), 2, 1);
    EXPECT_EQ(TNWNDS::ListSubordinates("OU=SALES.O=TARVEX", "").size(), 2u);
    EXPECT_EQ(NWSimCallCount("NWDSDuplicateContext"), 2u);
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 1u);
    EXPECT_EQ(TNWNDS::GetNameContext(), "OU=SALES.O=TARVEX");
    EXPECT_EQ(TNWNDS::MapIDToName(kTarvex, 0x10000011), "CN=BOB");
    EXPECT_EQ(TNWNDS::ReadAttributeString("", "CN=ALICE", kDSAttributeFullName).second, "Alice Wong");
}
