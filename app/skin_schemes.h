#pragma once

#include <windows.h>

// The colours of one scheme of the control skin.
struct SkinScheme {
    COLORREF outline;      // push button outline
    COLORREF fieldBorder;  // edit box and drop-down list border
    COLORREF faceLight;    // bottom of the push button face; the top is near white
};

// The scheme selected by SetControlSkin's number: 1 blue, 2 olive green,
// 3 silver; any other number switches the skin off and gives null.
const SkinScheme* FindSkinScheme(int scheme);
