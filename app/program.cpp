#include "app/program.h"

#include "app/main_window.h"
#include "app/owned_handle.h"
#include "app/resource_ids.h"
#include "app/window_table.h"

namespace {

// One program window: the table's only entry.
constexpr std::size_t kMaxProgramWindows = 1;

struct ProgramState {
    bool loopStarted = false;
    HWND windows[kMaxProgramWindows] = {};
    WindowState windowStates[kMaxProgramWindows];
    bool iconLoaded = false;
    OwnedIcon largeIcon;
    OwnedIcon smallIcon;
};
ProgramState program;

bool AnyProgramWindow()
{
    for (HWND window : program.windows) {
        if (window != nullptr && IsWindow(window)) {
            return true;
        }
    }
    return false;
}

HICON LoadProgramIcon(int size)
{
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), PROGRAM_ICON_NAME, IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}

[[noreturn]] void FailToStart(HWND partial)
{
    if (partial != nullptr) {
        DestroyWindow(partial);
    }
    // "无法创建程序窗口。" (the program window cannot be created)
    MessageBoxA(nullptr, "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xB3\xCC\xD0\xF2\xB4\xB0\xBF\xDA\xA1\xA3",
                "Tolvaren", MB_OK | MB_ICONERROR);
    FinishProgram();
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace

HICON ProgramIcon(bool large)
{
    if (!program.iconLoaded) {
        program.iconLoaded = true;
        program.largeIcon.Reset(LoadProgramIcon(32));
        program.smallIcon.Reset(LoadProgramIcon(16));
    }
    return large ? program.largeIcon.Get() : program.smallIcon.Get();
}

void LoadWindow(std::uint32_t id)
{
    const WindowDescription* description = FindWindowDescription(id);
    std::size_t slot = 0;
    while (slot < kMaxProgramWindows && program.windows[slot] != nullptr) {
        ++slot;
    }
    if (description == nullptr || slot == kMaxProgramWindows) {
        FailToStart(nullptr);
    }
    HWND window = CreateProgramWindow(*description, &program.windowStates[slot]);
    if (window == nullptr) {
        FailToStart(nullptr);
    }
    program.windows[slot] = window;
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(true)));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(false)));
    if (!CreateControls(window)) {
        FailToStart(window);
    }
    if (description->onCreated != nullptr) {
        description->onCreated();
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

void RunEventLoop()
{
    program.loopStarted = true;
    if (!AnyProgramWindow()) {
        return;
    }
    MSG message;
    // -1 is an error (a bad argument, never seen with these); it ends the
    // loop rather than spinning on it.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        bool consumed = false;
        for (HWND window : program.windows) {
            if (window != nullptr && window == root) {
                consumed = HandleWindowKey(window, message);
            }
        }
        if (!consumed) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void ForgetProgramWindow(HWND window)
{
    for (HWND& slot : program.windows) {
        if (slot == window) {
            slot = nullptr;
        }
    }
    if (program.loopStarted && !AnyProgramWindow()) {
        PostQuitMessage(0);
    }
}

void FinishProgram()
{
    program.largeIcon.Reset();
    program.smallIcon.Reset();
}

int RunProgram()
{
    LoadWindow(kMainWindowId);
    RunEventLoop();
    return 0;
}
