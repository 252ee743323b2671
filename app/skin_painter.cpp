#include "app/skin_painter.h"

namespace {

// The disabled look is the same in every scheme, as in XP.
constexpr COLORREF kDisabledOutline = RGB(0xC9, 0xC7, 0xBA);
constexpr COLORREF kDisabledFace = RGB(0xF5, 0xF4, 0xEA);
constexpr COLORREF kDisabledText = RGB(0xA1, 0x9C, 0x8F);
constexpr COLORREF kFaceTop = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kHotLight = RGB(0xFF, 0xE7, 0xA2);
constexpr COLORREF kHotDark = RGB(0xF8, 0xB3, 0x30);
constexpr COLORREF kFocusLight = RGB(0xCE, 0xE7, 0xFF);
constexpr COLORREF kFocusDark = RGB(0x69, 0x82, 0xEE);

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps)
{
    if (steps <= 0) {
        return from;
    }
    auto mix = [&](int a, int b) { return a + (b - a) * step / steps; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

COLORREF Darker(COLORREF colour)
{
    return RGB(GetRValue(colour) * 7 / 8, GetGValue(colour) * 7 / 8, GetBValue(colour) * 7 / 8);
}

// Solid fills through the DC brush: nothing is created, nothing can leak.
void Fill(HDC hdc, int left, int top, int right, int bottom, COLORREF colour)
{
    if (right <= left || bottom <= top) {
        return;
    }
    const RECT rect = {left, top, right, bottom};
    SetDCBrushColor(hdc, colour);
    FillRect(hdc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A one-pixel ring at inset, light on the top and left, dark on the others.
void Ring(HDC hdc, const RECT& r, int inset, COLORREF light, COLORREF dark)
{
    const int left = r.left + inset;
    const int top = r.top + inset;
    const int right = r.right - inset;
    const int bottom = r.bottom - inset;
    Fill(hdc, left + 1, top, right - 1, top + 1, light);
    Fill(hdc, left, top + 1, left + 1, bottom - 1, light);
    Fill(hdc, left + 1, bottom - 1, right - 1, bottom, dark);
    Fill(hdc, right - 1, top + 1, right, bottom - 1, dark);
}

void PaintFace(HDC hdc, const RECT& r, const SkinScheme& scheme, const ButtonLook& look)
{
    const int top = r.top + 1;
    const int bottom = r.bottom - 1;
    if (look.disabled) {
        Fill(hdc, r.left + 1, top, r.right - 1, bottom, kDisabledFace);
        return;
    }
    // Pressed turns the shading over and deepens it.
    const COLORREF from = look.pressed ? Darker(scheme.faceLight) : kFaceTop;
    const COLORREF to = look.pressed ? kFaceTop : scheme.faceLight;
    const int steps = bottom - top - 1;
    for (int y = top; y < bottom; ++y) {
        Fill(hdc, r.left + 1, y, r.right - 1, y + 1, Blend(from, to, y - top, steps));
    }
}

void PaintOutline(HDC hdc, const RECT& r, COLORREF outline, COLORREF face)
{
    // Rounded by one pixel: the corners are left to the background and the
    // pixels just inside them are half outline, half face.
    Fill(hdc, r.left + 1, r.top, r.right - 1, r.top + 1, outline);
    Fill(hdc, r.left + 1, r.bottom - 1, r.right - 1, r.bottom, outline);
    Fill(hdc, r.left, r.top + 1, r.left + 1, r.bottom - 1, outline);
    Fill(hdc, r.right - 1, r.top + 1, r.right, r.bottom - 1, outline);
    const COLORREF corner = Blend(outline, face, 1, 2);
    Fill(hdc, r.left + 1, r.top + 1, r.left + 2, r.top + 2, corner);
    Fill(hdc, r.right - 2, r.top + 1, r.right - 1, r.top + 2, corner);
    Fill(hdc, r.left + 1, r.bottom - 2, r.left + 2, r.bottom - 1, corner);
    Fill(hdc, r.right - 2, r.bottom - 2, r.right - 1, r.bottom - 1, corner);
}

void PaintText(HDC hdc, const RECT& r, const ButtonLook& look, const char* text, DWORD style)
{
    RECT area = {r.left + 4, r.top + 3, r.right - 4, r.bottom - 3};
    if (look.pressed) {
        OffsetRect(&area, 1, 1);
    }
    UINT format = look.hidePrefixes ? DT_HIDEPREFIX : 0;
    switch (style & BS_CENTER) {
    case BS_LEFT:
        format |= DT_LEFT;
        break;
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    default:
        format |= DT_CENTER;
        break;
    }
    if ((style & BS_MULTILINE) != 0) {
        // Wrapped only where wider than the button; the block is placed
        // vertically by hand since DT_VCENTER needs a single line.
        format |= DT_WORDBREAK;
        RECT measured = area;
        DrawTextA(hdc, text, -1, &measured, format | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        switch (style & BS_VCENTER) {
        case BS_TOP:
            break;
        case BS_BOTTOM:
            area.top = area.bottom - height;
            break;
        default:
            area.top += (area.bottom - area.top - height) / 2;
            break;
        }
    } else {
        format |= DT_SINGLELINE;
        switch (style & BS_VCENTER) {
        case BS_TOP:
            format |= DT_TOP;
            break;
        case BS_BOTTOM:
            format |= DT_BOTTOM;
            break;
        default:
            format |= DT_VCENTER;
            break;
        }
    }
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, look.disabled ? kDisabledText : GetSysColor(COLOR_BTNTEXT));
    DrawTextA(hdc, text, -1, &area, format);
}

}  // namespace

void PaintSkinnedButton(HDC hdc, const RECT& rect, const SkinScheme& scheme, const ButtonLook& look,
                        const char* text, DWORD style)
{
    // The corners show what lies behind a round-cornered button.
    Fill(hdc, rect.left, rect.top, rect.right, rect.bottom, GetSysColor(COLOR_BTNFACE));
    PaintFace(hdc, rect, scheme, look);
    if (look.disabled) {
        PaintOutline(hdc, rect, kDisabledOutline, kDisabledFace);
    } else {
        PaintOutline(hdc, rect, scheme.outline, scheme.faceLight);
        if (look.hot && !look.pressed) {
            Ring(hdc, rect, 1, kHotLight, kHotDark);
            Ring(hdc, rect, 2, kHotLight, kHotDark);
        } else if ((look.focused || look.isDefault) && !look.pressed) {
            Ring(hdc, rect, 1, kFocusLight, kFocusDark);
            Ring(hdc, rect, 2, kFocusLight, kFocusDark);
        }
    }
    PaintText(hdc, rect, look, text, style);
    if (look.focused && !look.hideFocus) {
        RECT focus = {rect.left + 4, rect.top + 4, rect.right - 4, rect.bottom - 4};
        SetTextColor(hdc, RGB(0, 0, 0));
        SetBkColor(hdc, RGB(0xFF, 0xFF, 0xFF));
        DrawFocusRect(hdc, &focus);
    }
}

void PaintSkinnedFieldBorder(HDC hdc, const RECT& rect, const SkinScheme& scheme,
                             bool flattenInnerEdge)
{
    const RECT& r = rect;
    auto frame = [&](int inset, COLORREF colour) {
        Fill(hdc, r.left + inset, r.top + inset, r.right - inset, r.top + inset + 1, colour);
        Fill(hdc, r.left + inset, r.bottom - inset - 1, r.right - inset, r.bottom - inset, colour);
        Fill(hdc, r.left + inset, r.top + inset, r.left + inset + 1, r.bottom - inset, colour);
        Fill(hdc, r.right - inset - 1, r.top + inset, r.right - inset, r.bottom - inset, colour);
    };
    frame(0, scheme.fieldBorder);
    if (flattenInnerEdge) {
        frame(1, GetSysColor(COLOR_WINDOW));
    }
}
