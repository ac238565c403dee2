// Kinds of bcdedit commands, and a run's changes written out as a script for another machine.
#include "core/ChangeScript.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>

#include "core/BitLockerSettings.h"
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

// Aliases that stand for no fixed object: bcdedit resolves them on the machine it runs on.
constexpr const core::Char* kVirtualAliases[] = {T16("{current}"), T16("{default}")};

constexpr size_t kGuidLength = 38;  // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}

bool IsHexDigit(core::Char c) {
  return (c >= T16('0') && c <= T16('9')) || (c >= T16('a') && c <= T16('f')) || (c >= T16('A') && c <= T16('F'));
}

bool IsGuid(const String& text) {
  if (text.size() != kGuidLength || text.front() != T16('{') || text.back() != T16('}')) return false;
  for (size_t i = 1; i + 1 < kGuidLength; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? text[i] != T16('-') : !IsHexDigit(text[i])) return false;
  }
  return true;
}

bool IsKnownAlias(const String& text) {
  for (const WellKnownObject& object : kWellKnownObjects)
    if (core::EqualsNoCase(text, object.alias)) return true;
  for (const core::Char* alias : kVirtualAliases)
    if (core::EqualsNoCase(text, alias)) return true;
  return false;
}

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

template <size_t N>
bool IsOneOf(const String& token, const core::Char* const (&list)[N]) {
  return std::any_of(std::begin(list), std::end(list),
                     [&](const core::Char* item) { return core::EqualsNoCase(token, item); });
}

bool IsSwitch(const String& token) { return !token.empty() && token[0] == T16('/'); }

// What an operand of a command is to the script: an object it names, a device (whose options
// object follows its last comma: "ramdisk=[C:]\x.wim,{id}"), or text it passes on as it is.
enum class Operand { kText, kObject, kDevice };

struct CommandShape {
  const core::Char* command;
  bool everyOperand;  // every operand names an object, not the first alone
};
// The commands that name objects; in all others (/timeout, ...) every operand is text.
constexpr CommandShape kObjectCommands[] = {
    {T16("/set"), false},          {T16("/deletevalue"), false},       {T16("/create"), false},
    {T16("/copy"), false},         {T16("/delete"), false},            {T16("/default"), false},
    {T16("/displayorder"), true},  {T16("/toolsdisplayorder"), true},  {T16("/bootsequence"), true},
};
// Elements whose value is a list of objects, and elements whose value is a device.
constexpr const core::Char* kObjectListElements[] = {
    T16("bootsequence"), T16("default"),      T16("displayorder"),     T16("inherit"),
    T16("recoverysequence"), T16("resumeobject"), T16("toolsdisplayorder")};
constexpr const core::Char* kDeviceElements[] = {T16("device"), T16("osdevice"), T16("ramdisksdidevice")};

// A name or a description stays text whatever it mentions: only these places name an object.
std::vector<Operand> OperandsOf(const std::vector<String>& tokens) {
  std::vector<Operand> roles(tokens.size(), Operand::kText);
  const CommandShape* shape = nullptr;
  for (const CommandShape& candidate : kObjectCommands)
    if (Is(tokens, 0, candidate.command)) shape = &candidate;
  if (!shape) return roles;
  Operand value = Operand::kText;
  if (Is(tokens, 0, T16("/set")) && tokens.size() > 2) {
    if (IsOneOf(tokens[2], kObjectListElements)) value = Operand::kObject;
    if (IsOneOf(tokens[2], kDeviceElements)) value = Operand::kDevice;
  }
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (IsSwitch(tokens[i])) continue;
    if (i == 1 || shape->everyOperand) roles[i] = Operand::kObject;
    else if (i > 2) roles[i] = value;
  }
  return roles;
}

// A new display order as one list: the script makes it moves instead, which leave the target's
// own entries on its menu.
bool IsWholeOrder(const std::vector<String>& tokens) {
  return Is(tokens, 0, T16("/displayorder")) && tokens.size() > 1 &&
         std::none_of(tokens.begin() + 1, tokens.end(), IsSwitch);
}

// Text kept from cmd: % starts a variable everywhere in a batch file, and outside quotes
// & | < > ^ are cmd's own. quoted carries whether a quote is open from one piece to the next.
String ForCmd(const String& text, bool& quoted) {
  String out;
  for (core::Char c : text) {
    if (c == T16('"')) quoted = !quoted;
    if (c == T16('%')) out += T16('%');
    else if (!quoted && (c == T16('&') || c == T16('|') || c == T16('<') || c == T16('>') || c == T16('^')))
      out += T16('^');
    out += c;
  }
  return out;
}

// How the script names this machine's objects on the other machine.
class ScriptNames {
 public:
  explicit ScriptNames(const String& currentId) : currentId_(currentId) {}

  // A copy's identifier here; the script names it by the variable it fills from the tool's answer.
  String AddCopy(const String& guid) {
    String variable = core::Format(T16("vexa_copy%u"), static_cast<unsigned>(copies_.size() + 1));
    copies_.push_back({guid, variable});
    return variable;
  }
  void AddCreated(const String& name) {
    if (!Contains(created_, name)) created_.push_back(name);
  }
  const std::vector<String>& Created() const { return created_; }
  const std::vector<String>& Required() const { return required_; }

  // An object the script names that it neither creates nor copies: the target must hold it.
  void Require(const String& name) {
    if (name.front() != T16('%') && !Contains(created_, name) && !Contains(required_, name)) required_.push_back(name);
  }

  // The name the script gives an object operand, or none when the operand is no braced GUID and
  // no alias bcdedit knows. Only such names reach the checks inside the script's if blocks, where
  // a ")" would end the block early.
  std::optional<String> Object(const String& token) const {
    if (IsKnownAlias(token)) return token;
    if (!IsGuid(token)) return std::nullopt;
    if (!currentId_.empty() && core::EqualsNoCase(token, currentId_)) return String(T16("{current}"));
    for (const WellKnownObject& object : kWellKnownObjects)
      if (core::EqualsNoCase(token, object.guid)) return String(object.alias);
    for (const auto& [copy, variable] : copies_)
      if (core::EqualsNoCase(token, copy)) return T16("%") + variable + T16("%");
    return token;
  }

 private:
  String currentId_;
  std::vector<std::pair<String, String>> copies_;
  std::vector<String> created_;
  std::vector<String> required_;
};

// One command as the script makes it.
struct ScriptCommand {
  std::vector<String> shown;    // its tokens with objects named as in the script, for its comment
  String line;                  // the bcdedit line, ready for cmd
  std::vector<String> objects;  // the objects it names
};

// The command in the script's names; none when an operand that names an object is no identifier.
std::optional<ScriptCommand> Compose(const std::vector<String>& tokens, const ScriptNames& names) {
  ScriptCommand command;
  command.line = T16("bcdedit");
  std::vector<Operand> roles = OperandsOf(tokens);
  for (size_t i = 0; i < tokens.size(); ++i) {
    const String& token = tokens[i];
    String shown = token;
    bool quoted = false;
    String line;
    size_t comma = roles[i] == Operand::kDevice ? token.rfind(T16(',')) : String::npos;
    if (roles[i] == Operand::kObject) {
      std::optional<String> name = names.Object(token);
      if (!name) return std::nullopt;
      shown = line = *name;
      command.objects.push_back(*name);
    } else if (comma != String::npos) {
      size_t end = token.back() == T16('"') ? token.size() - 1 : token.size();
      std::optional<String> name = names.Object(token.substr(comma + 1, end - comma - 1));
      if (name) {
        shown = token.substr(0, comma + 1) + *name + token.substr(end);
        line = ForCmd(token.substr(0, comma + 1), quoted) + *name + ForCmd(token.substr(end), quoted);
        command.objects.push_back(*name);
      } else {
        line = ForCmd(token, quoted);
      }
    } else {
      line = ForCmd(token, quoted);
    }
    command.shown.push_back(shown);
    command.line += T16(' ') + line;
  }
  return command;
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
    if (Is(tokens, 2, T16("/addlast"))) return core::Format(T16("Put %s at the end of the boot menu"), at(1));
    if (Is(tokens, 2, T16("/addfirst"))) return core::Format(T16("Put %s at the top of the boot menu"), at(1));
    if (Is(tokens, 2, T16("/remove"))) return core::Format(T16("Take %s off the boot menu"), at(1));
    return T16("Put the boot menu in this order");
  }
  if (Is(tokens, 0, T16("/bootsequence"))) {
    if (Is(tokens, 2, T16("/remove"))) return core::Format(T16("Cancel the one-time start of %s"), at(1));
    return core::Format(T16("Start %s once, at the next boot"), at(1));
  }
  return T16("Change the boot store");
}

// The commands one change replays as, in this machine's identifiers.
std::vector<std::vector<String>> ReplayedCommands(const RecordedChange& change) {
  std::vector<String> tokens = Tokens(change.arguments);
  if (tokens.empty()) return {};
  // Given its identifier, the other machine's tool makes the object under the same one, so
  // later commands that name it still find it.
  if (!change.createdId.empty() && Is(tokens, 0, T16("/create"))) tokens.insert(tokens.begin() + 1, change.createdId);
  if (!IsWholeOrder(tokens)) return {tokens};
  std::vector<String> order(tokens.begin() + 1, tokens.end());
  std::vector<std::vector<String>> moves;
  for (const String& entry : change.orderBefore)
    if (!Contains(order, entry)) moves.push_back({tokens[0], entry, T16("/remove")});
  for (const String& entry : order) moves.push_back({tokens[0], entry, T16("/addlast")});
  return moves;
}

// A comment line holds one line, whatever the text it names. cmd expands % in a rem line as in
// any other (a lone "%~" ends the script there), and a ^ at its end would join the next line to it.
String CommentLine(const String& text) {
  String line = T16("\r\nrem ");
  for (core::Char c : text) {
    if (c == T16('%')) line += c;
    line += c < 0x20 ? T16(' ') : c;
  }
  if (line.back() == T16('^')) line += T16(' ');
  return line + T16("\r\n");
}

// Before the first change that BitLocker checks at every start (a checked setting of the running
// system or of the boot manager), protection of the target's system drive is suspended for one
// restart where it is on; a suspension that fails stops the script. A drive that is not protected
// (exit code 1) or a machine without manage-bde (cmd's 9009: WinPE, some editions) goes on as it is.
String SuspendBitLockerBefore(const std::vector<String>& tokens, bool& suspended) {
  bool element = (Is(tokens, 0, T16("/set")) || Is(tokens, 0, T16("/deletevalue"))) && tokens.size() > 2;
  bool loader = Is(tokens, 1, T16("{current}"));
  if (suspended || !element || !(loader || Is(tokens, 1, T16("{bootmgr}"))) || !BitLockerChecks(tokens[2], loader))
    return String();
  suspended = true;
  return T16("\r\nrem BitLocker checks the next setting at every start: suspend its protection for one restart\r\n"
             "manage-bde -status %SystemDrive% -protectionaserrorlevel >nul 2>&1\r\n"
             "if %errorlevel% equ 1 goto :vexa_unprotected\r\n"
             "if %errorlevel% equ 9009 goto :vexa_unprotected\r\n"
             "manage-bde -protectors -disable %SystemDrive% -RebootCount 1\r\n"
             "if %errorlevel% neq 0 goto :stop\r\n"
             ":vexa_unprotected\r\n");
}

bool IsAscii(const String& text) {
  return std::all_of(text.begin(), text.end(), [](core::Char c) { return c < 0x80; });
}

constexpr core::Char kCopyAnswer[] = T16("\"%TEMP%\\vexa-copy.txt\"");
// Each command's exit code is looked at on a line of its own: some cmd versions (Wine's among
// them) run what follows || and && whatever the exit code was.
constexpr core::Char kStopOnFailure[] = T16("if errorlevel 1 goto :stop\r\n");

// The lines of one change.
String ChangeLines(const RecordedChange& change, ScriptNames& names, bool& bitLockerSuspended) {
  if (!change.notReplayed.empty()) return CommentLine(T16("Not repeated by this script: ") + change.notReplayed);
  std::vector<ScriptCommand> commands;
  for (const std::vector<String>& tokens : ReplayedCommands(change)) {
    std::optional<ScriptCommand> command = Compose(tokens, names);
    if (!command) {
      String arguments;
      for (const String& token : Tokens(change.arguments)) arguments += T16(' ') + token;
      return CommentLine(
          T16("Not repeated by this script, as it names an entry bcdedit knows no identifier of: bcdedit") + arguments);
    }
    commands.push_back(*command);
  }
  String lines;
  for (const ScriptCommand& command : commands) {
    for (const String& object : command.objects) names.Require(object);
    lines += SuspendBitLockerBefore(command.shown, bitLockerSuspended);
    lines += CommentLine(Describe(command.shown));
    if (!Is(command.shown, 0, T16("/copy")) || change.createdId.empty()) {
      lines += command.line + T16("\r\n") + kStopOnFailure;
      continue;
    }
    // The other machine's tool gives the copy an identifier of its own and names it in its
    // answer (in the machine's language, but between braces).
    String variable = names.AddCopy(change.createdId);
    lines += command.line + T16(" >") + kCopyAnswer + T16("\r\n") + kStopOnFailure;
    lines += core::Format(T16("set \"%s=\"\r\n"), variable);
    lines += core::Format(T16("for /f \"usebackq tokens=2 delims={}\" %%%%i in (%s) do set \"%s={%%%%i}\"\r\n"),
                          kCopyAnswer, variable);
    lines += core::Format(T16("del %s\r\n"), kCopyAnswer);
    lines += core::Format(T16("if not defined %s goto :stop\r\n"), variable);
  }
  return lines;
}

// cmd reads a script line by line in the console's code page, each line from where the last one
// ended, counted in that code page: everything up to here is ASCII, so the switch loses no byte.
String CodePageLines(unsigned codePage) {
  String lines;
  // cmd before Windows 10 stops reading a script at the switch to UTF-8, says nothing and ends
  // with exit code 0, so this one stops first there. "Microsoft Windows [Version 6.1.7601]": the
  // number before the first dot of the last word, taken one step a line (Wine's cmd does not split
  // a for variable's value in a nested for).
  if (codePage == kUtf8CodePage)
    lines += T16("set \"vexa_windows=0\"\r\n"
                 "for /f \"tokens=*\" %%v in ('ver') do set \"vexa_windows=%%v\"\r\n"
                 "for %%w in (%vexa_windows%) do set \"vexa_windows=%%w\"\r\n"
                 "for /f \"delims=.\" %%n in (\"%vexa_windows%\") do set \"vexa_windows=%%n\"\r\n"
                 "if %vexa_windows% LSS 10 (echo Run this script on Windows 10 or later: the cmd of older Windows "
                 "cannot read the names in it. & goto :stop)\r\n");
  // "Active code page: 437", "Aktive Codepage: 850.": the number after the colon.
  lines += T16("for /f \"tokens=2 delims=:.\" %%c in ('chcp') do for %%n in (%%c) do set \"vexa_codepage=%%n\"\r\n");
  lines += core::Format(T16("chcp %u >nul\r\n"
                            "if errorlevel 1 (echo This console cannot read code page %u, the one this script is "
                            "written in. & goto :stop)\r\n"),
                        codePage, codePage);
  return lines;
}

// Nothing is changed on a store that lacks an object the changes name or has one they create.
String CheckLines(const ScriptNames& names) {
  if (names.Required().empty() && names.Created().empty()) return String();
  String lines = T16("\r\nrem Nothing is changed unless this boot store holds the entries the changes name, and not "
                     "yet those they create.\r\n");
  for (const String& name : names.Required())
    lines += core::Format(T16("bcdedit /enum %s >nul 2>&1\r\n"
                              "if errorlevel 1 (echo This boot store has no entry %s. & goto :stop)\r\n"),
                          name, name);
  for (const String& name : names.Created())
    lines += core::Format(T16("bcdedit /enum %s >nul 2>&1\r\n"
                              "if not errorlevel 1 (echo This boot store already has the entry %s. & goto :stop)\r\n"),
                          name, name);
  return lines;
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
  bool namesItsOwn = tokens.size() > 1 && !tokens[1].empty() && tokens[1][0] == T16('{');
  bool creates = Is(tokens, 0, T16("/create")) && !namesItsOwn;
  if (!creates && !Is(tokens, 0, T16("/copy"))) return String();
  String identifier = CreatedIdentifier(output);
  return IsGuid(identifier) ? identifier : String();
}

String ChangeScriptText(const std::vector<RecordedChange>& changes, const String& currentId, unsigned codePage) {
  ScriptNames names(currentId);
  for (const RecordedChange& change : changes) {
    if (!change.notReplayed.empty()) continue;
    for (const std::vector<String>& tokens : ReplayedCommands(change)) {
      if (!Is(tokens, 0, T16("/create")) || tokens.size() < 2) continue;
      if (std::optional<String> name = names.Object(tokens[1])) names.AddCreated(*name);
    }
  }
  String body;
  bool bitLockerSuspended = false;
  for (const RecordedChange& change : changes) body += ChangeLines(change, names, bitLockerSuspended);

  String script = T16("@echo off\r\nsetlocal DisableDelayedExpansion\r\n");
  script += T16("rem Boot store changes made with Vexa, to be made again with bcdedit. Run as administrator.\r\n");
  if (!IsAscii(body)) script += CodePageLines(codePage);
  script += CheckLines(names);
  script += body;
  script += T16("\r\nif defined vexa_codepage chcp %vexa_codepage% >nul\r\nexit /b 0\r\n");
  script += T16("\r\n:stop\r\nif defined vexa_codepage chcp %vexa_codepage% >nul\r\nexit /b 1\r\n");
  return script;
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
