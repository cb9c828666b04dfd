// Crash points of the stand-in.
#include "CrashPoint.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace nwsim
{
namespace
{

std::string& ArmedPoint()
{
    static std::string armed;
    return armed;
}

} // namespace

void ArmCrashPoint(const char* name)
{
    ArmedPoint() = name != nullptr ? name : "";
}

void CrashPoint(const char* name)
{
    if (!ArmedPoint().empty() && ArmedPoint() == name)
    {
        std::fflush(nullptr);
        std::_Exit(kCrashExitCode);
    }
}

} // namespace nwsim
