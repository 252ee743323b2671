#pragma once

#include <windows.h>

#include "app/jpeg_decoder.h"

// A borderless child window that shows a picture at its natural size at its
// top-left corner, on the button-face colour. The picture is decoded from the
// embedded JPEG resource once, when the box is created, into *slot, which
// the caller owns and keeps alive for the life of the box. A picture that
// cannot be decoded leaves the box plain.
HWND CreatePictureBox(HWND parent, int id, int left, int top, int width, int height, DWORD style,
                      int pictureResource, Picture* slot);

// Decodes one of the program's embedded JPEG resources.
bool DecodePictureResource(int pictureResource, Picture* picture);

// Paints a box's content: background, then the picture clipped to the client.
void PaintPictureBox(HDC hdc, const RECT& client, const Picture& picture);
