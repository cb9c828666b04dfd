// The process's start-up state.
#include "ProgramState.h"

TProgramState& Program()
{
    static TProgramState state;
    return state;
}
