// Filling the ramdisk-options drop-down from the entry list.
#include "editing/DeviceOptionsCombo.h"

#include "store/EntryList.h"
#include "win/Controls.h"

void FillDeviceOptionsCombo(HWND combo, const EntryList& list) {
  win::ComboClear(combo);
  for (const std::wstring& identifier : list.deviceOptionIds) win::ComboAdd(combo, identifier);
}
