// Assembling the boot menu: the first load of the boot manager and the running system, and every
// rebuild of the entries in menu order (store display order first, then the boot.ini lines).
#include <windows.h>

#include <unordered_map>

#include "base/AppSettings.h"
#include "store/ToolSetup.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "store/HiveView.h"
#include "base/Strings.h"
#include "core/Portable.h"

namespace {

// From the first use of the list on, every machine is treated as one that may hold a store.
void ForceBcdSystem() { AppSettings.bcdSystem = true; }

// An identifier in the form two spellings share exactly when they compare equal ignoring case,
// unit by unit as base::EqualsNoCase compares them.
std::wstring FoldedIdentifier(const std::wstring& identifier) {
  std::wstring folded = identifier;
  for (wchar_t& unit : folded) unit = core::UpperCaseUnit(unit);
  return folded;
}

std::wstring WindowsDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
  return length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace

bool EntryList::InitialLoad() {
  currentOs.loadState = AppSettings.osClass;
  currentOs.sourceKind = kSourceRunningSystem;
  currentOs.description = AppSettings.currentSystemName;
  currentOs.SetPath(WindowsDirectory());
  ForceBcdSystem();
  const bool tools = EnsureTools();
  if (tools) {
    EnumerateOne(nullptr, kBootMgrAlias);
    if (AppSettings.osClass > 5) EnumerateOne(&currentOs, kCurrentAlias);
  } else {
    registryMode = 1;
    registryMode = FindSystemStoreKey() ? 1 : 0;
    if (registryMode == 1) ReadManagerFromHive();
  }
  DetectLegacyLoader();
  return tools;
}

ManagerLoad EntryList::Reload(int full) {
  if (full) entries.clear();
  displayIndex.clear();
  ManagerLoad load = AppSettings.bcdSystem ? BuildFromStore(full) : ManagerLoad::kRead;
  if (Runner().storeFile.empty() && AppSettings.ntldrPresent) LoadBootIni();
  return load;
}

ManagerLoad EntryList::BuildFromStore(int full) {
  ForceBcdSystem();
  if (full || entries.empty()) EnumerateLoaders();
  // The hive shortcut describes the system store only.
  if (!Runner().storeFile.empty()) registryMode = 0;
  ntldrIndex = -1;
  ManagerLoad load = bootManager.displayorder.empty() ? LoadBootManager() : ManagerLoad::kRead;

  // Looked up by identifier once per menu line: a scan of every entry for each line made a menu of
  // a thousand loaders half a million comparisons. The first entry of a spelling is the one found.
  std::unordered_map<std::wstring, int> indexOf;
  indexOf.reserve(entries.size() * 2);
  for (size_t i = 0; i < entries.size(); ++i)
    indexOf.emplace(FoldedIdentifier(entries[i].identifier), static_cast<int>(i));

  std::wstring order = bootManager.displayorder + L"\n";
  size_t start = 0;
  for (size_t end; (end = order.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    std::wstring identifier = base::TrimText(order.substr(start, end - start));
    if (identifier.empty()) continue;
    scratch.Reset();
    scratch.identifier = identifier;

    auto known = indexOf.find(FoldedIdentifier(identifier));
    int found = known == indexOf.end() ? -1 : known->second;
    BootEntry& record = found >= 0 ? entries[found] : scratch;
    record.deleteMark = 0;
    record.sourceKind = kSourceStore;
    record.loadState = kLoadFromDisplayOrder;

    if (found >= 0) {
      if (entries[found].identifier == kNtldrGuid) ntldrIndex = found;
      displayIndex.push_back(found);
      continue;
    }
    if (registryMode == 1)
      ReadObjectFromHive(scratch);
    else
      EnumerateOne(&scratch, identifier);
    int index = static_cast<int>(entries.size());
    entries.push_back(scratch.Copy());
    // The record read may name itself otherwise than the menu line did (or not at all). Both names
    // find it again: a repeat of the line is never asked for again, which a damaged display order
    // of a hundred thousand repeats would otherwise turn into as many copies of the tool's answer.
    indexOf.emplace(FoldedIdentifier(entries.back().identifier), index);
    indexOf.emplace(FoldedIdentifier(identifier), index);
    displayIndex.push_back(index);
    if (scratch.identifier == kNtldrGuid) ntldrIndex = index;
  }
  return load;
}

int EntryList::LegacyEntryMissing() {
  scratch.Reset();
  EnumerateOne(&scratch, kNtldrAlias);
  int missing = scratch.GetPath().empty() || scratch.device.empty() ? 1 : 0;
  scratch.Reset();
  return missing;
}

void EntryList::Clear() {
  deviceOptionIds.clear();
  displayIndex.clear();
  entries.clear();
}
