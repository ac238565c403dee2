// Reading the menu from one listing of the whole store: the boot manager, the loaders, the other
// menu objects and the running system, instead of one tool run per object. Falling back to the
// system store when a loaded file has no menu.
#include "base/AppSettings.h"
#include "base/Strings.h"
#include "core/Portable.h"
#include "store/EntryList.h"
#include "store/StoreCommands.h"
#include "store/StoreListing.h"

std::wstring FoldedIdentifier(const std::wstring& identifier) {
  std::wstring folded = identifier;
  for (wchar_t& unit : folded) unit = core::UpperCaseUnit(unit);
  return folded;
}

const ListedObject* StoreListing::Find(const std::wstring& identifier) const {
  auto found = byIdentifier_.find(FoldedIdentifier(identifier));
  return found == byIdentifier_.end() ? nullptr : &objects[found->second];
}

void StoreListing::Index() {
  byIdentifier_.clear();
  byIdentifier_.reserve(objects.size() * 2);
  // The first object of an identifier is the one found, as the menu finds the first record.
  for (size_t i = 0; i < objects.size(); ++i) byIdentifier_.emplace(FoldedIdentifier(objects[i].identifier), i);
}

StoreListing ReadStoreListing() {
  StoreListing listing;
  listing.storeFile = Runner().storeFile;
  listing.run = Runner().RunChecked(EnumArgs(L"all"), 0);
  // A failed run's words are the user's to read, never objects.
  if (!listing.run.Succeeded()) return listing;
  listing.objects = ListedObjects(base::TrimLeft(listing.run.text));
  listing.Index();
  return listing;
}

StoreRead EntryList::LoadBootManager() {
  heldListing.reset();
  if (!AppSettings.toolsAvailable) {
    ReadManagerFromHive();
    return {};
  }
  auto listing = std::make_unique<StoreListing>(ReadStoreListing());
  StoreRead read = TakeBootManager(*listing);
  if (!read.failed) heldListing = std::move(listing);
  return read;
}

StoreRead EntryList::TakeBootManager(StoreListing& listing) {
  auto managerOf = [](const StoreListing& from) {
    BootEntry manager;
    manager.ResetBootManager();
    // A store without a boot manager keeps what the tool said of it, as its listing.
    if (const ListedObject* found = from.Find(kBootMgrGuid)) ParseListingSection(manager, found->text, true);
    else manager.rawText = base::TrimText(from.run.text);
    return manager;
  };
  if (listing.Succeeded()) {
    BootEntry manager = managerOf(listing);
    if (!manager.displayorder.empty() || Runner().storeFile.empty()) {
      bootManager = std::move(manager);
      return {};
    }
  } else if (Runner().storeFile.empty()) {
    return {ManagerLoad::kRead, listing.run};
  }
  // A store file that gives no menu (it holds none, or the tool could not list it) is of no use
  // here: go back to the system store.
  Runner().storeFile.clear();
  listing = ReadStoreListing();
  StoreRead read{ManagerLoad::kStoreFileWithoutMenu};
  if (listing.Succeeded()) bootManager = managerOf(listing);
  else read.failed = listing.run;
  return read;
}

void EntryList::TakeLoaders(const StoreListing& listing) {
  entries.clear();
  for (size_t index : LoaderObjects(listing.objects, loaderTitle)) {
    const ListedObject& object = listing.objects[index];
    scratch.Reset();
    scratch.sourceKind = kSourceStore;
    ParseSection(&scratch, object.text, false);
    entries.push_back(scratch.Copy());
    for (const auto& identifier : DeviceOptionReferences(object.text)) NoteDeviceOption(identifier);
  }
}

void EntryList::ReadRunningSystem(const StoreListing& listing) {
  if (const ListedObject* named = listing.Find(kCurrentAlias)) {
    ParseSection(&currentOs, named->text, false);
    loaderTitle = named->title;
    return;
  }
  ToolResult run = Runner().RunChecked(EnumArgs(kCurrentAlias), 0);
  // Unread, the running system keeps the name it started with.
  if (!run.Succeeded()) return;
  std::wstring text = base::TrimLeft(run.text);
  ParseSection(&currentOs, text, false);
  std::wstring title = FirstTitle(text);
  if (!title.empty()) loaderTitle = title;
}

void EntryList::ReadMenuObject(BootEntry& record, const std::wstring& identifier, const StoreListing* listing) {
  if (!listing) {
    EnumerateOne(&record, identifier);
    return;
  }
  // After a failed listing nothing more is asked of the tool; the boot manager was read with the
  // listing, and an object the listing lacks is in no store.
  if (!listing->Succeeded() || identifier == bootManager.identifier || identifier == kBootMgrAlias) return;
  if (const ListedObject* object = listing->Find(identifier)) ParseSection(&record, object->text, false);
}
