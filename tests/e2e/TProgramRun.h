// One run of the real Retrove98.exe as a separate process, started and watched from outside as a user's
// desktop would: its environment, its top-level windows, its end and its exit code.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TRunOptions
{
    // The program to start.
    std::wstring program;
    // The folder it starts in; the program's own folder when empty.
    std::wstring workingFolder;
    // The stand-in's world (NWSIM_WORLD); the variable is removed when empty.
    std::wstring world;
    // A folder put first on PATH, where the program finds libraries that are not beside it.
    std::wstring searchFolder;
};

// A top-level window of the program as the desktop shows it.
struct TWindowView
{
    HWND handle = nullptr;
    std::wstring windowClass;
    std::wstring title;
    bool visible = false;
};

class TProgramRun
{
public:
    explicit TProgramRun(const TRunOptions& options);
    // A program still running at the end of a case is ended, so that no case leaves one behind.
    ~TProgramRun();

    TProgramRun(const TProgramRun&) = delete;
    TProgramRun& operator=(const TProgramRun&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }

    // The program's top-level windows now.
    std::vector<TWindowView> Windows() const;
    // A short account of those windows, for the message of a failed wait.
    std::string Describe() const;

    // Waits until a top-level window of the program satisfies the test; nullptr when none does in time or
    // the program ended first. Between checks, watch sees every window (to record what appeared).
    HWND WaitForWindow(const std::function<bool(const TWindowView&)>& test, DWORD limitMilliseconds,
                       const std::function<void(const TWindowView&)>& watch = nullptr) const;
    // The visible window of that class, waited for.
    HWND WaitForVisible(const wchar_t* windowClass, DWORD limitMilliseconds) const;

    // The exit code once the program has ended within the limit; nothing when it is still running. Between
    // checks, watch sees every window.
    std::optional<DWORD> WaitForExit(DWORD limitMilliseconds,
                                     const std::function<void(const TWindowView&)>& watch = nullptr) const;
    bool Running() const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Retrove98.exe and the test programs live in one folder.
std::wstring BinaryFolder();
std::wstring ProgramInBinaryFolder(const wchar_t* name);

// The four-part file version of a program, as its version resource gives it; empty when it has none.
std::wstring FileVersionOf(const std::wstring& program);

// UTF-16 to UTF-8 for failure messages.
std::string Utf8(const std::wstring& text);
