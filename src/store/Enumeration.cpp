// Reading objects of the store through bcdedit's verbose listing into the entry list's records.
#include "base/AppSettings.h"
#include "base/Strings.h"
#include "store/ToolSetup.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "core/ListingParser.h"
#include "store/StoreCommands.h"
#include "store/StoreListing.h"

std::wstring EntryList::RunEnum(const std::wstring& identifier) {
  // An identifier read from a listing that would not be one argument lists nothing.
  Runner().lastRefusal = IdentifierRefusal(identifier);
  if (Runner().lastRefusal != Refusal::kNone) return L"";
  return base::TrimLeft(Runner().Run(EnumArgs(identifier), 0));
}

void EntryList::EnumerateOne(BootEntry* record, const std::wstring& identifier) {
  if (!AppSettings.toolsAvailable) return;
  std::wstring argument = identifier;
  // Exact comparisons: "{BOOTMGR}" given with a record is read as an ordinary object.
  bool isBootManager = record == nullptr || identifier == bootManager.identifier || identifier == kBootMgrAlias;
  BootEntry* target = record;
  if (isBootManager) {
    argument = kBootMgrAlias;
    target = &bootManager;
    // The held listing belongs to the boot manager as it was read before.
    heldListing.reset();
  }
  std::wstring text = RunEnum(argument);
  target->rawText = text;
  if (!text.empty() && text != NOT_READ_TEXT) ParseSection(target, text, isBootManager);
}

void EntryList::ParseSection(BootEntry* record, const std::wstring& text, bool isBootManager) {
  BootEntry* target = isBootManager ? &bootManager : (record ? record : &scratch);
  ParseListingSection(*target, text, isBootManager);
}

void EntryList::NoteDeviceOption(const std::wstring& identifier) {
  std::wstring id = base::EqualsNoCase(identifier, kRamdiskOptionsGuid) ? std::wstring(kRamdiskOptionsAlias) : identifier;
  if (id.empty()) return;
  for (const auto& known : deviceOptionIds) {
    if (base::EqualsNoCase(known, id)) return;
  }
  deviceOptionIds.push_back(id);
}
