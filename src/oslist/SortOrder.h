// The rules of sorting and deleting on the entry list, apart from any window: where a move lands,
// what a removal warns about, and what saving writes.
#pragma once
#include <string>
#include <vector>

#include "store/EntryList.h"

// True when entryIndex is a record of entries that the list shows a row for: listed and not removed.
bool IsListedEntry(const EntryList& list, int entryIndex);

// The position in displayIndex that the entry at position changes places with, or -1 when the move
// is not allowed: a store entry moves up always and down unless a boot.ini line is below it; a
// boot.ini line moves only among boot.ini lines. Removed neighbours are passed over, since the
// user does not see them. storeWritable: the tool is there to write a store entry's new place.
int MoveTarget(const EntryList& list, int position, bool up, bool storeWritable);

// Why deleting an entry deserves a warning.
enum class RemovalRole { kNone, kRunningOs, kStoreDefault, kLegacyLoader, kBootIniDefault };
RemovalRole RoleOf(const EntryList& list, const BootEntry& entry);
// The word the plain removal question names the entry by: "BCD", "Boot.ini" or "Unknow".
std::wstring RemovalKind(const BootEntry& entry);

struct OrderPlan {
  std::vector<std::wstring> storeOrder;  // kept store entries, in menu order
  std::wstring bootIniText;              // kept boot.ini lines, each followed by "\n"
  std::vector<std::wstring> deletions;   // removed store entries to delete, the store's default never
  bool anyRemoved = false;
  // displayIndex names boot.ini lines, removed ones included: only then is the menu section ours
  // to rewrite (a store file, or boot.ini without NTLDR, lists none).
  bool holdsBootIni = false;
};
// storeWritable: the tool is available; deleteFromStore: removed store entries are deleted too.
OrderPlan PlanOrder(const EntryList& list, bool storeWritable, bool deleteFromStore);

// True when order differs, ignoring case and trailing blanks, from the boot manager's display order.
bool StoreOrderDiffers(const EntryList& list, const std::vector<std::wstring>& order);

// Index of the first record in displayIndex that is the same menu item as entry (the same store
// object, or the same boot.ini line), or -1. Records are re-made by rebuilding the list, so a
// selection is found again by what it is, not by its old index.
int FindListedLike(const EntryList& list, const BootEntry& entry);
