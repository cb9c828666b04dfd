// Fresh world folders for tests.
#include "TTestWorld.h"

#include "NWSim.h"
#include "SimFiles.h"
#include "TWorldBuilder.h"

#include <atomic>
#include <fstream>

#ifdef _WIN32
#include <process.h>
#define CurrentProcessId _getpid
#else
#include <unistd.h>
#define CurrentProcessId getpid
#endif

TTestWorld::TTestWorld()
{
    static std::atomic<int> counter{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("retrove-world-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(counter++));
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    std::filesystem::create_directories(folder_);
}

TTestWorld::~TTestWorld()
{
    std::error_code ignored;
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

bool TTestWorld::Load()
{
    return NWSimLoadWorld(nwsim::Utf8FromPath(folder_).c_str()) == 1;
}
