// What every exported client function of the stand-in shares: the export attribute, the call counting and
// fault injection at its entry, and the boundary that no exception crosses.
#pragma once

#include "NWClientApi.h"
#include "SimCodes.h"
#include "TSimControls.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>
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

// What a function answers when its work failed inside: the code, or for the functions that return something
// other than a code, what stands for nothing: no context, no directory server, a swapped value of 0.
template <typename R> R FailedAnswer(std::string_view function, uint32_t code)
{
    if constexpr (std::is_void_v<R>)
        return;
    else if constexpr (std::is_pointer_v<R>)
        return nullptr;
    else
    {
        if (function == "NWDSCreateContext" || function == "NWDSDuplicateContext")
            return static_cast<R>(kDSContextCreation);
        if (function == "NWLongSwap" || function == "NWIsDSServer")
            return 0;
        return static_cast<R>(code);
    }
}

// The body of an exported function, run as `TExportCall<R>(name)->*body`: the call is counted, an injected
// fault answers for it, and nothing thrown inside reaches the caller. A real client never ends the program
// that calls it.
template <typename R> class TExportCall
{
public:
    explicit TExportCall(const char* function) : function_(function) {}

    template <typename Body> R operator->*(Body&& body) const
    {
        return RunInsideBoundary(
            function_,
            [&]() -> R {
                if (const std::optional<TInjectedFault> fault = EnterCall(function_))
                {
                    if (fault->throws)
                        throw std::runtime_error("an exception injected by the test controls");
                    return FaultAnswer<R>(fault->code);
                }
                return body();
            },
            [this](uint32_t code) { return FailedAnswer<R>(function_, code); });
    }

private:
    const char* function_;
};

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
