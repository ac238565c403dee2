// The entry dialog's "Adv Settings" page: loading the loader settings, the SystemRoot lock, and
// writing the differences back.
#include "editing/AdvancedPage.h"

#include "art.h"
#include <iterator>

#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "editing/ModifyEntryDialog.h"
#include "editing/SettingValues.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/BootEntry.h"
#include "store/StoreCommands.h"
#include "texts.h"

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

// The record's field of a setting, to update as its command is issued.
std::wstring& FieldOf(BootEntry& record, SettingTag tag) {
  switch (tag) {
    case SettingTag::kSafeBoot: return record.safeboot;
    case SettingTag::kPae: return record.pae;
    case SettingTag::kEms: return record.ems;
    case SettingTag::kHal: return record.detecthal;
    case SettingTag::kNx: return record.nx;
    case SettingTag::kMetroBoot: break;
  }
  return record.bootmenupolicy;
}

}  // namespace

const win::MessageEntry<AdvancedPage> AdvancedPage::kMessages[] = {
    win::OnCommand(IDC_ADVANCED_PATH_LOCK, BN_CLICKED, &AdvancedPage::OnPathLock),
};

AdvancedPage::AdvancedPage(ModifyEntryDialog& owner) : win::AppDialog(IDD_ENTRY_ADVANCED, kMessages), owner_(owner) {}

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
  lock_.SetTooltipText(GetText(unlocked ? IDS_UNLOCK_PATH_TIP : IDS_LOCK_PATH_TIP));
}

INT_PTR AdvancedPage::OnPathLock(WPARAM, LPARAM) {
  ApplyLock();
  return TRUE;
}

void AdvancedPage::LoadFromEntry() {
  const BootEntry& record = owner_.Record();
  changed_ = false;
  SetItemText(IDC_ADVANCED_SYSTEMROOT, record.systemroot);
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
  if (changed_) return true;
  const BootEntry& record = owner_.Record();
  bool differs = !base::EqualsNoCase(SystemRootText(), record.systemroot);
  for (const SettingTable& table : SettingTables()) {
    if (differs) break;
    std::wstring value = ElementValue(Item(table.controlId), table.tag);
    differs = !base::EqualsNoCase(value, ShownValue(table.tag, StoredSetting(record, table.tag)));
  }
  if (!differs) differs = !base::EqualsNoCase(WinPeValue(IsItemChecked(IDC_ADVANCED_WINPE)), WinPeValue(WinPeChecked(record.winpe)));
  changed_ = differs;
  return changed_;
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
    std::wstring spaced = base::Format(L" %s ", key);
    int issued = value.empty() ? runner.DeleteElement(id, spaced) : runner.SetElement(id, spaced, WrapInQuotes(value));
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
  const SettingTag order[] = {SettingTag::kSafeBoot, SettingTag::kPae, SettingTag::kEms,
                              SettingTag::kHal,      SettingTag::kNx,  SettingTag::kMetroBoot};
  const int labels[] = {IDC_ADVANCED_SAFEBOOT_LABEL, IDC_ADVANCED_PAE_LABEL, IDC_ADVANCED_EMS_LABEL,
                        IDC_ADVANCED_DETECTHAL_LABEL, IDC_ADVANCED_NX_LABEL,  IDC_ADVANCED_METRO_BOOT_LABEL};
  for (size_t i = 0; i < std::size(order); ++i) {
    const SettingTable& table = TableFor(order[i]);
    std::wstring value = ElementValue(Item(table.controlId), table.tag);
    std::wstring& field = FieldOf(record, table.tag);
    // A stored value the page shows as it is comes back the same: no command for it.
    if (base::EqualsNoCase(value, ShownValue(table.tag, field))) continue;
    write(table.element, value, field, LabelName(Handle(), labels[i]));
  }
  std::wstring winpe = WinPeValue(IsItemChecked(IDC_ADVANCED_WINPE));
  if (!base::EqualsNoCase(winpe, WinPeValue(WinPeChecked(record.winpe)))) {
    write(L"winpe", winpe, record.winpe, L"WinPE");
  }
}
