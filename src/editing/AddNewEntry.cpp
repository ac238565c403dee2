// The entry dialog in add mode: the kind strip over the top of the dialog, the kind's defaults on
// the pages, and creating the new entry in the store or as a boot.ini line.
#include <cwctype>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "editing/ModifyEntryDialog.h"
#include "editing/RamdiskOptionsDialog.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Dpi.h"
#include "win/Seams.h"
#include "win/WaitCursor.h"

namespace {

constexpr wchar_t kOsLoaderType[] = L"OSLOADER";
constexpr wchar_t kBootSectorType[] = L"BOOTSECTOR";
// The name Windows' own set-up gives the shared ramdisk options.
constexpr wchar_t kRamdiskOptionsName[] = L"Ramdisk Options";

// The tool's answer to /create names the new object by its GUID; anything else (its error text,
// or the runner's own failure texts) names no object at all.
bool IsBracedGuid(const std::wstring& text) {
  constexpr size_t kLength = 38;
  if (text.size() != kLength || text.front() != L'{' || text.back() != L'}') return false;
  for (size_t i = 1; i + 1 < kLength; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? text[i] != L'-' : !std::iswxdigit(text[i])) return false;
  }
  return true;
}

bool IsBraced(const std::wstring& text) { return text.size() > 1 && text.front() == L'{' && text.back() == L'}'; }

std::wstring ElementOf(const BootEntry& record, const wchar_t* name) {
  auto found = record.elements.find(name);
  return found == record.elements.end() ? std::wstring() : base::TrimText(found->second);
}

// The store's object of identifier, read through the tool; its identifier stays empty when the
// store lacks it (the listing is then the tool's complaint).
BootEntry ReadObject(EntryList& list, const std::wstring& identifier) {
  BootEntry object;
  object.Reset();
  list.EnumerateOne(&object, identifier);
  if (!IsBraced(object.identifier)) object.identifier.clear();
  return object;
}

}  // namespace

void ModifyEntryDialog::FillAddMode() {
  if (!kinds_) {
    // The strip tells the pages of its first kind as it is made; they are loaded again below.
    kinds_ = std::make_unique<QuickSelectDialog>(*this);
    if (HWND strip = kinds_->CreateModeless(Handle())) {
      PlaceChildren();
      ShowWindow(strip, SW_SHOWNA);
    }
  }
  for (int id : {IDC_ENTRY_IDENTIFIER_LABEL, IDC_ENTRY_INFO_LABEL, IDC_ENTRY_IDENTIFIER, IDC_ENTRY_INFO}) {
    ShowItem(id, false);
  }
  UINT dpi = win::DpiOf(Handle());
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ADD_NEW), IMAGE_ICON,
                 win::SystemMetricForDpi(SM_CXSMICON, dpi), win::SystemMetricForDpi(SM_CYSMICON, dpi), LR_SHARED));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SetWindowTextW(Handle(), GetText(IDS_ADD_NEW_CAPTION).c_str());
  general_->LoadFromEntry();
  advanced_->LoadFromEntry();
  // The kind the strip shows, which is kind 4 where only boot.ini lines can be added.
  ApplyKindDefaults(SelectedKind());
  tabs_.Select(currentTab_);
  ShowCurrentPage();
}

int ModifyEntryDialog::SelectedKind() const { return kinds_ && kinds_->Handle() ? kinds_->SelectedKind() : 0; }

void ModifyEntryDialog::ApplyKindDefaults(int kind) {
  if (general_ && general_->Handle()) general_->ApplyKindDefaults(kind);
  if (advanced_ && advanced_->Handle()) advanced_->ApplyKindDefaults(kind);
}

void ModifyEntryDialog::AddNew() {
  int kind = SelectedKind();
  std::wstring name = general_->GetName();
  bool storeMode = StoreEditingAvailable();
  bool advanced = storeMode && kind <= kKindVhd;
  // Refusals come before anything is created: the dialog stays open for the user to mend them.
  if (!general_->ValidateNew() || (advanced && !advanced_->ValidateNew())) return;
  if (storeMode && kind == kKindRamdisk && !EnsureRamdiskOptions()) return;
  std::pair<std::wstring, UINT> result;
  {
    win::WaitCursor wait;
    result = storeMode ? AddToStore(kind, name) : AddToBootIni(kind, name);
  }
  win::Prompt(Handle(), result.first, AppSettings.appTitle, result.second);
  End(IDOK);
}

std::pair<std::wstring, UINT> ModifyEntryDialog::AddToStore(int kind, const std::wstring& name) {
  const std::pair<std::wstring, UINT> failed{kWriteStoreError, MB_OK | MB_ICONERROR};
  BootEntry& record = Record();
  record.sourceKind = kSourceStore;
  std::wstring identifier;
  if (kind == kKindNtldr && List().LegacyEntryMissing()) {
    // The legacy loader has a fixed identifier; whether the tool made it is seen by listing it.
    if (CreateLegacyLoader(name).empty()) return failed;
    BootEntry legacy;
    legacy.Reset();
    List().EnumerateOne(&legacy, kNtldrAlias);
    if (legacy.identifier.empty() || legacy.identifier.front() != L'{') return failed;
    identifier = kNtldrGuid;
  } else {
    identifier = Runner().CreateEntry(kind >= kKindNtldr ? kBootSectorType : kOsLoaderType, name);
    if (!IsBracedGuid(identifier)) return failed;
  }
  record.identifier = identifier;

  bool complete = general_->WriteNewGeneral(kind);
  if (kind <= kKindVhd && !advanced_->WriteNewAdvanced(kind)) complete = false;
  if (!complete) return DeleteIncomplete(identifier);
  if (!AppendToMenu(identifier).Succeeded()) return {base::Format(GetText(IDS_NEW_ENTRY_OFF_MENU), identifier), MB_OK | MB_ICONERROR};
  return {base::Format(GetText(IDS_ADDED_TO_BCD), GetText(IDS_OPERATION_DONE), name, identifier),
          MB_OK | MB_ICONINFORMATION};
}

std::pair<std::wstring, UINT> ModifyEntryDialog::AddToBootIni(int kind, const std::wstring& name) {
  Record().sourceKind = kSourceBootIni;
  if (!general_->WriteNewGeneral(kind)) return {kWriteBootIniError, MB_OK | MB_ICONERROR};
  return {base::Format(GetText(IDS_ADDED_TO_BOOT_INI), GetText(IDS_OPERATION_DONE), name), MB_OK | MB_ICONINFORMATION};
}

std::pair<std::wstring, UINT> ModifyEntryDialog::DeleteIncomplete(const std::wstring& identifier) {
  std::wstring arguments = DeleteEntryArgs(identifier);
  // The tool deletes an object of a well-known identifier only when forced.
  if (base::EqualsNoCase(identifier, kNtldrGuid)) arguments += L"/f";
  if (Runner().RunChecked(arguments, 0).Succeeded() && ReadObject(List(), identifier).identifier.empty())
    return {base::Format(GetText(IDS_NEW_ENTRY_DELETED), identifier), MB_OK | MB_ICONERROR};
  // Still there: off the menu, and the user is told where to find it.
  return {base::Format(GetText(IDS_NEW_ENTRY_INCOMPLETE), identifier), MB_OK | MB_ICONERROR};
}

bool ModifyEntryDialog::EnsureRamdiskOptions() {
  const std::wstring& caption = AppSettings.appTitle;
  std::wstring options = general_->Values().options;
  if (!ReadObject(List(), options).identifier.empty()) return true;
  bool shared = base::EqualsNoCase(options, kRamdiskOptionsAlias) || base::EqualsNoCase(options, kRamdiskOptionsGuid);
  if (!shared || win::Prompt(Handle(), GetText(IDS_ASK_CREATE_RAMDISK_OPTIONS), caption,
                             MB_YESNO | MB_ICONQUESTION) != IDYES) {
    win::Prompt(Handle(), base::Format(GetText(IDS_RAMDISK_OPTIONS_MISSING), options), caption, MB_OK | MB_ICONERROR);
    return false;
  }
  if (!Runner().RunChecked(CreateRamdiskOptionsArgs(kRamdiskOptionsName), 0).Succeeded() ||
      ReadObject(List(), kRamdiskOptionsAlias).identifier.empty()) {
    win::Prompt(Handle(), kWriteStoreError, caption, MB_OK | MB_ICONERROR);
    return false;
  }
  // The options dialog takes the SDI file's drive and path and writes them.
  RamdiskOptionsDialog dialog(List(), kRamdiskOptionsAlias, VolumeImages());
  dialog.RunModal(Handle());
  BootEntry made = ReadObject(List(), kRamdiskOptionsAlias);
  if (!ElementOf(made, L"ramdisksdidevice").empty() && !ElementOf(made, L"ramdisksdipath").empty()) return true;
  // Left behind, an object without its SDI file would only keep the question from being asked again.
  Runner().Run(DeleteEntryArgs(kRamdiskOptionsAlias) + L"/f", 0);
  win::Prompt(Handle(), GetText(IDS_RAMDISK_OPTIONS_INCOMPLETE), caption, MB_OK | MB_ICONERROR);
  return false;
}
