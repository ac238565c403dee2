// boot.ini reading and writing.
#include "store/BootIni.h"

#include <windows.h>

#include <vector>

#include "base/AppSettings.h"
#include "base/SettingsFile.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "store/SafetyNet.h"
#include "base/Format.h"
#include "base/Strings.h"

namespace {

constexpr DWORD kSectionBuffer = 32767;

const wchar_t* BootIniFile() { return AppSettings.bootIniPath.c_str(); }

// The section as the profile functions return it: NUL-separated lines, ended by an empty one.
std::vector<wchar_t> ReadSection(const wchar_t* section) {
  std::vector<wchar_t> buffer(kSectionBuffer, L'\0');
  GetPrivateProfileSectionW(section, buffer.data(), kSectionBuffer, BootIniFile());
  buffer[kSectionBuffer - 2] = buffer[kSectionBuffer - 1] = L'\0';
  return buffer;
}

std::vector<std::wstring> SectionLines(const std::vector<wchar_t>& buffer) {
  std::vector<std::wstring> lines;
  for (const wchar_t* line = buffer.data(); *line; line += wcslen(line) + 1) lines.emplace_back(line);
  return lines;
}

std::wstring RemoveAll(std::wstring text, const std::wstring& what) {
  for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at)) text.erase(at, what.size());
  return text;
}

// The section written as one string whose lines are separated by CR LF: the profile functions
// then put the lines into the file as they are, duplicate paths included.
bool WriteMenuText(const std::wstring& text) {
  std::wstring joined;
  for (wchar_t c : text) {
    if (c == L'\n') joined += L"\r\n";
    else joined += c;
  }
  joined += L'\0';
  return WritePrivateProfileSectionW(kOperatingSystemsSection, joined.c_str(), BootIniFile()) != FALSE;
}

}  // namespace

int EntryList::DetectLegacyLoader() {
  if (AppSettings.ntldrPresent) return 1;
  if (AppSettings.osClass >= 1 && AppSettings.osClass <= 5) {
    AppSettings.ntldrPresent = true;
    return 1;
  }
  std::wstring drive = L"c:";
  if (AppSettings.bcdSystem && AppSettings.toolsAvailable) {
    std::wstring device = RemoveAll(bootManager.device, L"partition=");
    if (device.find(L':') != std::wstring::npos) drive = device;
  }
  if (FileExists(drive + L"\\ntldr")) {
    AppSettings.ntldrPresent = true;
    return 1;
  }
  return 0;
}

void EntryList::LoadBootIni() {
  if (DetectLegacyLoader() == 0) return;
  std::vector<wchar_t> section = ReadSection(kOperatingSystemsSection);
  for (const std::wstring& line : SectionLines(section)) {
    scratch.Reset();
    if (ParseBootIniLine(line, scratch) == 1) {
      scratch.deleteMark = 0;
      entries.push_back(scratch.Copy());
      displayIndex.push_back(static_cast<int>(entries.size()) - 1);
    }
    scratch.Reset();
  }
}

int BootIniReadTimeout() {
  return static_cast<int>(GetPrivateProfileIntW(kBootLoaderSection, L"timeout", 0, BootIniFile()));
}

bool BootIniSetTimeout(int seconds) {
  if (!GuardBootIni()) return false;
  bool existed = FileExists(AppSettings.bootIniPath);
  if (existed) MarkHiddenSystem(AppSettings.bootIniPath);
  bool written = WritePrivateProfileStringW(kBootLoaderSection, L"timeout", base::Format(L"%d", seconds).c_str(),
                                            BootIniFile()) != FALSE;
  if (!existed) MarkHiddenSystem(AppSettings.bootIniPath);
  if (written) NoteNotReplayedChange(base::Format(L"boot.ini timeout set to %d", seconds));
  return written;
}

bool BootIniSetDefault(EntryList& list, const BootEntry& entry) {
  std::wstring path = entry.GetPath();
  if (base::HasLineBreak(path)) return false;
  if (!GuardBootIni()) return false;
  MarkHiddenSystem(AppSettings.bootIniPath);
  if (!WritePrivateProfileStringW(kBootLoaderSection, L"default", path.c_str(), BootIniFile())) return false;
  list.iniDefault = path;
  NoteNotReplayedChange(L"boot.ini default set to " + path);
  return true;
}

bool BootIniSetTitle(BootEntry& entry, const std::wstring& newTitle) {
  BootIniLine retitled;
  if (!RetitleBootIniLine(entry.rawText, newTitle, &retitled)) return false;
  const std::wstring& path = retitled.path;
  const std::wstring& value = retitled.value;

  if (!GuardBootIni()) return false;
  MarkHiddenSystem(AppSettings.bootIniPath);
  std::vector<std::wstring> lines = SectionLines(ReadSection(kOperatingSystemsSection));
  int sharingPath = 0;
  for (const std::wstring& line : lines) {
    if (base::EqualsNoCase(base::TrimText(line.substr(0, line.find(L'='))), path)) ++sharingPath;
  }
  bool written = false;
  if (sharingPath > 1) {
    // The profile functions address lines by key, so a path used by several lines is changed by
    // rewriting the section with just this line replaced.
    std::wstring text;
    bool replaced = false;
    for (const std::wstring& line : lines) {
      if (!replaced && line == entry.rawText) {
        text += path + L"=" + value + L"\n";
        replaced = true;
      } else {
        text += line + L"\n";
      }
    }
    text = base::TrimRight(text);
    written = replaced && WriteMenuText(text);
  } else {
    written = WritePrivateProfileStringW(kOperatingSystemsSection, path.c_str(), value.c_str(), BootIniFile()) != FALSE;
  }
  if (!written) return false;
  entry.description = newTitle;
  entry.rawText = base::Format(L"%s=%s", path, value);
  NoteNotReplayedChange(L"boot.ini line retitled: " + entry.rawText);
  return true;
}

std::wstring BootIniNewKey(const std::wstring& deviceText, const std::wstring& filePath) {
  return NewBootIniKey(deviceText, filePath, L"");
}

bool BootIniHasLine(const std::wstring& key) {
  for (const std::wstring& line : SectionLines(ReadSection(kOperatingSystemsSection))) {
    BootEntry record;
    if (ParseBootIniLine(line, record) && base::EqualsNoCase(record.GetPath(), base::TrimText(key))) return true;
  }
  return false;
}

NewLine BootIniAddLine(const std::wstring& deviceText, const std::wstring& filePath, const std::wstring& title) {
  if (title.find(L'"') != std::wstring::npos || core::HasLineBreak(title)) return NewLine::kRefused;
  std::wstring value = base::Format(L"\"%s\"", title);
  std::wstring key = NewBootIniKey(deviceText, filePath, value);
  if (key.empty()) return NewLine::kRefused;
  if (BootIniHasLine(key)) return NewLine::kKeyExists;
  if (!GuardBootIni()) return NewLine::kFailed;
  MarkHiddenSystem(AppSettings.bootIniPath);
  bool written = WritePrivateProfileStringW(kOperatingSystemsSection, key.c_str(), value.c_str(), BootIniFile()) != FALSE;
  if (written) NoteNotReplayedChange(base::Format(L"boot.ini line added: %s=%s", key, value));
  return written ? NewLine::kAdded : NewLine::kFailed;
}

MenuRewrite BootIniRewriteMenu(const std::wstring& newText) {
  std::wstring wanted = newText;
  wanted = base::TrimRight(wanted);
  std::vector<wchar_t> section = ReadSection(kOperatingSystemsSection);
  std::wstring current;
  for (const std::wstring& line : SectionLines(section)) current += line + L"\n";
  current = base::TrimRight(current);
  if (base::EqualsNoCase(wanted, current)) return MenuRewrite::kUnchanged;
  if (!GuardBootIni()) return MenuRewrite::kFailed;
  // A read-only boot.ini would refuse both writes while the user was told they succeeded.
  MarkHiddenSystem(AppSettings.bootIniPath);
  bool backedUp = WritePrivateProfileSectionW(kOldOperatingSystemsSection, section.data(), BootIniFile()) != FALSE;
  if (!backedUp) return MenuRewrite::kFailed;
  if (!WriteMenuText(wanted)) return MenuRewrite::kFailed;
  NoteNotReplayedChange(L"boot.ini menu rewritten");
  return MenuRewrite::kWritten;
}
