// Call counting and fault injection at the entry of every client function.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nwsim
{

// Counts a call of the named function. Returns the code to answer with when a fault is injected for this
// call.
std::optional<uint32_t> EnterCall(const char* function);

// Remembers the text argument of a call, for NWSimLastText.
void NoteText(const char* function, const std::string& text);

// Whether the scan call being made (already counted by EnterCall) must repeat its last entry
// (NWSimRepeatScanEntries).
bool ScanRepeatDue();

} // namespace nwsim
