// Drawing helpers shared by the skinned controls.
#include "controls/Drawing.h"

#include "win/Gdi.h"

HINSTANCE ResourceModule(HINSTANCE instance) { return instance ? instance : GetModuleHandleW(nullptr); }

HCURSOR LoadCursorResource(UINT id, HINSTANCE instance) {
  if (id == 0) return nullptr;
  HCURSOR cursor = LoadCursorW(ResourceModule(instance), MAKEINTRESOURCEW(id));
  if (!cursor && id == kHandCursor) cursor = LoadCursorW(nullptr, IDC_HAND);
  return cursor;
}

win::UniqueBitmap LoadBitmapResource(UINT id, HINSTANCE instance) {
  if (id == 0) return {};
  return win::UniqueBitmap(static_cast<HBITMAP>(
      LoadImageW(ResourceModule(instance), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

win::UniqueIcon LoadIconResource(UINT id, int width, int height, HINSTANCE instance) {
  if (id == 0) return {};
  return win::UniqueIcon(static_cast<HICON>(
      LoadImageW(ResourceModule(instance), MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  // GetIconInfo hands out copies of both bitmaps; a monochrome icon's mask is twice its height.
  SIZE size = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
  if (!info.hbmColor) size.cy /= 2;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

win::UniqueBitmap CopyBitmapPart(HBITMAP source, const RECT& part) {
  int width = part.right - part.left;
  int height = part.bottom - part.top;
  if (!source || width <= 0 || height <= 0) return {};
  win::WindowDc screen(nullptr);
  win::UniqueBitmap copy(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!copy) return {};
  win::MemoryDc from(screen.Get(), source);
  win::MemoryDc to(screen.Get(), copy.Get());
  BitBlt(to.Get(), 0, 0, width, height, from.Get(), part.left, part.top, SRCCOPY);
  return copy;
}

void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent) {
  SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return;
  win::MemoryDc source(dc, bitmap);
  if (transparent == CLR_NONE) {
    BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    return;
  }
  // The classic mask trick (TransparentBlt needs msimg32): a monochrome mask is white where the
  // bitmap has the transparent colour; XOR, AND with the mask, XOR again keeps the target there.
  win::UniqueBitmap maskBitmap(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
  win::MemoryDc mask(dc, maskBitmap.Get());
  COLORREF sourceBack = SetBkColor(source.Get(), transparent);
  BitBlt(mask.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
  SetBkColor(source.Get(), sourceBack);
  COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCINVERT);
  BitBlt(dc, x, y, size.cx, size.cy, mask.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCINVERT);
  SetBkColor(dc, back);
  SetTextColor(dc, text);
}

void PaintParentBackground(HWND control, HDC dc) {
  HWND parent = GetParent(control);
  RECT rect;
  GetClientRect(control, &rect);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  if (!parent) return;
  POINT origin = {0, 0};
  MapWindowPoints(control, parent, &origin, 1);
  POINT previous;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void RedrawWithParent(HWND control) {
  HWND parent = GetParent(control);
  if (!parent) {
    InvalidateRect(control, nullptr, TRUE);
    return;
  }
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
