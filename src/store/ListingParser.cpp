// The listing parser's pure text rules.
#include "store/ListingParser.h"

#include <windows.h>

#include <cstdlib>

#include "base/Format.h"
#include "base/Strings.h"

namespace {


// A line with a key: the key is everything before the first double blank, the value everything
// after it, trimmed. Section titles, dashes and empty lines have no double blank.
bool SplitLine(const std::wstring& line, std::wstring& key, std::wstring& value) {
  size_t p = line.find(L"  ");
  if (p == std::wstring::npos) return false;
  key = line.substr(0, p);
  value = base::TrimText(line.substr(p + 1));
  return true;
}

// One identifier in braces: "{...}" with no blank or line break inside.
bool IsBracedText(const std::wstring& value) {
  return value.size() >= 2 && value.front() == L'{' && value.back() == L'}' &&
         value.find_first_of(base::kWhiteSpace) == std::wstring::npos;
}

// Calls handle(line) for each "\n"-separated line of text.
template <class Handler>
void ForEachLine(const std::wstring& text, Handler handle) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    handle(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

int LeadingNumber(const std::wstring& value) {
  // Read like atol over the text narrowed to the ANSI code page, at most 20 bytes of it.
  std::string narrow = base::Narrow(value, CP_ACP);
  if (narrow.size() > 20) narrow.resize(20);
  return static_cast<int>(std::atol(narrow.c_str()));
}

void ApplyLoaderKey(BootEntry& record, const std::wstring& key, const std::wstring& value) {
  record.elements[key] = value;
  struct Row {
    const wchar_t* key;
    std::wstring BootEntry::*field;
  };
  static const Row kRows[] = {
      {L"identifier", &BootEntry::identifier},
      {L"device", &BootEntry::device},
      {L"path", nullptr},
      {L"description", &BootEntry::description},
      {L"locale", &BootEntry::locale},
      {L"inherit", &BootEntry::inherit},
      {L"recoverysequence", &BootEntry::recoverysequence},
      {L"recoveryenabled", &BootEntry::recoveryenabled},
      {L"osdevice", &BootEntry::osdevice},
      {L"systemroot", &BootEntry::systemroot},
      {L"resumeobject", &BootEntry::resumeobject},
      {L"nx", &BootEntry::nx},
      {L"winpe", &BootEntry::winpe},
      {L"ems", &BootEntry::ems},
      {L"detecthal", &BootEntry::detecthal},
      {L"bootmenupolicy", &BootEntry::bootmenupolicy},
      {L"safeboot", &BootEntry::safeboot},
      {L"pae", &BootEntry::pae},
  };
  for (const Row& row : kRows) {
    if (key != row.key) continue;
    if (row.field) record.*row.field = value;
    return;
  }
}

void ApplyManagerKey(BootEntry& manager, const std::wstring& key, const std::wstring& value) {
  manager.elements[key] = value;
  // The table has no "identifier" row: the boot manager keeps its own GUID.
  if (key == L"device") {
    manager.device = value;
  } else if (key == L"displaybootmenu") {
    manager.displaybootmenu = value;
  } else if (key == L"description") {
    manager.description = value;
  } else if (key == L"locale") {
    manager.locale = value;
  } else if (key == L"inherit") {
    manager.inherit = value;
  } else if (key == L"timeout") {
    manager.timeout = LeadingNumber(value);
  } else if (key == L"default") {
    manager.defaultId = value;
  } else if (key == L"displayorder") {
    manager.displayorder = value;
  } else if (key == L"toolsdisplayorder") {
    manager.toolsdisplayorder = value;
  }
}

void ParseListingSection(BootEntry& record, const std::wstring& text, bool isBootManager) {
  if (text.empty() || text == NOT_READ_TEXT) return;
  record.rawText = text;
  std::wstring work = base::TrimText(base::ReplaceAll(text, L"\r\n", L"\n")) + L"\n";
  std::wstring previousKey;
  std::wstring previousValue;
  int keyLines = 0;
  std::wstring firstValue;
  bool identifierSeen = false;
  ForEachLine(work, [&](const std::wstring& line) {
    std::wstring key;
    std::wstring value;
    if (!SplitLine(line, key, value)) return;
    if (key.empty()) {
      // A continuation line: the value so far grows by one line and is delivered again whole.
      key = previousKey;
      value = previousValue + L"\n" + value;
    } else {
      ++keyLines;
    }
    if (keyLines == 1) firstValue = value;
    if (key == L"identifier") identifierSeen = true;
    if (isBootManager) {
      ApplyManagerKey(record, key, value);
    } else {
      ApplyLoaderKey(record, key, value);
    }
    previousKey = key;
    previousValue = value;
  });
  // A German, French, Russian, Chinese... bcdedit prints the key "identifier" translated
  // (Bezeichner, identificateur, Идентификатор, 标识符) and every other key in English, but always as
  // the first line of a section. Without this every loader of such a machine would have no
  // identifier: no {current} marker, and each display-order loader read a second time.
  if (!isBootManager && !identifierSeen && IsBracedText(firstValue)) record.identifier = firstValue;
}

std::vector<std::wstring> SplitListingSections(const std::wstring& text) {
  std::wstring work = base::TrimText(base::ReplaceAll(text, L"\r\n\r\n", L"\n\n")) + L"\n\n";
  std::vector<std::wstring> sections;
  size_t start = 0;
  for (size_t end = work.find(L"\n\n", start + 1); end != std::wstring::npos; end = work.find(L"\n\n", start + 1)) {
    std::wstring section = base::TrimText(work.substr(start, end - start));
    if (!section.empty()) sections.push_back(section);
    start = end;
  }
  return sections;
}

std::vector<std::wstring> DeviceOptionReferences(const std::wstring& text) {
  std::vector<std::wstring> found;
  ForEachLine(text, [&](const std::wstring& line) {
    std::wstring key;
    std::wstring value;
    if (!SplitLine(line, key, value)) return;
    size_t at = value.find(L",{");
    if (at == std::wstring::npos) return;
    std::wstring identifier = base::TrimRight(value.substr(at + 1));
    if (!identifier.empty() && identifier.back() == L'}') found.push_back(identifier);
  });
  return found;
}
