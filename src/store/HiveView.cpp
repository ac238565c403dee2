// Reads of the mounted system store, and the boot manager's hive read of EntryList.
#include "store/HiveView.h"

#include <windows.h>

#include "base/AppSettings.h"
#include "store/RegistryRoutines.h"
#include "core/BootEntry.h"
#include "store/EntryList.h"

namespace {

constexpr wchar_t kDefaultStoreKey[] = L"BCD00000000";

}  // namespace

std::wstring HiveElementKey(const std::wstring& identifier, const std::wstring& element) {
  // An empty key name would make every path start with a backslash and open nothing.
  std::wstring store = AppSettings.storeKeyName.empty() ? std::wstring(kDefaultStoreKey) : AppSettings.storeKeyName;
  return store + L"\\Objects\\" + identifier + L"\\Elements\\" + element;
}

std::wstring ReadHiveText(const std::wstring& identifier, const std::wstring& element, bool multi) {
  return RegReadText(HKEY_LOCAL_MACHINE, HiveElementKey(identifier, element), L"Element", multi, false, L"");
}

int ReadHiveInteger(const std::wstring& identifier, const std::wstring& element) {
  auto raw = RegReadRaw(HKEY_LOCAL_MACHINE, HiveElementKey(identifier, element), L"Element");
  // A failed or short read says nothing about the value: it must not pass for an earlier one.
  if (!raw || raw->size() < 4) return -1;
  unsigned value = 0;
  for (int i = 3; i >= 0; --i) value = value * 256 + (*raw)[i];
  return static_cast<int>(value);
}

void ReadObjectFromHive(BootEntry& entry) {
  entry.SetPath(ReadHiveText(entry.identifier, kHivePath, false));
  entry.description = ReadHiveText(entry.identifier, kHiveDescription, false);
}

bool HiveLegacyEntryMissing() {
  if (ReadHiveText(kNtldrGuid, kHivePath, false).empty()) return true;
  return !RegKeyExists(HKEY_LOCAL_MACHINE, HiveElementKey(kNtldrGuid, kHiveDevice), false, false);
}

void EntryList::ReadTimeoutFromHive() {
  if (registryMode != 1) return;
  int timeout = ReadHiveInteger(bootManager.identifier, kHiveTimeout);
  bootManager.timeout = timeout;
  AppSettings.bcdTimeout = timeout;
}

void EntryList::ReadManagerFromHive() {
  if (registryMode != 1) return;
  ReadTimeoutFromHive();
  bootManager.displayorder = ReadHiveText(bootManager.identifier, kHiveDisplayOrder, true);
  bootManager.defaultId = ReadHiveText(bootManager.identifier, kHiveDefault, true);
  // Keep the pairs the listing would have given, so a copy of the record carries them the same way.
  if (!bootManager.displayorder.empty()) bootManager.elements[L"displayorder"] = bootManager.displayorder;
  if (!bootManager.defaultId.empty()) bootManager.elements[L"default"] = bootManager.defaultId;
  if (bootManager.timeout >= 0) bootManager.elements[L"timeout"] = std::to_wstring(bootManager.timeout);
  std::wstring sequence = ReadHiveText(bootManager.identifier, kHiveBootSequence, true);
  bootManager.elements.erase(L"bootsequence");
  if (!sequence.empty()) bootManager.elements[L"bootsequence"] = sequence;
}
