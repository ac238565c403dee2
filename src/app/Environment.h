// The OS class of the running Windows, read once at start-up into the settings record.
#pragma once

// OS class of the running Windows: -1 not NT, 0 before 2000, 1 Windows 2000, 5 XP/2003,
// 6 Vista, 7, 8, 9 for 6.0-6.3, 10 for anything later.
int GetOsClass();
// OS class of a version as the platform reports it (platform id 2 is the NT family).
int OsClassOf(unsigned platformId, unsigned major, unsigned minor);
