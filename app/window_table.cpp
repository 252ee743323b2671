#include "app/window_table.h"

#include <iterator>

#include "app/control_skin.h"
#include "app/resource_ids.h"
#include "settings/prompt_switches.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kButton =
    kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;

// Creation order; the stacking order is its reverse, and the focus order
// follows creation. The controls touch edge to edge from y 16 to 288.
constexpr ControlDescription kMainWindowControls[] = {
    // 图片框1
    {"\xCD\xBC\xC6\xAC\xBF\xF2\x31", ControlKind::PictureBox, 8, 16, 424, 104, kChild, "",
     IDR_DRIVER_PROMPTS_PICTURE, nullptr},
    // 图片框2
    {"\xCD\xBC\xC6\xAC\xBF\xF2\x32", ControlKind::PictureBox, 8, 152, 424, 104, kChild, "",
     IDR_UPDATER_PROMPT_PICTURE, nullptr},
    // 按钮1: "点击 关闭显卡升级提示"
    {"\xB0\xB4\xC5\xA5\x31", ControlKind::PushButton, 8, 120, 424, 32, kButton,
     "\xB5\xE3\xBB\xF7 \xB9\xD8\xB1\xD5\xCF\xD4\xBF\xA8\xC9\xFD\xBC\xB6\xCC\xE1\xCA\xBE", 0,
     OnDriverPromptButtonClick},
    // 按钮2: "点击 关闭Bluestacks升级提示"
    {"\xB0\xB4\xC5\xA5\x32", ControlKind::PushButton, 0, 256, 432, 32, kButton,
     "\xB5\xE3\xBB\xF7 \xB9\xD8\xB1\xD5\x42luestacks\xC9\xFD\xBC\xB6\xCC\xE1\xCA\xBE", 0,
     OnUpdaterPromptButtonClick},
};

void OnMainWindowCreated()
{
    SetControlSkin(3);
}

constexpr WindowDescription kWindowTable[] = {
    {kMainWindowId, "", WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU, 0, 439, 324, kMainWindowControls,
     std::size(kMainWindowControls), OnMainWindowCreated},
};

static_assert(std::size(kMainWindowControls) <= kMaxControls, "raise kMaxControls");

}  // namespace

const WindowDescription* FindWindowDescription(std::uint32_t id)
{
    for (const WindowDescription& window : kWindowTable) {
        if (window.id == id) {
            return &window;
        }
    }
    return nullptr;
}
