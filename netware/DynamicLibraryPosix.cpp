// The library seam of the native test build: dlopen and dlsym, looking in the executable's folder first as
// Windows does.
#include "DynamicLibrary.h"

#include <bit>
#include <climits>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace nw
{
namespace
{

std::string ExecutableFolder()
{
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return {};
    std::string folder(path, static_cast<size_t>(length));
    return folder.substr(0, folder.rfind('/') + 1);
}

} // namespace

TLibraryHandle LoadDynamicLibrary(const char* fileName)
{
    if (std::strchr(fileName, '/') == nullptr)
    {
        const std::string besideProgram = ExecutableFolder() + fileName;
        if (access(besideProgram.c_str(), F_OK) == 0)
            return dlopen(besideProgram.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
}

TProcAddress FindDynamicSymbol(TLibraryHandle library, const char* name)
{
    if (library == nullptr)
        return nullptr;
    return std::bit_cast<TProcAddress>(dlsym(library, name));
}

} // namespace nw
