// The ramdisk-options drop-down of the entry pages and the ramdisk options dialog.
#pragma once
#include <windows.h>

#include <string>

class EntryList;

// Empties combo, then adds the list's device-options identifiers in their order.
void FillDeviceOptionsCombo(HWND combo, const EntryList& list);
// Selects the item that is identifier (any case); one the combo lacks is added first, so an entry
// naming an unlisted object shows it and keeps it. An empty identifier leaves nothing selected.
// Returns the item's index, or -1.
int ShowDeviceOptions(HWND combo, const std::wstring& identifier);
