// The skinned dialog's background.
#include "controls/SkinDialog.h"

#include "controls/Drawing.h"
#include "win/Gdi.h"

namespace {

// Marks a skinned dialog's window, so a page or control finds the skin above it without knowing
// which window holds it.
constexpr wchar_t kSkinProperty[] = L"Vexa.Skin";

}  // namespace

SkinDialog::~SkinDialog() {
  if (Handle()) RemovePropW(Handle(), kSkinProperty);
}

bool SkinDialog::SetBackgroundBitmap(UINT bitmapId, COLORREF, HINSTANCE instance) {
  bitmap_ = LoadBitmapResource(bitmapId, instance);
  size_ = BitmapSize(bitmap_.Get());
  fitted_ = false;
  return static_cast<bool>(bitmap_);
}

bool SkinDialog::DrawBackground(HDC dc, const RECT& rect) const {
  if (!bitmap_) return false;
  win::MemoryDc skin(dc, bitmap_.Get());
  return BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, skin.Get(), rect.left, rect.top, SRCCOPY);
}

bool SkinDialog::EraseBackground(HDC dc) {
  if (!bitmap_) return false;
  RECT client;
  GetClientRect(Handle(), &client);
  // Fitted on the window's own first erase only: a page asking for its part first must not squeeze
  // the whole skin into the page. At 96 DPI the skin already has the window's size and stays as it is.
  if (!fitted_ && client.right > 0 && client.bottom > 0) {
    fitted_ = true;
    if (client.right != size_.cx || client.bottom != size_.cy) {
      win::UniqueBitmap stretched(CreateCompatibleBitmap(dc, client.right, client.bottom));
      if (stretched) {
        {
          win::MemoryDc from(dc, bitmap_.Get());
          win::MemoryDc to(dc, stretched.Get());
          SetStretchBltMode(to.Get(), HALFTONE);
          SetBrushOrgEx(to.Get(), 0, 0, nullptr);
          StretchBlt(to.Get(), 0, 0, client.right, client.bottom, from.Get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
        }
        bitmap_ = std::move(stretched);
        size_ = {client.right, client.bottom};
      }
    }
  }
  return DrawBackground(dc, client);
}

bool SkinDialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      SetPropW(Handle(), kSkinProperty, this);
      return false;  // the class's OnInit still runs
    case WM_ERASEBKGND:
      if (!EraseBackground(reinterpret_cast<HDC>(wParam))) return false;
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
      result = TRUE;
      return true;
    case WM_NCDESTROY:
      RemovePropW(Handle(), kSkinProperty);
      return false;
    default:
      return win::AppDialog::OnOtherMessage(message, wParam, lParam, result);
  }
}

bool DrawSkinBehind(HWND window, HDC dc) {
  HWND desktop = GetDesktopWindow();
  for (HWND ancestor = window; ancestor && ancestor != desktop; ancestor = GetAncestor(ancestor, GA_PARENT)) {
    auto* skin = static_cast<const SkinDialog*>(GetPropW(ancestor, kSkinProperty));
    if (!skin) continue;
    RECT rect;
    GetClientRect(window, &rect);
    MapWindowPoints(window, ancestor, reinterpret_cast<POINT*>(&rect), 2);
    return skin->DrawBackground(dc, rect);
  }
  return false;
}
