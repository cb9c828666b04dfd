// The base of the end-to-end cases: each starts the real program on a fresh world, with the program's
// registry key emptied before and after, and reads what a user would see.
#pragma once

#include "TProgramRun.h"
#include "TRemoteControls.h"
#include "TUserInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

// Where the program keeps its settings below HKEY_CURRENT_USER.
inline constexpr wchar_t kProgramKey[] = L"Software\\Tarvex\\Retrove";

// How long a case waits for what a user would see before it fails with what it saw instead.
inline constexpr DWORD kAppearMilliseconds = 30000;

class TE2ETest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The world folder whose volumes the test runner maps to F: and G:, emptied.
    static std::filesystem::path MappedWorldFolder();
    // Makes the stand-in's demo network in the mapped world folder with the stand-in's own tool.
    static void CreateDemoWorld();
    // Runs the stand-in's tool with the arguments and returns what it printed; fails the case on an error.
    static std::string RunTool(const std::wstring& arguments);

    // Starts Retrove98.exe from the build on the mapped world.
    static TRunOptions OnMappedWorld();

public:
    // A string value of the program's settings, or nothing.
    static std::optional<std::wstring> Setting(const std::wstring& subKey, const std::wstring& name);
    static void ClearSettings();
};

// The visible message box of the run that appears within the limit; a failure naming what was there if none.
TMessageBoxView WaitForMessageBox(const TProgramRun& run, DWORD limitMilliseconds = kAppearMilliseconds);
