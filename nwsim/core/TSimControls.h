// Call counting and fault injection at the entry of every client function, and the boundary of every export
// of the stand-in, which no exception crosses.
#pragma once

#include "CodePage.h"
#include "SimCodes.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

namespace nwsim
{

// A fault injected into a call: it answers with the code, or throws inside.
struct TInjectedFault
{
    uint32_t code = 0;
    bool throws = false;
};

// Counts a call of the named function. Returns the fault injected into this call, if one is.
std::optional<TInjectedFault> EnterCall(const char* function);

// Tells nwsim.log (and standard error) why an exported function failed inside.
void ReportFailureInside(const char* function, const char* reason) noexcept;

// Runs the body of an exported function so that nothing thrown inside it reaches the caller: the reason goes
// to nwsim.log and the function answers failed(code), with the completion code that fits the failure.
template <typename Body, typename Failed>
auto RunInsideBoundary(const char* function, Body&& body, Failed&& failed) noexcept -> decltype(body())
{
    try
    {
        return body();
    }
    catch (const TUnrepresentableName& error)
    {
        ReportFailureInside(function, error.what());
        return failed(kInvalidFileName);
    }
    catch (const std::exception& error)
    {
        ReportFailureInside(function, error.what());
    }
    catch (...)
    {
        ReportFailureInside(function, "an exception of an unknown type");
    }
    return failed(kFailure);
}

// Remembers the text argument of a call, for NWSimLastText.
void NoteText(const char* function, const std::string& text);

// Whether the scan call being made (already counted by EnterCall) must repeat its last entry
// (NWSimRepeatScanEntries).
bool ScanRepeatDue();

} // namespace nwsim
