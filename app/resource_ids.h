#pragma once

// Shared by the resource script and the code.
#define IDR_DRIVER_PROMPTS_PICTURE 101
#define IDR_UPDATER_PROMPT_PICTURE 102
#define PROGRAM_ICON_NAME "DEFAULT_ICON"

#define TOLVAREN_VERSION_NUMBERS 1, 0, 0, 0
#define TOLVAREN_VERSION_TEXT "1.0.0.0"
