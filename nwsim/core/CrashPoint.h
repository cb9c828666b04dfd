// Named points in the stand-in's multi-step changes where a test can make the process die, to prove that a
// crash between two steps leaves a consistent world.
#pragma once

namespace nwsim
{

// The exit code of a process ended at a crash point.
constexpr int kCrashExitCode = 86;

// Arms one point by name; an empty name disarms.
void ArmCrashPoint(const char* name);

// Ends the process at once, without any cleanup, when this point is armed.
void CrashPoint(const char* name);

} // namespace nwsim
