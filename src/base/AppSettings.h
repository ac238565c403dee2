// The one process-wide record of settings and environment facts, filled at start-up.
#pragma once
#include <windows.h>

#include <string>

struct AppSettingsRecord {
  std::wstring appTitle;
  std::wstring settingsFile;
  std::wstring languageCode;
  std::wstring languageFile;
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
  int showBalloon = 1;
  int startPage = 1;
  bool autoStart = false;
  int autoReBoot = 0;
  int enableDelMode = 0;
  int bcdDelMode = 1;
  int bcdNtldrAsk = 1;
  int changeNtldrName = 1;
  int mbrUseSysMode = 0;
  int debugMode = 0;
  std::wstring currentSystemName;
  DWORD fileVersionMS = 0;
  DWORD fileVersionLS = 0;
  // Background of the program's dialogs on systems before Vista (CLR_INVALID: the system's).
  COLORREF dialogBackground = CLR_INVALID;
};

// Every Part reads and a few write this one record; tests reset it with `AppSettings = {};`.
inline AppSettingsRecord AppSettings;
