// The nwsim console tool's entry point: its arguments go to the commands in UTF-8, whatever the code pages.
#include "TSimTool.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>

namespace
{

std::string Utf8(const wchar_t* text)
{
    const int length = static_cast<int>(wcslen(text));
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

} // namespace

// The wide command line holds every name as typed; the ANSI one would lose what its code page cannot spell.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(Utf8(argv[i]));
    // The tool writes UTF-8: a console shows it as such for the run, a pipe takes the bytes as they are.
    const UINT consoleCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    const int exitCode = nwsim::RunSimTool(arguments, std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    SetConsoleOutputCP(consoleCodePage);
    return exitCode;
}
#else
int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return nwsim::RunSimTool(arguments, std::cout, std::cerr);
}
#endif
