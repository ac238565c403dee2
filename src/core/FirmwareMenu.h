// The UEFI firmware's own boot menu as the store holds it: the firmware boot manager {fwbootmgr}
// (its display order, its one-time boot sequence, its timeout) and the firmware applications it
// names, read from one listing of the tool, and the commands that change it.
#pragma once
#include <vector>

#include "core/Portable.h"

inline constexpr core::Char kFwBootMgrAlias[] = T16("{fwbootmgr}");
inline constexpr core::Char kFwBootMgrGuid[] = T16("{a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}");

// What an entry starts, as far as its listing tells; the order is the order of the kind texts.
enum class FirmwareKind {
  kWindowsBootManager,
  kOtherSystem,  // another system's loader: a path under \EFI\ ("ubuntu", a Linux shim or GRUB)
  kRemovable,    // USB sticks, CD and DVD drives
  kNetwork,      // PXE and HTTP boot: the firmware starts them from the network card
  kOther,
};

struct FirmwareEntry {
  core::String identifier;  // as the display order names it
  core::String description;
  core::String device;
  core::String path;
  bool bootManager = false;  // Windows' own boot manager, {bootmgr}
  bool listed = false;       // its section was in the listing (else only the order named it)
  bool onOrder = true;       // false: in the store, but on no firmware order (it starts only once put back)
  FirmwareKind kind = FirmwareKind::kOther;
};

struct FirmwareMenu {
  // The listing held the firmware boot manager: false on a BIOS machine (the tool then lists
  // nothing, or says the entry does not exist) and when the listing could not be read.
  bool present = false;
  std::vector<FirmwareEntry> entries;      // in the firmware's order, duplicates as they are
  std::vector<FirmwareEntry> offOrder;     // the store's firmware entries that no order names
  std::vector<core::String> bootSequence;  // what starts once at the next restart
  int timeout = -1;                        // seconds; -1 when the firmware has none stored
};

// Reads the firmware boot manager and the objects of its display order out of the tool's listing
// of the firmware objects (verbose or not, its key "identifier" translated or not). volumeIsRemovable,
// when given, says whether a device text names a removable volume.
FirmwareMenu ParseFirmwareListing(const core::String& text, bool (*volumeIsRemovable)(const core::String& device) = nullptr);
FirmwareKind KindOfFirmwareEntry(const FirmwareEntry& entry, bool removableVolume);
// True when identifier names Windows' boot manager or the firmware's (alias or GUID).
bool IsBootManagerId(const core::String& identifier);
bool IsFirmwareBootManagerId(const core::String& identifier);
// True when the menu names identifier in its boot sequence.
bool StartsOnce(const FirmwareMenu& menu, const core::String& identifier);
// Adds to menu.offOrder the copies of Windows' boot manager that a listing of the boot managers
// holds and the firmware's order does not name: the firmware listing leaves out such a copy until
// it is on the order again.
void AddOffOrderBootManagers(FirmwareMenu& menu, const core::String& listing,
                             bool (*volumeIsRemovable)(const core::String& device) = nullptr);
// The entry of identifier, on the order or off it; null when the menu has none.
const FirmwareEntry* FindFirmwareEntry(const FirmwareMenu& menu, const core::String& identifier);
// A loader the firmware can start: an .efi file named from its partition's root ("\EFI\debian\shimx64.efi").
bool IsEfiLoaderPath(const core::String& path);
// file ("S:\EFI\debian\grubx64.efi") as a path from root ("S:\"): "\EFI\debian\grubx64.efi";
// empty when file does not lie below root.
core::String PathBelowRoot(const core::String& file, const core::String& root);

core::String FirmwareListingArgs();
core::String FirmwareBootSequenceArgs(const std::vector<core::String>& identifiers);
core::String FirmwareClearBootSequenceArgs();
core::String FirmwareDisplayOrderArgs(const std::vector<core::String>& identifiers);
core::String FirmwareManagersListingArgs();
// A new entry of the firmware's menu starts as a copy of Windows' boot manager, then gets its own loader.
core::String FirmwareCopyArgs(const core::String& description);
core::String FirmwarePathArgs(const core::String& identifier, const core::String& path);
core::String FirmwareRenameArgs(const core::String& identifier, const core::String& description);
core::String FirmwareAddLastArgs(const core::String& identifier);
core::String FirmwareRemoveArgs(const core::String& identifier);
core::String FirmwareDeleteArgs(const core::String& identifier);
core::String FirmwareTimeoutArgs(int seconds);
