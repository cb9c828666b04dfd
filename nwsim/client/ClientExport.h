// What every exported client function of the stand-in shares: the export attribute, the call counting and
// fault injection at its entry, and the boundary that no exception crosses.
#pragma once

#include "NWClientApi.h"
#include "SimCodes.h"
#include "TExportCall.h"
#include "TSimControls.h"

#include <type_traits>

#if defined(_WIN32)
#define NWSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define NWSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace nwsim
{

// The return type of each client function: nwsim::returns::NWCallsInit and so on.
namespace returns
{
#define NWSIM_RETURN_TYPE(name, ret, params) using name = ret;
NW_CALWIN32_API(NWSIM_RETURN_TYPE)
NW_CLXWIN32_API(NWSIM_RETURN_TYPE)
NW_NETWIN32_API(NWSIM_RETURN_TYPE)
NW_LOCWIN32_API(NWSIM_RETURN_TYPE)
#undef NWSIM_RETURN_TYPE
} // namespace returns
} // namespace nwsim

// Declares every function of a library as exported, so that a definition whose parameters differ from the
// program's declaration fails to compile.
#define NWSIM_DECLARE_EXPORT(name, ret, params) NWSIM_EXPORT ret NWAPI name params;
#define NWSIM_CHECK_EXPORT(name, ret, params)                                                                \
    static_assert(std::is_same_v<decltype(&name), nw::PFN_##name>, #name " differs from the program's "      \
                                                                         "type");

// Opens the body of an exported function, which follows as a lambda's block and a semicolon:
//     NWSIM_ENTER(NWCallsInit) { ...; return 0; };
#define NWSIM_ENTER(name)                                                                                    \
    return ::nwsim::TExportCall<::nwsim::returns::name>(#name)->*[&]() -> ::nwsim::returns::name
