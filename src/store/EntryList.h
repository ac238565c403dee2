// The program's picture of the boot menu: every entry read, the boot manager, the running system
// and the menu order. Reading, parsing and assembly are spread over several .cpp files.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/BootEntry.h"
#include "store/BcdEditRunner.h"

struct StoreListing;

// How reading the boot manager went. A store file without a menu is of no use here: it was let go
// and the system store read in its place, which the user must be told.
enum class ManagerLoad { kRead, kStoreFileWithoutMenu };

// How reading the store went, and the listing run that did not succeed, if one did not: then the
// list stays as it was and the user is shown the tool's own words.
struct StoreRead {
  ManagerLoad load = ManagerLoad::kRead;
  std::optional<ToolResult> failed;
};

class EntryList {
 public:
  EntryList();
  ~EntryList();
  EntryList(const EntryList&) = delete;
  EntryList& operator=(const EntryList&) = delete;

  // Loader objects first (listing order, then display-order objects), then boot.ini lines.
  std::vector<BootEntry> entries;
  // Distinct device-options identifiers named in loader devices ("{ramdiskoptions}" for the
  // well-known one).
  std::vector<std::wstring> deviceOptionIds;
  // Indexes into entries in menu order; rebuild whenever entries is reordered or shrinks.
  std::vector<int> displayIndex;
  BootEntry bootManager;
  // The store's objects that are no menu entry (resume objects, device options, inherit sets,
  // firmware applications...), as the last full listing gave them.
  std::vector<BootEntry> otherObjects;
  // True once otherObjects came from a listing of the whole store (not from the registry view,
  // which reads only what the menu names).
  bool wholeStoreRead = false;
  BootEntry scratch;  // parse buffer, reset before each use
  BootEntry currentOs;
  int legacyRow = -1;
  int ntldrIndex = -1;
  int bootIniExpanded = 0;
  std::wstring iniDefault;
  int registryMode = 0;  // 1 = boot manager and unknown objects come from the mounted hive
  // The title this machine's bcdedit gives a Windows Boot Loader, once the running system's own
  // listing has told it; empty until then.
  std::wstring loaderTitle;
  // The last full listing of the store, kept from the read of the boot manager for the rebuild
  // that follows it: the menu objects that are no loaders come from here instead of a tool run
  // each. That rebuild takes it; another read of the boot manager replaces or drops it.
  std::unique_ptr<StoreListing> heldListing;

  // Every member back to its reset state (arrays empty).
  void ResetAll();
  // Index in entries of an identifier ("{...}" only; aliases mapped; case-insensitive), or -1.
  int IndexOf(const std::wstring& identifier) const;

  // Listing parser.
  std::wstring RunEnum(const std::wstring& identifier);
  void EnumerateOne(BootEntry* record, const std::wstring& identifier);
  // A null record means scratch; isBootManager always parses into bootManager.
  void ParseSection(BootEntry* record, const std::wstring& text, bool isBootManager);
  void NoteDeviceOption(const std::wstring& identifier);

  // The whole store in one listing (StoreReading.cpp).
  // Reads the boot manager, with the rest of the store held for the rebuild that follows; a store
  // file without a menu is let go for the system store. Without the tool, from the hive.
  StoreRead LoadBootManager();
  // The boot manager from listing; for a store file that gives no menu, from the system store's
  // listing, which then replaces listing. A listing of the system store that did not succeed
  // changes nothing.
  StoreRead TakeBootManager(StoreListing& listing);
  // The list's loaders become the Windows Boot Loaders of listing, in its order.
  void TakeLoaders(const StoreListing& listing);
  // otherObjects become the objects of listing that are neither loaders of the list nor the boot
  // manager.
  void TakeOtherObjects(const StoreListing& listing);
  // The running system from listing where the tool names it {current} there, else from a
  // listing of its own; that one also tells the title of every loader.
  void ReadRunningSystem(const StoreListing& listing);
  // A menu object that is no loader, into record: from listing, or, without one, from a run of its own.
  void ReadMenuObject(BootEntry& record, const std::wstring& identifier, const StoreListing* listing);

  // Registry view of the mounted store.
  void ReadManagerFromHive();
  void ReadTimeoutFromHive();

  // boot.ini.
  int DetectLegacyLoader();
  void LoadBootIni();

  // Assembly.
  // False when the tool was not found: the menu was read from the registry where it could be.
  // With the tool: the whole store and the running system, in two runs at most.
  bool InitialLoad();
  // The rows' order rebuilt; full: everything read again from the store in one listing. After a
  // failed listing the list is as it was.
  StoreRead Reload(int full);
  StoreRead BuildFromStore(int full);
  int LegacyEntryMissing();
  void Clear();

  // Display-order writer: "default", "DEL" or "addtolist"; does nothing without the tool. The run,
  // not started when nothing was issued; the default changes only when the tool did it.
  ToolResult WriteOrder(const std::wstring& operation, const std::wstring& identifier);
};
