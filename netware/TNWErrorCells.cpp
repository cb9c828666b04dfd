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

} // namespace nw
