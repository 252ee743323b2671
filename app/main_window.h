#pragma once

#include <windows.h>

#include "app/jpeg_decoder.h"
#include "app/window_table.h"

// What a program window owns besides its handle: its controls and their
// decoded pictures, and the control that had the focus when it was last
// deactivated.
struct WindowState {
    const WindowDescription* description = nullptr;
    HWND controls[kMaxControls] = {};
    Picture pictures[kMaxControls];
    HWND focusWhenDeactivated = nullptr;
};

// Creates the window of a description hidden, centred on the primary screen
// at exactly its outer size, with *state as its own. Null on failure.
HWND CreateProgramWindow(const WindowDescription& description, WindowState* state);

// Creates the controls in table order with the stock GUI font, stacks them
// in reverse, shows them without activation. False when any could not be made.
bool CreateControls(HWND window);

// The window's key table, offered every keyboard message addressed to it or
// to one of its controls before translation. True when consumed.
bool HandleWindowKey(HWND window, const MSG& message);

// The next focus stop after from (or the first, when from is no stop),
// in creation order: from the bottom of the stacking order upward.
HWND NextTabStop(HWND window, HWND from, bool backwards);
