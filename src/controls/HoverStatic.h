// Labels that react to the mouse: HoverStatic (hand cursor, tooltip, hover by mouse capture) and
// its two kinds, ImageHoverStatic (two bitmaps) and LinkStatic (a link's colours).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "controls/Tooltip.h"
#include "win/Control.h"
#include "win/Handles.h"

class HoverStatic : public win::Control {
 public:
  HoverStatic() = default;
  template <class T, size_t N>
  explicit HoverStatic(const win::MessageEntry<T> (&rows)[N]) : win::Control(rows) {}

  // 0: the default arrow.
  void SetCursor(UINT cursorId, HINSTANCE instance = nullptr);
  void SetTooltipText(const std::wstring& text, bool activate = true) { tooltip_.SetText(Handle(), text, activate); }
  void SetTooltipTitle(const std::wstring& title, UINT iconId = 0, int iconSize = 16) {
    tooltip_.SetTitle(Handle(), title, iconId, iconSize);
  }
  void UseBalloonTooltips() { tooltip_.UseBalloon(); }
  // Off: no capture, no hover look.
  void SetHoverTracking(bool tracking);

  bool IsHovering() const { return hovering_; }

 protected:
  void OnAttached() override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnMouseMove(LPARAM lParam);
  void EndHover();

  Tooltip tooltip_;
  HCURSOR cursor_ = nullptr;
  bool cursorSet_ = false;
  bool tracking_ = true;
  bool hovering_ = false;
};

class ImageHoverStatic : public HoverStatic {
 public:
  ImageHoverStatic();

  // Two bitmap resources, drawn for the window's DPI; transparent: the colour left undrawn, or CLR_NONE.
  bool SetBitmaps(UINT hoverId, UINT normalId, COLORREF transparent = CLR_NONE, HINSTANCE instance = nullptr);
  // A band of one bitmap resource, height rows from row top (in its 96-DPI pixels): the left half is
  // the hover image, the right half the normal one.
  bool SetBitmapBand(UINT bitmapId, int top, int height, COLORREF transparent = CLR_NONE, HINSTANCE instance = nullptr);

 private:
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);

  static const win::MessageEntry<ImageHoverStatic> kMessages[];

  win::UniqueBitmap hover_;
  win::UniqueBitmap normal_;
  COLORREF transparent_ = CLR_NONE;
};

class LinkStatic : public HoverStatic {
 public:
  static constexpr COLORREF kHoverColour = RGB(0, 0, 238);

  LinkStatic();

  void SetColours(COLORREF normal, COLORREF hover);
  // Drawn with no brush over whatever lies behind it, instead of on the button face.
  void SetTransparent(bool transparent);

 private:
  INT_PTR OnColour(WPARAM, LPARAM);

  static const win::MessageEntry<LinkStatic> kMessages[];

  COLORREF normal_ = RGB(0, 0, 0);
  COLORREF hover_ = kHoverColour;
  bool transparent_ = false;
};
