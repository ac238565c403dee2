// The add-mode kind list, and what each kind puts on the entry pages.
#include "editing/QuickSelectDialog.h"

#include <iterator>

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "resource.h"
#include "texts.h"
#include "win/Controls.h"
#include "win/Seams.h"

namespace {

const KindDefaults kDefaults[] = {
    {L"Vexa New BCD_Windows", L"\\Windows\\system32\\winload.exe", L"\\Windows\\system32\\winload.efi", 0, false,
     kKeepChoice, 1, kKeepChoice},
    {L"Vexa New WIM_PE", L"\\Windows\\system32\\boot\\winload.exe", L"\\Windows\\system32\\boot\\winload.efi", 1,
     true, 1, 1, 1},
    {L"Vexa New VHD_OS", L"\\Windows\\system32\\winload.exe", L"\\Windows\\system32\\winload.efi", 2, false,
     kKeepChoice, 1, 1},
    {L"Vexa New XP", L"\\ntldr", nullptr, 0, false, 0, 0, 0},
    {L"Vexa New Linux", L"\\ldlinux.sys", nullptr, 0, false, 0, 0, 0},
    {L"Vexa New RealMode_OS", L"\\bootsect.dos", nullptr, 0, false, 0, 0, 0},
};

}  // namespace

const KindDefaults& DefaultsOf(int kind) {
  return kind >= 0 && kind < static_cast<int>(std::size(kDefaults)) ? kDefaults[kind] : kDefaults[0];
}

std::vector<KindItem> OfferedKinds(bool storeMode) {
  std::vector<KindItem> kinds;
  if (storeMode) {
    kinds = {{IDS_KIND_BCD, kKindBcdWindows},
             {IDS_KIND_RAMDISK, kKindRamdisk},
             {IDS_KIND_VHD, kKindVhd},
             {IDS_KIND_NTLDR, kKindNtldr}};
  }
  kinds.push_back({IDS_KIND_REAL_MODE_LOADER, kKindRealModeLoader});
  kinds.push_back({IDS_KIND_BOOT_SECTOR_FILE, kKindBootSectorFile});
  return kinds;
}

bool StartsOnlyFromBios(int kind) {
  return kind == kKindNtldr || kind == kKindRealModeLoader || kind == kKindBootSectorFile;
}

bool StoreEditingAvailable() { return AppSettings.bcdSystem && AppSettings.toolsAvailable; }

const win::MessageEntry<QuickSelectDialog> QuickSelectDialog::kMessages[] = {
    win::OnCommand(IDC_KINDLIST_KINDS, CBN_SELCHANGE, &QuickSelectDialog::OnKindChanged),
};

QuickSelectDialog::QuickSelectDialog(KindDefaultsTarget& owner)
    : win::AppDialog(IDD_KINDLIST, kMessages), owner_(owner) {}

BOOL QuickSelectDialog::OnInit() {
  win::ComboBox kinds(Item(IDC_KINDLIST_KINDS));
  kinds.Clear();
  for (const KindItem& item : OfferedKinds(StoreEditingAvailable())) {
    std::wstring text = GetText(item.textId);
    if (MarkedBiosOnly(item.kind)) text += L" " + GetText(IDS_KIND_BIOS_ONLY);
    int index = kinds.Add(text);
    if (index >= 0) kinds.SetData(index, item.kind);
  }
  kinds.Select(0);
  owner_.ApplyKindDefaults(SelectedKind());
  return TRUE;
}

int QuickSelectDialog::SelectedKind() const {
  win::ComboBox kinds(Item(IDC_KINDLIST_KINDS));
  int index = kinds.Selection();
  if (index < 0) return 0;
  int kind = static_cast<int>(kinds.Data(index));
  return kind < 0 ? 0 : kind;
}

bool QuickSelectDialog::MarkedBiosOnly(int kind) const {
  // boot.ini lines belong to machines without the store, which start through BIOS anyway.
  return StartsOnlyFromBios(kind) && StoreEditingAvailable() && owner_.StartsThroughUefi();
}

INT_PTR QuickSelectDialog::OnKindChanged(WPARAM, LPARAM) {
  int kind = SelectedKind();
  if (MarkedBiosOnly(kind)) {
    std::wstring name;
    for (const KindItem& item : OfferedKinds(true))
      if (item.kind == kind) name = GetText(item.textId);
    if (win::Prompt(Handle(), base::Format(GetText(IDS_BIOS_ONLY_ON_UEFI), name), AppSettings.appTitle,
                    MB_YESNO | MB_ICONWARNING) == IDYES) {
      owner_.AddEfiEntryInstead();
      return TRUE;
    }
  }
  owner_.ApplyKindDefaults(kind);
  return TRUE;
}
