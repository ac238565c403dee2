// The DPI functions of Windows 10 are looked up at run time: the older systems Vexa runs on lack them.
#include "win/Dpi.h"

namespace win {

namespace {

constexpr wchar_t kDpiProperty[] = L"Vexa.Dpi";

template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT DpiOf(HWND window) {
  if (!window) return SystemDpi();
  HWND root = GetAncestor(window, GA_ROOT);
  if (!root) root = window;
  if (auto told = reinterpret_cast<UINT_PTR>(GetPropW(root, kDpiProperty))) return static_cast<UINT>(told);
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(window)) return dpi;
  }
  return SystemDpi();
}

void SetWindowDpi(HWND topLevel, UINT dpi) {
  if (!topLevel) return;
  if (dpi)
    SetPropW(topLevel, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
  else
    RemovePropW(topLevel, kDpiProperty);
}

bool TakeOverDpiChanges(HWND dialog) {
  // DIALOG_DPI_CHANGE_BEHAVIORS and DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS, for newer targets than Vexa's.
  constexpr int kDialogDisableAll = 0x1, kControlDisableFontUpdate = 0x1, kControlDisableRelayout = 0x2;
  using Switch = BOOL(WINAPI*)(HWND, int, int);
  static const auto forDialog = User32Function<Switch>("SetDialogDpiChangeBehavior");
  static const auto forControl = User32Function<Switch>("SetDialogControlDpiChangeBehavior");
  if (!forDialog || !forControl) return false;
  forDialog(dialog, kDialogDisableAll, kDialogDisableAll);
  constexpr int kControl = kControlDisableFontUpdate | kControlDisableRelayout;
  // A child dialog (a page) is also a control of the dialog it lies on.
  if (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) forControl(dialog, kControl, kControl);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    forControl(child, kControl, kControl);
  return true;
}

int SystemMetricForDpi(int index, UINT dpi) {
  using ForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<ForDpiFunction>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, dpi);
  UINT system = SystemDpi();
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(system));
}

}  // namespace win
