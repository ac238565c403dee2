// The program's settings file: its section and keys, and the writers, which leave it hidden and
// system as the program has always kept it.
#pragma once
#include <string>

struct AppSettingsRecord;

inline constexpr wchar_t kSettingsSection[] = L"Tavro";
inline constexpr wchar_t kSettingsFileName[] = L"wmast.dll";
// Keys of section "Tavro", spelt as the file has always spelt them.
inline constexpr wchar_t kKeyLang[] = L"Lang";
inline constexpr wchar_t kKeyShowBalloon[] = L"showBalloon";
inline constexpr wchar_t kKeyStartPage[] = L"Swtich";
inline constexpr wchar_t kKeyChangeNtldrName[] = L"ChangBCD_NTLDR_name";
inline constexpr wchar_t kKeyAutoReBoot[] = L"AutoReBoot";
inline constexpr wchar_t kKeyEnableDelMode[] = L"EnableDelMode";
inline constexpr wchar_t kKeyBcdDelMode[] = L"BCDDelMode";
inline constexpr wchar_t kKeyBcdNtldrAsk[] = L"BCDntldrASK";
inline constexpr wchar_t kKeyMbrUseSysMode[] = L"MBR_USE_SYS_MODE";
inline constexpr wchar_t kKeyDebug[] = L"DEBUG";

// Writes an integer setting into the settings file (hidden and system before and after); false when
// the file did not take it (locked by another program, or on a medium that refuses writes).
bool WriteSettingInt(const std::wstring& section, const std::wstring& key, int value);
// Sets a stored setting (a field of a row of kStoredSettings) and writes it under its row's key;
// false when the file did not take it.
bool StoreSetting(int AppSettingsRecord::*field, int value);
// Sets a file's attributes to exactly hidden + system (clearing read-only); a missing file is left alone.
void MarkHiddenSystem(const std::wstring& path);
