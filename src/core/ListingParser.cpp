// The listing parser's pure text rules.
#include "core/ListingParser.h"

#include <cstdint>

#include "core/Strings.h"

namespace {


// A line with a key: the key is everything before the first double blank, the value everything
// after it, trimmed. Section titles, dashes and empty lines have no double blank. Lines are
// looked at in place: a listing of a thousand loaders has twelve thousand of them.
bool SplitLine(core::StringView line, core::String& key, core::String& value) {
  size_t p = line.find(T16("  "));
  if (p == core::StringView::npos) return false;
  key.assign(line.substr(0, p));
  core::StringView rest = line.substr(p + 1);
  size_t first = rest.find_first_not_of(core::kWhiteSpace);
  if (first == core::StringView::npos) {
    value.clear();
    return true;
  }
  size_t last = rest.find_last_not_of(core::kWhiteSpace);
  value.assign(rest.substr(first, last - first + 1));
  return true;
}

// One identifier in braces: "{...}" with no blank or line break inside.
bool IsBracedText(const core::String& value) {
  return value.size() >= 2 && value.front() == T16('{') && value.back() == T16('}') &&
         value.find_first_of(core::kWhiteSpace) == core::String::npos;
}

// Calls handle(line) for each "\n"-separated line of text, as a view into it.
template <class Handler>
void ForEachLine(const core::String& text, Handler handle) {
  core::StringView all(text);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find(T16('\n'), start);
    if (end == core::StringView::npos) end = all.size();
    handle(all.substr(start, end - start));
    start = end + 1;
  }
}

// The title of a section: its first line when dashes underline it.
core::String SectionTitle(const core::String& section) {
  size_t end = section.find(T16('\n'));
  if (end == core::String::npos) return {};
  size_t next = section.find(T16('\n'), end + 1);
  core::StringView underline = core::StringView(section).substr(end + 1, next == core::String::npos ? core::StringView::npos : next - end - 1);
  while (!underline.empty() && underline.back() == T16('\r')) underline.remove_suffix(1);
  if (underline.empty() || underline.find_first_not_of(T16('-')) != core::StringView::npos) return {};
  return core::TrimText(section.substr(0, end));
}

// Keys bcdedit prints for a Windows Boot Loader alone: the same elements of any other kind of
// object carry other names (a resume loader's are filedevice and filepath).
bool HoldsLoaderKey(const core::String& section) {
  bool found = false;
  core::String key;
  core::String value;
  ForEachLine(section, [&](core::StringView line) {
    if (!found && SplitLine(line, key, value)) found = key == T16("osdevice") || key == T16("systemroot");
  });
  return found;
}

// {bootloadersettings}: the settings every loader inherits, printed with the loaders' own keys.
constexpr core::Char kLoaderSettingsGuid[] = T16("{6efb52bf-1766-41db-a6b3-0ee5eff72bd7}");

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
  // A value printed over several lines grows by one line per continuation line. Each delivery
  // overwrites the one before, so only the whole value is delivered, once its last line is read:
  // delivering it whole after every line made a menu of a thousand entries cost a second.
  core::String pendingKey;
  core::String pendingValue;
  bool pending = false;
  bool pendingIsFirstKey = false;
  int keyLines = 0;
  core::String firstValue;
  bool identifierSeen = false;
  auto deliver = [&] {
    if (!pending) return;
    if (pendingIsFirstKey) firstValue = pendingValue;
    if (pendingKey == T16("identifier")) identifierSeen = true;
    if (isBootManager) {
      ApplyManagerKey(record, pendingKey, pendingValue);
    } else {
      ApplyLoaderKey(record, pendingKey, pendingValue);
    }
  };
  core::String key;
  core::String value;
  ForEachLine(work, [&](core::StringView line) {
    if (!SplitLine(line, key, value)) return;
    if (key.empty()) {
      // A continuation line joins the value above it (or, with none above, an empty key's).
      if (!pending) pendingIsFirstKey = false;
      pending = true;
      pendingValue.append(T16("\n")).append(value);
      return;
    }
    deliver();
    ++keyLines;
    pending = true;
    pendingIsFirstKey = keyLines == 1;
    pendingKey = key;
    pendingValue = value;
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
  core::String key;
  core::String value;
  ForEachLine(text, [&](core::StringView line) {
    // Most lines name no device options: those are passed over without being split.
    if (line.find(T16(",{")) == core::StringView::npos) return;
    if (!SplitLine(line, key, value)) return;
    size_t at = value.find(T16(",{"));
    if (at == core::String::npos) return;
    core::String identifier = core::TrimRight(value.substr(at + 1));
    if (!identifier.empty() && identifier.back() == T16('}')) found.push_back(identifier);
  });
  return found;
}

std::vector<ListedObject> ListedObjects(const core::String& listing) {
  std::vector<ListedObject> objects;
  core::String key;
  core::String value;
  for (core::String& section : SplitListingSections(listing)) {
    ListedObject object;
    object.title = SectionTitle(section);
    bool first = true;
    bool named = false;
    ForEachLine(section, [&](core::StringView line) {
      if (named || !SplitLine(line, key, value) || key.empty()) return;
      if (key == T16("identifier")) {
        object.identifier = value;
        named = true;
      } else if (first && IsBracedText(value)) {
        object.identifier = value;
      }
      first = false;
    });
    object.text = std::move(section);
    objects.push_back(std::move(object));
  }
  return objects;
}

std::vector<size_t> LoaderObjects(const std::vector<ListedObject>& objects, const core::String& knownTitle) {
  std::vector<core::String> titles = {kLoaderTitle};
  if (!knownTitle.empty()) titles.push_back(knownTitle);
  for (const ListedObject& object : objects) {
    if (object.title.empty() || core::EqualsNoCase(object.identifier, kLoaderSettingsGuid)) continue;
    bool known = false;
    for (const core::String& title : titles) known = known || title == object.title;
    if (!known && HoldsLoaderKey(object.text)) titles.push_back(object.title);
  }
  std::vector<size_t> loaders;
  for (size_t i = 0; i < objects.size(); ++i) {
    for (const core::String& title : titles) {
      if (title != objects[i].title) continue;
      loaders.push_back(i);
      break;
    }
  }
  return loaders;
}

core::String FirstTitle(const core::String& listing) {
  std::vector<core::String> sections = SplitListingSections(listing);
  return sections.empty() ? core::String() : SectionTitle(sections.front());
}
