// File helpers of the simulated network.
#include "SimFiles.h"

#include "TAtomicFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <dlfcn.h>
#endif

namespace nwsim
{

std::filesystem::path PathFromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return content.str();
}

bool MoveOverFile(const std::filesystem::path& source, const std::filesystem::path& target)
{
#ifdef _WIN32
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           0;
#else
    return std::rename(source.c_str(), target.c_str()) == 0;
#endif
}

bool WriteFileAtomically(const std::filesystem::path& target, const std::string& content)
{
    try
    {
        TAtomicFile file(target);
        file.Append(content);
        file.Commit();
        return true;
    }
    catch (const TWriteError&)
    {
        return false;
    }
}

void MarkHiddenAndSystem(const std::filesystem::path& folder)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(folder.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
#else
    (void)folder;
#endif
}

std::optional<std::string> EnvironmentValue(const char* name)
{
#ifdef _WIN32
    // The C runtime's copy of the environment misses later SetEnvironmentVariableW calls; ask Windows.
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    wchar_t buffer[32768];
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), buffer, 32768);
    if (length == 0 || length >= 32768)
        return std::nullopt;
    return Utf8FromPath(std::filesystem::path(std::wstring(buffer, length)));
#else
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
#endif
}

std::filesystem::path CoreLibraryFolder()
{
#ifdef _WIN32
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CoreLibraryFolder), &module);
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH * 4);
    return std::filesystem::path(std::wstring(path, length)).parent_path();
#else
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&CoreLibraryFolder), &info) == 0 || info.dli_fname == nullptr)
        return std::filesystem::current_path();
    return std::filesystem::absolute(info.dli_fname).parent_path();
#endif
}

void ReportProblem(const std::string& text)
{
    std::fprintf(stderr, "nwsim: %s\n", text.c_str());
    std::fflush(stderr);
    std::ofstream log(CoreLibraryFolder() / kProblemLogName, std::ios::binary | std::ios::app);
    log << "nwsim: " << text << "\n";
}

std::filesystem::path DefaultWorldFolder()
{
    if (const auto named = EnvironmentValue("NWSIM_WORLD"))
        return PathFromUtf8(*named);
    return CoreLibraryFolder() / "nwsim-world";
}

} // namespace nwsim
