// Layout for the DPI, localisation and background common to the program's dialogs.
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

BOOL CALLBACK TellDpiChanged(HWND child, LPARAM) {
  SendMessageW(child, kDpiChangedAfterParent, 0, 0);
  return TRUE;
}

}  // namespace

void AppDialog::BeforeInit() {
  systemTellsChildren_ = TakeOverDpiChanges(Handle());
  dpi_ = DpiOf(Handle());
  // At 96 DPI the dialog manager's layout is the template's own.
  if (dpi_ != kBaseDpi) LayOutScaled(Handle(), Instance(), TemplateId(), dpi_);
  LocalizeDialog(Handle(), TemplateId(), useAppTitle_);
}

void AppDialog::FollowDpi(UINT dpi, const RECT* suggested) {
  if (suggested) SetWindowDpi(Handle(), dpi);
  const UINT from = dpi_;
  if (!dpi || dpi == from) return;
  dpi_ = dpi;
  LayOutScaled(Handle(), Instance(), TemplateId(), dpi);
  // Where Windows chose to put the window on the new monitor, whatever size the layout gave it.
  if (suggested)
    SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  PutDialogFont(Handle(), Instance(), TemplateId());
  OnDpiChanged(from, dpi);
  // Parents before their children, as Windows tells them where it does.
  if (suggested && !systemTellsChildren_) EnumChildWindows(Handle(), TellDpiChanged, 0);
}

bool AppDialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case kDpiChanged:
      FollowDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      result = TRUE;
      return true;
    case kDpiChangedAfterParent:
      if (GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD) FollowDpi(DpiOf(Handle()), nullptr);
      result = TRUE;
      return true;
    case WM_NCDESTROY:
      SetWindowDpi(Handle(), 0);
      return false;
    default:
      break;
  }
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
