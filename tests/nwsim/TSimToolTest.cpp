// The nwsim console tool: creating worlds, deleting files into the salvage store and listing it.
#include "TSimTool.h"
#include "NWSim.h"
#include "SimFiles.h"
#include "TSalvageClient.h"
#include "TTestWorld.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace
{

struct TToolRun
{
    int exitCode = 0;
    std::string out;
    std::string err;
};

} // namespace

class TSimToolTest : public testing::Test
{
protected:
    TToolRun Run(std::vector<std::string> arguments)
    {
        if (arguments.empty() || arguments.front() != "init")
            arguments.insert(arguments.begin(), {"--world", nwsim::Utf8FromPath(world_.Folder())});
        std::ostringstream out;
        std::ostringstream err;
        const int exitCode = nwsim::RunSimTool(arguments, out, err);
        return {exitCode, out.str(), err.str()};
    }

    std::filesystem::path LiveFile(const std::string& server, const std::string& volume,
                                   const std::string& path)
    {
        return world_.Folder() / "volumes" / server / volume / "files" / nwsim::PathFromUtf8(path);
    }

    void WriteLive(const std::filesystem::path& path, const std::string& content)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    TTestWorld world_;
};

TEST_F(TSimToolTest, InitCreatesAWorldThatLoadsAndRefusesASecondTime)
{
    const TToolRun made = Run({"init", nwsim::Utf8FromPath(world_.Folder())});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_TRUE(std::filesystem::is_directory(world_.Folder() / "volumes" / "TARVEX" / "DATA" / "files"));
    EXPECT_TRUE(world_.Load()) << NWSimWorldError();

    const TToolRun again = Run({"init", nwsim::Utf8FromPath(world_.Folder())});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("already holds a world"), std::string::npos) << again.err;
}

TEST_F(TSimToolTest, ADeletedFileMovesIntoTheStoreAndIsListedWithItsDeletor)
{
    ASSERT_EQ(Run({"init", nwsim::Utf8FromPath(world_.Folder())}).exitCode, 0);
    const std::filesystem::path live = LiveFile("OLDSRV", "VOL1", "Reports/Q1.txt");
    WriteLive(live, "first quarter");

    const TToolRun deleted = Run({"delete", "--as", "jsmith", "g:\\reports\\q1.TXT"});
    EXPECT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_FALSE(std::filesystem::exists(live));

    const TToolRun listed = Run({"salvage", "G:/REPORTS"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("Q1.txt"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("JSMITH"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("13"), std::string::npos) << "the size: " << listed.out;
    EXPECT_NE(listed.out.find("1 deleted file(s)"), std::string::npos) << listed.out;
}

TEST_F(TSimToolTest, DirectoryUsersDeleteOnTheDirectoryServer)
{
    ASSERT_EQ(Run({"init", nwsim::Utf8FromPath(world_.Folder())}).exitCode, 0);
    WriteLive(LiveFile("TARVEX", "DATA", "NOTES.TXT"), "x");
    ASSERT_EQ(Run({"delete", "--as", "BOB", "F:\\NOTES.TXT"}).exitCode, 0);
    const TToolRun listed = Run({"salvage", "F:\\"});
    EXPECT_NE(listed.out.find("CN=BOB.OU=SALES.O=TARVEX"), std::string::npos) << listed.out;
}

TEST_F(TSimToolTest, BadRequestsSayWhatIsWrongAndChangeNothing)
{
    ASSERT_EQ(Run({"init", nwsim::Utf8FromPath(world_.Folder())}).exitCode, 0);
    const std::filesystem::path live = LiveFile("OLDSRV", "VOL1", "KEEP.TXT");
    WriteLive(live, "keep me");

    const TToolRun unknownUser = Run({"delete", "--as", "NOBODY", "G:\\KEEP.TXT"});
    EXPECT_EQ(unknownUser.exitCode, 1);
    EXPECT_NE(unknownUser.err.find("knows no user NOBODY"), std::string::npos) << unknownUser.err;
    EXPECT_TRUE(std::filesystem::exists(live));

    const TToolRun unmapped = Run({"delete", "--as", "KLEE", "Q:\\KEEP.TXT"});
    EXPECT_EQ(unmapped.exitCode, 1);
    EXPECT_NE(unmapped.err.find("not a path on a mapped drive"), std::string::npos) << unmapped.err;

    const TToolRun absent = Run({"delete", "--as", "KLEE", "G:\\GONE.TXT"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find("does not exist"), std::string::npos) << absent.err;

    const TToolRun folder = Run({"delete", "--as", "KLEE", "G:\\"});
    EXPECT_EQ(folder.exitCode, 1);

    const TToolRun listed = Run({"salvage", "G:\\"});
    EXPECT_NE(listed.out.find("0 deleted file(s)"), std::string::npos) << listed.out;
    EXPECT_EQ(Run({"frobnicate"}).exitCode, 2);
}

TEST_F(TSimToolTest, SeveralFilesGoInOneCommandEachOnceAndOneBadPathStopsThemAll)
{
    ASSERT_EQ(Run({"init", nwsim::Utf8FromPath(world_.Folder())}).exitCode, 0);
    const std::filesystem::path one = LiveFile("OLDSRV", "VOL1", "BULK/ONE.TXT");
    const std::filesystem::path two = LiveFile("OLDSRV", "VOL1", "BULK/TWO.TXT");
    const std::filesystem::path keep = LiveFile("OLDSRV", "VOL1", "BULK/KEEP.TXT");
    WriteLive(one, "1");
    WriteLive(two, "22");
    WriteLive(keep, "333");

    const TToolRun refused = Run({"delete", "--as", "KLEE", "G:\\BULK\\KEEP.TXT", "G:\\BULK\\GONE.TXT"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("GONE.TXT does not exist"), std::string::npos) << refused.err;
    EXPECT_TRUE(std::filesystem::exists(keep)) << "nothing goes when one path is bad";
    EXPECT_NE(Run({"salvage", "G:\\BULK"}).out.find("0 deleted file(s)"), std::string::npos);

    const TToolRun deleted =
        Run({"delete", "--as", "KLEE", "G:\\BULK\\ONE.TXT", "g:\\bulk\\two.txt", "G:\\BULK\\ONE.TXT"});
    EXPECT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_FALSE(std::filesystem::exists(one));
    EXPECT_FALSE(std::filesystem::exists(two));
    EXPECT_TRUE(std::filesystem::exists(keep));

    nwsim::TSalvageStore store(world_.SalvageFolder("OLDSRV", "VOL1"));
    store.Load();
    ASSERT_EQ(store.Entries().size(), 2u) << "a file named twice goes once";
    EXPECT_EQ(store.Entries()[0].name, "ONE.TXT");
    EXPECT_EQ(store.Entries()[1].name, "TWO.TXT");
    EXPECT_NE(store.Entries()[0].id, store.Entries()[1].id);
    EXPECT_EQ(nwsim::ReadWholeFile(store.DataFile(store.Entries()[1].id)), "22");
    const TToolRun listed = Run({"salvage", "G:\\BULK"});
    EXPECT_NE(listed.out.find("2 deleted file(s)"), std::string::npos) << listed.out;
}

TEST_F(TSimToolTest, ADeleteTakesAnyNumberOfPathsFromListsInOneCallAndSalvageShowsThemWithBackslashes)
{
    ASSERT_EQ(Run({"init", nwsim::Utf8FromPath(world_.Folder())}).exitCode, 0);
    // 5,000 files, every tenth with an accented name and some content; a byte order mark, blank lines and
    // Windows line ends in the list.
    std::string list = "\xEF\xBB\xBF";
    for (int i = 0; i < 5000; ++i)
    {
        const bool accented = i % 10 == 0;
        const std::string name = (accented ? "Grüße " : "F") + std::to_string(i) + (accented ? ".wk1" : "");
        WriteLive(LiveFile("OLDSRV", "VOL1", "BULK/Ärger/" + name), accented ? "Grüße" : "");
        list += "G:\\BULK\\ärger\\" + name + (i % 2 == 0 ? "\r\n" : "\n") + (i % 1000 == 0 ? "\n \r\n" : "");
    }
    const std::filesystem::path listFile = world_.Folder() / "paths.txt";
    std::ofstream(listFile, std::ios::binary) << list;

    const TToolRun deleted = Run({"delete", "--as", "KLEE", "--from", nwsim::Utf8FromPath(listFile)});
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_TRUE(std::filesystem::is_empty(LiveFile("OLDSRV", "VOL1", "BULK/Ärger")));
    nwsim::TSalvageStore store(world_.SalvageFolder("OLDSRV", "VOL1"));
    store.Load();
    ASSERT_EQ(store.InFolder("BULK/ÄRGER").size(), 5000u);
    const nwsim::TDeletedFile* accented = store.InFolder("bulk/ärger")[4990];
    EXPECT_EQ(accented->name, "Grüße 4990.wk1");
    EXPECT_EQ(store.Content(*accented), "Grüße");

    const TToolRun listed = Run({"salvage", "-r", "G:\\BULK"});
    EXPECT_NE(listed.out.find("G:\\BULK\\ÄRGER  (OLDSRV/VOL1:BULK/ÄRGER)"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("5000 deleted file(s)"), std::string::npos);

    const TToolRun absent = Run({"delete", "--as", "KLEE", "G:\\BULK\\Ärger\\Gelöscht.txt"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find("G:\\BULK\\Ärger\\Gelöscht.txt does not exist"), std::string::npos)
        << absent.err;
}

TEST_F(TSimToolTest, AMissingWorldIsReported)
{
    const TToolRun listed = Run({"salvage", "F:\\"});
    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_NE(listed.err.find("world.json"), std::string::npos) << listed.err;
}

TEST_F(TSimToolTest, TheDemoWorldHasTheCasesThatMatter)
{
    ASSERT_EQ(Run({"init", nwsim::Utf8FromPath(world_.Folder()), "--demo"}).exitCode, 0);
    ASSERT_TRUE(world_.Load()) << NWSimWorldError();

    const TToolRun tarvex = Run({"salvage", "-r", "F:\\"});
    ASSERT_EQ(tarvex.exitCode, 0) << tarvex.err;
    const TToolRun oldsrv = Run({"salvage", "-r", "G:\\"});
    ASSERT_EQ(oldsrv.exitCode, 0) << oldsrv.err;

    size_t deletedLines = 0;
    std::istringstream lines(tarvex.out + oldsrv.out);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  ", 0) == 0 && line.find("deleted file(s)") == std::string::npos)
            ++deletedLines;
    EXPECT_GE(deletedLines, 300u);

    // A deleted name that exists again, three versions of one name, long names, an empty folder.
    EXPECT_TRUE(std::filesystem::exists(LiveFile("TARVEX", "DATA", "PROJECTS/README.TXT")));
    const TToolRun projects = Run({"salvage", "F:\\PROJECTS"});
    EXPECT_NE(projects.out.find("README.TXT"), std::string::npos);
    size_t versions = 0;
    for (size_t at = projects.out.find("FORECAST.XLS"); at != std::string::npos;
         at = projects.out.find("FORECAST.XLS", at + 1))
        ++versions;
    EXPECT_EQ(versions, 3u);
    EXPECT_NE(projects.out.find("Quarterly sales projection for the northern region.xls"), std::string::npos);
    const TToolRun empty = Run({"salvage", "F:\\EMPTY"});
    EXPECT_NE(empty.out.find("0 deleted file(s)"), std::string::npos) << empty.out;
    EXPECT_TRUE(std::filesystem::is_directory(LiveFile("TARVEX", "DATA", "EMPTY")));

    // Every folder of both volumes scans through the client to its end.
    size_t scanned = 0;
    for (const auto& [drive, server, volume] :
         {std::tuple{"F:", "TARVEX", "DATA"}, std::tuple{"G:", "OLDSRV", "VOL1"}})
    {
        const std::filesystem::path root = world_.Folder() / "volumes" / server / volume / "files";
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        {
            if (!entry.is_directory())
                continue;
            const std::string relative = nwsim::Utf8FromPath(entry.path().lexically_relative(root));
            const TOpenFolder folder = OpenFolder(std::string(drive) + "\\" + relative + "\\");
            ASSERT_EQ(folder.code, 0u) << relative;
            uint32_t endCode = 0;
            scanned += ScanFolder(folder, &endCode).size();
            EXPECT_EQ(endCode, 0x89FFu) << relative;
            EXPECT_EQ(
                NW_FUNCTION("CALWIN32.DLL", NWDeallocateDirectoryHandle)(folder.connection, folder.handle),
                0u);
        }
    }
    EXPECT_EQ(scanned, deletedLines) << "every deleted file lies in a folder that exists";
}
