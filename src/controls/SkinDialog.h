// The skinned dialog: a background bitmap fitted once to the window and drawn behind its pages
// and transparent controls.
#pragma once
#include <windows.h>

#include "win/AppDialog.h"
#include "win/Handles.h"

class SkinDialog : public win::AppDialog {
 public:
  template <class T, size_t N>
  SkinDialog(UINT templateId, const win::MessageEntry<T> (&rows)[N], HINSTANCE instance = nullptr)
      : win::AppDialog(templateId, rows, instance) {}
  explicit SkinDialog(UINT templateId, HINSTANCE instance = nullptr) : win::AppDialog(templateId, instance) {}
  ~SkinDialog() override;

  // The skin. colour is taken for the look's sake but the bitmap covers everything it could show.
  bool SetBackgroundBitmap(UINT bitmapId, COLORREF colour, HINSTANCE instance = nullptr);
  // Copies the skin under rect (client coordinates of this dialog) to dc's origin; false when
  // there is no skin.
  bool DrawBackground(HDC dc, const RECT& rect) const;

 protected:
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  bool EraseBackground(HDC dc);

  win::UniqueBitmap bitmap_;
  SIZE size_ = {0, 0};
  bool fitted_ = false;
};

// Draws into dc, at its origin, the skin of the nearest skinned dialog above window (a page, or a
// control on a page) where window lies over it. False when no skinned dialog is found or it has
// no skin: the caller then erases as usual.
bool DrawSkinBehind(HWND window, HDC dc);
