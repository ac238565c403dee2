// Probes of the machine the program runs on, and the small settings-file writers, used from
// start-up onwards by the store code and the pages.
#pragma once
#include <string>

// OS class of the running Windows: -1 not NT, 0 before 2000, 1 Windows 2000, 5 XP/2003,
// 6 Vista, 7, 8, 9 for 6.0-6.3, 10 for anything later.
int GetOsClass();
// OS class of a version as the platform reports it (platform id 2 is the NT family).
int OsClassOf(unsigned platformId, unsigned major, unsigned minor);

// Makes sure bcdedit.exe (and bootsect.exe) are in the tool folder, copying them from the
// system folder when missing; returns (and sets) AppSettings.toolsAvailable.
bool EnsureTools();
// Finds the HKLM key the system store is mounted under; sets AppSettings.storeKeyName.
bool FindSystemStoreKey();

// Writes an integer setting into the settings file (hidden and system before and after).
void WriteSettingInt(const std::wstring& section, const std::wstring& key, int value);
// Sets a file's attributes to exactly hidden + system (clearing read-only); a missing file is left alone.
void MarkHiddenSystem(const std::wstring& path);
