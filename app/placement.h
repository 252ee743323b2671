#pragma once

#include <windows.h>

// Top-left corner that centres an outer size on a screen; integer division
// truncating toward zero, as the window has always been placed.
constexpr POINT CentredOrigin(int screenWidth, int screenHeight, int width, int height)
{
    return POINT{(screenWidth - width) / 2, (screenHeight - height) / 2};
}
