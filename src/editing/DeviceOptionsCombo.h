// The ramdisk-options drop-down of the entry pages and the ramdisk options dialog.
#pragma once
#include <windows.h>

class EntryList;

// Empties combo, then adds the list's device-options identifiers in their order.
void FillDeviceOptionsCombo(HWND combo, const EntryList& list);
