// How the client reports errors: passed as its byte value to NWSetNetWareErrorMode.
#pragma once

#include <cstdint>

namespace nw
{

enum class TNWShellErrorMode : uint8_t
{
    nwErrInteractive = 0,
    nwErrNetware = 1,
    nwErrDOS = 2,
};

} // namespace nw
