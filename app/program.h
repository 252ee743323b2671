#pragma once

#include <windows.h>

#include <cstdint>

// The life of the process: RunProgram opens the main window and runs the
// event loop until it is gone; FinishProgram releases what is left.
int RunProgram();
void LoadWindow(std::uint32_t id);
void RunEventLoop();
void FinishProgram();

// Called by a program window once it is finally destroyed: the last one gone
// after the loop has started ends the loop with code 0.
void ForgetProgramWindow(HWND window);

// The program icon, loaded from "DEFAULT_ICON" on first need (32x32 and 16x16).
HICON ProgramIcon(bool large);
