// Sort and delete rules on the entry list.
#include "oslist/SortOrder.h"

#include <algorithm>

#include "base/Strings.h"

namespace {

bool IsStoreEntry(const BootEntry& entry) { return entry.sourceKind == kSourceStore; }
bool IsBootIniLine(const BootEntry& entry) { return entry.sourceKind == kSourceBootIni; }

bool IsValidIndex(const EntryList& list, int entryIndex) {
  return entryIndex >= 0 && entryIndex < static_cast<int>(list.entries.size());
}

}  // namespace

bool IsListedEntry(const EntryList& list, int entryIndex) {
  if (!IsValidIndex(list, entryIndex)) return false;
  const BootEntry& entry = list.entries[static_cast<size_t>(entryIndex)];
  return entry.removed == 0 && entry.deleteMark == 0;
}

int MoveTarget(const EntryList& list, int position, bool up, bool storeWritable) {
  const std::vector<int>& order = list.displayIndex;
  int count = static_cast<int>(order.size());
  if (position < 0 || position >= count || !IsValidIndex(list, order[static_cast<size_t>(position)])) return -1;
  const BootEntry& moving = list.entries[static_cast<size_t>(order[static_cast<size_t>(position)])];

  int step = up ? -1 : 1;
  int target = position + step;
  while (target >= 0 && target < count && !IsListedEntry(list, order[static_cast<size_t>(target)])) target += step;
  if (target < 0 || target >= count) return -1;
  const BootEntry& neighbour = list.entries[static_cast<size_t>(order[static_cast<size_t>(target)])];

  if (IsStoreEntry(moving)) {
    if (!storeWritable) return -1;
    return up || !IsBootIniLine(neighbour) ? target : -1;
  }
  if (IsBootIniLine(moving)) return IsBootIniLine(neighbour) ? target : -1;
  return -1;
}

RemovalRole RoleOf(const EntryList& list, const BootEntry& entry) {
  if (IsStoreEntry(entry)) {
    if (!list.currentOs.identifier.empty() && base::EqualsNoCase(entry.identifier, list.currentOs.identifier))
      return RemovalRole::kRunningOs;
    // Only a store entry can be the store's default; a boot.ini line has no identifier to match.
    if (!entry.identifier.empty() && base::EqualsNoCase(entry.identifier, list.bootManager.defaultId))
      return RemovalRole::kStoreDefault;
  }
  if (base::EqualsNoCase(entry.identifier, kNtldrGuid)) return RemovalRole::kLegacyLoader;
  if (IsBootIniLine(entry) && !list.iniDefault.empty() && base::EqualsNoCase(entry.GetPath(), list.iniDefault))
    return RemovalRole::kBootIniDefault;
  return RemovalRole::kNone;
}

std::wstring RemovalKind(const BootEntry& entry) {
  if (IsStoreEntry(entry)) return L"BCD";
  if (IsBootIniLine(entry)) return L"Boot.ini";
  return L"Unknow";
}

OrderPlan PlanOrder(const EntryList& list, bool storeWritable, bool deleteFromStore) {
  OrderPlan plan;
  for (int index : list.displayIndex) {
    if (!IsValidIndex(list, index)) continue;
    const BootEntry& entry = list.entries[static_cast<size_t>(index)];
    if (IsBootIniLine(entry)) plan.holdsBootIni = true;
    if (entry.deleteMark == -1) continue;
    if (entry.removed != 0 || entry.deleteMark == 1) {
      plan.anyRemoved = true;
      bool listedTwice = std::any_of(plan.deletions.begin(), plan.deletions.end(),
                                     [&](const std::wstring& id) { return base::EqualsNoCase(id, entry.identifier); });
      if (deleteFromStore && IsStoreEntry(entry) && !entry.identifier.empty() && !listedTwice &&
          !base::EqualsNoCase(entry.identifier, list.bootManager.defaultId))
        plan.deletions.push_back(entry.identifier);
    } else if (IsStoreEntry(entry)) {
      if (storeWritable) plan.storeOrder.push_back(entry.identifier);
    } else if (IsBootIniLine(entry)) {
      plan.bootIniText += entry.rawText + L"\n";
    }
  }
  return plan;
}

bool StoreOrderDiffers(const EntryList& list, const std::vector<std::wstring>& order) {
  std::wstring joined;
  for (const auto& identifier : order) joined += identifier + L"\n";
  return !base::EqualsNoCase(base::TrimRight(joined), base::TrimRight(list.bootManager.displayorder));
}

int FindListedLike(const EntryList& list, const BootEntry& entry) {
  for (int index : list.displayIndex) {
    if (!IsListedEntry(list, index)) continue;
    const BootEntry& candidate = list.entries[static_cast<size_t>(index)];
    if (candidate.sourceKind != entry.sourceKind) continue;
    if (IsStoreEntry(entry) ? base::EqualsNoCase(candidate.identifier, entry.identifier) : candidate.rawText == entry.rawText)
      return index;
  }
  return -1;
}
