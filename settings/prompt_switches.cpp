#include "settings/prompt_switches.h"

#include <windows.h>

#include "settings/registry_writer.h"

namespace {

// The emulator vendor's update server.
#define UPDATE_HOST "cloud.bluestacks.com"

const char kDriverCheckPath[] =
    "Software\\BlueStacks\\Guests\\Android\\Config\\SkipGraphicsDriverCheck";
const char kManifestPath[] = "SOFTWARE\\BlueStacks\\Updater\\ManifestURL";
const char kManifestUrl[] = "http://" UPDATE_HOST "/updates/manifest_11111111";

const char kCaption[] = "Tolvaren";
// "已关闭升级提示" (the upgrade prompt is switched off)
const char kSwitchedOff[] = "\xD2\xD1\xB9\xD8\xB1\xD5\xC9\xFD\xBC\xB6\xCC\xE1\xCA\xBE";
// "无法写入设置。请以管理员身份运行本程序。"
// (the setting cannot be written; run the program as administrator)
const char kNotWritten[] =
    "\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xC9\xE8\xD6\xC3\xA1\xA3"
    "\xC7\xEB\xD2\xD4\xB9\xDC\xC0\xED\xD4\xB1\xC9\xED\xB7\xDD\xD4\xCB\xD0\xD0\xB1\xBE\xB3\xCC\xD0"
    "\xF2\xA1\xA3";

// Tells the user how the write went. A failed write is never reported as
// done.
void Confirm(bool written)
{
    HWND active = GetActiveWindow();
    MessageBoxA(nullptr, written ? kSwitchedOff : kNotWritten, kCaption,
                MB_OK | MB_TASKMODAL | (written ? MB_ICONINFORMATION : MB_ICONERROR));
    // Windows activates the window again when the box closes; Wine leaves
    // none active. Activation hands the focus back to the button used.
    if (active != nullptr && IsWindow(active) && GetActiveWindow() != active) {
        SetActiveWindow(active);
    }
}

}  // namespace

void OnDriverPromptButtonClick()
{
    Confirm(WriteRegistryValue(HKEY_LOCAL_MACHINE, kDriverCheckPath, RegistryValue::Integer(1)));
}

void OnUpdaterPromptButtonClick()
{
    Confirm(
        WriteRegistryValue(HKEY_LOCAL_MACHINE, kManifestPath, RegistryValue::Text(kManifestUrl)));
}
