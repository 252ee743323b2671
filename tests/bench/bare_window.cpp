// The baseline for the figures: a bare Win32 window of the program's size
// and style with one button that shows a task-modal box, and nothing else
// (no pictures, no skin). Esc closes it. Built twice: as it is, and with the
// registry library loaded as the real program must (BARE_LOADS_ADVAPI32).
#include <windows.h>

namespace {

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        MessageBoxA(nullptr, "\xD2\xD1\xB9\xD8\xB1\xD5\xC9\xFD\xBC\xB6\xCC\xE1\xCA\xBE", "Tolvaren",
                    MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BareWindow";
    RegisterClassA(&wc);
#ifdef BARE_LOADS_ADVAPI32
    RegCloseKey(nullptr);  // harmless; it only makes the import real
#endif
    HWND window = CreateWindowExA(0, "BareWindow", "", WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU,
                                  (GetSystemMetrics(SM_CXSCREEN) - 439) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - 324) / 2, 439, 324, nullptr,
                                  nullptr, instance, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 8, 120,
                                  424, 32, window, reinterpret_cast<HMENU>(1), instance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetFocus(button);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            DestroyWindow(window);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
