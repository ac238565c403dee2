// Drawing helpers shared by the skinned controls: resources by number, transparent bitmaps and the
// parent's background under a control.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "win/Handles.h"

// The hand shown over clickable labels and image buttons.
constexpr UINT kHandCursor = 106;

// instance, or the program's own module when null.
HINSTANCE ResourceModule(HINSTANCE instance);

// A cursor resource (shared, never freed); the system hand stands in for kHandCursor when the
// program has none. Null for 0 or a missing resource.
HCURSOR LoadCursorResource(UINT id, HINSTANCE instance = nullptr);
win::UniqueBitmap LoadBitmapResource(UINT id, HINSTANCE instance = nullptr);
win::UniqueIcon LoadIconResource(UINT id, int width, int height, HINSTANCE instance = nullptr);

// Bitmap id drawn for dpi: as stored at 96 DPI; above, its double-size drawing where the program
// has one (else the bitmap itself) scaled to the size the DPI asks for. part: a piece of the
// picture, in its 96-DPI pixels. Pixels of colour transparent stay holes (CLR_NONE: none).
win::UniqueBitmap LoadArtForDpi(UINT id, UINT dpi, COLORREF transparent, HINSTANCE instance = nullptr,
                                const RECT* part = nullptr);
// A copy of bitmap at size, each pixel the weighted average of the source pixels under it. Pixels
// of colour transparent are holes: they never tint the picture, and where a new pixel lies mostly
// over holes it becomes that colour.
win::UniqueBitmap ScaleBitmap(HBITMAP bitmap, SIZE size, COLORREF transparent);

SIZE BitmapSize(HBITMAP bitmap);
SIZE IconSize(HICON icon);
// A new bitmap holding part of source.
win::UniqueBitmap CopyBitmapPart(HBITMAP source, const RECT& part);

// Draws bitmap with its top-left corner at (x, y), leaving the pixels of colour transparent
// untouched (CLR_NONE: every pixel is drawn).
void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent);

// Has the parent erase its background into dc, shifted so that the part under control lands at
// dc's origin. What the parent paints there (a skin, its brush) is what a transparent control shows.
void PaintParentBackground(HWND control, HDC dc);

// Invalidates control together with the parent's background under it, so a control that draws
// without a brush does not leave its previous look behind.
void RedrawWithParent(HWND control);
