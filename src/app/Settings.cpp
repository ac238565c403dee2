// Language choice and the reads of the settings file at start-up.
#include "app/Settings.h"

#include "base/AppSettings.h"
#include "app/Environment.h"
#include "base/SettingsFile.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "store/RegistryRoutines.h"
#include "base/Format.h"

namespace {

constexpr DWORD kLangBuffer = 260;

std::wstring LanguageFilePath(const std::wstring& code) {
  return Runner().ProgramDir() + L"Language\\" + code + L".ini";
}

int SettingInt(const wchar_t* key, int fallback) {
  return static_cast<int>(
      GetPrivateProfileIntW(kSettingsSection, key, fallback, AppSettings.settingsFile.c_str()));
}

}  // namespace

std::wstring SelectLanguageFor(LANGID userLanguage, UINT oemCodePage) {
  wchar_t buffer[kLangBuffer] = {};
  GetPrivateProfileStringW(kSettingsSection, kKeyLang, L"vexa", buffer, kLangBuffer,
                           AppSettings.settingsFile.c_str());
  std::wstring chosen = buffer;
  if (!chosen.empty() && FileExists(LanguageFilePath(chosen))) return chosen;

  std::wstring user = base::Format(L"%x", static_cast<unsigned>(userLanguage));
  if (FileExists(LanguageFilePath(user))) return user;

  // The primary language in its main variant: Simplified Chinese under code page 936, the
  // first sub-language otherwise.
  unsigned sublanguage = oemCodePage == 936 ? 2 : 1;
  return base::Format(L"%x", (sublanguage << 10) | (userLanguage & 0x3FFu));
}

std::wstring SelectLanguage() { return SelectLanguageFor(GetUserDefaultLangID(), GetOEMCP()); }

void ResolveLanguage() {
  AppSettings.settingsFile = Runner().ProgramDir() + kSettingsFileName;
  AppSettings.languageCode = SelectLanguage();
  AppSettings.languageFile = LanguageFilePath(AppSettings.languageCode);
  if (GetFileAttributesW(AppSettings.languageFile.c_str()) == INVALID_FILE_ATTRIBUTES)
    AppSettings.languageFile.clear();
}

void LoadSettings(const std::wstring& commandLine) {
  AppSettings.osClass = GetOsClass();
  AppSettings.pluginsFile = Runner().ProgramDir() + L"plugins.ini";
  AppSettings.bootIniPath = L"c:\\boot.ini";
  AppSettings.storeKeyName = L"BCD00000000";
  AppSettings.showWindow = commandLine != L"-mini";
  AppSettings.ntldrPresent = false;
  AppSettings.bcdSystem = AppSettings.osClass > 5;
  AppSettings.toolsAvailable = false;
  AppSettings.bcdTimeout = -1;
  AppSettings.bootIniTimeout =
      static_cast<int>(GetPrivateProfileIntW(L"boot loader", L"timeout", 0, AppSettings.bootIniPath.c_str()));
  // Under UAC the answer takes a run of schtasks, which the config dialog makes when it opens: no
  // start, the one at logon least, waits for a tool it does not need.
  AppSettings.autoStart = !UacEnabled() && ReadAutoStart();
  for (const StoredSettingRow& row : kStoredSettings) AppSettings.*row.field = SettingInt(row.key, row.fallback);
  AppSettings.winPeState = -1;
}

void SetupProgramFolder() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::wstring path(buffer, length);
  size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) return;
  std::wstring folder = path.substr(0, slash);
  std::wstring file = folder + L"\\desktop.ini";

  MarkHiddenSystem(file);
  const wchar_t* section = L".ShellClassInfo";
  WritePrivateProfileStringW(section, L"InfoTip", L"Vexa - manage the boot menu of this computer", file.c_str());
  WritePrivateProfileStringW(section, L"IconFile", L"vexa.exe", file.c_str());
  WritePrivateProfileStringW(section, L"IconIndex", L"0", file.c_str());
  WritePrivateProfileStringW(section, L"ConfirmFileOp", L"0", file.c_str());
  MarkHiddenSystem(file);
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
}
