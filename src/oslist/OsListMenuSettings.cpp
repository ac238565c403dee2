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
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr wchar_t kStoreWriteError[] = L"Write BCD store error!";
constexpr wchar_t kBootIniWriteFailed[] = L"Boot.ini \u5199\u5165\u5931\u8d25!";
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

// The languages the page names itself; the locale list follows with the bare codes.
const MenuChoice kNamedLanguages[] = {
    {IDS_MENU_LOCALE_UNDEFINED, kUndefinedLocale, art::kImageLoader},
    {IDS_MENU_LOCALE_EN_US, L"en-US", art::kImageLoader},
    {IDS_MENU_LOCALE_ZH_CN, L"zh-CN", art::kImageLoader},
    {IDS_MENU_LOCALE_ZH_TW, L"zh-TW", art::kImageLoader},
    {IDS_MENU_LOCALE_ZH_HK, L"zh-HK", art::kImageLoader},
};

const wchar_t* const kLocaleCodes[] = {L"cs-CZ", L"da-DK", L"de-DE", L"el-GR", L"es-ES", L"fr-FR",
                                       L"hu-HU", L"it-IT", L"ja-JP", L"ko-KR", L"nb-NO", L"nl-NL",
                                       L"pl-PL", L"pt-BR", L"pt-PT", L"ru-RU", L"sv-SE", L"tr-TR"};

const int kBootIniControls[] = {IDC_OSLIST_BOOTINI_MENU, IDC_OSLIST_BOOTINI_TIMEOUT, IDC_OSLIST_BOOTINI_SECONDS};
const int kStoreControls[] = {IDC_OSLIST_BCD_TIMEOUT_LABEL, IDC_OSLIST_BCD_TIMEOUT,     IDC_OSLIST_BCD_SECONDS,
                              IDC_OSLIST_MENU_STYLE_LABEL,  IDC_OSLIST_MENU_LANGUAGE_LABEL, IDC_OSLIST_MENU_DIVIDER,
                              IDC_OSLIST_MENU_STYLE,        IDC_OSLIST_MENU_LANGUAGE};
// What works only through the tool.
const int kToolControls[] = {IDC_OSLIST_BCD_TIMEOUT, IDC_OSLIST_BCD_SECONDS, IDC_OSLIST_BROWSE_STORE,
                             IDC_OSLIST_MENU_STYLE, IDC_OSLIST_MENU_LANGUAGE};

bool BootIniPartShown() { return Runner().storeFile.empty() && AppSettings.ntldrPresent; }

// The texts the runner gives for its own failures: nothing reached the store.
bool RunnerFailed(const std::wstring& output) {
  return output == kToolMissingText || output == kCreatePipeFailedText || output == kCreateProcessFailedText;
}

// Index of the first value equal to wanted (case-insensitive), or -1.
int FindValue(const std::vector<std::wstring>& values, const std::wstring& wanted) {
  for (size_t i = 0; i < values.size(); ++i) {
    if (base::EqualsNoCase(values[i], wanted)) return static_cast<int>(i);
  }
  return -1;
}

// Selects the item of value; a value the list does not offer gets an item of its own, so that
// what the store holds is shown and read back unchanged instead of as empty.
void SelectValue(const win::ComboBoxEx& combo, std::vector<std::wstring>& values, const std::wstring& value) {
  int index = FindValue(values, value);
  if (index < 0) {
    values.push_back(value);
    index = static_cast<int>(values.size()) - 1;
    combo.Insert(-1, value, art::kImageLoader, index);
  }
  for (int item = 0; item < combo.Count(); ++item) {
    if (combo.Data(item) == index) {
      combo.Select(item);
      return;
    }
  }
}

std::wstring SelectedValue(const win::ComboBoxEx& combo, const std::vector<std::wstring>& values) {
  int item = combo.Selection();
  if (item < 0) return L"";
  LPARAM index = combo.Data(item);
  if (index < 0 || index >= static_cast<LPARAM>(values.size())) return L"";
  const std::wstring& value = values[static_cast<size_t>(index)];
  return base::EqualsNoCase(value, kUndefinedLocale) ? L"" : value;
}

void FillChoices(const win::ComboBoxEx& combo, std::vector<std::wstring>& values, const MenuChoice* choices,
                 size_t count) {
  for (size_t i = 0; i < count; ++i) {
    values.push_back(choices[i].value);
    combo.Insert(-1, GetText(choices[i].text), choices[i].image, static_cast<LPARAM>(values.size() - 1));
  }
}

}  // namespace

void OsListPage::FillMenuCombos() {
  menuLanguage_.Attach(Item(IDC_OSLIST_MENU_LANGUAGE));
  menuStyle_.Attach(Item(IDC_OSLIST_MENU_STYLE));
  // Filled again on a language change: keep what is chosen.
  std::wstring language = MenuLanguageValue();
  std::wstring style = MenuStyleValue();
  bool refill = menuLanguage_.Count() > 0;

  menuLanguage_.Clear();
  menuLanguageValues_.clear();
  menuLanguage_.SetImageList(context_.buttonImages);
  FillChoices(menuLanguage_, menuLanguageValues_, kNamedLanguages, std::size(kNamedLanguages));
  for (const wchar_t* code : kLocaleCodes) {
    menuLanguageValues_.push_back(code);
    menuLanguage_.Insert(-1, code, art::kImageLoader, static_cast<LPARAM>(menuLanguageValues_.size() - 1));
  }

  menuStyle_.Clear();
  menuStyleValues_.clear();
  menuStyle_.SetImageList(context_.buttonImages);
  FillChoices(menuStyle_, menuStyleValues_, kMenuStyles, std::size(kMenuStyles));

  if (refill) {
    SelectMenuLanguage(language);
    SelectMenuStyle(style);
  } else {
    menuLanguage_.Select(0);
    menuStyle_.Select(0);
  }
}

void OsListPage::TakeStartTimeout() {
  EntryList& list = list_;
  if (AppSettings.bcdTimeout == -1) AppSettings.bcdTimeout = list.bootManager.timeout;
  if (list.registryMode == 1 && AppSettings.bcdSystem && AppSettings.bcdTimeout == -1) {
    list.ReadTimeoutFromHive();
    AppSettings.bcdTimeout = list.bootManager.timeout;
  }
  bool unread = AppSettings.bcdSystem && AppSettings.toolsAvailable && AppSettings.bcdTimeout == -1 &&
                list.bootManager.rawText.empty();
  if (unread || list.bootManager.rawText == NOT_READ_TEXT) {
    list.LoadBootManager();
    AppSettings.bcdTimeout = list.bootManager.timeout;
  }
}

void OsListPage::InitMenuSettings() {
  if (AppSettings.enableDelMode == 0) EnableItem(IDC_OSLIST_DELETE, false);
  fillingMenuSettings_ = true;

  // A store file has no boot.ini: its controls go, and nothing writes it while the file is open.
  bool bootIni = BootIniPartShown();
  for (int id : kBootIniControls) ShowItem(id, bootIni);
  if (bootIni) {
    SendDlgItemMessageW(Handle(), IDC_OSLIST_BOOTINI_TIMEOUT, EM_LIMITTEXT, kTimeoutDigits, 0);
    SetDlgItemInt(Handle(), IDC_OSLIST_BOOTINI_TIMEOUT, static_cast<UINT>(AppSettings.bootIniTimeout), TRUE);
    CheckItem(IDC_OSLIST_BOOTINI_MENU, AppSettings.bootIniTimeout != 0);
    EnableItem(IDC_OSLIST_BOOTINI_TIMEOUT, AppSettings.bootIniTimeout != 0);
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
  UpdateMenuSettingControls();
}

void OsListPage::UpdateMenuSettingControls() {
  EnableItem(IDC_OSLIST_APPLY, settingsChanged_);
  if (BootIniPartShown()) EnableItem(IDC_OSLIST_BOOTINI_TIMEOUT, IsItemChecked(IDC_OSLIST_BOOTINI_MENU));
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
  SelectValue(menuLanguage_, menuLanguageValues_, locale.empty() ? std::wstring(kUndefinedLocale) : locale);
}

void OsListPage::SelectMenuStyle(const std::wstring& value) { SelectValue(menuStyle_, menuStyleValues_, value); }

std::wstring OsListPage::MenuLanguageValue() const { return SelectedValue(menuLanguage_, menuLanguageValues_); }

std::wstring OsListPage::MenuStyleValue() const { return SelectedValue(menuStyle_, menuStyleValues_); }

void OsListPage::ApplyMenuSettings() {
  if (!settingsChanged_) {
    UpdateMenuSettingControls();
    return;
  }
  bool bootIni = BootIniPartShown();
  bool store = AppSettings.bcdSystem && AppSettings.toolsAvailable;
  // An empty field would go out as 0, which skips the menu: only a field that is written counts.
  if (bootIni && IsItemChecked(IDC_OSLIST_BOOTINI_MENU) && RefuseEmptyTimeout(IDC_OSLIST_BOOTINI_TIMEOUT)) return;
  if (store && RefuseEmptyTimeout(IDC_OSLIST_BCD_TIMEOUT)) return;

  bool written = false;
  bool failed = false;
  if (bootIni) {
    int seconds = 0;
    if (IsItemChecked(IDC_OSLIST_BOOTINI_MENU)) ReadTimeoutField(IDC_OSLIST_BOOTINI_TIMEOUT, &seconds);
    if (seconds != AppSettings.bootIniTimeout) {
      AppSettings.bootIniTimeout = seconds;
      if (WriteBootIniTimeout())
        written = true;
      else
        failed = true;
    }
  }

  if (store) {
    BootEntry& manager = list_.bootManager;
    int seconds = 0;
    ReadTimeoutField(IDC_OSLIST_BCD_TIMEOUT, &seconds);
    std::wstring locale = MenuLanguageValue();
    std::wstring style = MenuStyleValue();
    bool sent = false;
    bool runnerFailed = false;
    if (seconds != AppSettings.bcdTimeout) {
      AppSettings.bcdTimeout = manager.timeout = seconds;
      runnerFailed |= RunnerFailed(SetManagerTimeout(seconds));
      sent = true;
    }
    if (!base::EqualsNoCase(locale, manager.locale)) {
      manager.locale = locale;
      sent |= SetManagerLocale(locale) != 0;
    }
    if (!base::EqualsNoCase(style, manager.displaybootmenu)) {
      manager.displaybootmenu = style;
      sent |= SetManagerMenuStyle(style) != 0;
    }
    if (sent) {
      // The tool's answers are not read: the boot manager as the store now holds it tells.
      list_.LoadBootManager();
      bool stored = !runnerFailed && manager.timeout == seconds && base::EqualsNoCase(manager.locale, locale) &&
                    base::EqualsNoCase(manager.displaybootmenu, style);
      AppSettings.bcdTimeout = manager.timeout;
      if (stored) {
        written = true;
      } else {
        failed = true;
        win::Prompt(Handle(), kStoreWriteError, AppSettings.appTitle, MB_OK | MB_ICONERROR);
      }
    }
  }

  if (written && !failed)
    win::Prompt(Handle(), GetText(IDS_OPERATION_DONE), AppSettings.appTitle, MB_OK | MB_ICONINFORMATION);
  // What did not reach its place stays on show, and Apply offers it again.
  settingsChanged_ = failed;
  UpdateMenuSettingControls();
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
  UpdateMenuSettingControls();
  return TRUE;
}

INT_PTR OsListPage::OnBootIniTimeoutChange(WPARAM, LPARAM) {
  int seconds = 0;
  // A field emptied on the way to another number is no choice yet.
  if (fillingMenuSettings_ || !AppSettings.ntldrPresent || !ReadTimeoutField(IDC_OSLIST_BOOTINI_TIMEOUT, &seconds))
    return TRUE;
  CheckItem(IDC_OSLIST_BOOTINI_MENU, seconds != 0);
  settingsChanged_ = settingsChanged_ || seconds != AppSettings.bootIniTimeout;
  UpdateMenuSettingControls();
  return TRUE;
}

INT_PTR OsListPage::OnBcdTimeoutChange(WPARAM, LPARAM) {
  int seconds = 0;
  if (fillingMenuSettings_ || !AppSettings.bcdSystem || !ReadTimeoutField(IDC_OSLIST_BCD_TIMEOUT, &seconds))
    return TRUE;
  settingsChanged_ = settingsChanged_ || seconds != AppSettings.bcdTimeout;
  UpdateMenuSettingControls();
  return TRUE;
}

INT_PTR OsListPage::OnMenuLanguageChange(WPARAM, LPARAM) {
  if (fillingMenuSettings_ || !AppSettings.toolsAvailable) return TRUE;
  if (!settingsChanged_) settingsChanged_ = !base::EqualsNoCase(MenuLanguageValue(), list_.bootManager.locale);
  UpdateMenuSettingControls();
  return TRUE;
}

INT_PTR OsListPage::OnMenuStyleChange(WPARAM, LPARAM) {
  if (fillingMenuSettings_ || !AppSettings.toolsAvailable) return TRUE;
  if (!settingsChanged_) settingsChanged_ = !base::EqualsNoCase(MenuStyleValue(), list_.bootManager.displaybootmenu);
  UpdateMenuSettingControls();
  return TRUE;
}
