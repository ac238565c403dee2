// boot.ini reading and writing.
#include "store/BootIni.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "base/AppSettings.h"
#include "store/SafetyNet.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "store/FileRoutines.h"
#include "store/EntryList.h"
#include "store/FileReplace.h"
#include "win/Handles.h"

namespace {

constexpr DWORD kSectionBuffer = 32767;
// More than any boot.ini holds; a bigger file is not read whole for its menu's other lines.
constexpr DWORD kLargestFile = 1 << 20;

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

std::vector<std::wstring> MenuLinesOf(const std::vector<std::wstring>& lines) {
  std::vector<std::wstring> menu;
  for (const std::wstring& line : lines)
    if (IsBootIniMenuLine(line)) menu.push_back(line);
  return menu;
}

// The menu section as the file holds it, comments and blank lines included: the profile functions
// leave those out of what they return. Decoded as they decode the file: UTF-16 or UTF-8 after a
// byte-order mark, else the ANSI code page.
std::vector<std::wstring> MenuSectionAsWritten() {
  win::UniqueFile file(CreateFileW(BootIniFile(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string bytes(kLargestFile, '\0');
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), kLargestFile, &read, nullptr)) return {};
  bytes.resize(read);
  std::wstring text;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
  } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text = base::Widen(std::string_view(bytes).substr(3), CP_UTF8);
  } else {
    text = base::Widen(bytes, CP_ACP);
  }
  return IniSectionLines(text, kOperatingSystemsSection);
}

// Every write of boot.ini: edit makes its profile writes on a copy of it, which then replaces it
// whole, so that a failure or a crash midway never leaves a half-written menu. The read-only mark
// boot.ini normally has does not stop the program; a boot.ini made new is hidden and system.
bool EditBootIni(const std::function<bool(const wchar_t* file)>& edit) {
  FileReplacement how;
  how.startFromCopy = true;
  how.replaceReadOnly = true;
  how.newAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return ReplaceFileContent(AppSettings.bootIniPath, how,
                            [&](const std::wstring& copy) { return edit(copy.c_str()); });
}

// A section's lines replaced by lines, written as one string whose lines are separated by CR LF:
// the profile functions then put the lines into the file as they are, duplicate paths, comments
// and paths without "=" included.
bool WriteSectionLines(const wchar_t* file, const wchar_t* section, const std::vector<std::wstring>& lines) {
  std::wstring joined;
  for (const std::wstring& line : lines) joined += line + L"\r\n";
  joined = base::TrimRight(joined);
  joined += L'\0';
  return WritePrivateProfileSectionW(section, joined.c_str(), file) != FALSE;
}

std::wstring RemoveAll(std::wstring text, const std::wstring& what) {
  for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at)) text.erase(at, what.size());
  return text;
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
  bool written = EditBootIni([&](const wchar_t* file) {
    return WritePrivateProfileStringW(kBootLoaderSection, L"timeout", base::Format(L"%d", seconds).c_str(), file) !=
           FALSE;
  });
  if (written) NoteNotReplayedChange(base::Format(L"boot.ini timeout set to %d", seconds));
  return written;
}

bool BootIniSetDefault(EntryList& list, const BootEntry& entry) {
  std::wstring path = entry.GetPath();
  if (base::HasLineBreak(path)) return false;
  if (!GuardBootIni()) return false;
  if (!EditBootIni([&](const wchar_t* file) {
        return WritePrivateProfileStringW(kBootLoaderSection, L"default", path.c_str(), file) != FALSE;
      }))
    return false;
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
  std::vector<std::wstring> lines = SectionLines(ReadSection(kOperatingSystemsSection));
  int sharingPath = 0;
  for (const std::wstring& line : lines) {
    if (base::EqualsNoCase(base::TrimText(line.substr(0, line.find(L'='))), path)) ++sharingPath;
  }
  bool written = false;
  if (sharingPath > 1) {
    // The profile functions address lines by key, so a path used by several lines is changed by
    // rewriting the section with just this line replaced.
    std::vector<std::wstring> menu = MenuLinesOf(lines);
    auto line = std::find(menu.begin(), menu.end(), entry.rawText);
    if (line != menu.end()) {
      *line = path + L"=" + value;
      std::vector<std::wstring> section = KeepOtherMenuSectionLines(MenuSectionAsWritten(), menu);
      written = EditBootIni(
          [&](const wchar_t* file) { return WriteSectionLines(file, kOperatingSystemsSection, section); });
    }
  } else {
    written = EditBootIni([&](const wchar_t* file) {
      return WritePrivateProfileStringW(kOperatingSystemsSection, path.c_str(), value.c_str(), file) != FALSE;
    });
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
  bool written = EditBootIni([&](const wchar_t* file) {
    return WritePrivateProfileStringW(kOperatingSystemsSection, key.c_str(), value.c_str(), file) != FALSE;
  });
  if (written) NoteNotReplayedChange(base::Format(L"boot.ini line added: %s=%s", key, value));
  return written ? NewLine::kAdded : NewLine::kFailed;
}

MenuRewrite BootIniRewriteMenu(const std::wstring& newText) {
  // Lines the menu is not made of stay where they are whatever the caller sent.
  std::vector<std::wstring> wanted;
  for (size_t start = 0; start < newText.size();) {
    size_t end = std::min(newText.find(L'\n', start), newText.size());
    std::wstring line = base::TrimText(newText.substr(start, end - start));
    if (IsBootIniMenuLine(line)) wanted.push_back(line);
    start = end + 1;
  }
  std::vector<std::wstring> current = MenuLinesOf(SectionLines(ReadSection(kOperatingSystemsSection)));
  std::wstring wantedText, currentText;
  for (const std::wstring& line : wanted) wantedText += line + L"\n";
  for (const std::wstring& line : current) currentText += line + L"\n";
  if (base::EqualsNoCase(wantedText, currentText)) return MenuRewrite::kUnchanged;
  if (!GuardBootIni()) return MenuRewrite::kFailed;
  // Both sections change together or not at all: the old menu is kept as the file held it.
  std::vector<std::wstring> old = MenuSectionAsWritten();
  std::vector<std::wstring> section = KeepOtherMenuSectionLines(old, wanted);
  bool written = EditBootIni([&](const wchar_t* file) {
    return WriteSectionLines(file, kOldOperatingSystemsSection, old) &&
           WriteSectionLines(file, kOperatingSystemsSection, section);
  });
  if (!written) return MenuRewrite::kFailed;
  NoteNotReplayedChange(L"boot.ini menu rewritten");
  return MenuRewrite::kWritten;
}
