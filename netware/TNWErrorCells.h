// The last-error and last-result cells that each access-layer module keeps, and their text form.
#pragma once

#include <cstdint>
#include <string>

namespace nw
{

// Code recorded when a client library could not be loaded.
constexpr uint32_t kNWLibraryNotLoaded = 0xFFFF;
// Code recorded when no client function answered a request.
constexpr uint32_t kNWNoAnswer = 0xFFFFFFFF;

struct TNWErrorCells
{
    uint32_t lastError = 0;  // last failing code; a success never clears it
    uint32_t lastResult = 0; // code of the most recent call, failed or not

    // Stores the code as the last result and, when it is a failure, as the last error. Returns the code.
    uint32_t Record(uint32_t code)
    {
        lastResult = code;
        if (code != 0)
            lastError = code;
        return code;
    }
};

// Upper-case hexadecimal without leading zeros: 0x123 gives 123, 0 gives 0.
std::string HexWithoutLeadingZeros(uint32_t value);

// A completion code as upper-case hexadecimal with at least four digits: 0000, FFFF, 8801, FFFFFDA7.
std::string NWCodeText(uint32_t code);

} // namespace nw
