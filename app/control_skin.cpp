#include "app/control_skin.h"

#include "app/owned_handle.h"
#include "app/skin_painter.h"
#include "app/skin_schemes.h"

namespace {

struct ControlSkin {
    const SkinScheme* scheme = nullptr;
    OwnedHook creationWatch;
};
ControlSkin skin;

// Per control: the window procedure we replaced, and the mouse state that
// the button itself does not keep.
const char kOriginalProcProp[] = "TolvarenSkinProc";
const char kMouseProp[] = "TolvarenSkinMouse";
constexpr UINT_PTR kHot = 1;
constexpr UINT_PTR kTracking = 2;

enum class Kind { None, Button, Edit, ComboBox };

Kind KindOf(HWND hwnd)
{
    char name[16];
    if (GetClassNameA(hwnd, name, sizeof name) == 0) {
        return Kind::None;
    }
    if (lstrcmpiA(name, "Button") == 0) {
        return Kind::Button;
    }
    if (lstrcmpiA(name, "Edit") == 0) {
        return Kind::Edit;
    }
    if (lstrcmpiA(name, "ComboBox") == 0) {
        return Kind::ComboBox;
    }
    return Kind::None;
}

bool IsPushButton(HWND hwnd)
{
    const LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

UINT_PTR MouseState(HWND hwnd)
{
    return reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kMouseProp));
}

void SetMouseState(HWND hwnd, UINT_PTR state)
{
    SetPropA(hwnd, kMouseProp, reinterpret_cast<HANDLE>(state));
}

void PaintButton(HWND hwnd, HDC hdc)
{
    RECT rect;
    GetClientRect(hwnd, &rect);
    char text[256];
    GetWindowTextA(hwnd, text, sizeof text);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const LRESULT state = SendMessageA(hwnd, BM_GETSTATE, 0, 0);
    const LRESULT cues = SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0);
    ButtonLook look = {};
    look.pressed = (state & BST_PUSHED) != 0;
    look.hot = (MouseState(hwnd) & kHot) != 0;
    look.focused = GetFocus() == hwnd;
    look.isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    look.disabled = !IsWindowEnabled(hwnd);
    look.hideFocus = (cues & UISF_HIDEFOCUS) != 0;
    look.hidePrefixes = (cues & UISF_HIDEACCEL) != 0;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    SelectedObject selected(hdc, font);
    PaintSkinnedButton(hdc, rect, *skin.scheme, look, text, style);
}

void RedrawButtonNow(HWND hwnd)
{
    if (!IsWindowVisible(hwnd)) {
        return;
    }
    WindowDC dc(hwnd);
    if (dc.Get() != nullptr) {
        PaintButton(hwnd, dc.Get());
    }
}

void PaintFieldBorder(HWND hwnd, Kind kind)
{
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    if (kind == Kind::Edit) {
        // An edit box draws its border in the non-client area.
        const bool sunken = (exStyle & WS_EX_CLIENTEDGE) != 0;
        if (!sunken && (style & WS_BORDER) == 0) {
            return;
        }
        RECT rect;
        GetWindowRect(hwnd, &rect);
        OffsetRect(&rect, -rect.left, -rect.top);
        HDC hdc = GetWindowDC(hwnd);
        if (hdc != nullptr) {
            PaintSkinnedFieldBorder(hdc, rect, *skin.scheme, sunken);
            ReleaseDC(hwnd, hdc);
        }
        return;
    }
    const LONG type = style & 3;  // CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST
    if (type == CBS_DROPDOWN || type == CBS_DROPDOWNLIST) {
        // A combo box draws its sunken edge inside its client area.
        RECT rect;
        GetClientRect(hwnd, &rect);
        WindowDC dc(hwnd);
        if (dc.Get() != nullptr) {
            PaintSkinnedFieldBorder(dc.Get(), rect, *skin.scheme, true);
        }
    }
}

// The standard procedures draw some state changes at once, outside
// WM_PAINT; these messages are followed by our own drawing.
bool ButtonDrawsOnItsOwn(UINT message)
{
    switch (message) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case BM_CLICK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
        return true;
    default:
        return false;
    }
}

bool FieldDrawsBorder(UINT message)
{
    switch (message) {
    case WM_NCPAINT:
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return true;
    default:
        return false;
    }
}

LRESULT SkinButton(WNDPROC original, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        if (hdc != nullptr) {
            PaintButton(hwnd, hdc);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintButton(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        if ((MouseState(hwnd) & kHot) == 0) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
            SetMouseState(hwnd, TrackMouseEvent(&track) ? kHot | kTracking : kHot);
            const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
            RedrawButtonNow(hwnd);
            return result;
        }
        break;
    case WM_MOUSELEAVE: {
        SetMouseState(hwnd, 0);
        const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
        RedrawButtonNow(hwnd);
        return result;
    }
    default:
        if (ButtonDrawsOnItsOwn(message)) {
            const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
            RedrawButtonNow(hwnd);
            return result;
        }
        break;
    }
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SkinnedControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOriginalProcProp));
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kOriginalProcProp);
        RemovePropA(hwnd, kMouseProp);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    if (skin.scheme == nullptr) {
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    const Kind kind = KindOf(hwnd);
    if (kind == Kind::Button) {
        if (!IsPushButton(hwnd)) {
            return CallWindowProcA(original, hwnd, message, wParam, lParam);
        }
        return SkinButton(original, hwnd, message, wParam, lParam);
    }
    const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
    if (FieldDrawsBorder(message)) {
        PaintFieldBorder(hwnd, kind);
    }
    return result;
}

// Subclasses a covered control once; later calls leave it as it is.
void Attach(HWND hwnd)
{
    if (KindOf(hwnd) == Kind::None || GetPropA(hwnd, kOriginalProcProp) != nullptr) {
        return;
    }
    const LONG_PTR original = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (original == 0 || !SetPropA(hwnd, kOriginalProcProp, reinterpret_cast<HANDLE>(original))) {
        return;
    }
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinnedControlProc));
}

void Redraw(HWND hwnd)
{
    if (GetPropA(hwnd, kOriginalProcProp) != nullptr) {
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
}

BOOL CALLBACK VisitChild(HWND hwnd, LPARAM attach)
{
    if (attach != 0) {
        Attach(hwnd);
    }
    Redraw(hwnd);
    return TRUE;
}

BOOL CALLBACK VisitTopLevel(HWND hwnd, LPARAM attach)
{
    VisitChild(hwnd, attach);
    EnumChildWindows(hwnd, VisitChild, attach);
    return TRUE;
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    // The window exists but has had no message yet: the moment to subclass.
    if (code == HCBT_CREATEWND) {
        Attach(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int SetControlSkin(int scheme)
{
    skin.scheme = FindSkinScheme(scheme);
    const bool on = skin.scheme != nullptr;
    if (!on) {
        skin.creationWatch.Reset();
    } else if (!skin.creationWatch) {
        skin.creationWatch.Reset(
            SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId()));
    }
    EnumThreadWindows(GetCurrentThreadId(), VisitTopLevel, on ? 1 : 0);
    return on && skin.creationWatch ? 1 : 0;
}
