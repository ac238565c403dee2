// Settings-file writers.
#include "base/SettingsFile.h"

#include <windows.h>

#include "base/AppSettings.h"
#include "base/Format.h"

void MarkHiddenSystem(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

bool WriteSettingInt(const std::wstring& section, const std::wstring& key, int value) {
  MarkHiddenSystem(AppSettings.settingsFile);
  bool written = WritePrivateProfileStringW(section.c_str(), key.c_str(), base::Format(L"%d", value).c_str(),
                                            AppSettings.settingsFile.c_str()) != FALSE;
  MarkHiddenSystem(AppSettings.settingsFile);
  return written;
}

bool StoreSetting(int AppSettingsRecord::*field, int value) {
  AppSettings.*field = value;
  for (const StoredSettingRow& row : kStoredSettings) {
    if (row.field == field) return WriteSettingInt(kSettingsSection, row.key, value);
  }
  return false;  // a field without a row is no stored setting
}
