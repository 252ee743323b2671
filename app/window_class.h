#pragma once

#include <windows.h>

// Registers a window class of this module with the arrow pointer and no
// background brush (its windows paint every pixel), unless it already is.
bool RegisterWindowClassOnce(const char* name, WNDPROC procedure);
