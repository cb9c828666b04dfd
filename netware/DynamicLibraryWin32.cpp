// The library seam on Windows: LoadLibraryA and GetProcAddress.
#include "DynamicLibrary.h"

#include <bit>
#include <windows.h>

namespace nw
{

TLibraryHandle LoadDynamicLibrary(const char* fileName)
{
    return LoadLibraryA(fileName);
}

TProcAddress FindDynamicSymbol(TLibraryHandle library, const char* name)
{
    if (library == nullptr)
        return nullptr;
    return std::bit_cast<TProcAddress>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace nw
