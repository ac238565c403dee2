// Sort and delete mode: the move and removal rules on a hand-made list, then the real page on the
// demo store through the stand-in: what the rows show, what the user was asked, and what reached the
// store and boot.ini.
#include <gtest/gtest.h>

#include "oslist/SortOrder.h"
#include "store/BootIni.h"

namespace {

// A menu of store entries and boot.ini lines; "-" marks an entry the user removed.
void Fill(EntryList& list, const std::vector<std::wstring>& items) {
  for (const auto& item : items) {
    BootEntry entry;
    bool removed = item[0] == L'-';
    std::wstring name = removed ? item.substr(1) : item;
    if (name.rfind(L"ini", 0) == 0) {
      ParseBootIniLine(L"c:\\" + name + L"=\"" + name + L"\"", entry);
    } else {
      entry.identifier = name;
      entry.sourceKind = kSourceStore;
    }
    entry.deleteMark = removed ? 1 : 0;
    entry.removed = removed ? 1 : 0;
    list.entries.push_back(entry);
    list.displayIndex.push_back(static_cast<int>(list.entries.size()) - 1);
  }
}

}  // namespace

TEST(SortRules, MovesPassRemovedNeighboursAndKeepStoreAboveBootIni) {
  EntryList list;
  Fill(list, {L"{a}", L"{b}", L"-{r}", L"{c}", L"ini1", L"-ini2", L"ini3"});
  struct Case {
    int position;
    bool up;
    bool storeWritable;
    int target;
  } cases[] = {
      {1, true, true, 0},    // store entry up
      {0, true, true, -1},   // already first
      {3, true, true, 1},    // over the removed {r}
      {1, false, true, 3},   // down over {r}
      {3, false, true, -1},  // a store entry never goes below a boot.ini line
      {4, true, true, -1},   // a boot.ini line never goes above a store entry
      {4, false, true, 6},   // over the removed ini2
      {6, true, true, 4},
      {6, false, true, -1},  // already last
      {1, true, false, -1},  // no tool: store entries stay
      {4, false, false, 6},  // boot.ini lines need no tool
  };
  for (const Case& c : cases)
    EXPECT_EQ(MoveTarget(list, c.position, c.up, c.storeWritable), c.target)
        << "position " << c.position << (c.up ? " up" : " down") << (c.storeWritable ? "" : " without the tool");
}

TEST(SortRules, RemovalRolesFirstMatchWins) {
  EntryList list;
  Fill(list, {L"{run}", L"{def}", L"{466f5a88-0af2-4f76-9038-095b170dc21c}", L"{x}", L"ini1", L"ini2"});
  list.currentOs.identifier = L"{RUN}";
  list.bootManager.defaultId = L"{def}";
  list.iniDefault = L"C:\\INI2";
  const BootEntry* e = list.entries.data();
  EXPECT_EQ(RoleOf(list, e[0]), RemovalRole::kRunningOs);
  EXPECT_EQ(RoleOf(list, e[1]), RemovalRole::kStoreDefault);
  EXPECT_EQ(RoleOf(list, e[2]), RemovalRole::kLegacyLoader);
  EXPECT_EQ(RoleOf(list, e[3]), RemovalRole::kNone);
  EXPECT_EQ(RoleOf(list, e[4]), RemovalRole::kNone);
  EXPECT_EQ(RoleOf(list, e[5]), RemovalRole::kBootIniDefault);
  EXPECT_EQ(RemovalKind(e[3]), L"BCD");
  EXPECT_EQ(RemovalKind(e[4]), L"Boot.ini");

  // The running system wins over the default; {ntldr} as the default is named as the default.
  list.bootManager.defaultId = L"{run}";
  EXPECT_EQ(RoleOf(list, e[0]), RemovalRole::kRunningOs);
  list.bootManager.defaultId = L"{466f5a88-0af2-4f76-9038-095b170dc21c}";
  EXPECT_EQ(RoleOf(list, e[2]), RemovalRole::kStoreDefault);
  // A store without a default (or none read) makes no boot.ini line "the default of BCD".
  list.bootManager.defaultId.clear();
  EXPECT_EQ(RoleOf(list, e[4]), RemovalRole::kNone);
}

TEST(SortRules, PlanKeepsOrderDeletesAllButTheDefaultAndCountsRemovedBootIniLines) {
  EntryList list;
  Fill(list, {L"{b}", L"-{def}", L"{a}", L"-{r}", L"-{r}", L"ini2", L"-ini1"});
  list.bootManager.defaultId = L"{def}";
  list.bootManager.displayorder = L"{def}\n{A}\n{b}\n{r}";
  OrderPlan plan = PlanOrder(list, true, true);
  EXPECT_EQ(plan.storeOrder, (std::vector<std::wstring>{L"{b}", L"{a}"}));
  EXPECT_EQ(plan.deletions, (std::vector<std::wstring>{L"{r}"}));
  EXPECT_EQ(plan.bootIniText, L"c:\\ini2=\"ini2\"\n");
  EXPECT_TRUE(plan.anyRemoved);
  EXPECT_TRUE(plan.holdsBootIni);
  EXPECT_TRUE(StoreOrderDiffers(list, plan.storeOrder));
  list.bootManager.displayorder = L"{B}\n{a}\n";
  EXPECT_FALSE(StoreOrderDiffers(list, plan.storeOrder)) << "case and trailing blanks do not count";

  EXPECT_TRUE(PlanOrder(list, true, false).deletions.empty()) << "without deletion mode only the order changes";
  EXPECT_TRUE(PlanOrder(list, false, false).storeOrder.empty()) << "without the tool the store is not written";

  // Every boot.ini line removed still means boot.ini is to be rewritten; no line at all does not.
  EntryList onlyRemovedLines, noLines;
  Fill(onlyRemovedLines, {L"{a}", L"-ini1"});
  Fill(noLines, {L"{a}", L"-{b}"});
  EXPECT_TRUE(PlanOrder(onlyRemovedLines, true, true).holdsBootIni);
  EXPECT_FALSE(PlanOrder(noLines, true, true).holdsBootIni);
}
