// The program's picture of the boot menu: every entry read, the boot manager, the running system
// and the menu order. Reading, parsing and assembly are spread over several .cpp files.
#pragma once
#include <string>
#include <vector>

#include "core/BootEntry.h"

struct ToolResult;

// How reading the boot manager went. A store file without a menu is of no use here: it was let go
// and the system store read in its place, which the user must be told.
enum class ManagerLoad { kRead, kStoreFileWithoutMenu };

class EntryList {
 public:
  EntryList();
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
  BootEntry scratch;  // parse buffer, reset before each use
  BootEntry currentOs;
  int legacyRow = -1;
  int ntldrIndex = -1;
  int bootIniExpanded = 0;
  std::wstring iniDefault;
  int registryMode = 0;  // 1 = boot manager and unknown objects come from the mounted hive

  // Every member back to its reset state (arrays empty).
  void ResetAll();
  // Index in entries of an identifier ("{...}" only; aliases mapped; case-insensitive), or -1.
  int IndexOf(const std::wstring& identifier) const;

  // Listing parser.
  std::wstring RunEnum(const std::wstring& identifier);
  void EnumerateOne(BootEntry* record, const std::wstring& identifier);
  // A null record means scratch; isBootManager always parses into bootManager.
  void ParseSection(BootEntry* record, const std::wstring& text, bool isBootManager);
  void EnumerateLoaders();
  ManagerLoad LoadBootManager();
  void NoteDeviceOption(const std::wstring& identifier);

  // Registry view of the mounted store.
  void ReadManagerFromHive();
  void ReadTimeoutFromHive();

  // boot.ini.
  int DetectLegacyLoader();
  void LoadBootIni();

  // Assembly.
  // False when the tool was not found: the menu was read from the registry where it could be.
  bool InitialLoad();
  ManagerLoad Reload(int full);
  ManagerLoad BuildFromStore(int full);
  int LegacyEntryMissing();
  void Clear();

  // Display-order writer: "default", "DEL" or "addtolist"; does nothing without the tool. The run,
  // not started when nothing was issued; the default changes only when the tool did it.
  ToolResult WriteOrder(const std::wstring& operation, const std::wstring& identifier);
};
