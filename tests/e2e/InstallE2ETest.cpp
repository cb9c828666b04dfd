// The release's Windows Installer package as an administrator deploys it: installed silently by msiexec, the
// installed copy run on the demo network, replaced by the package of a newer build (which the older one then
// cannot replace back) and removed silently.
// The packages are those that the build made of its own program and of the same source with the build
// number raised (bin/packages).
#include "MainWindowDriver.h"
#include "TE2ETest.h"

#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <type_traits>

namespace
{

constexpr DWORD kInstallerMilliseconds = 120000;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

using TKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;

TKey OpenMachineKey(HKEY parent, const std::wstring& name)
{
    HKEY key = nullptr;
    // A 32-bit package registers in the 32-bit view of the machine's keys.
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        key = nullptr;
    return TKey(key, &RegCloseKey);
}

std::wstring StringValue(HKEY key, const wchar_t* name)
{
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

// An entry of Programs and Features.
struct TUninstallEntry
{
    std::wstring productCode;
    std::wstring version;
    std::wstring publisher;
};

// The entries named "Retrove 98".
std::vector<TUninstallEntry> UninstallEntries()
{
    std::vector<TUninstallEntry> entries;
    TKey uninstall = OpenMachineKey(HKEY_LOCAL_MACHINE, kUninstallKey);
    if (!uninstall)
        return entries;
    wchar_t name[256];
    for (DWORD index = 0;; ++index)
    {
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumKeyExW(uninstall.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        TKey entry = OpenMachineKey(uninstall.get(), name);
        if (entry && StringValue(entry.get(), L"DisplayName") == L"Retrove 98")
            entries.push_back(
                {name, StringValue(entry.get(), L"DisplayVersion"), StringValue(entry.get(), L"Publisher")});
    }
    return entries;
}

// Runs msiexec as a deployment tool does and returns its exit code; nothing when it did not end in time.
std::optional<DWORD> RunInstaller(const std::wstring& arguments)
{
    std::wstring commandLine = L"msiexec.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return std::nullopt;
    CloseHandle(process.hThread);
    std::optional<DWORD> code;
    if (WaitForSingleObject(process.hProcess, kInstallerMilliseconds) == WAIT_OBJECT_0)
    {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = exitCode;
    }
    CloseHandle(process.hProcess);
    return code;
}

std::filesystem::path ShellFolder(int folder)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

// The Start menu's shortcut, in the machine's menu or the user's (where Wine's installer puts a per-machine
// package's shortcuts).
bool ShortcutExists()
{
    for (int menu : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS})
        if (std::filesystem::exists(ShellFolder(menu) / L"Retrove 98.lnk"))
            return true;
    return false;
}

bool UserKeyExists(const wchar_t* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

} // namespace

class InstallE2ETest : public TE2ETest
{
protected:
    void SetUp() override
    {
        TE2ETest::SetUp();
        RemoveInstalled();
    }
    void TearDown() override
    {
        RemoveInstalled();
        TE2ETest::TearDown();
    }

    // A machine that never had the program: one left by an earlier run is removed by its product code.
    static void RemoveInstalled()
    {
        for (const TUninstallEntry& entry : UninstallEntries())
            RunInstaller(L"/x " + entry.productCode + L" /qn");
    }

    static std::wstring PackageOf(const std::wstring& version)
    {
        return BinaryFolder() + L"packages\\Retrove98-" + version + L".msi";
    }

    // The installed program on the demo network, its client libraries (the stand-in's) found on the search
    // path as a real client's are: selecting F:\PROJECTS by the keyboard lists what the server holds there.
    void ListProjectsWith(const std::filesystem::path& installed)
    {
        CreateDemoWorld();
        TRunOptions options = OnMappedWorld();
        const std::vector<TSalvageRow> inProjects =
            SalvageRows(RunTool(L"--world " + Quoted(options.world) + L" salvage F:\\PROJECTS\\"));
        ASSERT_GT(inProjects.size(), 10u) << "the demo keeps deleted files in F:\\PROJECTS";
        options.program = installed.wstring();
        options.searchFolder = BinaryFolder();
        TProgramRun run(options);
        HWND main = WaitForMainWindow(run);
        ASSERT_NE(main, nullptr) << run.Describe();
        ASSERT_TRUE(BringToFront(main));
        ASSERT_TRUE(SelectTreeFolder(main, L"(F:)", L"PROJECTS"))
            << Utf8(TreeSelectionText(FindChild(main, WC_TREEVIEWW)));
        ASSERT_TRUE(WaitForListing(main, L"Deleted Contents of 'F:\\PROJECTS\\'",
                                   std::to_wstring(inProjects.size()) + L" file(s)", kAppearMilliseconds))
            << Utf8(ListedCaption(main)) << " / "
            << Utf8(StatusBarText(FindChild(main, STATUSCLASSNAMEW), 0));
        EXPECT_EQ(ListedRows(FindChild(main, WC_LISTVIEWW)), inProjects);
        const std::optional<DWORD> exitCode = CloseAndWait(run, main);
        ASSERT_TRUE(exitCode.has_value()) << run.Describe();
        EXPECT_EQ(*exitCode, 0u);
    }
};

TEST_F(InstallE2ETest, ASilentInstallListsTheNetworkAnUpgradeReplacesItAndRemovalKeepsTheUsersSettings)
{
    const std::wstring built = ProgramInBinaryFolder(L"Retrove98.exe");
    const std::wstring raised = ProgramInBinaryFolder(L"retrove98_raised.exe");
    const std::wstring version = FileVersionOf(built);
    const std::wstring raisedVersion = FileVersionOf(raised);
    ASSERT_FALSE(version.empty());
    ASSERT_NE(version, raisedVersion);
    const std::filesystem::path folder = ShellFolder(CSIDL_PROGRAM_FILESX86) / L"Retrove 98";
    const std::filesystem::path installed = folder / L"Retrove98.exe";

    ASSERT_EQ(RunInstaller(L"/i " + Quoted(PackageOf(version)) + L" /qn"), std::optional<DWORD>(0));
    ASSERT_TRUE(std::filesystem::exists(installed)) << installed.string();
    EXPECT_EQ(ReadAll(installed), ReadAll(built));
    EXPECT_TRUE(std::filesystem::exists(folder / L"ReadMe.txt"));
    EXPECT_TRUE(ShortcutExists());
    std::vector<TUninstallEntry> entries = UninstallEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].version, version);
    EXPECT_EQ(entries[0].publisher, L"Tarvex");
    EXPECT_FALSE(UserKeyExists(kProgramKey)) << "the installer wrote the user's settings";

    ListProjectsWith(installed);
    const std::optional<std::wstring> placement = Setting(L"", L"NormPos");
    ASSERT_TRUE(placement.has_value()) << "the installed program keeps its placement for the user";

    ASSERT_EQ(RunInstaller(L"/i " + Quoted(PackageOf(raisedVersion)) + L" /qn"), std::optional<DWORD>(0));
    entries = UninstallEntries();
    ASSERT_EQ(entries.size(), 1u) << "the newer package replaces the older one";
    EXPECT_EQ(entries[0].version, raisedVersion);
    EXPECT_EQ(FileVersionOf(installed.wstring()), raisedVersion);
    EXPECT_EQ(ReadAll(installed), ReadAll(raised));
    // The older package, deployed again, refuses to replace the newer program.
    EXPECT_NE(RunInstaller(L"/i " + Quoted(PackageOf(version)) + L" /qn"), std::optional<DWORD>(0));
    entries = UninstallEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].version, raisedVersion);
    EXPECT_EQ(ReadAll(installed), ReadAll(raised));

    ASSERT_EQ(RunInstaller(L"/x " + Quoted(PackageOf(raisedVersion)) + L" /qn"), std::optional<DWORD>(0));
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(ShortcutExists());
    EXPECT_TRUE(UninstallEntries().empty());
    EXPECT_EQ(Setting(L"", L"NormPos"), placement) << "removing the program leaves the user's settings";
}
