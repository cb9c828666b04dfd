// Loading worlds: a sound world attaches the workstation; a bad one says why and leaves no connection.
#include "TSimWorld.h"
#include "CodePage.h"
#include "NWSim.h"
#include "SimFiles.h"
#include "TClientLibraries.h"
#include "TTestWorld.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace
{

bool HasPrimaryConnection()
{
    uint32_t reference = 0;
    return NW_FUNCTION("CLXWIN32.DLL", NWCCGetPrimConnRef)(&reference) == 0;
}

// Loads a world whose world.json is given and returns what the stand-in wrote to standard error.
std::string LoadBadWorld(TTestWorld& world, const std::string& json)
{
    world.WriteWorldJson(json);
    testing::internal::CaptureStderr();
    const bool loaded = world.Load();
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(loaded);
    return written;
}

const char* const kTwoServers = R"({
  "servers": [
    {"name": "ALPHA", "version": "4.11", "tree": "T", "volumes": ["SYS", "DATA"],
     "bindery": [{"id": 1, "name": "SUPERVISOR"}]},
    {"name": "beta", "version": "3.12", "volumes": ["SYS"],
     "bindery": [{"id": "0x0A000011", "name": "jsmith", "type": "0x0100"}]}
  ],
  "directory": {"tree": "T", "objects": [{"name": "O=ORG", "class": "Organization", "id": 100}]},
  "workstation": {"attached": ["ALPHA", "BETA"], "primary": "BETA",
                  "drives": {"F": {"server": "ALPHA", "volume": "DATA"}}}
})";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

} // namespace

class TSimWorldTest : public testing::Test
{
protected:
    void SetUp() override { NWSimReset(); }
    TTestWorld world_;
};

TEST_F(TSimWorldTest, ASoundWorldAttachesTheWorkstation)
{
    world_.WriteWorldJson(kTwoServers);
    ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    EXPECT_STREQ(NWSimWorldError(), "");
    EXPECT_TRUE(HasPrimaryConnection());
}

TEST_F(TSimWorldTest, AMissingWorldFileIsReported)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(world_.Load());
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("cannot read"), std::string::npos) << message;
    EXPECT_NE(message.find("world.json"), std::string::npos) << message;
    EXPECT_FALSE(HasPrimaryConnection());
}

TEST_F(TSimWorldTest, BadJsonIsReported)
{
    const std::string message = LoadBadWorld(world_, R"({"servers": [ {"name": "ALPHA", )");
    EXPECT_NE(message.find("not valid JSON"), std::string::npos) << message;
    EXPECT_FALSE(HasPrimaryConnection());
}

TEST_F(TSimWorldTest, ADriveOfAnUnknownServerIsReported)
{
    const std::string message =
        LoadBadWorld(world_, Replaced(kTwoServers, R"("server": "ALPHA")", R"("server": "GAMMA")"));
    EXPECT_NE(message.find("drive F"), std::string::npos) << message;
    EXPECT_NE(message.find("unknown server \"GAMMA\""), std::string::npos) << message;
    EXPECT_NE(std::string(NWSimWorldError()).find("GAMMA"), std::string::npos);
    EXPECT_FALSE(HasPrimaryConnection());
}

TEST_F(TSimWorldTest, ADuplicateObjectIdIsReported)
{
    const std::string message =
        LoadBadWorld(world_, Replaced(kTwoServers, R"({"id": 1, "name": "SUPERVISOR"})",
                                      R"({"id": 1, "name": "SUPERVISOR"}, {"id": 1, "name": "GUEST"})"));
    EXPECT_NE(message.find("duplicate object ID 1"), std::string::npos) << message;
    EXPECT_FALSE(HasPrimaryConnection());
}

TEST_F(TSimWorldTest, ADirectoryIdReusedByATreeServersBinderyIsReported)
{
    const std::string message = LoadBadWorld(world_, Replaced(kTwoServers, R"("id": 100)", R"("id": 1)"));
    EXPECT_NE(message.find("duplicate object ID 1"), std::string::npos) << message;
}

TEST_F(TSimWorldTest, OtherFaultsAreNamed)
{
    EXPECT_NE(LoadBadWorld(world_, R"({"workstation": {"attached": ["NOWHERE"]}})").find("unknown server"),
              std::string::npos);
    EXPECT_NE(LoadBadWorld(world_, R"({"servers": [{"name": "A", "version": "four"}]})").find("MAJOR.MINOR"),
              std::string::npos);
    EXPECT_NE(LoadBadWorld(world_, R"({"servers": [{"name": "A", "volumes": ["SYS", "sys"]}]})")
                  .find("named twice"),
              std::string::npos);
    EXPECT_NE(LoadBadWorld(world_, R"([1, 2])").find("JSON object"), std::string::npos);
    EXPECT_NE(LoadBadWorld(world_, R"({"directory": {"tree": "T", "objects": [
                  {"name": "CN=A.O=MISSING", "class": "User", "id": 1}]}})")
                  .find("not described"),
              std::string::npos);
}

TEST_F(TSimWorldTest, ABadWorldCanBeReplacedByASoundOne)
{
    LoadBadWorld(world_, "not json");
    EXPECT_FALSE(HasPrimaryConnection());
    world_.WriteWorldJson(kTwoServers);
    ASSERT_TRUE(world_.Load());
    EXPECT_TRUE(HasPrimaryConnection());
}

TEST_F(TSimWorldTest, WithoutAnExplicitLoadTheWorldNamedByTheEnvironmentIsUsed)
{
    world_.WriteWorldJson(kTwoServers);
#ifdef _WIN32
    SetEnvironmentVariableW(L"NWSIM_WORLD", world_.Folder().c_str());
#else
    setenv("NWSIM_WORLD", nwsim::Utf8FromPath(world_.Folder()).c_str(), 1);
#endif
    EXPECT_EQ(NW_FUNCTION("CALWIN32.DLL", NWCallsInit)(nullptr, nullptr), 0u);
    EXPECT_TRUE(HasPrimaryConnection());
}

TEST_F(TSimWorldTest, DirectoryObjectsMayCarryFurtherAttributesWithSeveralValues)
{
    world_.WriteWorldJson(
        Replaced(kTwoServers, R"("id": 100})",
                 R"("id": 100, "attributes": {"Description": ["one", "two"], "L": ["Here"]}})"));
    const nwsim::TSimWorld loaded = nwsim::LoadWorld(world_.Folder());
    ASSERT_EQ(loaded.directory.size(), 1u);
    using TValues = std::map<std::string, std::vector<std::string>>;
    EXPECT_EQ(loaded.directory[0].attributes, (TValues{{"Description", {"one", "two"}}, {"L", {"Here"}}}));
    world_.WriteWorldJson(nwsim::WorldToJson(loaded));
    EXPECT_EQ(nwsim::LoadWorld(world_.Folder()).directory[0].attributes, loaded.directory[0].attributes)
        << "written back as read";

    for (const char* bad : {R"({"Description": []})", R"({"Description": "one"})", R"({"Full Name": ["X"]})",
                            R"({"Description": [1]})", R"(["Description"])"})
        EXPECT_NE(LoadBadWorld(world_, Replaced(kTwoServers, R"("id": 100})",
                                                std::string(R"("id": 100, "attributes": )") + bad + "}"))
                      .find("attribute"),
                  std::string::npos)
            << bad;
}

TEST_F(TSimWorldTest, NamesCompareWithoutCaseInAccentedLettersAndOnlyUtf8GoesToTheCodePage)
{
    EXPECT_EQ(nwsim::UpperName("Ünïcödé folder ÿ œ š ž ł ı ß Ω"), "ÜNÏCÖDÉ FOLDER Ÿ Œ Š Ž Ł I ß Ω");
    EXPECT_EQ(nwsim::UpperName("a\377b"), "A\377B") << "bytes that are not UTF-8 stay as they are";
    EXPECT_EQ(nwsim::AnsiFromUtf8("Œuvre – Grüße €"), "\x8Cuvre \x96 Gr\374\337e \x80");
    EXPECT_EQ(nwsim::Utf8FromAnsi("\x8Cuvre \x96 Gr\374\337e \x80"), "Œuvre – Grüße €");
    // An overlong slash, a UTF-16 surrogate and a cut sequence are not UTF-8.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "caf\xC3"})
        EXPECT_THROW(nwsim::AnsiFromUtf8(bad), nwsim::TUnrepresentableName) << bad;
}
