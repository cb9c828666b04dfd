// Fresh world folders for tests.
#include "TTestWorld.h"

#include "NWSim.h"
#include "SimFiles.h"
#include "TWorldBuilder.h"

#include <atomic>
#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <cstdlib>
#include <unistd.h>
#endif

namespace
{

// Names this run of the test program. A death test's child process inherits it, so that it builds its world
// in the folder its parent then inspects.
const std::string& RunTag()
{
    static const std::string tag = [] {
        if (const char* inherited = std::getenv("RETROVE_TEST_RUN");
            inherited != nullptr && *inherited != '\0')
            return std::string(inherited);
#ifdef _WIN32
        const std::string own = std::to_string(_getpid());
        SetEnvironmentVariableA("RETROVE_TEST_RUN", own.c_str());
#else
        const std::string own = std::to_string(getpid());
        setenv("RETROVE_TEST_RUN", own.c_str(), 1);
#endif
        return own;
    }();
    return tag;
}

} // namespace

TTestWorld::TTestWorld()
{
    static std::atomic<int> counter{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("retrove-world-" + RunTag() + "-" + std::to_string(counter++));
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    std::filesystem::create_directories(folder_);
}

TTestWorld::TTestWorld(std::filesystem::path folder) : folder_(std::move(folder))
{
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    std::filesystem::create_directories(folder_);
}

TTestWorld::~TTestWorld()
{
    // Recovered read-only files would stop Windows from removing the folder.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder_, ignored);
}

void TTestWorld::CreatePlain()
{
    nwsim::CreateWorld(folder_, false);
}

void TTestWorld::WriteWorldJson(const std::string& text)
{
    std::ofstream(folder_ / "world.json", std::ios::binary) << text;
}

void TTestWorld::EditWorldJson(const std::string& from, const std::string& to)
{
    std::string text = nwsim::ReadWholeFile(folder_ / "world.json").value_or("");
    const size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::runtime_error("world.json holds no " + from);
    text.replace(at, from.size(), to);
    WriteWorldJson(text);
}

std::filesystem::path TTestWorld::FilesFolder(const std::string& server, const std::string& volume) const
{
    return folder_ / "volumes" / server / volume / "files";
}

std::filesystem::path TTestWorld::SalvageFolder(const std::string& server, const std::string& volume) const
{
    return folder_ / "volumes" / server / volume / "salvage";
}

uint32_t TTestWorld::AddDeleted(const std::string& server, const std::string& volume,
                                const std::string& folder, const std::string& name,
                                const std::string& content, nwsim::TDeletedFile entry)
{
    std::filesystem::create_directories(FilesFolder(server, volume) / nwsim::PathFromUtf8(folder));
    nwsim::TSalvageStore store(SalvageFolder(server, volume));
    store.Load();
    entry.folder = folder;
    entry.name = name;
    if (entry.deleted.IsNever())
        entry.deleted = nwsim::TSimTime{2026, 11, 30, 9, 15, 20};
    const uint32_t id = store.Add(entry, content).id;
    store.Save();
    return id;
}

bool TTestWorld::Load()
{
    return NWSimLoadWorld(nwsim::Utf8FromPath(folder_).c_str()) == 1;
}
