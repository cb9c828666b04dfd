// Call counting and fault injection at the entry of every client function.
#pragma once

#include <cstdint>
#include <optional>

namespace nwsim
{

// Counts a call of the named function. Returns the code to answer with when a fault is injected for this
// call.
std::optional<uint32_t> EnterCall(const char* function);

} // namespace nwsim
