#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

enum class ControlKind { PictureBox, PushButton };

// One control of a window, in creation order.
struct ControlDescription {
    const char* name;  // the control's name in the description (GBK)
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    DWORD style;       // without WS_VISIBLE: controls are shown after creation
    const char* text;  // GBK
    int picture;       // resource id of the picture, or 0
    void (*onClick)();
};

struct WindowDescription {
    std::uint32_t id;
    const char* caption;
    DWORD style;  // without WS_VISIBLE: the window is shown when complete
    DWORD exStyle;
    int width;  // outer size, frame and title bar included
    int height;
    const ControlDescription* controls;
    std::size_t controlCount;
    void (*onCreated)();
};

constexpr std::uint32_t kMainWindowId = 0x52010001;
constexpr std::size_t kMaxControls = 4;

// The program's window table; null when no entry has this identifier.
const WindowDescription* FindWindowDescription(std::uint32_t id);
