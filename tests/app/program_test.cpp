#include "app/program.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/window_table.h"

namespace {

HWND FindMainWindow()
{
    return FindWindowExA(nullptr, nullptr, "WTWindow", nullptr);
}

bool QuitPosted(WPARAM* code)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            *code = message.wParam;
            return true;
        }
        DispatchMessageA(&message);
    }
    return false;
}

SIZE BitmapSize(HBITMAP bitmap, int* bitsPerPixel)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    *bitsPerPixel = info.bmBitsPixel;
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

TEST(ProgramIcon, ComesFromDefaultIconAtBothSizes)
{
    const struct {
        bool large;
        int size;
    } cases[] = {{true, 32}, {false, 16}};
    for (const auto& c : cases) {
        HICON icon = ProgramIcon(c.large);
        ASSERT_NE(nullptr, icon) << c.size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        int bits = 0;
        const SIZE size = BitmapSize(info.hbmColor, &bits);
        EXPECT_EQ(c.size, size.cx);
        EXPECT_EQ(c.size, size.cy);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    EXPECT_EQ(ProgramIcon(true), ProgramIcon(true)) << "loaded once, shared";
}

// One test, since the quit rule depends on whether the loop has started,
// which happens once per process.
TEST(LoadWindow, BuildsTheMainWindowAndEndsTheLoopOnlyOnceItRuns)
{
    LoadWindow(kMainWindowId);
    HWND window = FindMainWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(reinterpret_cast<LRESULT>(ProgramIcon(true)),
              SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(ProgramIcon(false)),
              SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    const LRESULT guiFont = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    int buttons = 0;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Button") == 0) {
            EXPECT_EQ(guiFont, SendMessageA(c, WM_GETFONT, 0, 0)) << "button " << buttons;
            ++buttons;
        }
    }
    EXPECT_EQ(2, buttons);

    // Before the loop has started, the last window gone posts no quit.
    DestroyWindow(window);
    WPARAM code = 99;
    EXPECT_FALSE(QuitPosted(&code));

    // With no window, the loop returns at once (and is now started).
    RunEventLoop();

    LoadWindow(kMainWindowId);
    window = FindMainWindow();
    ASSERT_NE(nullptr, window);
    SendMessageA(window, WM_CLOSE, 0, 0);  // no question is asked
    EXPECT_FALSE(IsWindow(window));
    ASSERT_TRUE(QuitPosted(&code));
    EXPECT_EQ(0u, code);
}

TEST(LoadWindow, ReportsAWindowThatCannotBeCreatedAndExitsWithMinusOne)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string child = path;
    child = child.substr(0, child.find_last_of('\\') + 1) + "load_failure_child.exe";

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(child.c_str(), nullptr, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &process))
        << child;
    CloseHandle(writeEnd);
    std::string report;
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        report.append(buffer, got);
    }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 20000));
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);

    EXPECT_EQ(0xFFFFFFFFu, exitCode);
    // caption, text (GBK), owner, icon, buttons
    EXPECT_EQ(
        "box caption=Tolvaren text=CEDEB7A8B4B4BDA8B3CCD0F2B4B0BFDAA1A3 owner=none icon=yes "
        "buttons=1\r\n",
        report);
}
