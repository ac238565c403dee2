// Reset, copy and path access of a boot entry record.
#include "core/BootEntry.h"

#include "core/Strings.h"

void BootEntry::Reset() { *this = BootEntry(); }

void BootEntry::ResetBootManager() {
  Reset();
  identifier = kBootMgrGuid;
  description = kBootManagerName;
  sourceKind = kSourceStore;
  timeout = -1;
  elements[T16("path")] = T16("");
}

BootEntry BootEntry::Copy() const {
  BootEntry copy = *this;
  copy.defaultId.clear();
  copy.displayorder.clear();
  copy.toolsdisplayorder.clear();
  copy.displaybootmenu.clear();
  copy.timeout = 0;
  return copy;
}

core::String BootEntry::GetPath() const {
  auto found = elements.find(T16("path"));
  return found == elements.end() ? core::String() : found->second;
}

const core::String& BootEntry::SetPath(const core::String& value) { return elements[T16("path")] = value; }

core::String KindLabel(int sourceKind) {
  switch (sourceKind) {
    case kSourceRunningSystem:
      return T16("OSLOAD");
    case kSourceStore:
      return T16("BCD Entry");
    case kSourceBootIni:
      return T16("Boot.ini");
    default:
      return T16("Others");
  }
}
