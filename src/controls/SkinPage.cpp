// Skin behind a page and transparent static texts on it.
#include "controls/SkinPage.h"

#include "controls/SkinDialog.h"
#include "win/Localize.h"

void SkinPage::Relocalize() { LocalizeDialog(Handle(), TemplateId(), false); }

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
