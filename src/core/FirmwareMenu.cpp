// Reading the firmware's boot menu out of one listing, and the commands that change it.
#include "core/FirmwareMenu.h"

#include <initializer_list>
#include <string>

#include "core/BootEntry.h"
#include "core/Format.h"
#include "core/StoreCommands.h"
#include "core/Strings.h"

namespace {

using core::String;
using core::StringView;

// One object of the listing: its identifier and its keys, a value's continuation lines joined by
// line feeds.
struct Section {
  String identifier;
  std::vector<std::pair<String, String>> values;

  String Value(StringView key) const {
    for (const auto& [name, value] : values)
      if (core::EqualsNoCase(name, key)) return value;
    return String();
  }
};

bool IsBraced(const String& text) { return text.size() > 2 && text.front() == T16('{') && text.back() == T16('}'); }

bool IsUnderline(const String& line) {
  String trimmed = core::TrimText(line);
  return !trimmed.empty() && trimmed.find_first_not_of(T16('-')) == String::npos;
}

std::vector<String> Lines(const String& text) {
  std::vector<String> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(T16('\n'), start);
    if (end == String::npos) end = text.size();
    String line = text.substr(start, end - start);
    if (!line.empty() && line.back() == T16('\r')) line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Objects are set apart by empty lines. A heading is the line above a dash underline (the tool
// translates headings, so none is read); a key ends at the first blank (keys hold none, whatever
// the language), and a line that starts with a blank carries on the value above. The identifier is
// the first braced value: the tool translates that one key too.
std::vector<Section> SectionsOf(const String& text) {
  std::vector<Section> sections;
  std::vector<String> lines = Lines(text);
  bool open = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const String& line = lines[i];
    if (core::TrimText(line).empty()) {
      open = false;
      continue;
    }
    if (IsUnderline(line) || (i + 1 < lines.size() && IsUnderline(lines[i + 1]))) continue;
    if (!open) {
      sections.emplace_back();
      open = true;
    }
    Section& section = sections.back();
    if ((line[0] == T16(' ') || line[0] == T16('\t')) && !section.values.empty()) {
      section.values.back().second += T16('\n') + core::TrimText(line);
      continue;
    }
    size_t blank = line.find_first_of(T16(" \t"));
    String key = line.substr(0, blank);
    String value = blank == String::npos ? String() : core::TrimText(line.substr(blank));
    if (section.identifier.empty() && IsBraced(value)) section.identifier = value;
    section.values.emplace_back(key, value);
  }
  return sections;
}

std::vector<String> IdentifiersIn(const String& value) {
  std::vector<String> identifiers;
  for (const String& line : Lines(value)) {
    String identifier = core::TrimText(line);
    if (!identifier.empty()) identifiers.push_back(identifier);
  }
  return identifiers;
}

bool SameObject(const String& a, const String& b) {
  if (core::EqualsNoCase(a, b)) return true;
  return (IsBootManagerId(a) && IsBootManagerId(b)) || (IsFirmwareBootManagerId(a) && IsFirmwareBootManagerId(b));
}

bool Mentions(StringView text, std::initializer_list<const core::Char*> words) {
  for (const core::Char* word : words)
    if (core::FindNoCase(text, word) != StringView::npos) return true;
  return false;
}

String Joined(const String& command, const std::vector<String>& identifiers) {
  String out = command;
  for (const String& identifier : identifiers) out += T16(" ") + identifier;
  return out;
}

FirmwareEntry EntryOf(const String& identifier, const Section* section, bool (*volumeIsRemovable)(const String& device)) {
  FirmwareEntry entry;
  entry.identifier = identifier;
  entry.bootManager = IsBootManagerId(identifier);
  if (section) {
    entry.listed = true;
    entry.description = section->Value(T16("description"));
    entry.device = section->Value(T16("device"));
    entry.path = section->Value(T16("path"));
  }
  bool removable = volumeIsRemovable && !entry.device.empty() && volumeIsRemovable(entry.device);
  entry.kind = KindOfFirmwareEntry(entry, removable);
  return entry;
}

}  // namespace

bool IsBootManagerId(const String& identifier) {
  return core::EqualsNoCase(identifier, kBootMgrAlias) || core::EqualsNoCase(identifier, kBootMgrGuid);
}

bool IsFirmwareBootManagerId(const String& identifier) {
  return core::EqualsNoCase(identifier, kFwBootMgrAlias) || core::EqualsNoCase(identifier, kFwBootMgrGuid);
}

FirmwareKind KindOfFirmwareEntry(const FirmwareEntry& entry, bool removableVolume) {
  if (entry.bootManager || core::EqualsNoCase(entry.description, T16("Windows Boot Manager")) ||
      Mentions(entry.path, {T16("\\bootmgfw.efi")}))
    return FirmwareKind::kWindowsBootManager;
  if (Mentions(entry.description, {T16("PXE"), T16("IPv4"), T16("IPv6"), T16("IP4"), T16("IP6"), T16("Network"),
                                   T16("NIC"), T16("LAN"), T16("Ethernet"), T16("HTTP")}))
    return FirmwareKind::kNetwork;
  if (removableVolume || Mentions(entry.description, {T16("USB"), T16("Removable"), T16("CDROM"), T16("CD-ROM"),
                                                      T16("DVD"), T16("Flash"), T16("Floppy"), T16("Optical")}))
    return FirmwareKind::kRemovable;
  if (core::StartsWithNoCase(entry.path, T16("\\EFI\\"))) return FirmwareKind::kOtherSystem;
  // A network card's entry is the one kind that names no device at all and nothing else.
  if (entry.listed && entry.device.empty() && entry.path.empty() && entry.description.empty())
    return FirmwareKind::kNetwork;
  return FirmwareKind::kOther;
}

FirmwareMenu ParseFirmwareListing(const String& text, bool (*volumeIsRemovable)(const String& device)) {
  FirmwareMenu menu;
  std::vector<Section> sections = SectionsOf(text);
  const Section* manager = nullptr;
  for (const Section& section : sections) {
    if (IsFirmwareBootManagerId(section.identifier)) {
      manager = &section;
      break;
    }
  }
  if (!manager) return menu;
  menu.present = true;
  String timeout = core::TrimText(manager->Value(T16("timeout")));
  if (!timeout.empty() && timeout.find_first_not_of(T16("0123456789")) == String::npos && timeout.size() < 10)
    menu.timeout = std::stoi(std::string(timeout.begin(), timeout.end()));
  menu.bootSequence = IdentifiersIn(manager->Value(T16("bootsequence")));
  for (const String& identifier : IdentifiersIn(manager->Value(T16("displayorder")))) {
    const Section* found = nullptr;
    for (const Section& section : sections) {
      if (&section != manager && SameObject(section.identifier, identifier)) {
        found = &section;
        break;
      }
    }
    menu.entries.push_back(EntryOf(identifier, found, volumeIsRemovable));
  }
  // The rest of the listing is the firmware's entries that no order names.
  for (const Section& section : sections) {
    if (&section == manager || section.identifier.empty() || FindFirmwareEntry(menu, section.identifier)) continue;
    menu.offOrder.push_back(EntryOf(section.identifier, &section, volumeIsRemovable));
    menu.offOrder.back().onOrder = false;
  }
  return menu;
}

void AddOffOrderBootManagers(FirmwareMenu& menu, const String& listing, bool (*volumeIsRemovable)(const String& device)) {
  if (!menu.present) return;
  for (const Section& section : SectionsOf(listing)) {
    if (section.identifier.empty() || IsFirmwareBootManagerId(section.identifier) ||
        FindFirmwareEntry(menu, section.identifier))
      continue;
    menu.offOrder.push_back(EntryOf(section.identifier, &section, volumeIsRemovable));
    menu.offOrder.back().onOrder = false;
  }
}

const FirmwareEntry* FindFirmwareEntry(const FirmwareMenu& menu, const String& identifier) {
  for (const auto* entries : {&menu.entries, &menu.offOrder})
    for (const FirmwareEntry& entry : *entries)
      if (SameObject(entry.identifier, identifier)) return &entry;
  return nullptr;
}

bool IsEfiLoaderPath(const String& path) {
  constexpr size_t kEnding = 4;  // ".efi"
  return path.size() > kEnding + 1 && path.front() == T16('\\') && path.find(T16('/')) == String::npos &&
         core::EqualsNoCase(StringView(path).substr(path.size() - kEnding), T16(".efi"));
}

String PathBelowRoot(const String& file, const String& root) {
  if (root.empty() || root.back() != T16('\\') || file.size() <= root.size() ||
      !core::StartsWithNoCase(file, root))
    return String();
  return file.substr(root.size() - 1);
}

bool StartsOnce(const FirmwareMenu& menu, const String& identifier) {
  for (const String& once : menu.bootSequence)
    if (SameObject(once, identifier)) return true;
  return false;
}

String FirmwareListingArgs() { return T16(" /enum firmware /v"); }

String FirmwareBootSequenceArgs(const std::vector<String>& identifiers) {
  return Joined(String(T16(" /set ")) + kFwBootMgrAlias + T16(" bootsequence"), identifiers);
}

String FirmwareClearBootSequenceArgs() { return String(T16(" /deletevalue ")) + kFwBootMgrAlias + T16(" bootsequence"); }

String FirmwareDisplayOrderArgs(const std::vector<String>& identifiers) {
  return Joined(String(T16(" /set ")) + kFwBootMgrAlias + T16(" displayorder"), identifiers);
}

String FirmwareManagersListingArgs() { return T16(" /enum bootmgr /v"); }

String FirmwareCopyArgs(const String& description) {
  return String(T16(" /copy ")) + kBootMgrAlias + T16(" /d \"") + description + T16("\"");
}

String FirmwarePathArgs(const String& identifier, const String& path) {
  return T16(" /set ") + identifier + T16(" path ") + QuoteIfBlank(path);
}

String FirmwareRenameArgs(const String& identifier, const String& description) {
  return T16(" /set ") + identifier + T16(" description \"") + description + T16("\"");
}

String FirmwareAddLastArgs(const String& identifier) {
  return String(T16(" /set ")) + kFwBootMgrAlias + T16(" displayorder ") + identifier + T16(" /addlast");
}

String FirmwareRemoveArgs(const String& identifier) {
  return String(T16(" /set ")) + kFwBootMgrAlias + T16(" displayorder ") + identifier + T16(" /remove");
}

String FirmwareDeleteArgs(const String& identifier) { return T16(" /delete ") + identifier; }

String FirmwareTimeoutArgs(int seconds) {
  return String(T16(" /set ")) + kFwBootMgrAlias + T16(" timeout ") + core::Format(T16("%d"), seconds);
}
