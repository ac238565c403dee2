// The restart road of WinPE and of Windows.
#include "store/RestartComputer.h"

#include <windows.h>

#include <string>

#include "base/AppSettings.h"
#include "base/Strings.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "win/Seams.h"

namespace {

std::wstring SystemDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer, length < MAX_PATH ? length : 0);
}

bool InWinPe() {
  if (AppSettings.winPeState == 0) return false;
  if (AppSettings.winPeState == -1 && !base::StartsWithNoCase(SystemDirectory(), L"X:\\")) return false;
  AppSettings.winPeState = 1;
  return true;
}

// WinPE has no shutdown of its own for a program to call: its wpeutil.exe does it.
bool RestartThroughWpeutil(bool shutdown) {
  std::wstring systemDir = AddTrailingSlash(SystemDirectory());
  // The 32-bit process sees the 32-bit system folder; wpeutil.exe lives in the native one.
  if (Runner().isWow64) systemDir = base::ReplaceFirstNoCase(systemDir, L"\\system32\\", L"\\SysNative\\");
  return Runner().ExecuteChecked(L"wpeutil.exe", systemDir, shutdown ? L"Shutdown" : L"Reboot", 1).Succeeded();
}

}  // namespace

bool RestartComputer(bool shutdown) {
  if (InWinPe()) return RestartThroughWpeutil(shutdown);
  return win::RestartWindows(shutdown ? EWX_SHUTDOWN : EWX_REBOOT, 0);
}
