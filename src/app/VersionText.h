// The main window's current-system line and the about page's version line; the main window's
// version line and the tray tip are composed in core/VersionText.h.
#pragma once
#include <windows.h>

#include <string>

#include "core/VersionText.h"

// "2.4 Beta ( Build 2021.0625 )" for file version 2.4.2021.625: the about page's line.
std::wstring AboutVersionText(DWORD fileVersionMS, DWORD fileVersionLS);

struct SystemLine {
  std::wstring line;    // what the current-system static shows
  std::wstring detail;  // its tooltip
};
// The running Windows as the main window describes it; also sets AppSettings.currentSystemName.
SystemLine DescribeRunningSystem();
