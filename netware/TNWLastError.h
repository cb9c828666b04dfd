// A snapshot of the five modules' last errors as hexadecimal text.
#pragma once

#include <string>

namespace nw
{

struct TNWLastError
{
    std::string NWLib;
    std::string NWServer;
    std::string NWProp;
    std::string NWNDS;
    std::string NWPrint;
};

} // namespace nw
