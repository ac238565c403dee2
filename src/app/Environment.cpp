// OS class, tool availability, the mounted store's key and the settings writers.
#include "app/Environment.h"

#include <windows.h>

#include "app/AppSettings.h"
#include "store/BcdEditRunner.h"
#include "win/Format.h"

namespace {

constexpr wchar_t kBootManagerOrder[] =
    L"\\Objects\\{9dea862c-5cdd-4e70-acc1-f32b344d4795}\\Elements\\24000001";

bool StoreKeyReadable(const std::wstring& keyName) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (keyName + kBootManagerOrder).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() &&
         CompareStringOrdinal(text.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                              static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ReplaceNoCase(const std::wstring& text, const std::wstring& what, const std::wstring& with) {
  std::wstring lowerText = text, lowerWhat = what;
  CharLowerBuffW(lowerText.data(), static_cast<DWORD>(lowerText.size()));
  CharLowerBuffW(lowerWhat.data(), static_cast<DWORD>(lowerWhat.size()));
  size_t at = lowerText.find(lowerWhat);
  if (at == std::wstring::npos) return text;
  return text.substr(0, at) + with + text.substr(at + what.size());
}

}  // namespace

int OsClassOf(unsigned platformId, unsigned major, unsigned minor) {
  if (platformId != VER_PLATFORM_WIN32_NT) return -1;
  if (major < 5) return 0;
  if (major == 5) return minor == 0 ? 1 : 5;
  if (major == 6) {
    switch (minor) {
      case 0: return 6;
      case 1: return 7;
      case 2: return 8;
      case 3: return 9;
      default: return 10;
    }
  }
  return 10;
}

int GetOsClass() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&version)) return -1;
#pragma GCC diagnostic pop
  return OsClassOf(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}

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
  AppSettings.winPeState = StartsWithNoCase(systemDir, L"X:\\") ? 1 : 0;
  systemDir = AddTrailingSlash(systemDir);
  // A 32-bit process on 64-bit Windows sees the 32-bit system folder, which has no bcdedit.exe;
  // SysNative reaches the native one.
  if (runner.isWow64) systemDir = ReplaceNoCase(systemDir, L"\\system32\\", L"\\SysNative\\");

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

void MarkHiddenSystem(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

void WriteSettingInt(const std::wstring& section, const std::wstring& key, int value) {
  MarkHiddenSystem(AppSettings.settingsFile);
  WritePrivateProfileStringW(section.c_str(), key.c_str(), win::Format(L"%d", value).c_str(),
                             AppSettings.settingsFile.c_str());
  MarkHiddenSystem(AppSettings.settingsFile);
}
