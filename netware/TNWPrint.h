// The print module: it has no operations here, so its last error stays 0.
#pragma once

#include "TNWErrorCells.h"

#include <string>

namespace nw
{

class TNWPrint
{
public:
    static std::string LastErrorText() { return NWCodeText(0); }
};

} // namespace nw
