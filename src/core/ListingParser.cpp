// The listing parser's pure text rules.
#include "core/ListingParser.h"

#include <cstdint>

#include "core/Strings.h"

namespace {


// A line with a key: the key is everything before the first double blank, the value everything
// after it, trimmed. Section titles, dashes and empty lines have no double blank.
bool SplitLine(const core::String& line, core::String& key, core::String& value) {
  size_t p = line.find(T16("  "));
  if (p == core::String::npos) return false;
  key = line.substr(0, p);
  value = core::TrimText(line.substr(p + 1));
  return true;
}

// One identifier in braces: "{...}" with no blank or line break inside.
bool IsBracedText(const core::String& value) {
  return value.size() >= 2 && value.front() == T16('{') && value.back() == T16('}') &&
         value.find_first_of(core::kWhiteSpace) == core::String::npos;
}

// Calls handle(line) for each "\n"-separated line of text.
template <class Handler>
void ForEachLine(const core::String& text, Handler handle) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(T16('\n'), start);
    if (end == core::String::npos) end = text.size();
    handle(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

int LeadingNumber(const core::String& value) {
  // Read as the C runtime's atol reads the text narrowed to the ANSI code page, at most 20 bytes
  // of it: blanks, a sign, decimal digits. Every character that can take part is ASCII, one byte
  // narrowed, so the 20 bytes are the first 20 units. That atol does not stop at the 32-bit
  // range: the number wraps, as it does here in unsigned arithmetic.
  const size_t end = value.size() < 20 ? value.size() : 20;
  size_t i = 0;
  while (i < end && (value[i] == T16(' ') || (value[i] >= T16('\t') && value[i] <= T16('\r')))) ++i;
  bool negative = false;
  if (i < end && (value[i] == T16('+') || value[i] == T16('-'))) negative = value[i++] == T16('-');
  std::uint32_t number = 0;
  for (; i < end && value[i] >= T16('0') && value[i] <= T16('9'); ++i) number = number * 10 + (value[i] - T16('0'));
  return static_cast<int>(negative ? 0 - number : number);
}

void ApplyLoaderKey(BootEntry& record, const core::String& key, const core::String& value) {
  record.elements[key] = value;
  struct Row {
    const core::Char* key;
    core::String BootEntry::*field;
  };
  static const Row kRows[] = {
      {T16("identifier"), &BootEntry::identifier},
      {T16("device"), &BootEntry::device},
      {T16("path"), nullptr},
      {T16("description"), &BootEntry::description},
      {T16("locale"), &BootEntry::locale},
      {T16("inherit"), &BootEntry::inherit},
      {T16("recoverysequence"), &BootEntry::recoverysequence},
      {T16("recoveryenabled"), &BootEntry::recoveryenabled},
      {T16("osdevice"), &BootEntry::osdevice},
      {T16("systemroot"), &BootEntry::systemroot},
      {T16("resumeobject"), &BootEntry::resumeobject},
      {T16("nx"), &BootEntry::nx},
      {T16("winpe"), &BootEntry::winpe},
      {T16("ems"), &BootEntry::ems},
      {T16("detecthal"), &BootEntry::detecthal},
      {T16("bootmenupolicy"), &BootEntry::bootmenupolicy},
      {T16("safeboot"), &BootEntry::safeboot},
      {T16("pae"), &BootEntry::pae},
  };
  for (const Row& row : kRows) {
    if (key != row.key) continue;
    if (row.field) record.*row.field = value;
    return;
  }
}

void ApplyManagerKey(BootEntry& manager, const core::String& key, const core::String& value) {
  manager.elements[key] = value;
  // The table has no "identifier" row: the boot manager keeps its own GUID.
  if (key == T16("device")) {
    manager.device = value;
  } else if (key == T16("displaybootmenu")) {
    manager.displaybootmenu = value;
  } else if (key == T16("description")) {
    manager.description = value;
  } else if (key == T16("locale")) {
    manager.locale = value;
  } else if (key == T16("inherit")) {
    manager.inherit = value;
  } else if (key == T16("timeout")) {
    manager.timeout = LeadingNumber(value);
  } else if (key == T16("default")) {
    manager.defaultId = value;
  } else if (key == T16("displayorder")) {
    manager.displayorder = value;
  } else if (key == T16("toolsdisplayorder")) {
    manager.toolsdisplayorder = value;
  }
}

void ParseListingSection(BootEntry& record, const core::String& text, bool isBootManager) {
  if (text.empty() || text == NOT_READ_TEXT) return;
  record.rawText = text;
  core::String work = core::TrimText(core::ReplaceAll(text, T16("\r\n"), T16("\n"))) + T16("\n");
  // A key's value is delivered once, whole, when its last continuation line has been read: growing
  // and delivering it again at every line would copy a long display order once per line.
  core::String pendingKey;
  core::String pendingValue;
  bool pending = false;
  int keyLines = 0;
  core::String firstValue;
  bool identifierSeen = false;
  auto deliver = [&]() {
    if (!pending) return;
    if (keyLines == 1) firstValue = pendingValue;
    if (pendingKey == T16("identifier")) identifierSeen = true;
    if (isBootManager) {
      ApplyManagerKey(record, pendingKey, pendingValue);
    } else {
      ApplyLoaderKey(record, pendingKey, pendingValue);
    }
  };
  ForEachLine(work, [&](const core::String& line) {
    core::String key;
    core::String value;
    if (!SplitLine(line, key, value)) return;
    if (key.empty()) {
      // A continuation line: the value so far grows by one line.
      pendingValue += T16("\n");
      pendingValue += value;
      pending = true;
      return;
    }
    deliver();
    ++keyLines;
    pendingKey = key;
    pendingValue = value;
    pending = true;
  });
  deliver();
  // A German, French, Russian, Chinese... bcdedit prints the key "identifier" translated
  // (Bezeichner, identificateur, Идентификатор, 标识符) and every other key in English, but always as
  // the first line of a section. Without this every loader of such a machine would have no
  // identifier: no {current} marker, and each display-order loader read a second time.
  if (!isBootManager && !identifierSeen && IsBracedText(firstValue)) record.identifier = firstValue;
}

std::vector<core::String> SplitListingSections(const core::String& text) {
  core::String work = core::TrimText(core::ReplaceAll(text, T16("\r\n\r\n"), T16("\n\n"))) + T16("\n\n");
  std::vector<core::String> sections;
  size_t start = 0;
  for (size_t end = work.find(T16("\n\n"), start + 1); end != core::String::npos; end = work.find(T16("\n\n"), start + 1)) {
    core::String section = core::TrimText(work.substr(start, end - start));
    if (!section.empty()) sections.push_back(section);
    start = end;
  }
  return sections;
}

std::vector<core::String> DeviceOptionReferences(const core::String& text) {
  std::vector<core::String> found;
  ForEachLine(text, [&](const core::String& line) {
    core::String key;
    core::String value;
    if (!SplitLine(line, key, value)) return;
    size_t at = value.find(T16(",{"));
    if (at == core::String::npos) return;
    core::String identifier = core::TrimRight(value.substr(at + 1));
    if (!identifier.empty() && identifier.back() == T16('}')) found.push_back(identifier);
  });
  return found;
}
