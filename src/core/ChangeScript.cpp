// Kinds of bcdedit commands, and a run's changes written out as a script for another machine.
#include "core/ChangeScript.h"

#include <algorithm>
#include <cstddef>

#include "core/Format.h"
#include "core/StoreCommands.h"
#include "core/Strings.h"

namespace {

using core::String;

struct WellKnownObject {
  const core::Char* alias;
  const core::Char* guid;
};

// The objects every store names alike; bcdedit takes these aliases on any machine.
constexpr WellKnownObject kWellKnownObjects[] = {
    {T16("{bootmgr}"), T16("{9dea862c-5cdd-4e70-acc1-f32b344d4795}")},
    {T16("{fwbootmgr}"), T16("{a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}")},
    {T16("{memdiag}"), T16("{b2721d73-1db4-4c62-bf78-c548a880142d}")},
    {T16("{ntldr}"), T16("{466f5a88-0af2-4f76-9038-095b170dc21c}")},
    {T16("{ramdiskoptions}"), T16("{ae5534e0-a924-466c-b836-758539a3ee3a}")},
    {T16("{globalsettings}"), T16("{7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}")},
    {T16("{bootloadersettings}"), T16("{6efb52bf-1766-41db-a6b3-0ee5eff72bd7}")},
    {T16("{resumeloadersettings}"), T16("{1afa9c49-16ab-4a5c-901b-212802da9460}")},
    {T16("{dbgsettings}"), T16("{4636856e-540f-4170-a130-a84776f4c654}")},
    {T16("{emssettings}"), T16("{0ce4991b-e6b3-4b16-b23c-5e0d9250e5d9}")},
    {T16("{badmemory}"), T16("{5189b25c-5558-4bf2-bca4-289b11bd29e2}")},
    {T16("{hypervisorsettings}"), T16("{7ff607e0-4395-11db-b0de-0800200c9a66}")},
};

constexpr size_t kGuidLength = 38;  // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}

bool IsHexDigit(core::Char c) {
  return (c >= T16('0') && c <= T16('9')) || (c >= T16('a') && c <= T16('f')) || (c >= T16('A') && c <= T16('F'));
}

bool IsGuidAt(const String& text, size_t at) {
  if (at + kGuidLength > text.size() || text[at] != T16('{') || text[at + kGuidLength - 1] != T16('}')) return false;
  for (size_t i = 1; i + 1 < kGuidLength; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? text[at + i] != T16('-') : !IsHexDigit(text[at + i])) return false;
  }
  return true;
}

bool IsGuid(const String& text) { return text.size() == kGuidLength && IsGuidAt(text, 0); }

bool Contains(const std::vector<String>& list, const String& text) {
  return std::any_of(list.begin(), list.end(), [&](const String& item) { return core::EqualsNoCase(item, text); });
}

// Arguments as the C runtime splits them: at blanks and tabs outside double quotes. The quotes
// stay in the token, so putting the tokens back together with one blank means the same.
std::vector<String> Tokens(const String& arguments) {
  std::vector<String> tokens;
  String token;
  bool quoted = false;
  bool started = false;
  for (core::Char c : arguments) {
    if (c == T16('"')) quoted = !quoted;
    if (!quoted && (c == T16(' ') || c == T16('\t'))) {
      if (started) tokens.push_back(token);
      token.clear();
      started = false;
      continue;
    }
    token += c;
    started = true;
  }
  if (started) tokens.push_back(token);
  return tokens;
}

bool Is(const std::vector<String>& tokens, size_t index, const core::Char* text) {
  return index < tokens.size() && core::EqualsNoCase(tokens[index], text);
}

// Every identifier in a token as the other machine knows it; identifiers that machine must hold
// already are added to expected.
String MapIdentifiers(const String& token, const String& currentId, const std::vector<String>& created,
                      std::vector<String>* expected) {
  String out;
  for (size_t at = 0; at < token.size();) {
    if (!IsGuidAt(token, at)) {
      out += token[at++];
      continue;
    }
    String guid = token.substr(at, kGuidLength);
    at += kGuidLength;
    if (!currentId.empty() && core::EqualsNoCase(guid, currentId)) {
      out += T16("{current}");
      continue;
    }
    const WellKnownObject* known =
        std::find_if(std::begin(kWellKnownObjects), std::end(kWellKnownObjects),
                     [&](const WellKnownObject& object) { return core::EqualsNoCase(guid, object.guid); });
    if (known != std::end(kWellKnownObjects)) {
      out += known->alias;
      continue;
    }
    if (!Contains(created, guid) && !Contains(*expected, guid)) expected->push_back(guid);
    out += guid;
  }
  return out;
}

// In a batch file % starts a variable everywhere, and outside quotes & | < > ^ are cmd's own.
String EscapeForCmd(const String& text) {
  String out;
  bool quoted = false;
  for (core::Char c : text) {
    if (c == T16('"')) quoted = !quoted;
    if (c == T16('%')) {
      out += T16("%%");
      continue;
    }
    if (!quoted && (c == T16('&') || c == T16('|') || c == T16('<') || c == T16('>') || c == T16('^'))) out += T16('^');
    out += c;
  }
  return out;
}

String Describe(const std::vector<String>& tokens) {
  auto at = [&](size_t index) { return index < tokens.size() ? tokens[index] : String(); };
  if (Is(tokens, 0, T16("/set"))) return core::Format(T16("Set %s of %s"), at(2), at(1));
  if (Is(tokens, 0, T16("/deletevalue"))) return core::Format(T16("Delete %s of %s"), at(2), at(1));
  if (Is(tokens, 0, T16("/create"))) return core::Format(T16("Create the entry %s"), at(1));
  if (Is(tokens, 0, T16("/copy"))) return core::Format(T16("Copy the entry %s"), at(1));
  if (Is(tokens, 0, T16("/delete"))) return core::Format(T16("Delete the entry %s"), at(1));
  if (Is(tokens, 0, T16("/default"))) return core::Format(T16("Make %s the default entry"), at(1));
  if (Is(tokens, 0, T16("/timeout"))) return core::Format(T16("Wait %s seconds in the boot menu"), at(1));
  if (Is(tokens, 0, T16("/displayorder"))) {
    if (Is(tokens, 2, T16("/addlast"))) return core::Format(T16("Add %s at the end of the boot menu"), at(1));
    if (Is(tokens, 2, T16("/addfirst"))) return core::Format(T16("Add %s at the top of the boot menu"), at(1));
    if (Is(tokens, 2, T16("/remove"))) return core::Format(T16("Take %s off the boot menu"), at(1));
    return T16("Put the boot menu in this order");
  }
  if (Is(tokens, 0, T16("/bootsequence"))) {
    if (Is(tokens, 2, T16("/remove"))) return core::Format(T16("Cancel the one-time start of %s"), at(1));
    return core::Format(T16("Start %s once, at the next boot"), at(1));
  }
  return T16("Change the boot store");
}

String Joined(const std::vector<String>& tokens) {
  String line;
  for (const String& token : tokens) {
    if (!line.empty()) line += T16(' ');
    line += token;
  }
  return line;
}

}  // namespace

CommandKind KindOfCommand(const String& arguments) {
  std::vector<String> tokens = Tokens(arguments);
  if (tokens.empty() || Is(tokens, 0, T16("/enum")) || Is(tokens, 0, T16("/v")) || Is(tokens, 0, T16("/?")))
    return CommandKind::kListing;
  if (Is(tokens, 0, T16("/export"))) return CommandKind::kExport;
  if (Is(tokens, 0, T16("/import"))) return CommandKind::kImport;
  if (Is(tokens, 0, T16("/store")) || Is(tokens, 0, T16("/createstore"))) return CommandKind::kStoreFile;
  return CommandKind::kChange;
}

String CreatedIdOfRun(const String& arguments, const String& output) {
  std::vector<String> tokens = Tokens(arguments);
  if (!Is(tokens, 0, T16("/create")) || (tokens.size() > 1 && !tokens[1].empty() && tokens[1][0] == T16('{')))
    return String();
  String identifier = CreatedIdentifier(output);
  return IsGuid(identifier) ? identifier : String();
}

String ChangeScriptText(const std::vector<RecordedChange>& changes, const String& currentId) {
  std::vector<String> created;
  for (const RecordedChange& change : changes) {
    if (!change.createdId.empty()) created.push_back(change.createdId);
    std::vector<String> tokens = Tokens(change.arguments);
    if (Is(tokens, 0, T16("/create")) && tokens.size() > 1 && IsGuid(tokens[1])) created.push_back(tokens[1]);
  }

  std::vector<String> expected;
  String body;
  for (const RecordedChange& change : changes) {
    std::vector<String> tokens = Tokens(change.arguments);
    if (tokens.empty()) continue;
    // Given its identifier, the other machine's tool makes the object under the same one, so
    // later commands that name it still find it.
    if (!change.createdId.empty() && Is(tokens, 0, T16("/create"))) tokens.insert(tokens.begin() + 1, change.createdId);
    for (String& token : tokens) token = MapIdentifiers(token, currentId, created, &expected);
    body += T16("\r\nrem ") + EscapeForCmd(Describe(tokens)) + T16("\r\n");
    body += T16("bcdedit ") + EscapeForCmd(Joined(tokens)) + T16(" || exit /b 1\r\n");
  }

  String script = T16("@chcp 65001 >nul\r\n@echo off\r\n");
  script += T16("rem Boot store changes made with Vexa, to be made again with bcdedit. Run as administrator.\r\n");
  if (!expected.empty()) {
    script += T16("rem The boot store must already hold these entries:\r\n");
    for (const String& guid : expected) script += T16("rem   ") + guid + T16("\r\n");
  }
  return script + body;
}

String AutoBackupName(int year, int month, int day, int hour, int minute, int second, const String& ending) {
  return core::Format(T16("auto-%04d_%02d_%02d-%02d%02d%02d"), year, month, day, hour, minute, second) + ending;
}

String BeforeUndoName(int year, int month, int day, int hour, int minute, int second) {
  return T16("before-undo-") + AutoBackupName(year, month, day, hour, minute, second).substr(5);
}

std::vector<String> AutoBackupsBeyond(std::vector<String> names, size_t keep, const String& ending) {
  const String pattern = AutoBackupName(2000, 1, 1, 0, 0, 0, ending);
  auto isAutoBackup = [&](const String& name) {
    if (name.size() != pattern.size() || !core::StartsWithNoCase(name, T16("auto-")) ||
        !core::EqualsNoCase(core::StringView(name).substr(name.size() - ending.size()), ending))
      return false;
    for (size_t i = 5; i + ending.size() < name.size(); ++i) {
      bool digit = name[i] >= T16('0') && name[i] <= T16('9');
      if (digit != (pattern[i] >= T16('0') && pattern[i] <= T16('9')) || (!digit && name[i] != pattern[i])) return false;
    }
    return true;
  };
  names.erase(std::remove_if(names.begin(), names.end(), [&](const String& name) { return !isAutoBackup(name); }),
              names.end());
  // The time in the name counts from the year down, so the newest sorts last.
  std::sort(names.begin(), names.end(), [](const String& a, const String& b) { return a > b; });
  if (names.size() <= keep) return {};
  return std::vector<String>(names.begin() + static_cast<std::ptrdiff_t>(keep), names.end());
}
