// The main window's notification-area icon: adding it, balloons, its menu and its mouse events.
#include <windowsx.h>

#include "app/MainDialog.h"
#include "art.h"
#include "base/AppSettings.h"
#include "resource.h"
#include "win/Localize.h"
#include "win/MenuBitmap.h"
#include "win/Seams.h"

namespace {

// The shell's notice that the user clicked a balloon.
constexpr UINT kBalloonClicked = WM_USER + 5;
constexpr UINT_PTR kTrayRetryTimer = 1;

void CopyBounded(wchar_t* target, size_t capacity, const std::wstring& text) {
  lstrcpynW(target, text.c_str(), static_cast<int>(capacity));
}

NOTIFYICONDATAW IconRecord(HWND window, HICON icon) {
  NOTIFYICONDATAW data = {};
  // The newest layout the program knows; the seam falls back for older shells.
  data.cbSize = NOTIFYICONDATAW_V3_SIZE;
  data.hWnd = window;
  data.uID = MainDialog::kTrayIconId;
  data.uCallbackMessage = MainDialog::kTrayMessage;
  data.hIcon = icon;
  return data;
}

// The message filter of an elevated process drops Explorer's broadcasts, which come from a
// process of lower integrity. Windows 7 filters per window; Vista only per process; XP and older
// have no filter, and neither function.
void LetThroughFilter(HWND window, UINT message) {
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW, and MSGFLT_ADD of the older function
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return;
  using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
  auto perWindow =
      reinterpret_cast<PerWindow>(reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
  if (perWindow && perWindow(window, message, kAllow, nullptr)) return;
  auto perProcess =
      reinterpret_cast<PerProcess>(reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
  if (perProcess) perProcess(message, kAllow);
}

}  // namespace

std::wstring MainDialog::TrayTip() const {
  std::wstring tip = balloonCapable_ ? AppSettings.appTitle : tipText_;
  // Windows Update restarts the machine too: a one-time start waiting for it is worth knowing.
  for (const auto& page : pages_) {
    if (!page || !page->Handle()) continue;
    std::wstring once = page->OneTimeStart();
    if (!once.empty()) tip += L"\r\n" + once;
  }
  return tip;
}

INT_PTR MainDialog::OnOneTimeStart(WPARAM, LPARAM) {
  if (TrayTip() != shownTip_) UpdateTrayTip();
  return TRUE;
}

bool MainDialog::AddTrayIcon() {
  NOTIFYICONDATAW data = IconRecord(Handle(), smallIcon_.Get());
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | (balloonCapable_ ? NIF_INFO : 0);
  shownTip_ = TrayTip();
  CopyBounded(data.szTip, std::size(data.szTip), shownTip_);
  const bool added = win::NotifyIcon(NIM_ADD, data);
  trayIconAdded_ = added || trayIconAdded_;
  return added;
}

void MainDialog::OfferTrayIcon() {
  if (AddTrayIcon()) {
    KillTimer(Handle(), kTrayRetryTimer);
    return;
  }
  // Started at logon, the program can come before the taskbar, which refuses the icon until it
  // exists and may have announced itself ("TaskbarCreated") before this window listened.
  trayRetryStart_ = GetTickCount();
  SetTimer(Handle(), kTrayRetryTimer, kTrayRetryMilliseconds, nullptr);
}

INT_PTR MainDialog::OnTimer(WPARAM timer, LPARAM) {
  if (timer != kTrayRetryTimer) return FALSE;
  if (AddTrayIcon() || GetTickCount() - trayRetryStart_ >= kTrayRetryLimitMilliseconds)
    KillTimer(Handle(), kTrayRetryTimer);
  return TRUE;
}

void MainDialog::ListenForTaskbar() {
  // Explorer announces a restart with this message; the icon must then be added again.
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  if (taskbarCreated_) LetThroughFilter(Handle(), taskbarCreated_);
}

void MainDialog::UpdateTrayTip() {
  if (!trayIconAdded_) return;
  NOTIFYICONDATAW data = IconRecord(Handle(), smallIcon_.Get());
  data.uFlags = NIF_TIP;
  shownTip_ = TrayTip();
  CopyBounded(data.szTip, std::size(data.szTip), shownTip_);
  win::NotifyIcon(NIM_MODIFY, data);
}

void MainDialog::ShowBalloon(const std::wstring& text, UINT milliseconds) {
  if (!balloonCapable_) return;
  NOTIFYICONDATAW data = IconRecord(Handle(), smallIcon_.Get());
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_INFO;
  data.dwInfoFlags = NIIF_INFO;
  CopyBounded(data.szInfo, std::size(data.szInfo), text);
  CopyBounded(data.szInfoTitle, std::size(data.szInfoTitle), AppSettings.appTitle);
  data.uTimeout = milliseconds;
  win::NotifyIcon(NIM_MODIFY, data);
}

void MainDialog::RemoveTrayIcon() {
  if (!trayIconAdded_) return;
  NOTIFYICONDATAW data = IconRecord(Handle(), nullptr);
  win::NotifyIcon(NIM_DELETE, data);
  trayIconAdded_ = false;
}

INT_PTR MainDialog::OnTrayEvent(WPARAM wParam, LPARAM lParam) {
  if (wParam != kTrayIconId) return TRUE;
  const UINT event = static_cast<UINT>(lParam);
  // A double-click arrives as a press, a release and then the double-click: the press has shown
  // the window already, and the double-click must not hide it again.
  const bool shownByPress = shownByPress_;
  if (event != WM_LBUTTONUP && event != WM_MOUSEMOVE) shownByPress_ = false;
  switch (event) {
    case WM_LBUTTONDOWN:
      if (windowShown_) {
        ShowBalloon(tipText_, 5000);
      } else {
        ShowFromTray();
        shownByPress_ = true;
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (shownByPress)
        SetForegroundWindow(Handle());
      else if (windowShown_)
        HideToTray();
      else
        ShowFromTray();
      break;
    case WM_RBUTTONDOWN:
      ShowTrayMenu();
      break;
    case kBalloonClicked:
      if (windowShown_)
        SetForegroundWindow(Handle());
      else
        ShowFromTray();
      break;
    default:
      break;
  }
  return TRUE;
}

win::UniqueMenu MainDialog::BuildTrayMenu(bool windowShown, HBITMAP configImage) {
  win::UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
  HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
  if (!popup) return win::UniqueMenu();
  LocalizeMenu(popup, 0, 0);
  if (configImage) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = configImage;
    SetMenuItemInfoW(popup, ID_TRAY_CONFIG, FALSE, &item);
  }
  DeleteMenu(popup, windowShown ? ID_TRAY_SHOW : ID_TRAY_HIDE, MF_BYCOMMAND);
  SetMenuDefaultItem(popup, 0, TRUE);
  return menu;
}

void MainDialog::ShowTrayMenu() {
  if (AppSettings.osClass >= 6 && !configMenuImage_)
    configMenuImage_ = win::MenuBitmapFromImageList(buttonImages_, art::kImageConfig);
  win::UniqueMenu menu = BuildTrayMenu(windowShown_, AppSettings.osClass >= 6 ? configMenuImage_.Get() : nullptr);
  if (!menu) return;
  POINT cursor = {};
  GetCursorPos(&cursor);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(Handle());
  TrackPopupMenu(GetSubMenu(menu.Get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(),
                 nullptr);
  PostMessageW(Handle(), WM_NULL, 0, 0);
}
