// boot.ini, the menu file of the older NTLDR loader: reading its menu lines into records and
// writing single keys, one line or the whole menu back through the profile functions, each write
// made on a copy that then replaces boot.ini whole (store/FileReplace.h), its attributes kept.
// EntryList::DetectLegacyLoader and EntryList::LoadBootIni live in BootIni.cpp too; the line texts
// (ParseBootIniLine and the title rewrite) are in core/BootIniLine.h.
#pragma once
#include <string>

#include "core/BootIniLine.h"
#include "core/BootEntry.h"

class EntryList;

inline constexpr wchar_t kBootLoaderSection[] = L"boot loader";
inline constexpr wchar_t kOperatingSystemsSection[] = L"operating systems";
inline constexpr wchar_t kOldOperatingSystemsSection[] = L"old operating systems";

// "timeout" of "boot loader" as the file holds it now (0 when missing).
int BootIniReadTimeout();
// Writes "timeout"; true when the write succeeded.
bool BootIniSetTimeout(int seconds);
// Writes "default" with the entry's path; on success iniDefault := that path.
bool BootIniSetDefault(EntryList& list, const BootEntry& entry);
// Gives one menu line a new title; on success the record's description and rawText follow.
// Titles with a double quote or a line break are refused (they would break the line).
bool BootIniSetTitle(BootEntry& entry, const std::wstring& newTitle);
enum class NewLine { kAdded, kRefused, kKeyExists, kFailed };
// The key a new line for this device and file would have; empty when it could not be a line's key.
std::wstring BootIniNewKey(const std::wstring& deviceText, const std::wstring& filePath);
// True when the menu already has a line with this key (keys compare as the profile functions do).
bool BootIniHasLine(const std::wstring& key);
// Adds the menu line key="title", keyed by the volume's drive ("boot" means c:) and a file path on
// it. A title holding a double quote or a line break is refused (it would end the title or the
// line), and so is a key the menu already has: the profile functions would replace that line.
NewLine BootIniAddLine(const std::wstring& deviceText, const std::wstring& filePath, const std::wstring& title);

enum class MenuRewrite { kUnchanged, kWritten, kFailed };
// Replaces the menu section by newText (lines each followed by "\n") when it differs from the
// file, keeping the section as it was under "old operating systems". The section's lines that are
// no menu lines (comments, paths without "=") stay where they are.
MenuRewrite BootIniRewriteMenu(const std::wstring& newText);
