// Skin behind a page and transparent static texts on it.
#include "controls/SkinPage.h"

#include "controls/ScaledCells.h"
#include "controls/SkinDialog.h"
#include <commctrl.h>

#include "win/Controls.h"
#include "win/Dpi.h"
#include "win/Localize.h"

void SkinPage::Relocalize() { LocalizeDialog(Handle(), TemplateId(), false); }

namespace {

bool IsListView(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  return lstrcmpiW(className, WC_LISTVIEWW) == 0;
}

bool IsReportList(HWND window) {
  return IsListView(window) && (GetWindowLongPtrW(window, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

}  // namespace

void SkinPage::BeforeInit() {
  dpi_ = win::DpiOf(Handle());
  win::AppDialog::BeforeInit();
}

void SkinPage::OnDpiChanged(UINT dpi) {
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsListView(child)) continue;
    // Set again, the same list makes the view take the new image size for its rows.
    for (int which : {LVSIL_SMALL, LVSIL_NORMAL}) {
      HIMAGELIST images = ListView_GetImageList(child, which);
      if (images) ListView_SetImageList(child, images, which);
    }
    if (dpi_ && dpi_ != dpi) win::ListView(child).ScaleColumns(dpi_, dpi);
  }
  dpi_ = dpi;
}

bool SkinPage::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_ERASEBKGND:
      if (!DrawSkinBehind(Handle(), reinterpret_cast<HDC>(wParam))) return false;
      result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC: {
      wchar_t className[16] = {};
      GetClassNameW(reinterpret_cast<HWND>(lParam), className, 16);
      // Only true labels: read-only edits also ask through this message and need their brush.
      if (lstrcmpiW(className, L"Static") != 0) break;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_NOTIFY: {
      // Every paint of a list or tooltip asks: at 96 DPI (or before the page is laid out) the
      // answer costs nothing.
      const auto& draw = *reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam);
      if (draw.nmcd.hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) || dpi_ == 0 || dpi_ == win::kBaseDpi ||
          !IsReportList(draw.nmcd.hdr.hwndFrom))
        break;
      result = DrawCellsAtScale(draw, dpi_);
      return true;
    }
    case win::kDpiChangedAfterParent:
      OnDpiChanged(win::DpiOf(Handle()));
      result = 0;
      return true;
    default:
      break;
  }
  return win::AppDialog::OnOtherMessage(message, wParam, lParam, result);
}
