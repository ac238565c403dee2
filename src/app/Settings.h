// The settings file "wmast.dll" (section "Tavro"), the language choice and the other start-up
// reads that fill AppSettings.
#pragma once
#include <windows.h>

#include <string>

#include "app/AutoStart.h"
#include "base/SettingsFile.h"

// Sets settingsFile, languageCode and languageFile; again after the language key changes.
void ResolveLanguage();
// The language code to use: the Lang key, the user's language, or its primary language.
std::wstring SelectLanguage();
// The same choice for a given user language and OEM code page.
std::wstring SelectLanguageFor(LANGID userLanguage, UINT oemCodePage);
// Reads the environment and the settings file into AppSettings; commandLine is what followed
// the program's name.
void LoadSettings(const std::wstring& commandLine);
// The "-setdir" action: gives the program folder a desktop.ini with the program's icon.
void SetupProgramFolder();
