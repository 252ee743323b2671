#pragma once

// The click handlers of the two buttons: each writes one emulator setting
// below HKEY_LOCAL_MACHINE, then says so in a task-modal box.
void OnDriverPromptButtonClick();
void OnUpdaterPromptButtonClick();
