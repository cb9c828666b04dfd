// The directory module against the stand-in's directory: context, names and IDs, listings and attribute
// reads.
#include "TNWNDS.h"
#include "NWSim.h"
#include "TConnectedTest.h"
#include "TNWBase.h"
#include "TNWLib.h"

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
