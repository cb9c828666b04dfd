// The native test programs link with --wrap=dlopen and --wrap=dlsym, so that the access layer's loader calls
// pass through here. A library or function that the stand-in's controls set missing is then not found, as the
// Windows stand-in achieves by refusing to load or by hiding the export.
#include "NWSim.h"

#include <cstring>
#include <dlfcn.h>
#include <link.h>

extern "C" void* __real_dlopen(const char* file, int mode);
extern "C" void* __real_dlsym(void* handle, const char* name);

namespace
{

const char* BaseName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

} // namespace

extern "C" void* __wrap_dlopen(const char* file, int mode)
{
    if (file != nullptr && NWSimIsLibraryMissing(BaseName(file)) != 0)
    {
        // Counts the refused attempt, as a refusing library does on Windows.
        NWSimAttachLibrary(BaseName(file), nullptr);
        return nullptr;
    }
    return __real_dlopen(file, mode);
}

extern "C" void* __wrap_dlsym(void* handle, const char* name)
{
    link_map* map = nullptr;
    if (handle != nullptr && dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr &&
        map->l_name != nullptr && NWSimIsFunctionMissing(BaseName(map->l_name), name) != 0)
        return nullptr;
    return __real_dlsym(handle, name);
}
