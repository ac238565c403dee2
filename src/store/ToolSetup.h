// Start-up checks of the store layer: the tools in the program's tool folder and the registry key
// of the mounted system store.
#pragma once

// Makes sure bcdedit.exe (and bootsect.exe) are in the tool folder, copying them from the
// system folder when missing; returns (and sets) AppSettings.toolsAvailable.
bool EnsureTools();
// Finds the HKLM key the system store is mounted under; sets AppSettings.storeKeyName.
bool FindSystemStoreKey();
