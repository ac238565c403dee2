// The entry dialog's "Adv Settings" page: loading the loader settings, the SystemRoot lock,
// writing the differences back, and a new entry's settings in add mode.
#include "editing/AdvancedPage.h"

#include <iterator>
#include <utility>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "editing/EntryPageHost.h"
#include "editing/QuickSelectDialog.h"
#include "editing/SettingValues.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "core/BootEntry.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The field's label without its colon.
std::wstring LabelName(HWND page, int labelId) {
  wchar_t text[128] = {};
  GetDlgItemTextW(page, labelId, text, 128);
  std::wstring label = base::TrimText(text);
  if (!label.empty() && label.back() == L':') label.pop_back();
  return label;
}

const SettingTag kSaveOrder[] = {SettingTag::kSafeBoot, SettingTag::kPae, SettingTag::kEms,
                                 SettingTag::kHal,      SettingTag::kNx,  SettingTag::kMetroBoot};

}  // namespace

const win::MessageEntry<AdvancedPage> AdvancedPage::kMessages[] = {
    win::OnCommand(IDC_ADVANCED_PATH_LOCK, BN_CLICKED, &AdvancedPage::OnPathLock),
};

AdvancedPage::AdvancedPage(EntryPageHost& owner) : win::AppDialog(IDD_ENTRY_ADVANCED, kMessages), owner_(owner) {}

BOOL AdvancedPage::OnInit() {
  FillSettingCombos(Handle());
  SendDlgItemMessageW(Handle(), IDC_ADVANCED_SYSTEMROOT, EM_LIMITTEXT, kSettingTextLimit, 0);
  lock_.Attach(Handle(), IDC_ADVANCED_PATH_LOCK);
  lock_.SetCheckBoxMode(true);
  lock_.SetBitmaps(IDB_PATH_UNLOCKED, kMagenta, IDB_PATH_LOCKED, kMagenta);
  ApplyLock();
  EnableItem(IDC_ADVANCED_SYSTEMROOT, false);
  return TRUE;
}

void AdvancedPage::ApplyLock() {
  bool unlocked = lock_.IsChecked();
  EnableItem(IDC_ADVANCED_SYSTEMROOT, unlocked);
  std::wstring tip = GetText(unlocked ? IDS_UNLOCK_PATH_TIP : IDS_LOCK_PATH_TIP);
  lock_.SetTooltipText(tip);
  // The lock shows only its picture; a screen reader says what pressing it does.
  lock_.SetImageOnly(true, false);
  SetWindowTextW(lock_.Handle(), WithoutMnemonic(tip).c_str());
}

INT_PTR AdvancedPage::OnPathLock(WPARAM, LPARAM) {
  ApplyLock();
  return TRUE;
}

void AdvancedPage::LoadFromEntry() {
  const BootEntry& record = owner_.Record();
  changed_ = false;
  SetItemText(IDC_ADVANCED_SYSTEMROOT, owner_.AddMode() ? std::wstring(L"\\Windows") : record.systemroot);
  ShowSettingCombos(Handle(), record);
  CheckItem(IDC_ADVANCED_WINPE, WinPeChecked(record.winpe));
}

std::wstring AdvancedPage::SystemRootText() const {
  std::wstring text = ItemText(IDC_ADVANCED_SYSTEMROOT);
  if (text.size() > static_cast<size_t>(kSettingTextLimit)) text.resize(kSettingTextLimit);
  return text;
}

bool AdvancedPage::HasChanges() {
  if (owner_.IsBootManager() || owner_.Record().sourceKind == kSourceBootIni) return false;
  if (!changed_) changed_ = !ChangedElements().empty();
  return changed_;
}

std::vector<std::wstring> AdvancedPage::ChangedElements() {
  std::vector<std::wstring> elements;
  if (owner_.IsBootManager() || owner_.Record().sourceKind == kSourceBootIni) return elements;
  const BootEntry& record = owner_.Record();
  if (!base::EqualsNoCase(SystemRootText(), record.systemroot)) elements.push_back(L"systemroot");
  for (const SettingTable& table : SettingTables()) {
    std::wstring value = ElementValue(Item(table.controlId), table.tag);
    if (!base::EqualsNoCase(value, ShownValue(table.tag, StoredSetting(record, table.tag))))
      elements.push_back(table.element);
  }
  if (!base::EqualsNoCase(WinPeValue(IsItemChecked(IDC_ADVANCED_WINPE)), WinPeValue(WinPeChecked(record.winpe))))
    elements.push_back(L"winpe");
  return elements;
}

void AdvancedPage::SaveChanges(SaveOutcome& outcome) {
  if (!HasChanges()) return;
  outcome.changed = true;
  BootEntry& record = owner_.Record();
  BcdEditRunner& runner = Runner();
  const std::wstring& id = record.identifier;
  // An empty value removes the element; the tool's answer is judged by reading the record back.
  auto write = [&](const std::wstring& key, const std::wstring& value, std::wstring& field, const std::wstring& name) {
    if (!value.empty() && HasStrayQuote(WrapInQuotes(value))) {
      outcome.refused.push_back(name);
      return;
    }
    if (!value.empty() && StoredTextRefusal(value) != Refusal::kNone) {
      outcome.unprintable.push_back(name);
      return;
    }
    std::wstring spaced = base::Format(L" %s ", key);
    bool issued = (value.empty() ? runner.DeleteElement(id, spaced) : runner.SetElement(id, spaced, WrapInQuotes(value)))
                      .started;
    if (!issued) {
      outcome.failed = true;
      return;
    }
    outcome.issued = true;
    outcome.sent.emplace_back(key, value);
    field = value;
  };

  std::wstring systemRoot = SystemRootText();
  if (!base::EqualsNoCase(systemRoot, record.systemroot)) {
    if (systemRoot.empty()) {
      outcome.emptied.push_back(LabelName(Handle(), IDC_ADVANCED_SYSTEMROOT_LABEL));
    } else {
      write(L"systemroot", systemRoot, record.systemroot, LabelName(Handle(), IDC_ADVANCED_SYSTEMROOT_LABEL));
    }
  }
  for (SettingTag tag : kSaveOrder) {
    const SettingTable& table = TableFor(tag);
    std::wstring value = ElementValue(Item(table.controlId), table.tag);
    std::wstring& field = StoredSetting(record, table.tag);
    // A stored value the page shows as it is comes back the same: no command for it.
    if (base::EqualsNoCase(value, ShownValue(table.tag, field))) continue;
    write(table.element, value, field, LabelOf(tag));
  }
  std::wstring winpe = WinPeValue(IsItemChecked(IDC_ADVANCED_WINPE));
  if (!base::EqualsNoCase(winpe, WinPeValue(WinPeChecked(record.winpe)))) {
    write(L"winpe", winpe, record.winpe, LabelName(Handle(), IDC_ADVANCED_WINPE));
  }
}

std::wstring AdvancedPage::LabelOf(SettingTag tag) const {
  switch (tag) {
    case SettingTag::kSafeBoot: return LabelName(Handle(), IDC_ADVANCED_SAFEBOOT_LABEL);
    case SettingTag::kPae: return LabelName(Handle(), IDC_ADVANCED_PAE_LABEL);
    case SettingTag::kEms: return LabelName(Handle(), IDC_ADVANCED_EMS_LABEL);
    case SettingTag::kHal: return LabelName(Handle(), IDC_ADVANCED_DETECTHAL_LABEL);
    case SettingTag::kNx: return LabelName(Handle(), IDC_ADVANCED_NX_LABEL);
    case SettingTag::kMetroBoot: break;
  }
  return LabelName(Handle(), IDC_ADVANCED_METRO_BOOT_LABEL);
}

void AdvancedPage::ApplyKindDefaults(int kind) {
  if (!owner_.AddMode()) return;
  const KindDefaults& defaults = DefaultsOf(kind);
  CheckItem(IDC_ADVANCED_WINPE, defaults.winpe);
  const std::pair<SettingTag, int> choices[] = {
      {SettingTag::kEms, defaults.ems}, {SettingTag::kNx, defaults.nx}, {SettingTag::kHal, defaults.detecthal}};
  for (const auto& [tag, itemData] : choices) {
    if (itemData != kKeepChoice) SelectByItemData(Item(TableFor(tag).controlId), itemData);
  }
}

bool AdvancedPage::ValidateNew() {
  if (!owner_.AddMode()) return false;
  // The first field whose value could not be sent, and what the user is told of it.
  std::wstring refused;
  auto check = [&](const std::wstring& value, const std::wstring& label) {
    if (!refused.empty() || value.empty()) return;
    if (QuotedTextRefusal(value) != Refusal::kNone) {
      refused = base::Format(GetText(IDS_FIELD_UNUSABLE), label);
    } else if (StoredTextRefusal(value) != Refusal::kNone) {
      refused = UnprintableFieldText(label);
    }
  };
  check(SystemRootText(), LabelName(Handle(), IDC_ADVANCED_SYSTEMROOT_LABEL));
  for (SettingTag tag : kSaveOrder) check(ElementValue(Item(TableFor(tag).controlId), tag), LabelOf(tag));
  if (refused.empty()) return true;
  win::Prompt(owner_.HostWindow(), refused, AppSettings.appTitle, MB_OK);
  return false;
}

bool AdvancedPage::WriteNewAdvanced(int kind) {
  BootEntry& record = owner_.Record();
  if (!owner_.AddMode() || record.identifier.empty() || record.sourceKind != kSourceStore || kind > kKindVhd) {
    return false;
  }
  bool complete = true;
  // Only values that were chosen are set: a new object has nothing to remove.
  auto issue = [&](const wchar_t* key, const std::wstring& value, std::wstring& field) {
    if (value.empty()) return;
    if (Runner().SetElement(record.identifier, base::Format(L" %s ", key), WrapInQuotes(value)).Succeeded()) {
      field = value;
    } else {
      complete = false;
    }
  };
  issue(L"systemroot", SystemRootText(), record.systemroot);
  for (SettingTag tag : kSaveOrder) {
    const SettingTable& table = TableFor(tag);
    issue(table.element, ElementValue(Item(table.controlId), tag), StoredSetting(record, tag));
  }
  issue(L"winpe", WinPeValue(IsItemChecked(IDC_ADVANCED_WINPE)), record.winpe);
  return complete;
}
