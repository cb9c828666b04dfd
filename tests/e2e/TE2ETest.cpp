// The end-to-end cases' fixture.
#include "TE2ETest.h"

#include <cstdlib>

void TE2ETest::SetUp()
{
    ClearSettings();
}

void TE2ETest::TearDown()
{
    ClearSettings();
}

std::filesystem::path TE2ETest::MappedWorldFolder()
{
    const char* folder = std::getenv("RETROVE_GUI_WORLD");
    if (folder == nullptr)
    {
        ADD_FAILURE() << "the test runner maps F: and G: to the world named by RETROVE_GUI_WORLD";
        return {};
    }
    const std::filesystem::path path(folder);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    return path;
}

std::string TE2ETest::RunTool(const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
    {
        ADD_FAILURE() << "no pipe for the tool";
        return {};
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::wstring commandLine = L"\"" + ProgramInBinaryFolder(L"nwsim.exe") + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    const DWORD startError = started ? 0 : GetLastError();
    CloseHandle(writeEnd);
    std::string output;
    if (started)
    {
        char chunk[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, chunk, sizeof(chunk), &read, nullptr) && read > 0)
            output.append(chunk, read);
        WaitForSingleObject(process.hProcess, 60000);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0u) << "nwsim " << Utf8(arguments) << ": " << output;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    else
    {
        ADD_FAILURE() << "nwsim.exe did not start: error " << startError;
    }
    CloseHandle(readEnd);
    return output;
}

void TE2ETest::CreateDemoWorld()
{
    const std::filesystem::path folder = MappedWorldFolder();
    RunTool(L"init \"" + folder.wstring() + L"\" --demo");
}

TRunOptions TE2ETest::OnMappedWorld()
{
    const char* folder = std::getenv("RETROVE_GUI_WORLD");
    return {ProgramInBinaryFolder(L"Retrove98.exe"),
            {},
            folder == nullptr ? std::wstring() : std::filesystem::path(folder).wstring(),
            {}};
}

std::optional<std::wstring> TE2ETest::Setting(const std::wstring& subKey, const std::wstring& name)
{
    const std::wstring key =
        subKey.empty() ? std::wstring(kProgramKey) : std::wstring(kProgramKey) + L"\\" + subKey;
    wchar_t value[2048] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

void TE2ETest::ClearSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
}

TMessageBoxView WaitForMessageBox(const TProgramRun& run, DWORD limitMilliseconds)
{
    HWND box = run.WaitForWindow(
        [](const TWindowView& window) { return window.visible && IsMessageBox(window.handle); },
        limitMilliseconds);
    if (box == nullptr)
    {
        ADD_FAILURE() << "no message box appeared; the program is " << run.Describe();
        return {};
    }
    return ReadMessageBox(box);
}
