// Reading and writing plugins.ini with the profile functions, and running a utility.
#include "utilities/UtilityList.h"

#include "base/Strings.h"
#include "base/Texts.h"
#include "texts.h"
#include "utilities/UtilityIcon.h"
#include "win/Handles.h"
#include "win/Seams.h"

namespace {

// Buffers of the profile reads: a value keeps at most 259 characters, the section list 32766.
constexpr DWORD kValueBuffer = 260;
constexpr DWORD kSectionListBuffer = 32767;

}  // namespace

UtilityItem MakeBuiltInUtility() {
  UtilityItem item;
  item.section = kBuiltInSection;
  item.name = GetText(IDS_INTERNET_OPTIONS);
  item.info = GetText(IDS_INTERNET_OPTIONS_INFO);
  item.cmd = L"rundll32.exe";
  item.cmdfix = L"shell32.dll,Control_RunDLL Inetcpl.cpl";
  item.iconIndex = GetUtilityIcon(L"Inetcpl.cpl", true);
  return item;
}

std::vector<std::wstring> UtilityList::SectionNames() const {
  // The profile functions take an empty file name for win.ini.
  if (file_.empty()) return {};
  std::vector<wchar_t> buffer(kSectionListBuffer, L'\0');
  DWORD length = GetPrivateProfileSectionNamesW(buffer.data(), kSectionListBuffer, file_.c_str());
  std::vector<std::wstring> names;
  // Each name ends with a NUL, the list with an empty name.
  for (DWORD at = 0; at < length && buffer[at];) {
    std::wstring name(&buffer[at]);
    at += static_cast<DWORD>(name.size()) + 1;
    names.push_back(std::move(name));
  }
  return names;
}

bool UtilityList::SectionExists(const std::wstring& section) const {
  for (const std::wstring& name : SectionNames()) {
    if (base::EqualsNoCase(name, section)) return true;
  }
  return false;
}

std::wstring UtilityList::ReadValue(const std::wstring& section, const wchar_t* key) const {
  wchar_t buffer[kValueBuffer] = {};
  GetPrivateProfileStringW(section.c_str(), key, L"", buffer, kValueBuffer, file_.c_str());
  return buffer;
}

void UtilityList::LoadUtilities() {
  for (const std::wstring& section : SectionNames()) {
    UtilityItem item;
    item.name = ReadValue(section, L"name");
    item.info = ReadValue(section, L"info");
    item.cmd = ReadValue(section, L"cmd");
    item.cmdfix = ReadValue(section, L"cmdfix");
    item.section = section;
    items_.push_back(std::move(item));
  }
}

void UtilityList::EnsureUnicodeFile() const {
  if (GetFileAttributesW(file_.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  win::UniqueFile file(CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  static const BYTE kByteOrderMark[] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(file.Get(), kByteOrderMark, sizeof(kByteOrderMark), &written, nullptr);
}

bool UtilityList::WriteValues(const std::wstring& section, const UtilityItem& item) const {
  EnsureUnicodeFile();
  bool written = true;
  for (auto [key, value] : {std::pair{L"name", &item.name}, std::pair{L"info", &item.info}, std::pair{L"cmd", &item.cmd}}) {
    if (!WritePrivateProfileStringW(section.c_str(), key, value->c_str(), file_.c_str())) written = false;
  }
  return written;
}

int UtilityList::AddUtility(const std::wstring& name, const std::wstring& info, const std::wstring& cmd) {
  UtilityItem item;
  item.cmd = ProfileValue(cmd);
  if (item.cmd.empty() || file_.empty()) return -1;
  item.name = ProfileValue(name);
  if (item.name.empty()) item.name = CommandFileName(item.cmd);
  item.info = ProfileValue(info);
  // Any section already in the file belongs to someone, even one without a command; so does the
  // built-in item's, and an empty name is no section at all.
  std::wstring key = SectionKeyFor(item.cmd);
  while (key.empty() || base::EqualsNoCase(key, kBuiltInSection) || SectionExists(key)) key += L'0';
  item.section = key;
  // A utility the file does not hold would be gone at the next start: it is not listed either.
  if (!WriteValues(key, item)) return kUtilityNotSaved;
  items_.push_back(std::move(item));
  return Count() - 1;
}

bool UtilityList::ChangeUtility(int index, const std::wstring& name, const std::wstring& info, const std::wstring& cmd) {
  if (!IsEditable(index) || file_.empty()) return false;
  UtilityItem& item = At(index);
  const UtilityItem before = item;
  item.cmd = ProfileValue(cmd);
  item.name = ProfileValue(name);
  // A nameless row could not be told apart in the list: it shows its file name, as a new one does.
  if (item.name.empty()) item.name = CommandFileName(item.cmd);
  item.info = ProfileValue(info);
  if (WriteValues(item.section, item)) return true;
  item = before;
  return false;
}

bool UtilityList::DeleteUtility(int index) {
  if (!IsEditable(index) || file_.empty()) return false;
  // No key: the whole section goes, header included, so it cannot come back as an empty item.
  return WritePrivateProfileStringW(At(index).section.c_str(), nullptr, nullptr, file_.c_str()) != FALSE;
}

bool UtilityList::RunUtility(HWND owner, int index) const {
  if (!Contains(index) || At(index).cmd.empty()) return false;
  const UtilityItem& item = At(index);
  win::ShellRun(owner, L"open", item.cmd, item.cmdfix, WorkingFolderOf(item.cmd), SW_SHOWNORMAL);
  return true;
}
