// The settings file "wmast.dll" (section "Tavro"), the language choice and the other start-up
// reads that fill AppSettings.
#pragma once
#include <windows.h>

#include <string>

#include "base/SettingsFile.h"

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Tavro Vexa";

// Sets settingsFile, languageCode and languageFile; again after the language key changes.
void ResolveLanguage();
// The language code to use: the Lang key, the user's language, or its primary language.
std::wstring SelectLanguage();
// The same choice for a given user language and OEM code page.
std::wstring SelectLanguageFor(LANGID userLanguage, UINT oemCodePage);
// Reads the environment and the settings file into AppSettings; commandLine is what followed
// the program's name.
void LoadSettings(const std::wstring& commandLine);
// True when the autostart value exists.
bool ReadAutoStart();
// What the autostart value holds: this executable, quoted, started hidden ("-mini").
std::wstring AutoStartCommand();
// Writes (on) or removes (off) the autostart value and reads it back: false when the registry
// did not take the change, so the caller never reports a refused write as done.
bool WriteAutoStart(bool on);
// The "-setdir" action: gives the program folder a desktop.ini with the program's icon.
void SetupProgramFolder();
