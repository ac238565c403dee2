// The value tables of the loader settings and the combos that show them.
#include "editing/SettingValues.h"


#include "base/Strings.h"
#include "base/Texts.h"
#include "resource.h"
#include "core/BootEntry.h"
#include "store/BcdEditRunner.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Controls.h"

namespace {

// "Noraml" is what an older build of this program wrote for normal mode; it still means normal.
const SettingChoice kSafeBoot[] = {
    {0, IDS_SAFEBOOT_NORMAL, nullptr, L"", L"Noraml"},
    {1, IDS_SAFEBOOT_MINIMAL, nullptr, L"minimal", L"minimal"},
    {2, IDS_SAFEBOOT_NETWORK, nullptr, L"network", L"network"},
    {3, IDS_SAFEBOOT_DS_REPAIR, nullptr, L"DsRepair", L"DsRepair"},
};
const SettingChoice kPae[] = {
    {0, IDS_SETTING_NOT_CONFIGURED, nullptr, L"", nullptr},
    {1, IDS_SETTING_FORCE_ENABLE, nullptr, L"forceenable", L"forceenable"},
    {2, IDS_SETTING_FORCE_DISABLE, nullptr, L"forcedisable", L"forcedisable"},
};
const SettingChoice kYesNo[] = {
    {0, IDS_SETTING_NOT_CONFIGURED, nullptr, L"", nullptr},
    {1, IDS_SETTING_YES, nullptr, L"Yes", L"Yes"},
    {2, IDS_SETTING_NO, nullptr, L"No", L"No"},
};
const SettingChoice kNx[] = {
    {0, IDS_SETTING_NOT_CONFIGURED, nullptr, L"", nullptr},
    {1, 0, L"OptIn", L"OptIn", L"optIn"},
    {2, 0, L"OptOut", L"OptOut", L"optOut"},
    {3, 0, L"Always On", L"AlwaysOn", L"AlwaysOn"},
    {4, 0, L"Always off", L"AlwaysOff", L"AlwaysOff"},
};
const SettingChoice kMetroBoot[] = {
    {0, IDS_SETTING_NOT_CONFIGURED, nullptr, L"", nullptr},
    {1, IDS_SETTING_YES, nullptr, L"Standard", L"Standard"},
    {2, IDS_SETTING_NO, nullptr, L"Legacy", L"Legacy"},
};

const SettingTable kTables[] = {
    {SettingTag::kMetroBoot, IDC_ADVANCED_METRO_BOOT, L"bootmenupolicy", &BootEntry::bootmenupolicy, kMetroBoot, -1},
    {SettingTag::kSafeBoot, IDC_ADVANCED_SAFEBOOT, L"safeboot", &BootEntry::safeboot, kSafeBoot, -1},
    {SettingTag::kPae, IDC_ADVANCED_PAE, L"pae", &BootEntry::pae, kPae, -1},
    {SettingTag::kEms, IDC_ADVANCED_EMS, L"ems", &BootEntry::ems, kYesNo, 2},
    {SettingTag::kHal, IDC_ADVANCED_DETECTHAL, L"detecthal", &BootEntry::detecthal, kYesNo, 2},
    {SettingTag::kNx, IDC_ADVANCED_NX, L"nx", &BootEntry::nx, kNx, -1},
};

const SettingTag kSaveOrder[] = {SettingTag::kSafeBoot, SettingTag::kPae, SettingTag::kEms,
                                 SettingTag::kHal,      SettingTag::kNx,  SettingTag::kMetroBoot};
const SettingTag kShowOrder[] = {SettingTag::kEms, SettingTag::kHal,  SettingTag::kNx,
                                 SettingTag::kSafeBoot, SettingTag::kPae, SettingTag::kMetroBoot};

}  // namespace

std::span<const SettingTable> SettingTables() { return kTables; }

const SettingTable& TableFor(SettingTag tag) {
  for (const SettingTable& table : kTables) {
    if (table.tag == tag) return table;
  }
  return kTables[0];  // unreachable: every tag has a table
}

const std::wstring& StoredSetting(const BootEntry& record, SettingTag tag) { return record.*TableFor(tag).field; }

std::wstring& StoredSetting(BootEntry& record, SettingTag tag) { return record.*TableFor(tag).field; }

int ItemDataFor(SettingTag tag, const std::wstring& stored) {
  const SettingTable& table = TableFor(tag);
  // Every table's first item is the one an absent element shows.
  if (stored.empty()) return table.choices.front().itemData;
  for (const SettingChoice& choice : table.choices) {
    if (choice.match && base::EqualsNoCase(stored, choice.match)) return choice.itemData;
  }
  return table.otherValueItem;
}

std::optional<std::wstring> ValueOfItem(SettingTag tag, int itemData) {
  for (const SettingChoice& choice : TableFor(tag).choices) {
    if (choice.itemData == itemData) return std::wstring(choice.value);
  }
  return std::nullopt;
}

std::wstring ShownValue(SettingTag tag, const std::wstring& stored) {
  int data = ItemDataFor(tag, stored);
  if (data < 0) return stored.substr(0, kSettingTextLimit);
  return ValueOfItem(tag, data).value_or(stored);
}

bool WinPeChecked(const std::wstring& stored) { return base::EqualsNoCase(stored, L"Yes"); }

std::wstring WinPeValue(bool checked) { return checked ? L"Yes" : L""; }

void FillSettingCombo(HWND combo, SettingTag tag) {
  win::ComboBox box(combo);
  box.Clear();
  for (const SettingChoice& choice : TableFor(tag).choices) {
    int index = box.Add(choice.fixedText ? std::wstring(choice.fixedText) : GetText(choice.textId));
    if (index >= 0) box.SetData(index, choice.itemData);
  }
}

void FillSettingCombos(HWND page) {
  for (const SettingTable& table : kTables) FillSettingCombo(GetDlgItem(page, table.controlId), table.tag);
}

int SelectByItemData(HWND combo, int itemData) {
  win::ComboBox box(combo);
  for (int i = 0, count = box.Count(); i < count; ++i) {
    if (static_cast<int>(box.Data(i)) == itemData) {
      box.Select(i);
      return i;
    }
  }
  return -1;
}

void ShowSetting(HWND combo, SettingTag tag, const std::wstring& stored) {
  int data = ItemDataFor(tag, stored);
  if (data >= 0 && SelectByItemData(combo, data) >= 0) return;
  win::ComboBox box(combo);
  box.Select(-1);
  box.SetText(stored);
}

void ShowSettingCombos(HWND page, const BootEntry& record) {
  for (SettingTag tag : kShowOrder) {
    ShowSetting(GetDlgItem(page, TableFor(tag).controlId), tag, StoredSetting(record, tag));
  }
}

std::wstring ElementValue(HWND combo, SettingTag tag) {
  win::ComboBox box(combo);
  int index = box.Selection();
  if (index >= 0) {
    if (auto value = ValueOfItem(tag, static_cast<int>(box.Data(index)))) return *value;
  }
  return box.Text().substr(0, kSettingTextLimit);
}

std::vector<SettingChange> ChangedSettings(HWND page, const BootEntry& record) {
  std::vector<SettingChange> changes;
  for (SettingTag tag : kSaveOrder) {
    std::wstring value = ElementValue(GetDlgItem(page, TableFor(tag).controlId), tag);
    if (!base::EqualsNoCase(value, StoredSetting(record, tag))) changes.push_back({tag, value});
  }
  return changes;
}

int IssueSetting(const std::wstring& identifier, const SettingChange& change) {
  return SetOrDeleteElement(identifier, TableFor(change.tag).element,
                            change.value.empty() ? std::wstring() : WrapInQuotes(change.value))
                 .started
             ? 1
             : 0;
}
