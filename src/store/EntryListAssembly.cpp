// Assembling the boot menu: the first load of the store and the running system, and every
// rebuild of the entries in menu order (store display order first, then the boot.ini lines).
#include <windows.h>

#include <unordered_map>
#include <unordered_set>

#include "base/AppSettings.h"
#include "store/ToolSetup.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "store/HiveView.h"
#include "store/StoreListing.h"
#include "base/Strings.h"

namespace {

// From the first use of the list on, every machine is treated as one that may hold a store.
void ForceBcdSystem() { AppSettings.bcdSystem = true; }

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
    auto listing = std::make_unique<StoreListing>(ReadStoreListing());
    if (AppSettings.osClass > 5) ReadRunningSystem(*listing);
    TakeBootManager(*listing);
    // Held even when it failed: the first rebuild then tells the tool's words instead of asking again.
    heldListing = std::move(listing);
  } else {
    registryMode = 1;
    registryMode = FindSystemStoreKey() ? 1 : 0;
    if (registryMode == 1) ReadManagerFromHive();
  }
  DetectLegacyLoader();
  return tools;
}

StoreRead EntryList::Reload(int full) {
  StoreRead read;
  if (AppSettings.bcdSystem) {
    read = BuildFromStore(full);
  } else {
    if (full) entries.clear();
    displayIndex.clear();
  }
  if (Runner().storeFile.empty() && AppSettings.ntldrPresent) LoadBootIni();
  return read;
}

StoreRead EntryList::BuildFromStore(int full) {
  ForceBcdSystem();
  // A full rebuild reads the store as it is now; any other takes the listing the boot manager
  // was just read with, if it is of the store in use.
  std::unique_ptr<StoreListing> listing = std::move(heldListing);
  if (full || (listing && listing->storeFile != Runner().storeFile)) listing.reset();
  StoreRead read;
  const bool loaders = full || entries.empty();
  const bool manager = full || bootManager.displayorder.empty();
  if ((loaders || manager) && EnsureTools()) {
    if (!listing) listing = std::make_unique<StoreListing>(ReadStoreListing());
    if (manager) read = TakeBootManager(*listing);
    // A failed listing is no data: the menu is built again from what the list already holds.
    if (!listing->Succeeded()) read.failed = listing->run;
    else if (loaders) TakeLoaders(*listing);
    if (listing->Succeeded()) TakeOtherObjects(*listing);
  } else {
    if (full) entries.clear();
    if (manager && !AppSettings.toolsAvailable) ReadManagerFromHive();
  }
  // The hive shortcut describes the system store only.
  if (!Runner().storeFile.empty()) registryMode = 0;
  ntldrIndex = -1;
  displayIndex.clear();

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
      ReadMenuObject(scratch, identifier, listing.get());
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
  return read;
}

int EntryList::LegacyEntryMissing() {
  scratch.Reset();
  EnumerateOne(&scratch, kNtldrAlias);
  int missing = scratch.GetPath().empty() || scratch.device.empty() ? 1 : 0;
  scratch.Reset();
  return missing;
}

void EntryList::Clear() {
  heldListing.reset();
  deviceOptionIds.clear();
  displayIndex.clear();
  entries.clear();
}

void EntryList::TakeOtherObjects(const StoreListing& listing) {
  std::unordered_set<std::wstring> listed;
  listed.reserve(entries.size() + 1);
  for (const BootEntry& entry : entries) listed.insert(FoldedIdentifier(entry.identifier));
  listed.insert(FoldedIdentifier(kBootMgrGuid));
  otherObjects.clear();
  for (const ListedObject& object : listing.objects) {
    // The loaders are parsed once, into the entries.
    if (listed.count(FoldedIdentifier(object.identifier))) continue;
    BootEntry record;
    ParseListingSection(record, object.text, false);
    if (record.identifier.empty()) record.identifier = object.identifier;
    otherObjects.push_back(std::move(record));
  }
  wholeStoreRead = true;
}
