// The nwsim console tool's entry point.
#include "TSimTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return nwsim::RunSimTool(arguments, std::cout, std::cerr);
}
