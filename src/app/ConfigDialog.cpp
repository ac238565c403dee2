// The config dialog: filling it from the settings, and OK writing what changed.
#include "app/ConfigDialog.h"

#include "app/Help.h"
#include "app/Settings.h"
#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/SettingsFile.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/PageContext.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "texts.h"
#include "win/Dpi.h"
#include "win/Handles.h"
#include "win/Seams.h"

namespace {

constexpr wchar_t kAutomaticLanguage[] = L"AUTO";
// The read's default for a language file without a name: such a file is listed by its file name.
constexpr wchar_t kNoLanguageName[] = L"NULL";
constexpr DWORD kLangBuffer = 260;
constexpr COLORREF kRequirementColour = RGB(0, 0, 255);

std::wstring LangSetting() {
  wchar_t buffer[kLangBuffer] = {};
  GetPrivateProfileStringW(kSettingsSection, kKeyLang, kAutomaticLanguage, buffer, kLangBuffer,
                           AppSettings.settingsFile.c_str());
  return buffer;
}

std::wstring LanguageName(const std::wstring& file) {
  wchar_t buffer[kLangBuffer] = {};
  GetPrivateProfileStringW(L"Info", L"Language", kNoLanguageName, buffer, kLangBuffer, file.c_str());
  return buffer;
}

// Whether a row's box is checked for a value of its setting.
bool BoxChecked(const StoredSettingRow& row, int value) { return (value != 0) != row.boxSaysNot; }

}  // namespace

const win::MessageEntry<ConfigDialog> ConfigDialog::kMessages[] = {
    win::OnCommand(IDOK, BN_CLICKED, &ConfigDialog::OnOk),
    win::OnCommand(IDCANCEL, BN_CLICKED, &ConfigDialog::OnCancel),
    win::OnCommand(IDC_CONFIG_DELETE_MODE, BN_CLICKED, &ConfigDialog::OnDeleteModeClicked),
    // No owner to pass F1 on to: the dialog opens without a parent.
    win::OnMessage(WM_HELP, &ConfigDialog::OnHelpKey),
};

ConfigDialog::ConfigDialog(SettingsListener* listener) : win::AppDialog(IDD_CONFIG, kMessages), listener_(listener) {}

BOOL ConfigDialog::OnInit() {
  UINT dpi = win::DpiOf(Handle());
  smallIcon_.Reset(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CONFIG), IMAGE_ICON,
                 win::SystemMetricForDpi(SM_CXSMICON, dpi), win::SystemMetricForDpi(SM_CYSMICON, dpi), 0)));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
  okButton_.Attach(Handle(), IDOK);
  SetPrimaryColours(okButton_, true);
  requirementNote_.Attach(Handle(), IDC_CONFIG_REQUIREMENT_NOTE);
  requirementNote_.SetColours(kRequirementColour, kRequirementColour);
  requirementNote_.SetTransparent(true);
  requirementNote_.SetHoverTracking(false);
  requirementNote_.SetCursor(0);

  languages_.Attach(Item(IDC_CONFIG_LANGUAGE));
  FillLanguages();
  // The template keeps the list disabled; languages need Windows 2000 or later, as the note says.
  EnableItem(IDC_CONFIG_LANGUAGE, AppSettings.osClass >= 1);

  // Asked again each time: a task or value removed behind our back must not show as autostart.
  AppSettings.autoStart = ReadAutoStart();
  CheckItem(IDC_CONFIG_AUTOSTART, AppSettings.autoStart);
  for (const StoredSettingRow& row : kStoredSettings) {
    if (row.configBox) CheckItem(row.configBox, BoxChecked(row, AppSettings.*row.field));
  }

  const bool bcd = AppSettings.bcdSystem;
  EnableItem(IDC_CONFIG_BCD_GROUP, bcd);
  EnableItem(IDC_CONFIG_KEEP_NTLDR_NAME, bcd && AppSettings.ntldrPresent);
  EnableItem(IDC_CONFIG_BCD_NTLDR_ASK, bcd && AppSettings.ntldrPresent);
  EnableBcdDeleteChoice();
  return TRUE;
}

void ConfigDialog::FillLanguages() {
  languages_.Clear();
  languageCodes_.assign(1, kAutomaticLanguage);
  languages_.SetData(languages_.Add(GetText(IDS_LANGUAGE_AUTOMATIC)), 0);

  const std::wstring folder = Runner().ProgramDir() + L"Language\\";
  WIN32_FIND_DATAW found = {};
  win::UniqueFind search(FindFirstFileW((folder + L"*.ini").c_str(), &found));
  if (search) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      std::wstring fileName = found.cFileName;
      std::wstring name = LanguageName(folder + fileName);
      if (name.empty()) continue;
      if (name == kNoLanguageName) name = fileName;
      languageCodes_.push_back(fileName.substr(0, fileName.rfind(L'.')));
      languages_.SetData(languages_.Add(name), static_cast<LPARAM>(languageCodes_.size() - 1));
    } while (FindNextFileW(search.Get(), &found));
  }

  const std::wstring wanted = LangSetting();
  int selected = 0;
  for (int i = 0; i < languages_.Count(); ++i) {
    if (base::EqualsNoCase(languageCodes_[static_cast<size_t>(languages_.Data(i))], wanted)) {
      selected = i;
      break;
    }
  }
  languages_.Select(selected);
  languageAtOpen_ = SelectedLanguage();
}

std::wstring ConfigDialog::SelectedLanguage() const {
  int selected = languages_.Selection();
  if (selected < 0) return languageAtOpen_;
  auto index = static_cast<size_t>(languages_.Data(selected));
  return index < languageCodes_.size() ? languageCodes_[index] : languageAtOpen_;
}

void ConfigDialog::EnableBcdDeleteChoice() {
  EnableItem(IDC_CONFIG_BCD_DELETE, AppSettings.bcdSystem && IsItemChecked(IDC_CONFIG_DELETE_MODE));
}

INT_PTR ConfigDialog::OnDeleteModeClicked(WPARAM, LPARAM) {
  EnableBcdDeleteChoice();
  return TRUE;
}

bool ConfigDialog::WriteLanguage(const std::wstring& code) {
  const bool automatic = base::EqualsNoCase(code, kAutomaticLanguage);
  MarkHiddenSystem(AppSettings.settingsFile);
  const bool written = WritePrivateProfileStringW(kSettingsSection, kKeyLang, automatic ? nullptr : code.c_str(),
                                                  AppSettings.settingsFile.c_str()) != FALSE;
  MarkHiddenSystem(AppSettings.settingsFile);
  ResolveLanguage();
  ChooseHelpFile();
  return written;
}

INT_PTR ConfigDialog::OnOk(WPARAM, LPARAM) {
  bool changed = false;
  // What the user is told when autostart could not be changed; empty when it was, or was not asked.
  std::wstring autoStartFailure;
  bool languageChanged = false;
  // A settings file that another program holds open takes no write: the switches then hold for
  // this run only, and the user must not be told they were saved.
  bool settingsRefused = false;

  const bool autoStart = IsItemChecked(IDC_CONFIG_AUTOSTART);
  if (autoStart != AppSettings.autoStart) {
    autoStartFailure = WriteAutoStart(autoStart);
    // What Windows holds now, so the box shows the truth the next time.
    AppSettings.autoStart = ReadAutoStart();
    changed = true;
  }
  for (const StoredSettingRow& row : kStoredSettings) {
    if (!row.configBox) continue;
    const int value = IsItemChecked(row.configBox) != row.boxSaysNot ? 1 : 0;
    if (value == AppSettings.*row.field) continue;
    if (!StoreSetting(row.field, value)) settingsRefused = true;
    changed = true;
  }
  const std::wstring language = SelectedLanguage();
  if (!base::EqualsNoCase(language, languageAtOpen_)) {
    if (!WriteLanguage(language)) settingsRefused = true;
    languageChanged = changed = true;
  }

  if (changed) {
    const bool autoStartRefused = !autoStartFailure.empty();
    std::wstring text = autoStartRefused ? autoStartFailure : GetText(IDS_OPERATION_DONE);
    if (settingsRefused) {
      std::wstring refused = base::Format(GetText(IDS_SETTINGS_NOT_SAVED), AppSettings.settingsFile);
      text = autoStartRefused ? text + L"\n\n" + refused : refused;
    }
    if (languageChanged && !settingsRefused) text += L"\n\n" + GetText(IDS_LANGUAGE_NEXT_START);
    const bool failed = autoStartRefused || settingsRefused;
    win::Prompt(Handle(), text, AppSettings.appTitle, failed ? MB_ICONERROR : MB_ICONINFORMATION);
    if (listener_) listener_->OnSettingsChanged(languageChanged);
  }
  End(IDOK);
  return TRUE;
}

INT_PTR ConfigDialog::OnCancel(WPARAM, LPARAM) {
  End(IDCANCEL);
  return TRUE;
}

INT_PTR ConfigDialog::OnHelpKey(WPARAM, LPARAM) {
  ShowHelp(AppSettings.helpFile);
  return TRUE;
}
