#pragma once

#include <windows.h>

#include "app/skin_schemes.h"

// What a push button looks like at one moment.
struct ButtonLook {
    bool pressed;
    bool hot;  // under the mouse
    bool focused;
    bool isDefault;  // BS_DEFPUSHBUTTON
    bool disabled;
    bool hideFocus;     // keyboard cues off: no focus rectangle
    bool hidePrefixes;  // keyboard cues off: no mnemonic underline
};

// Draws a whole skinned push button into rect: outline, shaded face, state
// ring, text in the font selected into hdc, aligned by the button style.
void PaintSkinnedButton(HDC hdc, const RECT& rect, const SkinScheme& scheme, const ButtonLook& look,
                        const char* text, DWORD style);

// Draws the one-pixel border of a skinned edit box or drop-down list over
// the outer edge of rect; a sunken edge inside it is flattened to the window
// colour.
void PaintSkinnedFieldBorder(HDC hdc, const RECT& rect, const SkinScheme& scheme,
                             bool flattenInnerEdge);
