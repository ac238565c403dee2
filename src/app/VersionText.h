// The main window's current-system line; its version line and the tray tip are composed in
// core/VersionText.h.
#pragma once
#include <windows.h>

#include <string>

#include "core/VersionText.h"

struct SystemLine {
  std::wstring line;    // what the current-system static shows
  std::wstring detail;  // its tooltip
};
// The running Windows as the main window describes it; also sets AppSettings.currentSystemName.
SystemLine DescribeRunningSystem();
