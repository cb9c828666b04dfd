// The simulated network that the client functions answer from.
#pragma once

#include "TSimNetwork.h"

namespace nwsim
{

inline TSimNetwork& Net()
{
    return TSimNetwork::Instance();
}

} // namespace nwsim
