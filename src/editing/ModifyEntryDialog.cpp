// The entry dialog: opening, the tabs, Prev and Next, the raw listing, and saving with the leave
// question. Creating a new entry is in AddNewEntry.cpp.
#include "editing/ModifyEntryDialog.h"

#include <iterator>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "core/BitLockerSettings.h"
#include "editing/SettingValues.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/BitLocker.h"
#include "core/BootEntry.h"
#include "store/EntryList.h"
#include "store/FirmwareEdits.h"
#include "texts.h"
#include "win/Dpi.h"
#include "win/Seams.h"
#include "win/WaitCursor.h"

namespace {

// The pages' area inside the tab control's edges, in pixels at 96 DPI.
constexpr int kPageTop = 25, kPageLeft = 2, kPageRight = 5, kPageBottom = 2;
// The raw listing sits a little inside the page area.
constexpr int kDebugInset = 10, kDebugRightInset = 5;
constexpr DWORD kTabTexture = 4;  // ETDT_ENABLETAB

// The tab's themed background behind the pages, where the theme library offers it.
void EnableTabTexture(HWND dialog) {
  HMODULE theme = LoadLibraryW(L"uxtheme.dll");
  if (!theme) return;
  using EnableTexture = HRESULT(WINAPI*)(HWND, DWORD);
  auto enable = reinterpret_cast<EnableTexture>(reinterpret_cast<void*>(GetProcAddress(theme, "EnableThemeDialogTexture")));
  if (enable) enable(dialog, kTabTexture);
  FreeLibrary(theme);
}

}  // namespace

const win::MessageEntry<ModifyEntryDialog> ModifyEntryDialog::kMessages[] = {
    win::OnNotify(IDC_ENTRY_TABS, TCN_SELCHANGE, &ModifyEntryDialog::OnTabChange),
    win::OnCommand(IDC_ENTRY_PREV, BN_CLICKED, &ModifyEntryDialog::OnPrev),
    win::OnCommand(IDC_ENTRY_NEXT, BN_CLICKED, &ModifyEntryDialog::OnNext),
    win::OnCommand(IDOK, BN_CLICKED, &ModifyEntryDialog::OnOk),
    win::OnCommand(IDCANCEL, BN_CLICKED, &ModifyEntryDialog::OnCancel),
};

ModifyEntryDialog::ModifyEntryDialog(const EntryDialogSetup& setup, int listIndex)
    : win::AppDialog(IDD_ENTRY, kMessages), setup_(setup), listIndex_(listIndex) {
  int count = static_cast<int>(List().entries.size());
  if (listIndex_ < kBootManagerIndex || listIndex_ >= count) {
    addMode_ = true;
    listIndex_ = kNewEntryIndex;
  }
}

ModifyEntryDialog::~ModifyEntryDialog() {
  // The pages are children of this window: end them while their handlers still exist.
  if (kinds_ && kinds_->Handle()) kinds_->End(0);
  if (general_ && general_->Handle()) general_->End(0);
  if (advanced_ && advanced_->Handle()) advanced_->End(0);
}

BootEntry& ModifyEntryDialog::Record() {
  if (addMode_) return newRecord_;
  return listIndex_ == kBootManagerIndex ? List().bootManager : List().entries[static_cast<size_t>(listIndex_)];
}

BOOL ModifyEntryDialog::OnInit() {
  EnableTabTexture(Handle());
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_OSLIST));
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

  efiBoot_ = !List().bootManager.GetPath().empty();
  // The store's firmware boot manager, or a boot manager that is an EFI application, says UEFI;
  // a store file has no firmware of this machine behind it.
  const std::wstring managerPath = List().bootManager.GetPath();
  uefi_ = (managerPath.size() > 4 && base::EqualsNoCase(managerPath.substr(managerPath.size() - 4), L".efi")) ||
          (Runner().storeFile.empty() && SystemStoreHasFirmwareBootManager());
  if (addMode_) newRecord_.Reset();
  tabs_.Attach(Item(IDC_ENTRY_TABS));
  tabs_.SetImageList(setup_.tabImages);
  BuildTabs();
  tabs_.Select(0);
  if (addMode_) {
    ShowItem(IDC_ENTRY_PREV, false);
    ShowItem(IDC_ENTRY_NEXT, false);
    SetItemText(IDOK, GetText(IDS_ADD_NEW));
  } else {
    prev_.Attach(Handle(), IDC_ENTRY_PREV);
    next_.Attach(Handle(), IDC_ENTRY_NEXT);
  }

  general_ = std::make_unique<GeneralPage>(*this);
  advanced_ = std::make_unique<AdvancedPage>(*this);
  general_->CreateModeless(Handle());
  advanced_->CreateModeless(Handle());
  debug_.Attach(Item(IDC_ENTRY_DEBUG_TEXT));
  PlaceChildren();
  debug_.Show(false);

  Fill();
  UpdateButtons();
  return TRUE;
}

void ModifyEntryDialog::PlaceChildren() {
  auto areaOf = [this](int id) {
    RECT area = {};
    GetWindowRect(Item(id), &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    return area;
  };
  auto place = [](HWND window, const RECT& at) {
    if (window)
      SetWindowPos(window, HWND_TOP, at.left, at.top, at.right - at.left, at.bottom - at.top, SWP_NOACTIVATE);
  };
  const UINT dpi = win::DpiOf(Handle());
  auto px = [dpi](int at96) { return win::ScaleToDpi(at96, dpi); };
  const RECT tabs = areaOf(IDC_ENTRY_TABS);
  const RECT pages = {tabs.left + px(kPageLeft), tabs.top + px(kPageTop), tabs.right - px(kPageRight),
                      tabs.bottom - px(kPageBottom)};
  place(general_->Handle(), pages);
  place(advanced_->Handle(), pages);
  place(debug_.Handle(), {pages.left + px(kDebugInset), pages.top + px(kDebugInset),
                          pages.right - px(kDebugRightInset), pages.bottom - px(kDebugInset)});
  if (kinds_ && kinds_->Handle()) place(kinds_->Handle(), areaOf(IDC_ENTRY_TOP_AREA));
}

bool ModifyEntryDialog::HasAdvancedTab() {
  return addMode_ || (!IsBootManager() && Record().sourceKind != kSourceBootIni);
}

void ModifyEntryDialog::BuildTabs() {
  tabs_.DeleteAll();
  tabs_.Insert(0, GetText(IDS_TAB_SETTINGS), art::kImageConfig);
  if (HasAdvancedTab()) tabs_.Insert(1, GetText(IDS_TAB_ADV_SETTINGS), art::kImageAdvanced);
  // A new entry has nothing to list yet.
  if (!addMode_) tabs_.Insert(tabs_.Count(), GetText(IDS_TAB_DEBUG), art::kImageStoreFile);
}

HWND ModifyEntryDialog::PageWindow(int tab) {
  if (tab == 0) return general_->Handle();
  if (tab == 1 && HasAdvancedTab()) return advanced_->Handle();
  return debug_.Handle();
}

void ModifyEntryDialog::ShowCurrentPage() {
  HWND shown = PageWindow(currentTab_);
  for (HWND page : {general_->Handle(), advanced_->Handle(), debug_.Handle()}) {
    ShowWindow(page, page == shown ? SW_SHOW : SW_HIDE);
  }
}

void ModifyEntryDialog::Fill() {
  device_.Reset();
  if (addMode_) {
    FillAddMode();
    return;
  }
  BootEntry& record = Record();
  SetWindowTextW(Handle(), base::Format(GetText(IDS_CHANGE_ENTRY_CAPTION), record.description).c_str());
  SetItemText(IDC_ENTRY_IDENTIFIER, record.sourceKind == kSourceBootIni ? record.description : record.identifier);
  if (record.sourceKind == kSourceBootIni) {
    SetItemText(IDC_ENTRY_INFO, GetText(IDS_ENTRY_BOOT_INI));
  } else if (record.sourceKind == kSourceStore) {
    UINT info = IsBootManager() ? IDS_ENTRY_BOOT_MANAGER
                : base::EqualsNoCase(record.identifier, kNtldrGuid) ? IDS_ENTRY_BCD_NTLDR
                                                                     : IDS_ENTRY_BCD;
    SetItemText(IDC_ENTRY_INFO, GetText(info));
  }
  general_->LoadFromEntry();
  if (!IsBootManager()) advanced_->LoadFromEntry();

  // The Debug tab is the last one whatever the record: moving between a loader (three tabs) and
  // the boot manager or a boot.ini line (two) keeps it on show; the advanced tab falls back to
  // Settings.
  int wanted = HasAdvancedTab() ? 3 : 2;
  if (tabs_.Count() != wanted) {
    BuildTabs();
    if (wanted == 3 && currentTab_ == 1) currentTab_ = 2;
    else if (wanted == 2 && currentTab_ == 1) currentTab_ = 0;
    else if (wanted == 2 && currentTab_ == 2) currentTab_ = 1;
  }
  tabs_.Select(currentTab_);
  ShowCurrentPage();
}

INT_PTR ModifyEntryDialog::OnTabChange(WPARAM, LPARAM) {
  currentTab_ = tabs_.Selection();
  if (PageWindow(currentTab_) == debug_.Handle()) RefreshDetails();
  ShowCurrentPage();
  UpdateButtons();
  return TRUE;
}

void ModifyEntryDialog::RefreshDetails() {
  BootEntry& record = Record();
  if (record.device.empty() && record.sourceKind == kSourceStore && record.rawText == NOT_READ_TEXT &&
      AppSettings.toolsAvailable && !record.identifier.empty()) {
    List().EnumerateOne(&record, record.identifier);
  }
  // The listing's lines end in a bare line feed, which a multi-line edit does not break at.
  std::wstring text;
  for (size_t i = 0; i < record.rawText.size(); ++i) {
    if (record.rawText[i] == L'\n' && (i == 0 || record.rawText[i - 1] != L'\r')) text += L'\r';
    text += record.rawText[i];
  }
  debug_.SetText(text);
}

void ModifyEntryDialog::UpdateButtons() {
  if (addMode_) return;
  EnableItem(IDC_ENTRY_PREV, listIndex_ != kBootManagerIndex);
  EnableItem(IDC_ENTRY_NEXT, listIndex_ + 1 != static_cast<int>(List().entries.size()));
}

void ModifyEntryDialog::Step(int delta) {
  if (addMode_) return;
  int target = listIndex_ + delta;
  if (target < kBootManagerIndex || target >= static_cast<int>(List().entries.size())) return;
  ConfirmLeave();
  listIndex_ = target;
  Fill();
  RefreshDetails();
  UpdateButtons();
}

INT_PTR ModifyEntryDialog::OnPrev(WPARAM, LPARAM) {
  Step(-1);
  return TRUE;
}

INT_PTR ModifyEntryDialog::OnNext(WPARAM, LPARAM) {
  Step(1);
  return TRUE;
}

bool ModifyEntryDialog::HasChanges() {
  return general_->HasChanges() || (HasAdvancedTab() && advanced_->HasChanges());
}

void ModifyEntryDialog::ConfirmLeave() {
  changed_ = changed_ || HasChanges();
  if (!changed_) return;
  std::wstring question = base::Format(GetText(IDS_ASK_KEEP_ENTRY_CHANGES), Record().description);
  if (win::Prompt(Handle(), question, AppSettings.appTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
    SaveAll();
  }
  changed_ = false;
}

INT_PTR ModifyEntryDialog::OnOk(WPARAM, LPARAM) {
  if (addMode_) {
    AddNew();
    return TRUE;
  }
  changed_ = HasChanges();
  if (changed_) {
    win::WaitCursor wait;
    // Kept open: the user may take back what BitLocker would object to, or cancel.
    if (!SaveAll()) return TRUE;
  }
  End(IDOK);
  return TRUE;
}

INT_PTR ModifyEntryDialog::OnCancel(WPARAM, LPARAM) {
  End(IDCANCEL);
  return TRUE;
}

bool ModifyEntryDialog::ChangesWhatBitLockerChecks() {
  const BootEntry& record = Record();
  // A store file starts nothing; BitLocker checks only what starts this system.
  if (addMode_ || record.sourceKind != kSourceStore || !Runner().storeFile.empty()) return false;
  const std::wstring& running = List().currentOs.identifier;
  bool loader = !IsBootManager();
  if (loader && (running.empty() || !base::EqualsNoCase(record.identifier, running))) return false;
  std::vector<std::wstring> elements = general_->ChangedElements();
  if (HasAdvancedTab()) {
    std::vector<std::wstring> advanced = advanced_->ChangedElements();
    elements.insert(elements.end(), advanced.begin(), advanced.end());
  }
  for (const std::wstring& element : elements)
    if (BitLockerChecks(element, loader)) return true;
  return false;
}

bool ModifyEntryDialog::SaveAll() {
  BootEntry& record = Record();
  SaveOutcome outcome;
  if (ChangesWhatBitLockerChecks() && AppSettings.toolsAvailable && !MayChangeWhatBitLockerChecks(Handle()))
    return false;
  if (record.sourceKind == kSourceStore && !AppSettings.toolsAvailable) {
    // The registry view can be read but not written.
    outcome.changed = true;
    outcome.failed = true;
  } else {
    outcome = general_->SaveChanges();
    if (HasAdvancedTab()) advanced_->SaveChanges(outcome);
  }
  if (!outcome.changed) return true;
  if (record.sourceKind == kSourceStore && outcome.issued) {
    Reread();
    CheckStored(outcome);
  }
  Report(outcome);
  changed_ = false;
  return true;
}

void ModifyEntryDialog::Reread() {
  BootEntry& record = Record();
  if (IsBootManager()) {
    record.ResetBootManager();
    List().EnumerateOne(&record, kBootMgrAlias);
    return;
  }
  BootEntry kept = record;
  record.Reset();
  record.identifier = kept.identifier;
  record.sourceKind = kept.sourceKind;
  record.loadState = kept.loadState;
  record.removed = kept.removed;
  record.deleteMark = kept.deleteMark;
  List().EnumerateOne(&record, kept.identifier);
}

namespace {

// Device texts compared as their parts, so an alias and its GUID count as the same object.
bool SameDevice(const std::wstring& a, const std::wstring& b) {
  DeviceSpec left, right;
  ParseDevice(a, &left);
  ParseDevice(b, &right);
  return left.kind == right.kind && base::EqualsNoCase(left.volume, right.volume) &&
         base::EqualsNoCase(left.path, right.path) && base::EqualsNoCase(left.options, right.options);
}

}  // namespace

void ModifyEntryDialog::CheckStored(SaveOutcome& outcome) {
  const BootEntry& record = Record();
  for (const auto& [key, value] : outcome.sent) {
    if (key == L"device" || key == L"osdevice") {
      const std::wstring& stored = key == L"device" ? record.device : record.osdevice;
      if (!SameDevice(stored, value) && !SameDevice(stored, AsToolPrints(value))) outcome.failed = true;
      continue;
    }
    std::wstring stored = key == L"description" ? record.description
                          : key == L"locale"    ? record.locale
                          : key == L"path"      ? record.GetPath()
                          : key == L"systemroot" ? record.systemroot
                          : key == L"winpe"     ? record.winpe
                                                : std::wstring();
    for (const SettingTable& table : SettingTables()) {
      if (key == table.element) stored = StoredSetting(record, table.tag);
    }
    // A name outside the code page is stored whole but listed with stand-in characters.
    if (!base::EqualsNoCase(stored, value) && !base::EqualsNoCase(stored, AsToolPrints(value))) outcome.failed = true;
  }
}

void ModifyEntryDialog::Report(const SaveOutcome& outcome) {
  const std::wstring& caption = AppSettings.appTitle;
  for (const std::wstring& field : outcome.emptied) {
    win::Prompt(Handle(), base::Format(GetText(IDS_FIELD_EMPTY_KEPT), field), caption, MB_OK);
  }
  for (const std::wstring& field : outcome.refused) {
    win::Prompt(Handle(),
                base::Format(GetText(IDS_FIELD_NOT_SAVED), field),
                caption, MB_OK);
  }
  for (const std::wstring& field : outcome.unprintable) {
    win::Prompt(Handle(), UnprintableFieldText(field), caption, MB_OK);
  }
  if (outcome.failed) {
    bool bootIni = Record().sourceKind == kSourceBootIni;
    win::Prompt(Handle(), bootIni ? kWriteBootIniError : kWriteStoreError, caption,
                bootIni ? MB_OK : MB_OK | MB_ICONERROR);
  }
  if (outcome.emptied.empty() && outcome.refused.empty() && outcome.unprintable.empty() && !outcome.failed) {
    win::Prompt(Handle(), GetText(IDS_OPERATION_DONE), caption, MB_OK | MB_ICONINFORMATION);
  }
}

INT_PTR OpenEntryDialog(HWND owner, EntryList& list, const PageContext& context, int listIndex) {
  ModifyEntryDialog dialog(EntryDialogSetup{&list, context.buttonImages, context.systemSmall}, listIndex);
  INT_PTR result = dialog.RunModal(owner);
  // At once, as part of the same command: the user asked for it in this dialog.
  if (result == kAddEfiEntryInstead && context.mainWindow) SendMessageW(context.mainWindow, kAddEfiEntryMessage, 0, 0);
  return result;
}
