// Hover labels: capture-based hover tracking, the image label and the link label.
#include "controls/HoverStatic.h"

#include <windowsx.h>

#include "controls/Drawing.h"
#include "win/Dpi.h"
#include "win/Dialog.h"
#include "win/Gdi.h"

void HoverStatic::OnAttached() {
  // A plain static is transparent to the mouse; SS_NOTIFY makes it see moves and clicks.
  SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | SS_NOTIFY);
  if (!cursorSet_) cursor_ = LoadCursorResource(kHandCursor);
}

void HoverStatic::SetCursor(UINT cursorId, HINSTANCE instance) {
  cursor_ = LoadCursorResource(cursorId, instance);
  cursorSet_ = true;
}

void HoverStatic::SetHoverTracking(bool tracking) {
  tracking_ = tracking;
  if (tracking) return;
  if (GetCapture() == Handle()) ReleaseCapture();
  EndHover();
}

void HoverStatic::EndHover() {
  if (!hovering_) return;
  hovering_ = false;
  RedrawWithParent(Handle());
}

void HoverStatic::OnMouseMove(LPARAM lParam) {
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT client;
  GetClientRect(Handle(), &client);
  if (!PtInRect(&client, point)) {
    if (GetCapture() == Handle()) ReleaseCapture();
    EndHover();
    return;
  }
  // While the mouse is captured no WM_SETCURSOR arrives: the cursor is set here.
  if (cursor_) ::SetCursor(cursor_);
  if (hovering_) return;
  // Captured so that the move that leaves the label still arrives here and ends the hover look.
  SetCapture(Handle());
  hovering_ = true;
  RedrawWithParent(Handle());
}

bool HoverStatic::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (tracking_) OnMouseMove(lParam);
      return false;
    case WM_LBUTTONUP:
      // A click must not leave the mouse held by the label: whatever the click opened would get
      // no mouse input.
      result = CallDefault(message, wParam, lParam);
      if (GetCapture() == Handle()) ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED:
      // The capture went elsewhere (a menu, a dialog, our own release): the hover look ends, and
      // the next move over the label captures again.
      EndHover();
      return false;
    case WM_SETCURSOR:
      if (!cursor_) return false;
      ::SetCursor(cursor_);
      result = TRUE;
      return true;
    case WM_DESTROY:
      tooltip_.Destroy();
      return false;
    default:
      return false;
  }
}

const win::MessageEntry<ImageHoverStatic> ImageHoverStatic::kMessages[] = {
    win::OnMessage(WM_PAINT, &ImageHoverStatic::OnPaint),
    win::OnMessage(WM_ERASEBKGND, &ImageHoverStatic::OnEraseBackground),
};

ImageHoverStatic::ImageHoverStatic() : HoverStatic(kMessages) {}

bool ImageHoverStatic::SetBitmaps(UINT hoverId, UINT normalId, COLORREF transparent, HINSTANCE instance) {
  UINT dpi = win::DpiOf(Handle());
  hover_ = LoadArtForDpi(hoverId, dpi, transparent, instance);
  normal_ = LoadArtForDpi(normalId, dpi, transparent, instance);
  transparent_ = transparent;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
  return hover_ && normal_;
}

bool ImageHoverStatic::SetBitmapBand(UINT bitmapId, int top, int height, COLORREF transparent, HINSTANCE instance) {
  int half = BitmapSize(LoadBitmapResource(bitmapId, instance).Get()).cx / 2;
  UINT dpi = win::DpiOf(Handle());
  RECT hover = {0, top, half, top + height}, normal = {half, top, 2 * half, top + height};
  hover_ = LoadArtForDpi(bitmapId, dpi, transparent, instance, &hover);
  normal_ = LoadArtForDpi(bitmapId, dpi, transparent, instance, &normal);
  transparent_ = transparent;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
  return hover_ && normal_;
}

// OnPaint covers every pixel.
INT_PTR ImageHoverStatic::OnEraseBackground(WPARAM, LPARAM) { return TRUE; }

INT_PTR ImageHoverStatic::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right > 0 && client.bottom > 0) {
    win::UniqueBitmap bufferBitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    win::MemoryDc buffer(dc, bufferBitmap.Get());
    PaintParentBackground(Handle(), buffer.Get());
    DrawBitmap(buffer.Get(), 0, 0, IsHovering() ? hover_.Get() : normal_.Get(), transparent_);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(Handle(), &paint);
  return 0;
}

const win::MessageEntry<LinkStatic> LinkStatic::kMessages[] = {
    win::OnMessage(win::kReflectBase + WM_CTLCOLORSTATIC, &LinkStatic::OnColour),
};

LinkStatic::LinkStatic() : HoverStatic(kMessages) {}

void LinkStatic::SetColours(COLORREF normal, COLORREF hover) {
  normal_ = normal;
  hover_ = hover;
  if (Handle()) RedrawWithParent(Handle());
}

void LinkStatic::SetTransparent(bool transparent) {
  transparent_ = transparent;
  if (Handle()) RedrawWithParent(Handle());
}

INT_PTR LinkStatic::OnColour(WPARAM wParam, LPARAM) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, IsHovering() ? hover_ : normal_);
  if (transparent_) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}
