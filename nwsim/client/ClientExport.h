// What every exported client function of the stand-in shares: the export attribute, the call counting and
// fault injection at its entry, and the answer it gives for a request it does not know.
#pragma once

#include "NWClientApi.h"
#include "SimCodes.h"
#include "TSimControls.h"

#include <cstdint>
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

// What a function returns when a fault is injected: the code itself, or nothing for a function that returns
// no code.
template <typename R> R FaultAnswer(uint32_t code)
{
    if constexpr (std::is_void_v<R>)
        return;
    else if constexpr (std::is_pointer_v<R>)
        return nullptr;
    else
        return static_cast<R>(code);
}

} // namespace nwsim

// Declares every function of a library as exported, so that a definition whose parameters differ from the
// program's declaration fails to compile.
#define NWSIM_DECLARE_EXPORT(name, ret, params) NWSIM_EXPORT ret NWAPI name params;
#define NWSIM_CHECK_EXPORT(name, ret, params)                                                                \
    static_assert(std::is_same_v<decltype(&name), nw::PFN_##name>, #name " differs from the program's "      \
                                                                         "type");

// Counts the call and answers with an injected fault when one is due.
#define NWSIM_ENTER(name)                                                                                    \
    if (const auto injected_ = ::nwsim::EnterCall(#name))                                                    \
    return ::nwsim::FaultAnswer<::nwsim::returns::name>(*injected_)
