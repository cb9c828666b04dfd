// The server module: deleted-file services and server facts, with the module's completion codes.
#pragma once

#include "TNWErrorCells.h"

#include <string>

namespace nw
{

class TNWServer
{
public:
    static TNWErrorCells& Cells();
    static std::string LastErrorText() { return NWCodeText(Cells().lastError); }
};

} // namespace nw
