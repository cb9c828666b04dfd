// Writing an exported list: whole under the chosen name or not at all, and a failure said in a box.
#include "ListExport.h"

#include "TDialogTest.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{

std::string ReadAllOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

class ListExportTest : public TGuiTest
{
};

TEST_F(ListExportTest, AnExportReplacesItsFileWholeAndAFailureSaysWhyAndLeavesNothing)
{
    EXPECT_EQ(DefaultExportName(L"F:\\PROJECTS\\"), L"Deleted files of PROJECTS.csv");
    EXPECT_EQ(DefaultExportName(L"F:\\"), L"Deleted files of F.csv");

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / L"Retrove export \u00e9t\u00e9";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / L"Deleted files of F.csv";
    std::ofstream(file, std::ios::binary) << "an older export, longer than the new one";
    EXPECT_TRUE(WriteExport(TestOwnerWindow(), L"Retrove 98", file.wstring(), "new"));
    EXPECT_EQ(ReadAllOf(file), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no temporary file left";

    const std::filesystem::path missing = folder / L"gone" / L"list.csv";
    Modals().ExpectMessageBox(missing.wstring(), IDOK);
    EXPECT_FALSE(WriteExport(TestOwnerWindow(), L"Retrove 98", missing.wstring(), "rows"));
    EXPECT_TRUE(Modals().AllAnswered());
    ASSERT_EQ(Modals().ShownLooks().size(), 1u);
    EXPECT_EQ(Modals().ShownLooks()[0].caption, L"Retrove 98");
    EXPECT_GT(Modals().Shown()[0].size(), (L"Unable to write " + missing.wstring() + L":\n").size())
        << "the system's reason follows the name";
    EXPECT_FALSE(std::filesystem::exists(folder / L"gone"));
    std::filesystem::remove_all(folder);
}
