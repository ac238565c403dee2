// The DPI a window is drawn for. Vexa is aware of each monitor's DPI: it lays its dialogs out,
// makes their fonts and takes their pictures for it; the system's own controls (lists, headers)
// scale their own margins and rows.
#pragma once
#include <windows.h>

namespace win {

inline constexpr UINT kBaseDpi = 96;
// WM_DPICHANGED to a top-level window, then WM_DPICHANGED_AFTERPARENT to each of its children
// (Windows 10 messages; the headers give them only for newer targets than Vexa's).
inline constexpr UINT kDpiChanged = 0x02E0;
inline constexpr UINT kDpiChangedAfterParent = 0x02E3;

// The DPI of the top-level window holding window: the one it was last told by WM_DPICHANGED,
// else the one Windows gives it (GetDpiForWindow where the system has it), else the screen's.
UINT DpiOf(HWND window);
// The screen's DPI, for what is made before any window.
UINT SystemDpi();
// Remembers the DPI a WM_DPICHANGED gave the top-level window, for its children to draw at;
// 0 forgets it (before the window ends).
void SetWindowDpi(HWND topLevel, UINT dpi);

// value pixels at 96 DPI, at dpi.
inline int ScaleToDpi(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kBaseDpi)); }
// value pixels at dpi, at 96 DPI.
inline int UnscaleFromDpi(int value, UINT dpi) { return MulDiv(value, static_cast<int>(kBaseDpi), static_cast<int>(dpi)); }

// Keeps the dialog manager of Windows 10 1703 and later out of the dialog's DPI changes: it would
// lay the controls out again by the ratio of its fonts and hand them its own font, where Vexa lays
// them out and gives them fonts for the DPI itself. False on systems without that dialog manager,
// which also do not tell a window's children of a change (WM_DPICHANGED_AFTERPARENT).
bool TakeOverDpiChanges(HWND dialog);

// GetSystemMetrics for the given DPI (GetSystemMetricsForDpi where the system has it).
int SystemMetricForDpi(int index, UINT dpi);

}  // namespace win
