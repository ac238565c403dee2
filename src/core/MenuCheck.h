// The boot menu check: what a store's objects and boot.ini say that cannot work (a device that is
// gone, a file that is missing, a menu line naming no object, a loader no menu reaches, two
// entries starting the same thing), worked out from one full listing without running anything.
// What only the machine can answer (does this volume, this file exist) is asked of a probe.
#pragma once
#include <vector>

#include "core/BootEntry.h"
#include "core/BootIniLine.h"

enum class Presence { kPresent, kMissing, kCannotCheck };

class MachineProbe {
 public:
  virtual ~MachineProbe() = default;
  // A volume as the tool names it after "partition=" or inside "[...]": "C:", "boot",
  // "\Device\HarddiskVolume3".
  virtual Presence Volume(const core::String& volume) const = 0;
  // A file given by its path on such a volume ("\Windows\system32\winload.exe").
  virtual Presence File(const core::String& volume, const core::String& path) const = 0;
};

struct MenuCheckInput {
  // The menu's owner: {bootmgr} for the Windows menu, {fwbootmgr} for the firmware's.
  BootEntry manager;
  // Every other object of the store as the full listing gives it (loaders, resume objects, device
  // options, inherit sets, firmware applications...).
  std::vector<BootEntry> objects;
  // Only the Windows menu has loaders that should be on it.
  bool windowsMenu = true;
  // False where objects holds only what the menu names (read object by object): an identifier
  // that names none of them may then name an object never read, and is not said to name nothing.
  bool allObjectsKnown = true;
  // boot.ini, where the machine has one: its default= and its menu lines.
  bool bootIniPresent = false;
  core::String bootIniDrive;  // "C:", where boot.ini and ntldr live
  core::String bootIniDefault;
  std::vector<BootIniLine> bootIniLines;
};

enum class FindingKind {
  kDeviceUnknown,       // element: "device" or "osdevice"
  kVolumeMissing,       // element, detail: the volume
  kFileMissing,         // element: "path", "device" (a VHD or WIM), "ramdisksdipath"; detail: the file
  kFileUnchecked,       // as kFileMissing, where the volume is none this Windows can look into
  kReferenceMissing,    // identifier: the id named; owner, element: who names it where
  kNotOnMenu,           // a Windows loader that no menu reaches
  kDuplicate,           // detail: the identifier of the entry it repeats
  kBootIniDefaultMissing,  // detail: the default= value
  kBootIniLoaderMissing,   // identifier: the line's path; detail: the file
};

enum class FixKind {
  kNone,
  kDropReference,  // write owner's element without identifier (deleted when it was the only value)
  kAppendToMenu,   // the loader goes last on the menu
  kDeleteEntry,    // the dead entry leaves the store
};

struct Finding {
  FindingKind kind;
  FixKind fix = FixKind::kNone;
  core::String identifier;  // the entry concerned
  core::String name;        // its description; empty where no object has the identifier
  core::String element;
  core::String owner;
  core::String detail;
};

std::vector<Finding> CheckMenu(const MenuCheckInput& input, const MachineProbe& probe);

// The tool's commands that carry out the fixes of findings, each fix with its commands, in the order
// they are to run: references dropped first (a list is written again without the identifier, every
// other entry in its place, and a later fix of the same list starts from that), then loaders put
// back on the menu, then dead entries deleted (with /cleanup, which takes them off the menu).
// Findings without a fix have no place in the plan.
struct PlannedFix {
  Finding finding;
  std::vector<core::String> commands;
};
std::vector<PlannedFix> PlanFixes(const std::vector<Finding>& findings, MenuCheckInput input);

// The identifiers of a list element's value (one per line, as the parser joins them), in order.
std::vector<core::String> ListedIdentifiers(const core::String& value);
// The value a list element is written back with after a fix drops identifier from it: every
// other identifier in its place. Empty when nothing is left.
std::vector<core::String> WithoutIdentifier(const core::String& value, const core::String& identifier);
