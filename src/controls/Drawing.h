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
