// The program's entry point. It takes no arguments.
#include "TRetroveProgram.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    TRetroveProgram program;
    return program.Execute();
}
