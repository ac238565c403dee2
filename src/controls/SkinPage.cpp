// Skin behind a page and transparent static texts on it.
#include "controls/SkinPage.h"

#include "controls/SkinDialog.h"
#include <commctrl.h>

#include "win/Controls.h"
#include "win/Localize.h"

void SkinPage::Relocalize() { LocalizeDialog(Handle(), TemplateId(), false); }

void SkinPage::OnDpiChanged(UINT from, UINT to) {
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, WC_LISTVIEWW) != 0) continue;
    // Set again, the same list makes the view take the new image size for its rows.
    for (int which : {LVSIL_SMALL, LVSIL_NORMAL}) {
      HIMAGELIST images = ListView_GetImageList(child, which);
      if (images) ListView_SetImageList(child, images, which);
    }
    win::ListView(child).ScaleColumns(from, to);
  }
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
    default:
      break;
  }
  return win::AppDialog::OnOtherMessage(message, wParam, lParam, result);
}
