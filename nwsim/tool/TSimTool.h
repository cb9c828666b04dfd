// The commands of the nwsim console tool: init, delete and salvage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace nwsim
{

// Runs one command line (without the program name). Output goes to out, errors to err. Returns the exit code:
// 0 done, 1 failed, 2 bad usage.
int RunSimTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace nwsim
