// Entry-point slots: each client function is looked up by name in its library on first use.
#pragma once

#include "DynamicLibrary.h"
#include "NWClientApi.h"

#include <bit>
#include <cstdint>

namespace nw
{

enum class TNWClientLibrary : uint8_t
{
    Calls,     // CALWIN32.DLL
    Client,    // CLXWIN32.DLL
    Directory, // NETWIN32.DLL
    Locale,    // LOCWIN32.DLL
};

const char* ClientLibraryFileName(TNWClientLibrary library);

// The process-wide handle of a client library: nullptr until its module loads it.
TLibraryHandle& ClientLibraryHandle(TNWClientLibrary library);

// One process-wide slot per client function. A slot stays empty while the function is missing, so the lookup
// is tried again on the next use.
template <typename Fn> class TNWEntryPoint
{
public:
    constexpr TNWEntryPoint(const char* name, TNWClientLibrary library) : name_(name), library_(library) {}

    // The bound function, looked up in its own library when the slot is empty; nullptr when missing.
    Fn Bind() { return BindFrom(library_); }

    // As Bind, but an empty slot is filled from another library.
    Fn BindFrom(TNWClientLibrary library)
    {
        if (function_ == nullptr)
            function_ = LookUpIn(library);
        return function_;
    }

    // A fresh lookup in the function's own library that leaves the slot alone.
    Fn LookUp() const { return LookUpIn(library_); }

    const char* Name() const { return name_; }

private:
    Fn LookUpIn(TNWClientLibrary library) const
    {
        return std::bit_cast<Fn>(FindDynamicSymbol(ClientLibraryHandle(library), name_));
    }

    const char* name_;
    TNWClientLibrary library_;
    Fn function_ = nullptr;
};

// The slots, one per entry point of the four libraries: nw::api::NWCallsInit and so on.
namespace api
{
#define NW_CALLS_SLOT(name, ret, params)                                                                     \
    inline TNWEntryPoint<PFN_##name> name{#name, TNWClientLibrary::Calls};
#define NW_CLIENT_SLOT(name, ret, params)                                                                    \
    inline TNWEntryPoint<PFN_##name> name{#name, TNWClientLibrary::Client};
#define NW_DIRECTORY_SLOT(name, ret, params)                                                                 \
    inline TNWEntryPoint<PFN_##name> name{#name, TNWClientLibrary::Directory};
#define NW_LOCALE_SLOT(name, ret, params)                                                                    \
    inline TNWEntryPoint<PFN_##name> name{#name, TNWClientLibrary::Locale};
NW_CALWIN32_API(NW_CALLS_SLOT)
NW_CLXWIN32_API(NW_CLIENT_SLOT)
NW_NETWIN32_API(NW_DIRECTORY_SLOT)
NW_LOCWIN32_API(NW_LOCALE_SLOT)
#undef NW_CALLS_SLOT
#undef NW_CLIENT_SLOT
#undef NW_DIRECTORY_SLOT
#undef NW_LOCALE_SLOT
} // namespace api

} // namespace nw
