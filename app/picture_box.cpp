#include "app/picture_box.h"

#include "app/window_class.h"

namespace {

const char kPictureBoxClass[] = "TolvarenPictureBox";

struct PictureBoxCreation {
    int pictureResource;
    Picture* slot;
};

const Picture* PictureOf(HWND hwnd)
{
    return reinterpret_cast<const Picture*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* creation = static_cast<const PictureBoxCreation*>(create->lpCreateParams);
        DecodePictureResource(creation->pictureResource, creation->slot);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->slot));
        break;
    }
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        if (hdc != nullptr && PictureOf(hwnd) != nullptr) {
            PaintPictureBox(hdc, client, *PictureOf(hwnd));
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(hwnd, &client);
        if (PictureOf(hwnd) != nullptr) {
            PaintPictureBox(reinterpret_cast<HDC>(wParam), client, *PictureOf(hwnd));
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

bool DecodePictureResource(int pictureResource, Picture* picture)
{
    *picture = Picture();
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(pictureResource), MAKEINTRESOURCEA(10));
    if (found == nullptr) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    return DecodeJpeg(static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found),
                      picture);
}

void PaintPictureBox(HDC hdc, const RECT& client, const Picture& picture)
{
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (picture.Empty()) {
        return;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(hdc, 0, 0, picture.Width(), picture.Height(), 0, 0, picture.Width(),
                  picture.Height(), picture.Pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
}

HWND CreatePictureBox(HWND parent, int id, int left, int top, int width, int height, DWORD style,
                      int pictureResource, Picture* slot)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClassOnce(kPictureBoxClass, PictureBoxProc)) {
        return nullptr;
    }
    PictureBoxCreation creation = {pictureResource, slot};
    return CreateWindowExA(0, kPictureBoxClass, "", style, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &creation);
}
