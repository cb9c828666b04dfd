// The simulated directory through NETWIN32.DLL: contexts, listings with their classes, attribute reads, and
// names and IDs mapped both ways.
#include "TClientLibraries.h"
#include "TWorldTest.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr nw::NWCONN_HANDLE kTarvex = 0x00C10001;
constexpr nw::NWCONN_HANDLE kOldsrv = 0x00C10102;

struct TListed
{
    std::string name;
    std::string baseClass;
    bool operator==(const TListed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TListed& listed)
{
    return out << listed.name << " (" << listed.baseClass << ")";
}

// A context whose name context and flags are set as given.
nw::NWDSContextHandle MakeContext(const char* nameContext, uint32_t flags = 0x13)
{
    const nw::NWDSContextHandle context = NW_FUNCTION("NETWIN32.DLL", NWDSCreateContext)();
    EXPECT_GT(context, 0);
    std::string name = nameContext;
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSSetContext)(context, 3, name.data()), 0);
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSSetContext)(context, 1, &flags), 0);
    return context;
}

// Lists the objects below one, over as many result buffers as it takes; buffers counts them.
std::vector<TListed> List(nw::NWDSContextHandle context, const char* object, int* buffers = nullptr)
{
    nw::NWDSBuffer result = nullptr;
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &result), 0);
    std::vector<TListed> listed;
    std::string name = object;
    int32_t iteration = -1;
    int filled = 0;
    do
    {
        if (NW_FUNCTION("NETWIN32.DLL", NWDSList)(context, name.data(), &iteration, result) != 0)
            break;
        ++filled;
        uint32_t count = 0;
        EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSGetObjectCount)(context, result, &count), 0);
        for (uint32_t i = 0; i < count; ++i)
        {
            char text[1028] = {};
            uint32_t attributes = 0;
            uint8_t information[80];
            std::memset(information, 0xCD, sizeof(information));
            EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSGetObjectName)(context, result, text, &attributes,
                                                                     information),
                      0);
            listed.push_back({text, reinterpret_cast<const char*>(information + 12)});
        }
    } while (iteration != -1);
    NW_FUNCTION("NETWIN32.DLL", NWDSFreeBuf)(result);
    if (buffers != nullptr)
        *buffers = filled;
    return listed;
}

// Reads one attribute as the program does; the code of the read, and the value when there is one.
std::pair<int32_t, std::string> ReadAttribute(nw::NWDSContextHandle context, const char* object,
                                              const char* attribute)
{
    nw::NWDSBuffer request = nullptr;
    nw::NWDSBuffer result = nullptr;
    NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &request);
    NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &result);
    NW_FUNCTION("NETWIN32.DLL", NWDSInitBuf)(context, 3, request);
    std::string name = attribute;
    NW_FUNCTION("NETWIN32.DLL", NWDSPutAttrName)(context, request, name.data());
    std::string objectName = object;
    int32_t iteration = -1;
    const int32_t code =
        NW_FUNCTION("NETWIN32.DLL", NWDSRead)(context, objectName.data(), 1, 0, request, &iteration, result);
    std::string value;
    if (code == 0)
    {
        uint32_t count = 0, values = 0, syntax = 0, size = 0;
        char attributeName[1028] = {};
        EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSGetAttrCount)(context, result, &count), 0);
        EXPECT_EQ(count, 1u);
        EXPECT_EQ(
            NW_FUNCTION("NETWIN32.DLL", NWDSGetAttrName)(context, result, attributeName, &values, &syntax),
            0);
        EXPECT_STREQ(attributeName, attribute);
        EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSComputeAttrValSize)(context, result, syntax, &size), 0);
        std::vector<char> area(size);
        EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSGetAttrVal)(context, result, syntax, area.data()), 0);
        value = area.data();
        EXPECT_EQ(value.size() + 1, size);
        EXPECT_EQ(iteration, -1);
    }
    NW_FUNCTION("NETWIN32.DLL", NWDSFreeBuf)(request);
    NW_FUNCTION("NETWIN32.DLL", NWDSFreeBuf)(result);
    return {code, value};
}

std::string Canonical(nw::NWDSContextHandle context, const char* name)
{
    std::string text = name;
    char canonical[1028] = {};
    if (NW_FUNCTION("NETWIN32.DLL", NWDSCanonicalizeName)(context, text.data(), canonical) != 0)
        return "<failed>";
    return canonical;
}

} // namespace

class DirectoryTest : public TWorldTest
{
};

TEST_F(DirectoryTest, ContextsKeepTheirFlagsAndNameContext)
{
    const auto getContext = NW_FUNCTION("NETWIN32.DLL", NWDSGetContext);
    const auto setContext = NW_FUNCTION("NETWIN32.DLL", NWDSSetContext);
    const nw::NWDSContextHandle context = NW_FUNCTION("NETWIN32.DLL", NWDSCreateContext)();
    ASSERT_GT(context, 0);
    uint32_t flags = 0;
    ASSERT_EQ(getContext(context, 1, &flags), 0);
    EXPECT_EQ(flags, 0x13u);
    char name[1028] = {};
    ASSERT_EQ(getContext(context, 3, name), 0);
    EXPECT_STREQ(name, "[Root]");

    char sales[] = "ou=sales.o=tarvex";
    ASSERT_EQ(setContext(context, 3, sales), 0);
    ASSERT_EQ(getContext(context, 3, name), 0);
    EXPECT_STREQ(name, "OU=SALES.O=TARVEX");
    char missing[] = "OU=NOWHERE.O=TARVEX";
    EXPECT_EQ(setContext(context, 3, missing), -601);
    ASSERT_EQ(getContext(context, 3, name), 0);
    EXPECT_STREQ(name, "OU=SALES.O=TARVEX") << "a failed set changes nothing";

    const nw::NWDSContextHandle copy = NW_FUNCTION("NETWIN32.DLL", NWDSDuplicateContext)(context);
    nw::NWDSContextHandle handleCopy = 0;
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSDuplicateContextHandle)(context, &handleCopy), 0);
    for (const nw::NWDSContextHandle duplicate : {copy, handleCopy})
    {
        ASSERT_GT(duplicate, 0);
        EXPECT_NE(duplicate, context);
        ASSERT_EQ(getContext(duplicate, 3, name), 0);
        EXPECT_STREQ(name, "OU=SALES.O=TARVEX");
    }
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSFreeContext)(context), 0);
    EXPECT_NE(getContext(context, 1, &flags), 0) << "a freed context is gone";
    EXPECT_EQ(getContext(copy, 1, &flags), 0) << "its copies are not";
}

TEST_F(DirectoryTest, TheRootListsTheTopObjectsWithTheirClasses)
{
    const nw::NWDSContextHandle context = MakeContext("[Root]");
    EXPECT_EQ(List(context, ""), (std::vector<TListed>{{"O=TARVEX", "Organization"}, {"C=US", "Country"}}));
    EXPECT_EQ(List(context, "[Root]"), List(context, ""));
}

TEST_F(DirectoryTest, AnOrganizationListsItsObjectsRelativeToTheContext)
{
    const nw::NWDSContextHandle root = MakeContext("[Root]");
    const std::vector<TListed> fromRoot = List(root, "O=TARVEX");
    ASSERT_EQ(fromRoot.size(), 6u);
    EXPECT_EQ(fromRoot[0], (TListed{"OU=SALES.O=TARVEX", "Organizational Unit"}));

    const nw::NWDSContextHandle inside = MakeContext("O=TARVEX");
    const std::vector<TListed> relative = List(inside, "");
    ASSERT_EQ(relative.size(), 6u);
    EXPECT_EQ(relative[0], (TListed{"OU=SALES", "Organizational Unit"}));
    EXPECT_EQ(relative[2], (TListed{"CN=ADMIN", "User"}));

    const nw::NWDSContextHandle typeless = MakeContext("O=TARVEX", 0x13 | 0x04);
    EXPECT_EQ(List(typeless, "SALES"),
              (std::vector<TListed>{{"BOB.SALES", "User"}, {"ALICE.SALES", "User"}}));
    EXPECT_TRUE(List(root, "O=NOWHERE").empty());
}

TEST_F(DirectoryTest, ALongListingGoesOverSeveralBuffers)
{
    std::string objects = R"({"name": "O=BIG", "class": "Organization", "id": 1000})";
    for (int i = 0; i < 70; ++i)
        objects += R"(, {"name": "CN=USER)" + std::to_string(i) + R"(.O=BIG", "class": "User", "id": )" +
                   std::to_string(2000 + i) + "}";
    TTestWorld big;
    big.WriteWorldJson(R"({"servers": [{"name": "S", "version": "4.11", "tree": "T", "volumes": ["SYS"]}],
        "directory": {"tree": "T", "objects": [)" +
                       objects + R"(]},
        "workstation": {"attached": ["S"]}})");
    ASSERT_TRUE(big.Load()) << NWSimWorldError();

    int buffers = 0;
    const std::vector<TListed> listed = List(MakeContext("O=BIG"), "", &buffers);
    ASSERT_EQ(listed.size(), 70u);
    EXPECT_EQ(buffers, 3) << "32 objects fill a buffer of 4,096 bytes";
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(listed[static_cast<size_t>(i)].name, "CN=USER" + std::to_string(i));
}

TEST_F(DirectoryTest, FullNamesAreReadWhereTheyExist)
{
    const nw::NWDSContextHandle context = MakeContext("[Root]");
    EXPECT_EQ(ReadAttribute(context, "CN=BOB.OU=SALES.O=TARVEX", "Full Name"),
              std::make_pair(0, std::string("Bob Miller")));
    EXPECT_EQ(ReadAttribute(context, "CN=DAVE.OU=ENGINEERING.O=TARVEX", "Full Name").first, -603);
    EXPECT_EQ(ReadAttribute(context, "CN=NOBODY.O=TARVEX", "Full Name").first, -601);
    EXPECT_EQ(ReadAttribute(MakeContext("OU=SALES.O=TARVEX"), "CN=ALICE", "Full Name").second, "Alice Wong");
}

TEST_F(DirectoryTest, NamesAreCanonicalizedAgainstTheContext)
{
    const nw::NWDSContextHandle root = MakeContext("[Root]");
    EXPECT_EQ(Canonical(root, "ADMIN.TARVEX"), "CN=ADMIN.O=TARVEX");
    EXPECT_EQ(Canonical(root, "BOB.SALES.TARVEX"), "CN=BOB.OU=SALES.O=TARVEX");
    EXPECT_EQ(Canonical(root, "NEW.PEOPLE.TARVEX"), "CN=NEW.OU=PEOPLE.O=TARVEX") << "typed by place";
    const nw::NWDSContextHandle sales = MakeContext("OU=SALES.O=TARVEX");
    EXPECT_EQ(Canonical(sales, "BOB"), "CN=BOB.OU=SALES.O=TARVEX");
    EXPECT_EQ(Canonical(sales, "CN=ADMIN."), "CN=ADMIN.O=TARVEX") << "a trailing dot climbs a level";
    EXPECT_EQ(Canonical(sales, ".CN=ERIN.O=NORTHWIND.C=US"), "CN=ERIN.O=NORTHWIND.C=US");
    EXPECT_EQ(Canonical(root, "X...."), "<failed>") << "above the root";
}

TEST_F(DirectoryTest, WhoAmIAnswersInTheContextsForm)
{
    char name[1028] = {};
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSWhoAmI)(MakeContext("[Root]"), name), 0);
    EXPECT_STREQ(name, "CN=ADMIN.O=TARVEX");
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSWhoAmI)(MakeContext("O=TARVEX", 0x17), name), 0);
    EXPECT_STREQ(name, "ADMIN");
}

TEST_F(DirectoryTest, NamesAndIdsMapBothWaysOnADirectoryServer)
{
    const nw::NWDSContextHandle context = MakeContext("[Root]");
    uint32_t id = 0;
    char bob[] = "CN=BOB.OU=SALES.O=TARVEX";
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSMapNameToID)(context, kTarvex, bob, &id), 0);
    EXPECT_EQ(id, 0x10000011u);
    char name[1028] = {};
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSMapIDToName)(context, kTarvex, 0x10000012, name), 0);
    EXPECT_STREQ(name, "CN=ALICE.OU=SALES.O=TARVEX");
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSMapIDToName)(context, kTarvex, 0x77, name), -601);
    EXPECT_NE(NW_FUNCTION("NETWIN32.DLL", NWDSMapNameToID)(context, kOldsrv, bob, &id), 0)
        << "a bindery server has no directory";

    nw::NWCONN_HANDLE conn = kTarvex;
    char admin[] = "ADMIN.TARVEX";
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAuditGetObjectID)(context, admin, &conn, &id), 0);
    EXPECT_EQ(id, 0x10000010u);
}

TEST_F(DirectoryTest, OnlyServersOfTheTreeAreDirectoryServers)
{
    const auto isDirectoryServer = NW_FUNCTION("NETWIN32.DLL", NWIsDSServer);
    char tree[64] = "junk";
    EXPECT_NE(isDirectoryServer(kTarvex, tree), 0);
    EXPECT_STREQ(tree, "TARVEX_TREE");
    EXPECT_EQ(isDirectoryServer(kOldsrv, tree), 0);
    EXPECT_STREQ(tree, "");
}

TEST_F(DirectoryTest, ChangesToTheDirectoryAreRefused)
{
    const nw::NWDSContextHandle context = MakeContext("[Root]");
    char object[] = "CN=BOB.OU=SALES.O=TARVEX";
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSRemoveObject)(context, object), -672);
    int32_t iteration = -1;
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSModifyObject)(context, object, &iteration, 0, nullptr), -672);
}

TEST_F(DirectoryTest, TheUnicodeTablesLoadForTheWorkstationsLocale)
{
    // The locale record is larger in some client versions; the program passes more room than it reads.
    uint8_t room[512] = {};
    auto* locale = reinterpret_cast<nw::NW_LCONV*>(room);
    ASSERT_EQ(NW_FUNCTION("LOCWIN32.DLL", NWLlocaleconv)(locale), locale);
    EXPECT_EQ(NW_FUNCTION("LOCWIN32.DLL", NWInitUnicodeTables)(locale->countryId, locale->codePage), 0u);
    EXPECT_EQ(NW_FUNCTION("LOCWIN32.DLL", NWFreeUnicodeTables)(), 0u);
}

TEST_F(DirectoryTest, TheDirectoryCountsTheContextsAndBuffersInUse)
{
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 0u);
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);
    const nw::NWDSContextHandle context = NW_FUNCTION("NETWIN32.DLL", NWDSCreateContext)();
    const nw::NWDSContextHandle copy = NW_FUNCTION("NETWIN32.DLL", NWDSDuplicateContext)(context);
    nw::NWDSContextHandle handleCopy = 0;
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSDuplicateContextHandle)(context, &handleCopy), 0);
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 3u);
    nw::NWDSBuffer first = nullptr;
    nw::NWDSBuffer second = nullptr;
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &first), 0);
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &second), 0);
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 2u);

    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSFreeBuf)(first), 0);
    EXPECT_NE(NW_FUNCTION("NETWIN32.DLL", NWDSFreeBuf)(first), 0) << "freed once only";
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 1u);
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSFreeContext)(copy), 0);
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 2u);
    NWSimFailCalls("NWDSAllocBuf", static_cast<uint32_t>(-641), 1, 1);
    nw::NWDSBuffer refused = nullptr;
    EXPECT_NE(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &refused), 0);
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 1u) << "a refused allocation holds nothing";
    NWSimReset();
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 2u) << "the counts are the directory's, not the controls'";
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 1u);
    ASSERT_TRUE(world_.Load());
    EXPECT_EQ(NWSimDirectoryContextsInUse(), 0u) << "a new world has a new directory";
    EXPECT_EQ(NWSimDirectoryBuffersInUse(), 0u);
}

TEST_F(DirectoryTest, AReadThatDoesNotFitGoesOverSeveralBuffers)
{
    const std::string a(1500, 'a'), b(1500, 'b'), c(1500, 'c');
    world_.EditWorldJson(R"("fullName": "Bob Miller")", R"("fullName": "Bob Miller", "attributes": )"
                                                        R"({"Description": [")" +
                                                            a + R"(", ")" + b + R"(", ")" + c + R"("]})");
    ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    const nw::NWDSContextHandle context = MakeContext("[Root]");
    nw::NWDSBuffer request = nullptr;
    nw::NWDSBuffer result = nullptr;
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &request), 0);
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &result), 0);
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSInitBuf)(context, 3, request), 0);
    char description[] = "Description";
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSPutAttrName)(context, request, description), 0);
    char bob[] = "CN=BOB.OU=SALES.O=TARVEX";

    // Each round holds the values that fit, after the attribute's name.
    std::vector<std::vector<std::string>> rounds;
    std::vector<int32_t> iterations;
    int32_t iteration = -1;
    do
    {
        ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSRead)(context, bob, 1, 0, request, &iteration, result), 0);
        iterations.push_back(iteration);
        uint32_t count = 0, values = 0, syntax = 0;
        ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSGetAttrCount)(context, result, &count), 0);
        ASSERT_EQ(count, 1u);
        char name[1028] = {};
        ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSGetAttrName)(context, result, name, &values, &syntax), 0);
        EXPECT_STREQ(name, "Description");
        std::vector<std::string>& round = rounds.emplace_back();
        for (uint32_t i = 0; i < values; ++i)
        {
            std::vector<char> area(1501);
            ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSGetAttrVal)(context, result, syntax, area.data()), 0);
            round.emplace_back(area.data());
        }
    } while (iteration != -1 && rounds.size() < 10);
    EXPECT_EQ(rounds, (std::vector<std::vector<std::string>>{{a, b}, {c}}));
    EXPECT_EQ(iterations, (std::vector<int32_t>{2, -1})) << "the values given so far";

    int32_t past = 3;
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSRead)(context, bob, 1, 0, request, &past, result), -641);
    world_.EditWorldJson(a, std::string(5000, 'a'));
    ASSERT_TRUE(world_.Load());
    const nw::NWDSContextHandle fresh = MakeContext("[Root]");
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &request), 0);
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSAllocBuf)(4096, &result), 0);
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSInitBuf)(fresh, 3, request), 0);
    ASSERT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSPutAttrName)(fresh, request, description), 0);
    iteration = -1;
    EXPECT_EQ(NW_FUNCTION("NETWIN32.DLL", NWDSRead)(fresh, bob, 1, 0, request, &iteration, result), -649)
        << "a value larger than the buffer fits no round";
}
