// Starting the real program and watching its windows from outside.
#include "TProgramRun.h"

#include <algorithm>
#include <cwctype>

namespace
{

constexpr DWORD kPollMilliseconds = 20;

// The current environment with NWSIM_WORLD set to the world, or removed when the world is empty, and the
// search folder first on PATH. The block is sorted by name, as CreateProcessW expects.
std::wstring EnvironmentBlock(const TRunOptions& options)
{
    std::vector<std::wstring> entries;
    if (wchar_t* block = GetEnvironmentStringsW())
    {
        for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1)
        {
            std::wstring text(entry);
            std::wstring name = text.substr(0, text.find(L'=', 1));
            std::transform(name.begin(), name.end(), name.begin(), towupper);
            if (name == L"PATH" && !options.searchFolder.empty())
                text = text.substr(0, 5) + options.searchFolder + L";" + text.substr(5);
            if (name != L"NWSIM_WORLD")
                entries.push_back(std::move(text));
        }
        FreeEnvironmentStringsW(block);
    }
    if (!options.world.empty())
        entries.push_back(L"NWSIM_WORLD=" + options.world);
    std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    });
    std::wstring result;
    for (const std::wstring& entry : entries)
        result += entry + L'\0';
    result += L'\0';
    return result;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TitleOf(HWND window)
{
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return title;
}

struct TEnumerated
{
    DWORD processId = 0;
    std::vector<TWindowView>* windows = nullptr;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter)
{
    auto* enumerated = reinterpret_cast<TEnumerated*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == enumerated->processId)
        enumerated->windows->push_back(
            {window, ClassOf(window), TitleOf(window), IsWindowVisible(window) != 0});
    return TRUE;
}

} // namespace

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                        nullptr, nullptr);
    return narrow;
}

std::wstring FileVersionOf(const std::wstring& program)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &handle);
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
        return {};
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionLS));
}

std::wstring BinaryFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring ProgramInBinaryFolder(const wchar_t* name)
{
    return BinaryFolder() + name;
}

TProgramRun::TProgramRun(const TRunOptions& options)
{
    std::wstring commandLine = L"\"" + options.program + L"\"";
    std::wstring environment = EnvironmentBlock(options);
    std::wstring folder = options.workingFolder;
    if (folder.empty())
        folder = options.program.substr(0, options.program.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(options.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), folder.c_str(), &startup, &process))
        return;
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    processId_ = process.dwProcessId;
}

TProgramRun::~TProgramRun()
{
    if (process_ == nullptr)
        return;
    if (Running())
    {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
}

std::vector<TWindowView> TProgramRun::Windows() const
{
    std::vector<TWindowView> windows;
    TEnumerated enumerated{processId_, &windows};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&enumerated));
    return windows;
}

std::string TProgramRun::Describe() const
{
    std::string text = Running() ? "running; windows:" : "ended; windows:";
    for (const TWindowView& window : Windows())
        text += " [" + Utf8(window.windowClass) + " \"" + Utf8(window.title) + "\"" +
                (window.visible ? " visible]" : " hidden]");
    return text;
}

HWND TProgramRun::WaitForWindow(const std::function<bool(const TWindowView&)>& test, DWORD limitMilliseconds,
                                const std::function<void(const TWindowView&)>& watch) const
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        for (const TWindowView& window : Windows())
        {
            if (watch)
                watch(window);
            if (test(window))
                return window.handle;
        }
        if (!Running() || GetTickCount() - start >= limitMilliseconds)
            return nullptr;
        Sleep(kPollMilliseconds);
    }
}

HWND TProgramRun::WaitForVisible(const wchar_t* windowClass, DWORD limitMilliseconds) const
{
    return WaitForWindow(
        [windowClass](const TWindowView& window) {
            return window.visible && window.windowClass == windowClass;
        },
        limitMilliseconds);
}

std::optional<DWORD> TProgramRun::WaitForExit(DWORD limitMilliseconds,
                                              const std::function<void(const TWindowView&)>& watch) const
{
    if (process_ == nullptr)
        return std::nullopt;
    const DWORD start = GetTickCount();
    while (Running())
    {
        if (watch)
            for (const TWindowView& window : Windows())
                watch(window);
        if (GetTickCount() - start >= limitMilliseconds)
            return std::nullopt;
        WaitForSingleObject(process_, kPollMilliseconds);
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool TProgramRun::Running() const
{
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}
