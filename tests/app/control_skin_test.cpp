#include "app/control_skin.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "app/skin_schemes.h"

namespace {

constexpr COLORREF kSilverOutline = RGB(0x00, 0x3C, 0x74);
constexpr COLORREF kSilverLight = RGB(0xC6, 0xC5, 0xD7);
constexpr COLORREF kOliveOutline = RGB(0x37, 0x62, 0x06);

// The client area of a control as the control draws it (WM_PRINTCLIENT).
class Rendered {
public:
    explicit Rendered(HWND control)
    {
        RECT rect;
        GetClientRect(control, &rect);
        width_ = rect.right;
        height_ = rect.bottom;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(pixels, pixels + width_ * height_);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const
    {
        const std::uint32_t p = pixels_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

int Distance(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) +
           abs(GetBValue(a) - GetBValue(b));
}

int clicks = 0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        ++clicks;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class ControlSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SkinTestParent";
        RegisterClassA(&wc);
        parent_ = CreateWindowExA(0, "SkinTestParent", "skin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                  20, 400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, parent_);
        // Keyboard cues on, so that focus is drawn wherever it is.
        SendMessageA(parent_, WM_CHANGEUISTATE,
                     MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    }
    void TearDown() override
    {
        SetControlSkin(0);
        DestroyWindow(parent_);
    }
    HWND Child(const char* cls, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0)
    {
        return CreateWindowExA(exStyle, cls, "OK", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                               parent_, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    }
    HWND parent_ = nullptr;
};

void ExpectSkinned(const Rendered& r, COLORREF outline, const char* what)
{
    const int mid = r.Width() / 2;
    EXPECT_EQ(outline, r.At(mid, 0)) << what << ": top outline";
    EXPECT_EQ(outline, r.At(mid, r.Height() - 1)) << what << ": bottom outline";
    EXPECT_EQ(outline, r.At(0, r.Height() / 2)) << what << ": left outline";
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), r.At(0, 0)) << what << ": rounded corner";
}

}  // namespace

TEST(SkinSchemes, NumbersOneToThreeSelectASchemeAndAllOthersSwitchOff)
{
    const struct {
        int number;
        bool on;
        COLORREF outline, fieldBorder;
    } cases[] = {
        {1, true, RGB(0x00, 0x3C, 0x73), RGB(0x7B, 0x9E, 0xBD)},
        {2, true, RGB(0x37, 0x62, 0x06), RGB(0xA4, 0xB9, 0x7F)},
        {3, true, kSilverOutline, kSilverLight},
        {0, false, 0, 0},
        {-1, false, 0, 0},
        {4, false, 0, 0},
        {INT_MIN, false, 0, 0},
        {INT_MAX, false, 0, 0},
    };
    for (const auto& c : cases) {
        const SkinScheme* scheme = FindSkinScheme(c.number);
        ASSERT_EQ(c.on, scheme != nullptr) << c.number;
        if (scheme != nullptr) {
            EXPECT_EQ(c.outline, scheme->outline) << c.number;
            EXPECT_EQ(c.fieldBorder, scheme->fieldBorder) << c.number;
        }
        EXPECT_EQ(c.on ? 1 : 0, SetControlSkin(c.number)) << c.number;
    }
    EXPECT_EQ(kSilverLight, FindSkinScheme(3)->faceLight);
}

TEST_F(ControlSkinTest, SkinsPushButtonsPresentAndCreatedLaterInTheScheme)
{
    HWND before = Child("BUTTON", BS_PUSHBUTTON, 10, 10, 200, 32);
    ASSERT_EQ(1, SetControlSkin(3));
    HWND after = Child("BUTTON", BS_PUSHBUTTON | BS_MULTILINE, 10, 50, 200, 32);

    for (HWND button : {before, after}) {
        const Rendered r(button);
        ExpectSkinned(r, kSilverOutline, button == before ? "present" : "created later");
        // Face shaded from near white at the top to the silver at the bottom.
        EXPECT_LE(Distance(RGB(0xFF, 0xFF, 0xFF), r.At(5, 3)), 24);
        EXPECT_LE(Distance(kSilverLight, r.At(5, r.Height() - 2)), 12);
    }
}

TEST_F(ControlSkinTest, ReplacesTheSchemeAndSwitchesOffAgain)
{
    HWND button = Child("BUTTON", BS_PUSHBUTTON, 10, 10, 200, 32);
    SetControlSkin(2);
    ExpectSkinned(Rendered(button), kOliveOutline, "olive");
    SetControlSkin(3);
    ExpectSkinned(Rendered(button), kSilverOutline, "silver after olive");
    SetControlSkin(0);
    const Rendered plain(button);
    EXPECT_NE(kSilverOutline, plain.At(plain.Width() / 2, 0));
    EXPECT_NE(GetSysColor(COLOR_BTNFACE), plain.At(0, 0)) << "the classic frame is square";
}

TEST_F(ControlSkinTest, LeavesOtherButtonKindsToTheirOwnLook)
{
    SetControlSkin(3);
    HWND check = Child("BUTTON", BS_AUTOCHECKBOX, 10, 10, 200, 32);
    const Rendered r(check);
    EXPECT_NE(kSilverOutline, r.At(r.Width() / 2, 0));
    for (std::uint32_t p : r.Pixels()) {
        ASSERT_NE(0x003C74u, p & 0xFFFFFF) << "no silver outline anywhere on a check box";
    }
}

TEST_F(ControlSkinTest, DrawsEveryButtonStateDifferently)
{
    SetControlSkin(3);
    HWND button = Child("BUTTON", BS_PUSHBUTTON, 10, 10, 200, 32);
    HWND other = Child("BUTTON", BS_PUSHBUTTON, 10, 50, 200, 32);
    SetFocus(other);
    std::vector<std::uint32_t> normal = Rendered(button).Pixels();

    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    std::vector<std::uint32_t> hot = Rendered(button).Pixels();
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(normal, Rendered(button).Pixels()) << "leaving ends the hot look";

    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    std::vector<std::uint32_t> pressed = Rendered(button).Pixels();
    SendMessageA(button, BM_SETSTATE, FALSE, 0);

    SetFocus(button);
    ASSERT_EQ(button, GetFocus());
    std::vector<std::uint32_t> focused = Rendered(button).Pixels();
    SetFocus(other);

    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    std::vector<std::uint32_t> isDefault = Rendered(button).Pixels();
    SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);

    EnableWindow(button, FALSE);
    std::vector<std::uint32_t> disabled = Rendered(button).Pixels();

    const std::set<std::vector<std::uint32_t>> looks = {normal,  hot,       pressed,
                                                        focused, isDefault, disabled};
    EXPECT_EQ(6u, looks.size()) << "normal, hot, pressed, focused, default and disabled all differ";
}

TEST_F(ControlSkinTest, KeepsTheButtonsBehaviourAndNotifications)
{
    SetControlSkin(3);
    HWND button = Child("BUTTON", BS_PUSHBUTTON, 10, 10, 200, 32);
    clicks = 0;
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(1, clicks);
    SetWindowTextA(button, "\xC8\xB7\xB6\xA8");  // "确定"
    char text[16] = {};
    GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ("\xC8\xB7\xB6\xA8", text);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(ControlSkinTest, GivesEditBoxesAndDropDownListsTheSchemeBorder)
{
    SetControlSkin(3);
    HWND edit = Child("EDIT", 0, 10, 10, 200, 24, WS_EX_CLIENTEDGE);
    HWND list = Child("COMBOBOX", CBS_DROPDOWNLIST, 10, 50, 200, 120);
    UpdateWindow(parent_);
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);

    HDC editDc = GetWindowDC(edit);
    EXPECT_EQ(kSilverLight, GetPixel(editDc, 30, 0));
    EXPECT_EQ(kSilverLight, GetPixel(editDc, 0, 10));
    ReleaseDC(edit, editDc);
    HDC listDc = GetDC(list);
    EXPECT_EQ(kSilverLight, GetPixel(listDc, 30, 0));
    ReleaseDC(list, listDc);
}

namespace {

struct BoxSeen {
    bool found = false;
    COLORREF outline = 0;
};
BoxSeen boxSeen;
HHOOK boxWatch = nullptr;

LRESULT CALLBACK InspectBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        HWND ok = FindWindowExA(box, nullptr, "Button", nullptr);
        if (ok != nullptr) {
            const Rendered r(ok);
            boxSeen.found = true;
            boxSeen.outline = r.At(r.Width() / 2, 0);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(boxWatch, code, wParam, lParam);
}

}  // namespace

TEST_F(ControlSkinTest, SkinsTheOkButtonOfAMessageBox)
{
    SetControlSkin(3);
    boxSeen = BoxSeen();
    boxWatch = SetWindowsHookExA(WH_CBT, InspectBox, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, boxWatch);
    MessageBoxA(nullptr, "skinned?", "Tolvaren", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    UnhookWindowsHookEx(boxWatch);
    ASSERT_TRUE(boxSeen.found);
    EXPECT_EQ(kSilverOutline, boxSeen.outline);
}
