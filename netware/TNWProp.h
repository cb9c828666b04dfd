// The property module: it has no operations here, so its last error stays 0.
#pragma once

#include "TNWErrorCells.h"

#include <string>

namespace nw
{

class TNWProp
{
public:
    static std::string LastErrorText() { return NWCodeText(0); }
};

} // namespace nw
