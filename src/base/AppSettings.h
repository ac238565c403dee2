// The one process-wide record of settings and environment facts, filled at start-up.
#pragma once
#include <windows.h>

#include <string>

#include "base/SettingsFile.h"
#include "resource.h"

struct AppSettingsRecord {
  // The stored settings start at their defaults in kStoredSettings below.
  AppSettingsRecord();

  std::wstring appTitle;
  std::wstring settingsFile;
  std::wstring languageCode;
  std::wstring languageFile;
  // The help file F1 opens (see ChooseHelpFile); empty or missing: the online help.
  std::wstring helpFile;
  std::wstring pluginsFile;
  std::wstring bootIniPath;
  std::wstring storeKeyName;
  int osClass = 0;
  bool bcdSystem = false;
  bool ntldrPresent = false;
  bool toolsAvailable = false;
  int bcdTimeout = -1;
  int bootIniTimeout = 0;
  int winPeState = -1;
  bool showWindow = true;
  int showBalloon;
  int startPage;
  bool autoStart = false;
  int autoReBoot;
  int enableDelMode;
  int bcdDelMode;
  int bcdNtldrAsk;
  int changeNtldrName;
  int mbrUseSysMode;
  int debugMode;
  std::wstring currentSystemName;
  DWORD fileVersionMS = 0;
  DWORD fileVersionLS = 0;
  // Background of the program's dialogs on systems before Vista (CLR_INVALID: the system's).
  COLORREF dialogBackground = CLR_INVALID;
};

// One integer setting of section "Tavro": the key it is stored under, the field that holds it while
// the program runs, and its value while the file lacks the key. The config dialog shows a row with
// a check box (checked while the setting is not 0, or while it is 0 for a box that says "don't").
struct StoredSettingRow {
  const wchar_t* key;
  int AppSettingsRecord::*field;
  int fallback;
  int configBox = 0;
  bool boxSaysNot = false;
};
// Start-up reads every row; the config dialog writes its boxes in this order, then the language.
inline constexpr StoredSettingRow kStoredSettings[] = {
    {kKeyShowBalloon, &AppSettingsRecord::showBalloon, 1},
    {kKeyStartPage, &AppSettingsRecord::startPage, 1},
    {kKeyEnableDelMode, &AppSettingsRecord::enableDelMode, 0, IDC_CONFIG_DELETE_MODE},
    {kKeyAutoReBoot, &AppSettingsRecord::autoReBoot, 0, IDC_CONFIG_ASK_REBOOT},
    {kKeyBcdDelMode, &AppSettingsRecord::bcdDelMode, 1, IDC_CONFIG_BCD_DELETE},
    {kKeyBcdNtldrAsk, &AppSettingsRecord::bcdNtldrAsk, 1, IDC_CONFIG_BCD_NTLDR_ASK},
    {kKeyChangeNtldrName, &AppSettingsRecord::changeNtldrName, 1, IDC_CONFIG_KEEP_NTLDR_NAME, true},
    {kKeyMbrUseSysMode, &AppSettingsRecord::mbrUseSysMode, 0},
    {kKeyDebug, &AppSettingsRecord::debugMode, 0},
};

inline AppSettingsRecord::AppSettingsRecord() {
  for (const StoredSettingRow& row : kStoredSettings) this->*row.field = row.fallback;
}

// Every Part reads and a few write this one record; tests reset it with `AppSettings = {};`.
inline AppSettingsRecord AppSettings;
