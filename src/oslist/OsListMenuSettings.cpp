// The boot menu settings: boot.ini and store timeouts, the menu language and the menu style.
#include <iterator>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/BootIni.h"
#include "store/SafetyNet.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr wchar_t kUndefinedLocale[] = L"(undef)";
// Two digits: the boot menu waits at most 99 seconds here.
constexpr int kTimeoutDigits = 2;
// Offered when a ticked boot.ini menu has no saved wait to come back to.
constexpr int kFreshBootIniTimeout = 3;

struct MenuChoice {
  UINT text;
  const wchar_t* value;
  int image;
};

const MenuChoice kMenuStyles[] = {
    {IDS_MENU_STYLE_AUTO, L"", art::kImageConfig},
    {IDS_MENU_STYLE_ALWAYS, L"Yes", art::kImageLoader},
    {IDS_MENU_STYLE_NO, L"No", art::kImageStoreFile},
};

// The languages the page names itself; the picker's locale codes follow.
const MenuChoice kNamedLanguages[] = {
    {IDS_MENU_LOCALE_UNDEFINED, kUndefinedLocale, art::kImageLoader},
    {IDS_MENU_LOCALE_EN_US, L"en-US", art::kImageLoader},
    {IDS_MENU_LOCALE_ZH_CN, L"zh-CN", art::kImageLoader},
    {IDS_MENU_LOCALE_ZH_TW, L"zh-TW", art::kImageLoader},
    {IDS_MENU_LOCALE_ZH_HK, L"zh-HK", art::kImageLoader},
};

const int kBootIniControls[] = {IDC_OSLIST_BOOTINI_MENU, IDC_OSLIST_BOOTINI_TIMEOUT, IDC_OSLIST_BOOTINI_SECONDS};
const int kStoreControls[] = {IDC_OSLIST_BCD_TIMEOUT_LABEL,   IDC_OSLIST_BCD_TIMEOUT,  IDC_OSLIST_BCD_SECONDS,
                              IDC_OSLIST_MENU_STYLE_LABEL,    IDC_OSLIST_MENU_DIVIDER, IDC_OSLIST_MENU_STYLE,
                              IDC_OSLIST_MENU_LANGUAGE_LABEL, IDC_OSLIST_MENU_LANGUAGE};
// What works only through the tool.
const int kToolControls[] = {IDC_OSLIST_BCD_TIMEOUT, IDC_OSLIST_BCD_SECONDS, IDC_OSLIST_BROWSE_STORE,
                             IDC_OSLIST_MENU_STYLE, IDC_OSLIST_MENU_LANGUAGE};

// A store file has no boot.ini: its part of the page is neither shown nor written meanwhile.
bool BootIniPartShown() { return Runner().storeFile.empty() && AppSettings.ntldrPresent; }

void AddChoices(VolumePicker& picker, const MenuChoice* choices, size_t count) {
  for (size_t i = 0; i < count; ++i) picker.AddItem(GetText(choices[i].text), choices[i].value, choices[i].image);
}

// Selects the item of value; a value the list does not offer gets an item of its own, so that
// what the store holds is shown and read back unchanged instead of as empty.
void SelectOrAdd(VolumePicker& picker, const std::wstring& value) {
  if (picker.SelectLocale(value) >= 0) return;
  picker.AddItem(value, value, art::kImageLoader);
  picker.SelectLocale(value);
}

}  // namespace

void OsListPage::FillMenuCombos() {
  if (!menuLanguage_.Handle()) menuLanguage_.Attach(Item(IDC_OSLIST_MENU_LANGUAGE));
  if (!menuStyle_.Handle()) menuStyle_.Attach(Item(IDC_OSLIST_MENU_STYLE));
  bool refill = menuLanguage_.Count() > 0;
  std::wstring language = menuLanguage_.SelectedLocale();
  std::wstring style = menuStyle_.SelectedLocale();

  menuLanguage_.Clear();
  menuLanguage_.SetImageList(context_.buttonImages);
  AddChoices(menuLanguage_, kNamedLanguages, std::size(kNamedLanguages));
  menuLanguage_.AddLocaleCodes(art::kImageLoader);
  menuStyle_.Clear();
  menuStyle_.SetImageList(context_.buttonImages);
  AddChoices(menuStyle_, kMenuStyles, std::size(kMenuStyles));

  fillingMenuSettings_ = true;
  if (refill) {
    SelectMenuLanguage(language);
    SelectMenuStyle(style);
  } else {
    SendMessageW(menuLanguage_.Handle(), CB_SETCURSEL, 0, 0);
    SendMessageW(menuStyle_.Handle(), CB_SETCURSEL, 0, 0);
  }
  fillingMenuSettings_ = false;
}

void OsListPage::InitMenuSettings() {
  if (menuLanguage_.Count() == 0) FillMenuCombos();
  if (AppSettings.enableDelMode == 0) EnableItem(IDC_OSLIST_DELETE, false);
  fillingMenuSettings_ = true;

  bool bootIni = BootIniPartShown();
  for (int id : kBootIniControls) ShowItem(id, bootIni);
  if (bootIni) {
    SendDlgItemMessageW(Handle(), IDC_OSLIST_BOOTINI_TIMEOUT, EM_LIMITTEXT, kTimeoutDigits, 0);
    SetDlgItemInt(Handle(), IDC_OSLIST_BOOTINI_TIMEOUT, static_cast<UINT>(AppSettings.bootIniTimeout), TRUE);
    CheckItem(IDC_OSLIST_BOOTINI_MENU, AppSettings.bootIniTimeout != 0);
  }

  bool store = AppSettings.bcdSystem;
  for (int id : kStoreControls) ShowItem(id, store);
  if (store) {
    SendDlgItemMessageW(Handle(), IDC_OSLIST_BCD_TIMEOUT, EM_LIMITTEXT, kTimeoutDigits, 0);
    SetDlgItemInt(Handle(), IDC_OSLIST_BCD_TIMEOUT, static_cast<UINT>(AppSettings.bcdTimeout), TRUE);
    list_.bootManager.timeout = AppSettings.bcdTimeout;
    SelectMenuLanguage(list_.bootManager.locale);
    SelectMenuStyle(list_.bootManager.displaybootmenu);
    for (int id : kToolControls) EnableItem(id, AppSettings.toolsAvailable);
  }

  bool nothing = !bootIni && !store;
  if (nothing) SetItemText(IDC_OSLIST_NO_LOADER_NOTE, GetText(IDS_NO_LOADER_FOUND));
  ShowItem(IDC_OSLIST_NO_LOADER_NOTE, nothing);
  ShowItem(IDC_OSLIST_APPLY, !nothing);

  fillingMenuSettings_ = false;
  // Every field shows what was last applied.
  settingsChanged_ = false;
  SyncControls();
}

bool OsListPage::ReadTimeoutField(int id, int* seconds) const {
  if (base::TrimText(ItemText(id)).empty()) return false;
  *seconds = static_cast<int>(GetDlgItemInt(Handle(), id, nullptr, TRUE));
  return true;
}

bool OsListPage::RefuseEmptyTimeout(int id) {
  int seconds = 0;
  if (ReadTimeoutField(id, &seconds)) return false;
  win::Prompt(Handle(), GetText(IDS_TIMEOUT_EMPTY), AppSettings.appTitle, MB_OK);
  SetFocus(Item(id));
  return true;
}

void OsListPage::SelectMenuLanguage(const std::wstring& locale) {
  // No locale in the store is what "[undefine region]" stands for.
  SelectOrAdd(menuLanguage_, locale.empty() ? std::wstring(kUndefinedLocale) : locale);
}

void OsListPage::SelectMenuStyle(const std::wstring& value) { SelectOrAdd(menuStyle_, value); }

void OsListPage::ApplyMenuSettings() {
  if (!settingsChanged_) {
    SyncControls();
    return;
  }
  bool bootIni = BootIniPartShown();
  bool store = AppSettings.bcdSystem && AppSettings.toolsAvailable;
  bool bootIniMenu = bootIni && IsItemChecked(IDC_OSLIST_BOOTINI_MENU);
  // An empty field would go out as 0, which skips the menu; a field that is not written may stay empty.
  if (bootIniMenu && RefuseEmptyTimeout(IDC_OSLIST_BOOTINI_TIMEOUT)) return;
  if (store && RefuseEmptyTimeout(IDC_OSLIST_BCD_TIMEOUT)) return;

  bool written = false;
  bool failed = false;
  // The store's part goes first: when the safety net refused it, boot.ini stays as it is too.
  if (store) {
    int result = ApplyStoreMenuSettings();
    if (result > 0) written = true;
    if (result < 0) failed = true;
  }
  if (bootIni && !CopyRefusedInThisCommand()) {
    int seconds = 0;
    if (bootIniMenu) ReadTimeoutField(IDC_OSLIST_BOOTINI_TIMEOUT, &seconds);
    if (seconds != AppSettings.bootIniTimeout) {
      AppSettings.bootIniTimeout = seconds;
      (WriteBootIniTimeout() ? written : failed) = true;
    }
  }

  if (written && !failed)
    win::Prompt(Handle(), GetText(IDS_OPERATION_DONE), AppSettings.appTitle, MB_OK | MB_ICONINFORMATION);
  // What did not reach its place stays on show, and Apply offers it again.
  settingsChanged_ = failed;
  SyncControls();
}

int OsListPage::ApplyStoreMenuSettings() {
  BootEntry& manager = list_.bootManager;
  int seconds = 0;
  ReadTimeoutField(IDC_OSLIST_BCD_TIMEOUT, &seconds);
  std::wstring locale = menuLanguage_.SelectedLocale();
  std::wstring style = menuStyle_.SelectedLocale();
  bool sent = false;
  // Judged by each command's exit code (its messages are in the machine's language), so a
  // change that arrived costs no second run to read the store back.
  bool failed = false;
  if (seconds != AppSettings.bcdTimeout) {
    AppSettings.bcdTimeout = manager.timeout = seconds;
    failed = !SetManagerTimeout(seconds).Succeeded();
    sent = true;
  }
  if (!base::EqualsNoCase(locale, manager.locale)) {
    manager.locale = locale;
    ToolResult run = SetManagerLocale(locale);
    failed = failed || !run.Succeeded();
    sent = run.started || sent;
  }
  if (!base::EqualsNoCase(style, manager.displaybootmenu)) {
    manager.displaybootmenu = style;
    ToolResult run = SetManagerMenuStyle(style);
    failed = failed || !run.Succeeded();
    sent = run.started || sent;
  }
  if (!sent) return 0;
  if (!failed) return 1;

  // Something did not arrive: the page shows what the store holds now.
  ReadBootManager();
  AppSettings.bcdTimeout = manager.timeout;
  win::Prompt(Handle(), kWriteStoreError, AppSettings.appTitle, MB_OK | MB_ICONERROR);
  return -1;
}

bool OsListPage::WriteBootIniTimeout() {
  if (!BootIniPartShown()) return false;
  if (BootIniSetTimeout(AppSettings.bootIniTimeout)) return true;
  win::Prompt(Handle(), kBootIniWriteFailed, AppSettings.appTitle, MB_OK);
  AppSettings.bootIniTimeout = BootIniReadTimeout();
  fillingMenuSettings_ = true;
  SetDlgItemInt(Handle(), IDC_OSLIST_BOOTINI_TIMEOUT, static_cast<UINT>(AppSettings.bootIniTimeout), TRUE);
  CheckItem(IDC_OSLIST_BOOTINI_MENU, AppSettings.bootIniTimeout != 0);
  fillingMenuSettings_ = false;
  return false;
}

INT_PTR OsListPage::OnApply(WPARAM, LPARAM) {
  ApplyMenuSettings();
  return TRUE;
}

INT_PTR OsListPage::OnBootIniMenuCheck(WPARAM, LPARAM) {
  if (fillingMenuSettings_ || !AppSettings.ntldrPresent) return TRUE;
  settingsChanged_ = true;
  int seconds = 0;
  if (IsItemChecked(IDC_OSLIST_BOOTINI_MENU) &&
      (!ReadTimeoutField(IDC_OSLIST_BOOTINI_TIMEOUT, &seconds) || seconds == 0)) {
    int offered = AppSettings.bootIniTimeout != 0 ? AppSettings.bootIniTimeout : kFreshBootIniTimeout;
    SetDlgItemInt(Handle(), IDC_OSLIST_BOOTINI_TIMEOUT, static_cast<UINT>(offered), TRUE);
  }
  SyncControls();
  return TRUE;
}

INT_PTR OsListPage::OnBootIniTimeoutChange(WPARAM, LPARAM) {
  int seconds = 0;
  // A field emptied on the way to another number is no choice yet.
  if (fillingMenuSettings_ || !AppSettings.ntldrPresent || !ReadTimeoutField(IDC_OSLIST_BOOTINI_TIMEOUT, &seconds))
    return TRUE;
  CheckItem(IDC_OSLIST_BOOTINI_MENU, seconds != 0);
  settingsChanged_ = settingsChanged_ || seconds != AppSettings.bootIniTimeout;
  SyncControls();
  return TRUE;
}

INT_PTR OsListPage::OnBcdTimeoutChange(WPARAM, LPARAM) {
  int seconds = 0;
  if (fillingMenuSettings_ || !AppSettings.bcdSystem || !ReadTimeoutField(IDC_OSLIST_BCD_TIMEOUT, &seconds))
    return TRUE;
  settingsChanged_ = settingsChanged_ || seconds != AppSettings.bcdTimeout;
  SyncControls();
  return TRUE;
}

INT_PTR OsListPage::OnMenuLanguageChange(WPARAM, LPARAM) {
  if (fillingMenuSettings_ || !AppSettings.toolsAvailable) return TRUE;
  if (!settingsChanged_)
    settingsChanged_ = !base::EqualsNoCase(menuLanguage_.SelectedLocale(), list_.bootManager.locale);
  SyncControls();
  return TRUE;
}

INT_PTR OsListPage::OnMenuStyleChange(WPARAM, LPARAM) {
  if (fillingMenuSettings_ || !AppSettings.toolsAvailable) return TRUE;
  if (!settingsChanged_)
    settingsChanged_ = !base::EqualsNoCase(menuStyle_.SelectedLocale(), list_.bootManager.displaybootmenu);
  SyncControls();
  return TRUE;
}
