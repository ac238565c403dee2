// The OS class of the running Windows.
#include "app/Environment.h"

#include <windows.h>

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
