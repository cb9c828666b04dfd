// The body of an exported client function inside the stand-in's boundary, with the answers it gives when a
// fault is injected or its work fails inside.
#pragma once

#include "SimCodes.h"
#include "TSimControls.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <type_traits>

namespace nwsim
{

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
