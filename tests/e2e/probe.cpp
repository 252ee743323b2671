// Looks at the running program from outside, as a user's tools would, and
// prints what it sees as JSON. Texts are printed as hex of their ANSI bytes.
//   probe window            the main window, its controls, focus
//   probe boxes             the message boxes of the program's process
//   probe reg get|delete|lock|unlock VIEW PATH [NAME]   below HKLM, VIEW 32 or 64
//   probe keys              the registry keys the program holds open
//   probe endsession        the main window's answer to WM_QUERYENDSESSION
//   probe soak N            N clicks alternating the two buttons, each box
//                           closed again, with the process's objects counted
//                           before and after
#include <windows.h>
#include <sddl.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

struct TopLevelSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    TopLevelSearch search = {pid, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The message boxes open in a process, top first.
std::vector<HWND> MessageBoxes(DWORD pid)
{
    std::vector<HWND> boxes;
    for (HWND hwnd : TopLevelWindows(pid)) {
        if (ClassOf(hwnd) == "#32770" && IsWindowVisible(hwnd)) {
            boxes.push_back(hwnd);
        }
    }
    return boxes;
}

void PrintBox(HWND hwnd, const char* separator)
{
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
        separator, Handle(hwnd).c_str(), TextOf(hwnd).c_str(), Hex(text).c_str(),
        Handle(GetWindow(hwnd, GW_OWNER)).c_str(), icon ? "true" : "false", Rect(rect).c_str(),
        buttons.c_str());
}

int Boxes()
{
    HWND main = MainWindow();
    DWORD pid = 0;
    if (main != nullptr) {
        GetWindowThreadProcessId(main, &pid);
    }
    std::printf("[");
    const char* separator = "";
    for (HWND box : main != nullptr ? MessageBoxes(pid) : std::vector<HWND>()) {
        PrintBox(box, separator);
        separator = ",";
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

// --- Counting a process's objects under Wine -------------------------------

// SystemHandleInformation (16): every kernel handle of every process.
struct HandleEntry {
    USHORT ownerPid;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

struct HandleCounts {
    long all = 0;
    long keys = 0;
    std::vector<std::string> keyNames;  // what each key handle names
};

// The full name of a registry key handle of another process.
std::string KeyName(HANDLE process, USHORT handle)
{
    HANDLE copy = nullptr;
    if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(handle)),
                         GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        return "?";
    }
    std::vector<BYTE> buffer(4096);
    ULONG got = 0;
    std::string name = "?";
    if (NtQueryObject(copy, static_cast<OBJECT_INFORMATION_CLASS>(1), buffer.data(),
                      static_cast<ULONG>(buffer.size()), &got) == 0) {
        const auto* text = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
        char narrow[1024] = {};
        WideCharToMultiByte(CP_UTF8, 0, text->Buffer, text->Length / 2, narrow, sizeof narrow - 1,
                            nullptr, nullptr);
        name = narrow;
    }
    CloseHandle(copy);
    return name;
}

HandleCounts KernelHandles(DWORD pid, HANDLE process)
{
    // The type number of a registry key: that of a key opened here.
    HKEY probeKey = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &probeKey);
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    while (NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                    static_cast<ULONG>(buffer.size()), &needed) != 0) {
        buffer.resize(buffer.size() * 2);
    }
    const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
    int keyType = -1;
    for (ULONG i = 0; i < count; ++i) {
        if (entries[i].ownerPid == GetCurrentProcessId() &&
            entries[i].handle == static_cast<USHORT>(reinterpret_cast<ULONG_PTR>(probeKey))) {
            keyType = entries[i].objectType;
        }
    }
    RegCloseKey(probeKey);
    HandleCounts counts;
    for (ULONG i = 0; i < count; ++i) {
        if (entries[i].ownerPid == pid) {
            ++counts.all;
            if (entries[i].objectType == keyType) {
                ++counts.keys;
                counts.keyNames.push_back(KeyName(process, entries[i].handle));
            }
        }
    }
    return counts;
}

// GDI objects: Wine keeps them in a per-process table that a 32-bit process
// in a 64-bit prefix finds through its 64-bit TEB and PEB (GetGuiResources
// says 0 there). An entry is 24 bytes; a used one has a type at byte 14.
long GdiObjects(HANDLE process, HANDLE thread)
{
    struct {
        LONG exitStatus;
        PVOID teb;
        CLIENT_ID clientId;
        ULONG_PTR affinity;
        LONG priority;
        LONG basePriority;
    } info = {};
    if (NtQueryInformationThread(thread, static_cast<THREADINFOCLASS>(0), &info, sizeof info,
                                 nullptr) != 0) {
        return -1;
    }
    SIZE_T got = 0;
    ULONG teb64 = 0;  // TEB.GdiBatchCount holds the 64-bit TEB
    std::uint64_t peb64 = 0;
    std::uint64_t table = 0;
    ReadProcessMemory(process, static_cast<BYTE*>(info.teb) + 0xF70, &teb64, 4, &got);
    if (teb64 == 0 ||
        !ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<ULONG_PTR>(teb64) + 0x60),
                           &peb64, 8, &got) ||
        !ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<ULONG_PTR>(peb64) + 0xF8),
                           &table, 8, &got) ||
        table == 0) {
        return -1;
    }
    std::vector<BYTE> entries(0x10000 * 24);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<ULONG_PTR>(table)),
                           entries.data(), entries.size(), &got)) {
        return -1;
    }
    long used = 0;
    for (std::size_t i = 0; i < 0x10000; ++i) {
        used += entries[i * 24 + 14] != 0 ? 1 : 0;
    }
    return used;
}

// USER objects that could pile up here: the process's windows, top-level
// and child.
BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

long Windows(DWORD pid)
{
    long count = 0;
    for (HWND hwnd : TopLevelWindows(pid)) {
        ++count;
        EnumChildWindows(hwnd, CountChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

// --- Driving the program ----------------------------------------------------

void ClickAt(POINT at)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = at.x * 65535 / (width - 1);
        input.mi.dy = at.y * 65535 / (height - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof inputs[0]);
}

POINT Centre(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND OpenBox(DWORD pid)
{
    const std::vector<HWND> boxes = MessageBoxes(pid);
    return boxes.empty() ? nullptr : boxes.front();
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

int Soak(int clicks)
{
    HWND main = MainWindow();
    if (main == nullptr) {
        std::printf("{\"found\":false}\n");
        return 1;
    }
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(main, &pid);
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE, FALSE, pid);
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, tid);
    HWND buttons[2] = {};
    for (HWND c = GetWindow(main, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassOf(c) == "Button") {
            buttons[buttons[1] == nullptr ? 1 : 0] = c;  // stacked 按钮2 above 按钮1
        }
    }
    int boxes = 0;
    int okClicksAgain = 0;
    DWORD slowestReplyMs = 0;
    auto cycle = [&](int i, bool clickDisabledWindow) {
        ClickAt(Centre(buttons[i % 2]));
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = OpenBox(pid)) != nullptr; }, 10000)) {
            std::fprintf(stderr, "click %d: no box\n", i);
            return false;
        }
        ++boxes;
        if (clickDisabledWindow) {
            WaitUntil([&] { return !IsWindowEnabled(main) && GetForegroundWindow() == box; }, 2000);
            // Windows beeps at a click on a window a box has disabled; Wine
            // opens its sound settings the first time.
            ClickAt(Centre(buttons[(i + 1) % 2]));
            Sleep(300);
        }
        HWND ok = FindWindowExA(box, nullptr, "Button", nullptr);
        // As a person would: click OK once the box is up and in front.
        WaitUntil([&] { return IsWindowVisible(ok) && GetForegroundWindow() == box; }, 2000);
        Sleep(60);  // a person needs longer still to find the button
        ClickAt(Centre(ok));
        if (!WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(main); }, 3000)) {
            ++okClicksAgain;  // the click went before the box took input
            ClickAt(Centre(ok));
            if (!WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(main); }, 10000)) {
                std::fprintf(stderr, "click %d: the box stays open\n", i);
                return false;
            }
        }
        // Responsive: the window answers a message straight away.
        const DWORD start = GetTickCount();
        DWORD_PTR reply = 0;
        if (!SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &reply)) {
            return false;
        }
        slowestReplyMs = std::max<DWORD>(slowestReplyMs, GetTickCount() - start);
        Sleep(40);  // a person's next click comes later still
        return true;
    };
    // A few clicks of each first: what Windows loads once (box resources,
    // the registry's cached root keys, the sound settings) is not a leak.
    bool ok = cycle(0, true) && cycle(1, true);
    for (int i = 0; ok && i < 8; ++i) {
        ok = cycle(i, false);
    }
    Sleep(1000);
    const HandleCounts handlesBefore = KernelHandles(pid, process);
    const long gdiBefore = GdiObjects(process, thread);
    const long windowsBefore = Windows(pid);
    const DWORD start = GetTickCount();
    for (int i = 0; ok && i < clicks; ++i) {
        ok = cycle(i, false);
    }
    const DWORD elapsed = GetTickCount() - start;
    Sleep(1000);
    const HandleCounts handlesAfter = KernelHandles(pid, process);
    // Key handles open now that were not before, by name, for the report.
    std::vector<std::string> before = handlesBefore.keyNames;
    std::string newKeys;
    for (const std::string& name : handlesAfter.keyNames) {
        auto same = std::find(before.begin(), before.end(), name);
        if (same != before.end()) {
            before.erase(same);
            continue;
        }
        newKeys += newKeys.empty() ? "\"" : ",\"";
        for (char c : name) {
            newKeys += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
        }
        newKeys += "\"";
    }
    std::printf(
        "{\"completed\":%s,\"boxes\":%d,\"ms\":%lu,\"slowest_reply_ms\":%lu,"
        "\"handles\":[%ld,%ld],\"keys\":[%ld,%ld],\"gdi\":[%ld,%ld],"
        "\"windows\":[%ld,%ld],\"ok_clicked_again\":%d,\"new_keys\":[%s]}\n",
        ok ? "true" : "false", boxes - 10, elapsed, slowestReplyMs, handlesBefore.all,
        handlesAfter.all, handlesBefore.keys, handlesAfter.keys, gdiBefore,
        GdiObjects(process, thread), windowsBefore, Windows(pid), okClicksAgain, newKeys.c_str());
    CloseHandle(thread);
    CloseHandle(process);
    return ok ? 0 : 1;
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
    if (command == "keys") {
        // The names of the registry key handles the program holds.
        DWORD pid = 0;
        GetWindowThreadProcessId(MainWindow(), &pid);
        HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid);
        for (const std::string& name : KernelHandles(pid, process).keyNames) {
            std::printf("%s\n", name.c_str());
        }
        CloseHandle(process);
        return 0;
    }
    if (command == "endsession") {
        // What the window answers when Windows asks whether it may log off.
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                            SMTO_ABORTIFHUNG, 5000, &answer);
        std::printf("{\"answer\":%lu}\n", static_cast<unsigned long>(answer));
        return 0;
    }
    if (command == "soak" && argc > 2) {
        return Soak(std::atoi(argv[2]));
    }
    std::fprintf(stderr, "usage: probe window|boxes|reg ...\n");
    return 2;
}
