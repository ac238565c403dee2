// The texts of the main window's version line, its current-system line and the tray tip, and the
// about page's version line, built from plain values so they can be checked without a window.
#pragma once
#include <windows.h>

#include <string>

// "Version : 2.4  Build 2021.0625 ( Beta for Test )" for file version 2.4.2021.625.
std::wstring VersionText(DWORD fileVersionMS, DWORD fileVersionLS);
// "2.4 Beta ( Build 2021.0625 )" for the same version: the about page's line.
std::wstring AboutVersionText(DWORD fileVersionMS, DWORD fileVersionLS);

struct SystemLine {
  std::wstring line;    // what the current-system static shows
  std::wstring detail;  // its tooltip
};
// The running Windows as the main window describes it; also sets AppSettings.currentSystemName.
SystemLine DescribeRunningSystem();

// The tray tip (and balloon text): title, line and detail as far as the shell's limit allows
// (128 characters with balloons, 64 without).
std::wstring TrayTipText(const std::wstring& appTitle, const std::wstring& line, const std::wstring& detail,
                         bool balloonCapable);
