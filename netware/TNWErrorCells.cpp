// Text form of the modules' completion codes.
#include "TNWErrorCells.h"

#include <cstdio>

namespace nw
{

std::string NWCodeText(uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%04X", static_cast<unsigned>(code));
    return text;
}

std::string HexWithoutLeadingZeros(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(value));
    std::string hex = text;
    while (hex.size() > 1 && hex.front() == '0')
        hex.erase(hex.begin());
    return hex;
}

} // namespace nw
