// Runs the program with a hook that refuses to create its main window, and
// reports the error box it shows before it ends.
#include <windows.h>

#include <cstdio>

#include "app/program.h"

namespace {

HHOOK hook = nullptr;
bool reported = false;

void ReportBox(HWND box)
{
    char caption[64] = {};
    char text[128] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    int buttons = 0;
    bool icon = false;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Button") == 0 && (GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE) != 0) {
            ++buttons;
        }
        if (lstrcmpiA(cls, "Static") == 0 &&
            (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            (GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE) != 0) {
            icon = true;
        }
    }
    std::printf("box caption=%s text=", caption);
    for (const char* p = text; *p != '\0'; ++p) {
        std::printf("%02X", static_cast<unsigned char>(*p));
    }
    std::printf(" owner=%s icon=%s buttons=%d\n", GetWindow(box, GW_OWNER) ? "some" : "none",
                icon ? "yes" : "no", buttons);
    std::fflush(stdout);
}

LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char cls[32] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (lstrcmpA(cls, "WTWindow") == 0) {
            return 1;
        }
    }
    if (code == HCBT_ACTIVATE && !reported) {
        reported = true;
        ReportBox(reinterpret_cast<HWND>(wParam));
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

int main()
{
    hook = SetWindowsHookExA(WH_CBT, RefuseMainWindow, nullptr, GetCurrentThreadId());
    const int code = RunProgram();
    FinishProgram();
    std::printf("RunProgram returned %d\n", code);
    return code;
}
