// Filling the ramdisk-options drop-down from the entry list.
#include "editing/DeviceOptionsCombo.h"

#include "store/EntryList.h"
#include "win/Controls.h"

void FillDeviceOptionsCombo(HWND combo, const EntryList& list) {
  win::ComboClear(combo);
  for (const std::wstring& identifier : list.deviceOptionIds) win::ComboAdd(combo, identifier);
}

int ShowDeviceOptions(HWND combo, const std::wstring& identifier) {
  if (identifier.empty()) {
    win::ComboSelect(combo, -1);
    return -1;
  }
  int index = static_cast<int>(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(identifier.c_str())));
  if (index < 0) index = win::ComboAdd(combo, identifier);
  win::ComboSelect(combo, index);
  return index;
}
