// Construction, reset and look-up of the entry list.
#include "store/EntryList.h"

#include "base/Strings.h"
#include "store/StoreListing.h"

EntryList::EntryList() { ResetAll(); }

EntryList::~EntryList() = default;

void EntryList::ResetAll() {
  entries.clear();
  otherObjects.clear();
  wholeStoreRead = false;
  deviceOptionIds.clear();
  displayIndex.clear();
  bootManager.ResetBootManager();
  scratch.Reset();
  currentOs.Reset();
  legacyRow = -1;
  ntldrIndex = -1;
  bootIniExpanded = 0;
  iniDefault.clear();
  registryMode = 0;
  heldListing.reset();
}

int EntryList::IndexOf(const std::wstring& identifier) const {
  if (identifier.size() < 2 || identifier.front() != L'{' || identifier.back() != L'}') return -1;
  std::wstring wanted = identifier;
  if (base::EqualsNoCase(wanted, kRamdiskOptionsAlias)) wanted = kRamdiskOptionsGuid;
  if (base::EqualsNoCase(wanted, kBootMgrAlias)) wanted = kBootMgrGuid;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (base::EqualsNoCase(entries[i].identifier, wanted)) return static_cast<int>(i);
  }
  return -1;
}
