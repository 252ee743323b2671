#include "app/window_class.h"

bool RegisterWindowClassOnce(const char* name, WNDPROC procedure)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, name, &existing)) {
        return true;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}
