// Finding the configuration tools and the registry key the system store is mounted under.
#include "store/FileRoutines.h"
#include "store/ToolSetup.h"

#include <windows.h>

#include "base/AppSettings.h"
#include "base/Strings.h"
#include "store/BcdEditRunner.h"
#include "win/Handles.h"

namespace {

constexpr wchar_t kBootManagerOrder[] =
    L"\\Objects\\{9dea862c-5cdd-4e70-acc1-f32b344d4795}\\Elements\\24000001";

bool StoreKeyReadable(const std::wstring& keyName) {
  win::UniqueKey key;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, (keyName + kBootManagerOrder).c_str(), 0, KEY_READ, key.Receive()) ==
         ERROR_SUCCESS;
}

}  // namespace

bool EnsureTools() {
  if (AppSettings.toolsAvailable) return true;
  BcdEditRunner& runner = Runner();
  if (runner.toolDir.empty()) runner.EnsureToolDir();
  const std::wstring& toolDir = runner.toolDir;

  AppSettings.toolsAvailable = FileExists(toolDir + L"bcdedit.exe");
  bool bootsectPresent = FileExists(toolDir + L"bootsect.exe");
  if (AppSettings.toolsAvailable && bootsectPresent) return true;
  if (!AppSettings.bcdSystem) return AppSettings.toolsAvailable;

  wchar_t buffer[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  std::wstring systemDir(buffer, length < MAX_PATH ? length : 0);
  AppSettings.winPeState = base::StartsWithNoCase(systemDir, L"X:\\") ? 1 : 0;
  systemDir = AddTrailingSlash(systemDir);
  // A 32-bit process on 64-bit Windows sees the 32-bit system folder, which has no bcdedit.exe;
  // SysNative reaches the native one.
  if (runner.isWow64) systemDir = base::ReplaceFirstNoCase(systemDir, L"\\system32\\", L"\\SysNative\\");

  if (!AppSettings.toolsAvailable && FileExists(systemDir + L"bcdedit.exe")) {
    MakeDirectories(toolDir);
    CopyIntoDirectory(systemDir + L"bcdedit.exe", toolDir, L"bcdedit.exe", false);
  }
  if (!bootsectPresent && FileExists(systemDir + L"bootsect.exe")) {
    MakeDirectories(toolDir);
    CopyIntoDirectory(systemDir + L"bootsect.exe", toolDir, L"bootsect.exe", false);
  }
  if (!AppSettings.toolsAvailable) {
    AppSettings.toolsAvailable = FileExists(toolDir + L"bcdedit.exe");
    if (!AppSettings.toolsAvailable && runner.isWow64)
      AppSettings.toolsAvailable = FileExists(runner.ProgramDir() + L"bin\\bcdedit.exe");
  }
  return AppSettings.toolsAvailable;
}

bool FindSystemStoreKey() {
  if (StoreKeyReadable(AppSettings.storeKeyName)) return true;
  if (AppSettings.osClass <= 5) {
    Runner().Run(L"", 0);
    if (StoreKeyReadable(AppSettings.storeKeyName)) return true;
  }
  std::wstring name(1024, L'\0');
  for (DWORD index = 0;; ++index) {
    name.assign(1024, L'\0');
    DWORD size = 1024;
    LONG result = RegEnumKeyExW(HKEY_LOCAL_MACHINE, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return false;
    name.resize(size);
    if (StoreKeyReadable(name)) {
      AppSettings.storeKeyName = name;
      return true;
    }
  }
}
