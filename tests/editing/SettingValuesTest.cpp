// The advanced page's setting combos: a stored value shows as its item (or as itself when no item
// stands for it) and comes back as the element value the store gets; a shown record never keeps
// the previous record's choice.
#include <gtest/gtest.h>

#include "editing/SettingValues.h"
#include "StoreSandbox.h"
#include "resource.h"
#include "core/BootEntry.h"
#include "test_resource.h"
#include "win/Controls.h"
#include "win/Dialog.h"

namespace {

class SettingValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(host_.CreateModeless(nullptr), nullptr);
    ASSERT_NE(page_.CreateModeless(host_.Handle()), nullptr);
    FillSettingCombos(page_.Handle());
  }
  HWND Combo(SettingTag tag) const { return page_.Item(TableFor(tag).controlId); }

  win::Dialog host_{IDD_TEST_PROBE};
  win::Dialog page_{IDD_ENTRY_ADVANCED};
};

TEST_F(SettingValuesTest, StoredValueShowsAsItemAndComesBackAsElementValue) {
  // shown: the combo's text; item -1: no item selected, the stored text in the edit field.
  const struct { SettingTag tag; const wchar_t* stored; const wchar_t* shown; int item; const wchar_t* value; } cases[] = {
      {SettingTag::kSafeBoot, L"", L"Noraml Mode", 0, L""},
      {SettingTag::kSafeBoot, L"Noraml", L"Noraml Mode", 0, L""},
      {SettingTag::kSafeBoot, L"minimal", L"Safe Mode minimal", 1, L"minimal"},
      {SettingTag::kSafeBoot, L"NETWORK", L"Safe Mode with Networking", 2, L"network"},
      {SettingTag::kSafeBoot, L"dsrepair", L"Active Directory Repair", 3, L"DsRepair"},
      {SettingTag::kPae, L"ForceEnable", L"Force Enable", 1, L"forceenable"},
      {SettingTag::kPae, L"Default", L"Default", -1, L"Default"},
      {SettingTag::kEms, L"yes", L"Yes", 1, L"Yes"},
      {SettingTag::kEms, L"No", L"No", 2, L"No"},
      {SettingTag::kEms, L"0", L"No", 2, L"No"},
      {SettingTag::kHal, L"Sometimes", L"No", 2, L"No"},
      {SettingTag::kNx, L"OptIn", L"OptIn", 1, L"OptIn"},
      {SettingTag::kNx, L"optout", L"OptOut", 2, L"OptOut"},
      {SettingTag::kNx, L"alwayson", L"Always On", 3, L"AlwaysOn"},
      {SettingTag::kNx, L"AlwaysOn ", L"AlwaysOn ", -1, L"AlwaysOn "},
      {SettingTag::kNx, L"Sometimes", L"Sometimes", -1, L"Sometimes"},
      {SettingTag::kMetroBoot, L"Legacy", L"No", 2, L"Legacy"},
      {SettingTag::kMetroBoot, L"standard", L"Yes", 1, L"Standard"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << TableFor(c.tag).element << " = \"" << c.stored << "\"");
    HWND combo = Combo(c.tag);
    ShowSetting(combo, c.tag, c.stored);
    EXPECT_EQ(win::ComboSelection(combo), c.item);
    EXPECT_EQ(win::WindowText(combo), c.shown);
    EXPECT_EQ(ElementValue(combo, c.tag), c.value);
    // What change detection compares without a window agrees with the combo.
    EXPECT_EQ(ShownValue(c.tag, c.stored), c.value);
  }
}

TEST_F(SettingValuesTest, ChoosingTheFirstItemRemovesTheElement) {
  HWND safeBoot = Combo(SettingTag::kSafeBoot);
  ShowSetting(safeBoot, SettingTag::kSafeBoot, L"minimal");
  EXPECT_EQ(SelectByItemData(safeBoot, 7), -1);
  EXPECT_EQ(ElementValue(safeBoot, SettingTag::kSafeBoot), L"minimal");
  EXPECT_EQ(SelectByItemData(safeBoot, 0), 0);
  EXPECT_EQ(ElementValue(safeBoot, SettingTag::kSafeBoot), L"");
}

TEST_F(SettingValuesTest, NextRecordWithUnknownValuesKeepsNoStaleChoice) {
  BootEntry known;
  known.safeboot = L"network";
  known.pae = L"ForceEnable";
  known.ems = L"Yes";
  known.detecthal = L"Yes";
  known.nx = L"AlwaysOff";
  known.bootmenupolicy = L"Standard";
  ShowSettingCombos(page_.Handle(), known);

  BootEntry unknown;
  unknown.safeboot = L"Alternate";
  unknown.pae = L"Default";
  unknown.nx = L"Never";
  unknown.bootmenupolicy = L"Modern";
  ShowSettingCombos(page_.Handle(), unknown);
  for (const SettingTable& table : SettingTables()) {
    SCOPED_TRACE(table.element);
    HWND combo = page_.Item(table.controlId);
    const std::wstring& stored = StoredSetting(unknown, table.tag);
    // EMS and HAL have no unknown values: an absent one is "Not Configured".
    EXPECT_EQ(ElementValue(combo, table.tag), stored);
    EXPECT_EQ(win::ComboSelection(combo), stored.empty() ? 0 : -1);
  }
}

TEST_F(SettingValuesTest, ChangedSettingsReachTheStoreInSavingOrder) {
  testing_support::StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  BootEntry record;
  record.safeboot = L"minimal";
  record.ems = L"0";  // shown as "No", which the store gets although nobody touched it
  record.nx = L"Sometimes";
  record.pae = L"ForceEnable";
  ShowSettingCombos(page_.Handle(), record);
  SelectByItemData(Combo(SettingTag::kSafeBoot), 0);

  std::vector<SettingChange> changes = ChangedSettings(page_.Handle(), record);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].tag, SettingTag::kSafeBoot);
  EXPECT_EQ(changes[1].tag, SettingTag::kEms);
  const std::wstring id = testing_support::demo_store::kWindows7;
  for (const SettingChange& change : changes) EXPECT_EQ(IssueSetting(id, change), 1);
  EXPECT_EQ(sandbox.Journal(), (std::vector<std::wstring>{sandbox.LineFor(L" /deletevalue  " + id + L"    safeboot "),
                                                          sandbox.LineFor(L" /set  " + id + L"    ems    \"No\"")}));
}

}  // namespace
