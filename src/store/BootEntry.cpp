// Reset, copy and path access of a boot entry record.
#include "store/BootEntry.h"

#include "base/Strings.h"

void BootEntry::Reset() { *this = BootEntry(); }

void BootEntry::ResetBootManager() {
  Reset();
  identifier = kBootMgrGuid;
  description = kBootManagerName;
  sourceKind = kSourceStore;
  timeout = -1;
  elements[L"path"] = L"";
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

std::wstring BootEntry::GetPath() const {
  auto found = elements.find(L"path");
  return found == elements.end() ? std::wstring() : found->second;
}

const std::wstring& BootEntry::SetPath(const std::wstring& value) { return elements[L"path"] = value; }

std::wstring KindLabel(int sourceKind) {
  switch (sourceKind) {
    case kSourceRunningSystem:
      return L"OSLOAD";
    case kSourceStore:
      return L"BCD Entry";
    case kSourceBootIni:
      return L"Boot.ini";
    default:
      return L"Others";
  }
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return base::EqualsNoCase(a, b);
}
