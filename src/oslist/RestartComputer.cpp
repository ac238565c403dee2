// The restart road of WinPE and of Windows.
#include "oslist/RestartComputer.h"

#include <windows.h>

#include <string>

#include "base/AppSettings.h"
#include "base/Strings.h"
#include "store/BcdEditRunner.h"
#include "win/Handles.h"
#include "win/Seams.h"

namespace {

std::wstring SystemDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer, length < MAX_PATH ? length : 0);
}

// WinPE has no shutdown of its own for a program to call: its wpeutil.exe does it. False when
// this is not WinPE.
bool RestartThroughWpeutil(bool shutdown) {
  if (AppSettings.winPeState == 0) return false;
  std::wstring systemDir = SystemDirectory();
  if (AppSettings.winPeState == -1 && !base::StartsWithNoCase(systemDir, L"X:\\")) return false;
  AppSettings.winPeState = 1;
  systemDir = AddTrailingSlash(systemDir);
  // The 32-bit process sees the 32-bit system folder; wpeutil.exe lives in the native one.
  if (Runner().isWow64) systemDir = base::ReplaceFirstNoCase(systemDir, L"\\system32\\", L"\\SysNative\\");
  Runner().Execute(L"wpeutil.exe", systemDir, shutdown ? L"Shutdown" : L"Reboot", 1);
  return true;
}

bool EnableShutdownPrivilege() {
  win::UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) return false;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return false;
  SetLastError(ERROR_SUCCESS);
  AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
  // AdjustTokenPrivileges succeeds even when it could not grant the privilege; the last error says.
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace

void RestartComputer(bool shutdown) {
  if (RestartThroughWpeutil(shutdown)) return;
  if (AppSettings.osClass != -1 && !EnableShutdownPrivilege()) return;
  win::RestartWindows(shutdown ? EWX_SHUTDOWN : EWX_REBOOT, 0);
}
