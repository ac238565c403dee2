// Localisation and background common to the program's dialogs.
#include "win/AppDialog.h"

#include "base/AppSettings.h"
#include "win/Dpi.h"
#include "win/Localize.h"
#include "win/ScaledLayout.h"

namespace win {
namespace {

HBRUSH BackgroundBrush() {
  // One brush for the life of the process, made the first time a dialog asks.
  static HBRUSH brush = CreateSolidBrush(AppSettings.dialogBackground);
  return brush;
}

}  // namespace

void AppDialog::BeforeInit() {
  // At 96 DPI the dialog manager's layout is the template's own.
  if (UINT dpi = DpiOf(Handle()); dpi != kBaseDpi) LayOutScaled(Handle(), Instance(), TemplateId(), dpi);
  LocalizeDialog(Handle(), TemplateId(), useAppTitle_);
}

bool AppDialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (AppSettings.dialogBackground == CLR_INVALID) return false;
  switch (message) {
    case WM_CTLCOLORDLG:
      result = reinterpret_cast<INT_PTR>(BackgroundBrush());
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, AppSettings.dialogBackground);
      result = reinterpret_cast<INT_PTR>(BackgroundBrush());
      return true;
    }
    default:
      return false;
  }
}

}  // namespace win
