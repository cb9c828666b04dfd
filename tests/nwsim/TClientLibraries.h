// The stand-in's client libraries loaded as the program loads them, with typed access to their functions.
#pragma once

#include "DynamicLibrary.h"
#include "NWClientApi.h"

#include <bit>

// The function of that name in the library, or nullptr; the type comes from the client's declaration.
template <typename Fn> Fn ClientFunction(const char* library, const char* name)
{
    return std::bit_cast<Fn>(nw::FindDynamicSymbol(nw::LoadDynamicLibrary(library), name));
}

#define NW_FUNCTION(library, name) ClientFunction<nw::PFN_##name>(library, #name)
