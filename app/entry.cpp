#include <windows.h>

#include "app/program.h"

// The command line is not used.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const int code = RunProgram();
    FinishProgram();
    return code;
}
