// The firmware's boot menu in the system store: read in one listing, changed through the runner
// (so the safety net and the record of changes cover it like any other change). A store file has
// no firmware behind it: nothing here reads or writes one.
#pragma once
#include <string>
#include <vector>

#include "core/FirmwareMenu.h"
#include "store/BcdEditRunner.h"

struct FirmwareRead {
  FirmwareMenu menu;
  ToolResult run;  // the listing's run: its text says why when the menu could not be read
  // The boot managers' listing, run when the firmware's menu was there: the copies of Windows'
  // boot manager on no order are in menu.offOrder only when it succeeded.
  ToolResult managers;
};
FirmwareRead ReadFirmwareMenu();
// The firmware starts identifiers once, at the next restart; none deletes the sequence. Identifiers
// that would not be one braced argument each are refused (Runner().lastRefusal), nothing sent.
ToolResult SetFirmwareBootSequence(const std::vector<std::wstring>& identifiers);
// The firmware's order becomes exactly identifiers (never empty: the firmware would have nothing).
ToolResult WriteFirmwareOrder(const std::vector<std::wstring>& identifiers);
// Whether a device text of the listing ("partition=E:", "partition=\Device\HarddiskVolume7")
// names a volume on removable media.
bool DeviceIsRemovable(const std::wstring& device);
