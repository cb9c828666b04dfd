// Retrove98.exe as Windows sees it: its version and manifest, and its window.
#include "TGuiTest.h"
#include "TTestWorld.h"

#include <string>
#include <vector>

namespace
{

std::wstring ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"Retrove98.exe";
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0)
        return {};
    return static_cast<const wchar_t*>(value);
}

// Waits for a top-level window of that class and title to appear; nullptr if it does not within the limit.
HWND WaitForWindow(const wchar_t* windowClass, const wchar_t* title, DWORD limitMilliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limitMilliseconds)
    {
        if (HWND window = FindWindowW(windowClass, title))
            return window;
        Sleep(50);
    }
    return nullptr;
}

} // namespace

class Retrove98Test : public TGuiTest
{
};

TEST_F(Retrove98Test, CarriesItsVersion)
{
    const std::wstring program = ProgramPath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &handle);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    // The build number is the third field, where Windows Installer sees it (0 in a tree without its history);
    // the text says the same.
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 0u);
    EXPECT_EQ(VersionString(block, L"FileVersion"),
              L"1.0." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L".0");
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Retrove 98");
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"Retrove98.exe");
}

TEST_F(Retrove98Test, AsksForCommonControlsSixAndPerMonitorAwareness)
{
    HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HRSRC resource = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(resource, nullptr) << "no manifest";
    const auto* text = static_cast<const char*>(LockResource(LoadResource(program, resource)));
    const std::string manifest(text, SizeofResource(program, resource));
    FreeLibrary(program);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
}

TEST_F(Retrove98Test, OpensAWindowTitledRetrove98AndClosesWithSuccess)
{
    // The stand-in's libraries beside the program serve the world that this variable names.
    TTestWorld world;
    world.CreatePlain();
    ASSERT_TRUE(SetEnvironmentVariableW(L"NWSIM_WORLD", world.Folder().wstring().c_str()));
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    HWND window = WaitForWindow(L"TFMain", L"Retrove 98", 30000);
    EXPECT_NE(window, nullptr) << "the main window never appeared";
    if (window != nullptr)
        PostMessageW(window, WM_CLOSE, 0, 0);
    else
        TerminateProcess(process.hProcess, 99);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
