// Looks at the running program from outside, as a user's tools would, and
// prints what it sees as JSON. Texts are printed as hex of their ANSI bytes.
//   probe window            the main window, its controls, focus
//   probe boxes             the message boxes of the program's process
//   probe reg get|delete|lock|unlock VIEW PATH [NAME]   below HKLM, VIEW 32 or 64
#include <windows.h>
#include <sddl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string Hex(const char* text)
{
    std::string out;
    char byte[3];
    for (const char* p = text; *p != '\0'; ++p) {
        std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(*p));
        out += byte;
    }
    return out;
}

std::string TextOf(HWND hwnd)
{
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return Hex(text);
}

std::string ClassOf(HWND hwnd)
{
    char name[128] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string Rect(const RECT& r)
{
    char out[64];
    std::snprintf(out, sizeof out, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return out;
}

std::string Handle(HWND hwnd)
{
    char out[24];
    std::snprintf(out, sizeof out, "\"%p\"", static_cast<void*>(hwnd));
    return out;
}

HWND MainWindow()
{
    return FindWindowA("WTWindow", nullptr);
}

int Window()
{
    HWND main = MainWindow();
    if (main == nullptr) {
        std::printf("{\"found\":false}\n");
        return 0;
    }
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(main, &pid);
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(tid, &gui);
    RECT rect;
    GetWindowRect(main, &rect);
    RECT client;
    GetClientRect(main, &client);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The close box: the rightmost caption point that hit-tests as HTCLOSE.
    POINT closeBox = {-1, -1};
    const LONG captionY = rect.top + (client.top - rect.top) / 2;
    for (LONG x = rect.right - 1; x > rect.left; --x) {
        if (SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(x, captionY)) == HTCLOSE) {
            closeBox = {x - 6, captionY};
            break;
        }
    }
    std::printf(
        "{\"found\":true,\"handle\":%s,\"pid\":%lu,\"class\":\"%s\",\"caption\":\"%s\","
        "\"style\":%ld,\"exstyle\":%ld,\"enabled\":%d,\"visible\":%d,\"rect\":%s,"
        "\"client\":%s,\"closebox\":[%ld,%ld],\"btnface\":[%d,%d,%d],\"active\":%s,\"focus\":%s,"
        "\"controls\":[",
        Handle(main).c_str(), pid, ClassOf(main).c_str(), TextOf(main).c_str(),
        GetWindowLongA(main, GWL_STYLE), GetWindowLongA(main, GWL_EXSTYLE),
        IsWindowEnabled(main) ? 1 : 0, IsWindowVisible(main) ? 1 : 0, Rect(rect).c_str(),
        Rect(client).c_str(), closeBox.x, closeBox.y, GetRValue(GetSysColor(COLOR_BTNFACE)),
        GetGValue(GetSysColor(COLOR_BTNFACE)), GetBValue(GetSysColor(COLOR_BTNFACE)),
        Handle(gui.hwndActive).c_str(), Handle(gui.hwndFocus).c_str());
    const char* separator = "";
    for (HWND c = GetWindow(main, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        std::printf(
            "%s{\"handle\":%s,\"class\":\"%s\",\"text\":\"%s\",\"style\":%ld,"
            "\"exstyle\":%ld,\"rect\":%s}",
            separator, Handle(c).c_str(), ClassOf(c).c_str(), TextOf(c).c_str(),
            GetWindowLongA(c, GWL_STYLE), GetWindowLongA(c, GWL_EXSTYLE), Rect(r).c_str());
        separator = ",";
    }
    std::printf("]}\n");
    return 0;
}

struct BoxSearch {
    DWORD pid;
    const char* separator;
};

BOOL CALLBACK PrintBox(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || ClassOf(hwnd) != "#32770" || !IsWindowVisible(hwnd)) {
        return TRUE;
    }
    char text[512] = {};
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    bool icon = false;
    std::string buttons;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) {
            continue;
        }
        const LONG style = GetWindowLongA(c, GWL_STYLE);
        if (ClassOf(c) == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            icon = true;
        }
        if (ClassOf(c) == "Button") {
            RECT r;
            GetWindowRect(c, &r);
            buttons += std::string(buttons.empty() ? "" : ",") + "{\"text\":\"" + TextOf(c) +
                       "\",\"rect\":" + Rect(r) + "}";
        }
    }
    std::printf(
        "%s{\"handle\":%s,\"caption\":\"%s\",\"text\":\"%s\",\"owner\":%s,\"icon\":%s,"
        "\"rect\":%s,\"buttons\":[%s]}",
        search->separator, Handle(hwnd).c_str(), TextOf(hwnd).c_str(), Hex(text).c_str(),
        Handle(GetWindow(hwnd, GW_OWNER)).c_str(), icon ? "true" : "false", Rect(rect).c_str(),
        buttons.c_str());
    search->separator = ",";
    return TRUE;
}

int Boxes()
{
    HWND main = MainWindow();
    BoxSearch search = {0, ""};
    if (main != nullptr) {
        GetWindowThreadProcessId(main, &search.pid);
    }
    std::printf("[");
    if (main != nullptr) {
        EnumWindows(PrintBox, reinterpret_cast<LPARAM>(&search));
    }
    std::printf("]\n");
    return 0;
}

REGSAM View(const char* view)
{
    return std::strcmp(view, "64") == 0 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

int Registry(int argc, char** argv)
{
    if (argc < 5) {
        return 2;
    }
    const std::string verb = argv[2];
    const REGSAM view = View(argv[3]);
    const char* path = argv[4];
    HKEY key = nullptr;
    if (verb == "get" && argc >= 6) {
        LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key);
        DWORD type = 0;
        BYTE data[1024];
        DWORD size = sizeof data;
        if (result == ERROR_SUCCESS) {
            result = RegQueryValueExA(key, argv[5], nullptr, &type, data, &size);
            RegCloseKey(key);
        }
        std::string hex;
        char byte[3];
        for (DWORD i = 0; result == ERROR_SUCCESS && i < size; ++i) {
            std::snprintf(byte, sizeof byte, "%02X", data[i]);
            hex += byte;
        }
        std::printf("{\"result\":%ld,\"type\":%lu,\"data\":\"%s\"}\n", result, type, hex.c_str());
        return 0;
    }
    if (verb == "delete") {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, view, 0);  // a leaf; a tree below:
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS | view, &key) ==
            ERROR_SUCCESS) {
            RegDeleteTreeA(key, nullptr);
            RegCloseKey(key);
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, view, 0);
        }
        return 0;
    }
    if (verb == "lock" || verb == "unlock") {
        // Read-only for everyone, or full access again.
        const char* sddl = verb == "lock" ? "D:P(A;;KR;;;WD)" : "D:(A;;KA;;;WD)";
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, WRITE_DAC | view, nullptr,
                            &key, nullptr) != ERROR_SUCCESS) {
            return 1;
        }
        PSECURITY_DESCRIPTOR sd = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr);
        const LONG result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
        LocalFree(sd);
        RegCloseKey(key);
        return result == ERROR_SUCCESS ? 0 : 1;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "window") {
        return Window();
    }
    if (command == "boxes") {
        return Boxes();
    }
    if (command == "reg") {
        return Registry(argc, argv);
    }
    std::fprintf(stderr, "usage: probe window|boxes|reg ...\n");
    return 2;
}
