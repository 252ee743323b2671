#include "app/main_window.h"

#include "app/picture_box.h"
#include "app/placement.h"
#include "app/program.h"
#include "app/window_class.h"

namespace {

const char kWindowClass[] = "WTWindow";

WindowState* StateOf(HWND window)
{
    return reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void PaintContent(HDC hdc, const RECT& area)
{
    FillRect(hdc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

void OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(window, &ps);
    if (hdc != nullptr) {
        PaintContent(hdc, ps.rcPaint);
    }
    EndPaint(window, &ps);
}

void OnCommand(HWND window, WPARAM wParam)
{
    const WindowState* state = StateOf(window);
    const UINT index = LOWORD(wParam) - 1u;
    if (HIWORD(wParam) != BN_CLICKED || state == nullptr ||
        index >= state->description->controlCount) {
        return;
    }
    if (auto onClick = state->description->controls[index].onClick) {
        onClick();
    }
}

void OnActivate(HWND window, WPARAM wParam)
{
    WindowState* state = StateOf(window);
    HWND focus = GetFocus();
    if (LOWORD(wParam) == WA_INACTIVE && state != nullptr && focus != nullptr &&
        IsChild(window, focus)) {
        state->focusWhenDeactivated = focus;
    }
}

void OnSetFocus(HWND window)
{
    const WindowState* state = StateOf(window);
    HWND target = state != nullptr ? state->focusWhenDeactivated : nullptr;
    if (target == nullptr || !IsWindow(target) || !IsChild(window, target)) {
        target = NextTabStop(window, nullptr, false);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

void OnNcDestroy(HWND window)
{
    if (WindowState* state = StateOf(window)) {
        *state = WindowState();
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

LRESULT CALLBACK ProgramWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam);
        return 0;
    case WM_ACTIVATE:
        OnActivate(window, wParam);
        break;
    case WM_SETFOCUS:
        OnSetFocus(window);
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        OnNcDestroy(window);
        ForgetProgramWindow(window);
        return result;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool IsTabStop(HWND control)
{
    return IsWindowVisible(control) && IsWindowEnabled(control) &&
           (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

}  // namespace

HWND CreateProgramWindow(const WindowDescription& description, WindowState* state)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClassOnce(kWindowClass, ProgramWindowProc)) {
        return nullptr;
    }
    *state = WindowState();
    state->description = &description;
    const POINT at = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                   description.width, description.height);
    HWND window = CreateWindowExA(description.exStyle, kWindowClass, description.caption,
                                  description.style, at.x, at.y, description.width,
                                  description.height, nullptr, nullptr, instance, state);
    if (window == nullptr) {
        return nullptr;
    }
    // Some window managers adjust the size on creation; the outer size is fixed.
    RECT rect;
    if (GetWindowRect(window, &rect) && (rect.right - rect.left != description.width ||
                                         rect.bottom - rect.top != description.height)) {
        MoveWindow(window, at.x, at.y, description.width, description.height, TRUE);
    }
    return window;
}

bool CreateControls(HWND window)
{
    WindowState* state = StateOf(window);
    const WindowDescription& description = *state->description;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    for (std::size_t i = 0; i < description.controlCount; ++i) {
        const ControlDescription& c = description.controls[i];
        const int id = static_cast<int>(i) + 1;
        HWND control = nullptr;
        if (c.kind == ControlKind::PictureBox) {
            control = CreatePictureBox(window, id, c.left, c.top, c.width, c.height, c.style,
                                       c.picture, &state->pictures[i]);
        } else {
            control = CreateWindowExA(
                0, "BUTTON", c.text, c.style, c.left, c.top, c.width, c.height, window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        }
        if (control == nullptr) {
            return false;
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        state->controls[i] = control;
    }
    // Each raised to the top in creation order: the last created ends on top.
    for (std::size_t i = 0; i < description.controlCount; ++i) {
        SetWindowPos(state->controls[i], HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < description.controlCount; ++i) {
        ShowWindow(state->controls[i], SW_SHOWNA);
    }
    return true;
}

HWND NextTabStop(HWND window, HWND from, bool backwards)
{
    HWND stops[kMaxControls];
    std::size_t count = 0;
    HWND child = GetWindow(window, GW_CHILD);
    for (child = child != nullptr ? GetWindow(child, GW_HWNDLAST) : nullptr;
         child != nullptr && count < kMaxControls; child = GetWindow(child, GW_HWNDPREV)) {
        if (IsTabStop(child)) {
            stops[count++] = child;
        }
    }
    if (count == 0) {
        return nullptr;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (stops[i] == from) {
            return stops[backwards ? (i + count - 1) % count : (i + 1) % count];
        }
    }
    return stops[backwards ? count - 1 : 0];
}

bool HandleWindowKey(HWND window, const MSG& message)
{
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    switch (message.wParam) {
    case VK_TAB:
        if (HWND next = NextTabStop(window, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
            SetFocus(next);
        }
        return true;
    case VK_ESCAPE:
        SendMessageA(window, WM_CLOSE, 0, 0);
        return true;
    case VK_RETURN:  // no default button
    case VK_F1:      // no help file
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}
