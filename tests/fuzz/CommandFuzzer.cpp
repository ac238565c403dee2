// Command composition: every value a command carries (identifiers from the tool's listing, names,
// paths and descriptions the user types, the store file) arrives at bcdedit as exactly one
// argument, unchanged, when the command line is split by the Microsoft C runtime's rules, or the
// command is refused. The refusals are applied as the runner and StoreCommandsRun.cpp apply them.
// Texts hold no NUL here: window texts, profile strings and the runner's reading of tool output
// all end at the first one, so none reaches a command.
#include "FuzzSupport.h"
#include "core/BootEntry.h"
#include "core/Format.h"
#include "core/ListingParser.h"
#include "core/Strings.h"
#include "core/StoreCommands.h"

namespace {

using Args = std::vector<core::String>;

struct Command {
  Refusal refusal = Refusal::kNone;
  core::String arguments;
  Args expected;           // argv[1...] the tool must see
  bool bypassStore = false;
};

// A value the caller already wrapped in quotes arrives without them.
core::String Unwrapped(const core::String& value) {
  return value.size() >= 2 && value.front() == T16('"') && value.back() == T16('"') ? value.substr(1, value.size() - 2)
                                                                                     : value;
}

Command SetElement(const core::String& identifier, const core::String& name, const core::String& value) {
  core::String sent = QuoteIfBlank(value);
  Refusal refusal = ElementRefusal(identifier, name, &sent);
  return {refusal, SetElementArgs(identifier, name, sent), {T16("/set"), identifier, core::TrimText(name), Unwrapped(value)}};
}

Command DeleteElement(const core::String& identifier, const core::String& name) {
  return {ElementRefusal(identifier, name), DeleteElementArgs(identifier, name),
          {T16("/deletevalue"), identifier, core::TrimText(name)}};
}

Refusal First(std::initializer_list<Refusal> refusals) {
  for (Refusal refusal : refusals) {
    if (refusal != Refusal::kNone) return refusal;
  }
  return Refusal::kNone;
}

const core::Char* const kNames[] = {T16(" description "), T16(" path "), T16(" device "), T16(" osdevice "),
                                    T16(" locale "), T16(" ramdisksdipath "), T16(" systemroot "), T16(" nx ")};
const core::Char* const kTypes[] = {T16("OSLOADER"), T16("bootsector"), T16("RESUME"), T16("startup")};

Command Compose(unsigned op, const std::vector<core::String>& f) {
  const core::String& id = f[1];
  const core::String& text = f[2];
  const core::String name = kNames[(f[4].empty() ? 0 : f[4][0]) % 8];
  switch (op % 16) {
    case 0: return SetElement(id, name, text);
    case 1: return DeleteElement(id, name);
    case 2: {
      const core::String type = kTypes[(f[4].empty() ? 0 : f[4][0]) % 4];
      return {QuotedTextRefusal(text), CreateEntryArgs(type, text), {T16("/create"), T16("/d"), text, T16("/application"), type}};
    }
    case 3: return {IdentifierRefusal(id), DefaultArgs(id), {T16("/default"), id}};
    case 4: return {IdentifierRefusal(id), DeleteEntryArgs(id), {T16("/delete"), id, T16("/cleanup")}};
    case 5: return {IdentifierRefusal(id), AddToListArgs(id), {T16("/displayorder"), id, T16("/addlast")}};
    case 6: {
      std::vector<core::String> ids;
      for (size_t start = 0; start <= id.size();) {
        size_t end = id.find(T16('\n'), start);
        if (end == core::String::npos) end = id.size();
        ids.push_back(id.substr(start, end - start));
        start = end + 1;
      }
      Command command{Refusal::kNone, DisplayOrderArgs(ids), {T16("/displayorder")}};
      for (const auto& each : ids) {
        if (command.refusal == Refusal::kNone) command.refusal = IdentifierRefusal(each);
        command.expected.push_back(each);
      }
      return command;
    }
    case 7:
      return {First({QuotedTextRefusal(id, false), IdentifierRefusal(id), QuotedTextRefusal(text, false)}),
              CopyArgs(id, text), {T16("/copy"), id, T16("/d"), T16(" Copy of ") + text + T16(" ")}};
    case 8: return {QuotedTextRefusal(text), ExportArgs(text), {T16("/export"), text}, true};
    case 9: return {QuotedTextRefusal(text), ImportArgs(text), {T16("/import"), text}, true};
    case 10: return {QuotedTextRefusal(text), CreateLegacyLoaderArgs(text), {T16("/create"), T16("{ntldr}"), T16("/d"), text}};
    case 11: return {IdentifierRefusal(id), AppendToMenuArgs(id), {T16("/displayorder"), id, T16("/addlast")}};
    case 12: return {QuotedTextRefusal(text), LegacyLoaderNameArgs(text), {T16("/set"), T16("{ntldr}"), T16("description"), text}};
    case 13: return {IdentifierRefusal(id), EnumArgs(id), {T16("/enum"), id, T16("/v")}};
    case 14: {
      int seconds = LeadingNumber(text);
      return {Refusal::kNone, TimeoutArgs(seconds), {T16("/timeout"), core::Format(T16("%d"), seconds)}};
    }
    default:
      // The boot manager's locale and menu style: the page wraps the value in quotes itself.
      return SetElement(kBootMgrAlias, op % 2 ? T16(" locale ") : T16(" displaybootmenu "), WrapInQuotes(text));
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::CheckSplitCommandLine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  auto fields = fuzz::Fields(data + 1, size - 1, 5);
  for (auto& field : fields) {
    if (field.find(T16('\0')) != core::String::npos) return 0;
  }
  fields.insert(fields.begin(), core::String());
  Command command = Compose(data[0], fields);
  const core::String& storeFile = fields[3];
  const bool redirected = !command.bypassStore && !storeFile.empty();
  if (command.refusal == Refusal::kNone && redirected) command.refusal = StoreFileRefusal(storeFile);
  if (command.refusal != Refusal::kNone) return 0;

  const core::String directory = data[0] & 0x10 ? T16("C:\\Program Files (x86)\\Vexa\\bin64\\") : T16("C:\\Vexa\\bin\\");
  const core::String line = ToolCommandLine(directory, T16("bcdedit.exe"),
                                            redirected ? WithStoreClause(storeFile, command.arguments) : command.arguments);
  if (!FitsCommandLine(line)) return 0;  // the runner refuses it

  Args expected{directory + T16("bcdedit.exe")};
  if (redirected) expected.insert(expected.end(), {T16("/store"), storeFile});
  expected.insert(expected.end(), command.expected.begin(), command.expected.end());
  const Args argv = fuzz::SplitCommandLine(line);
  fuzz::Require(argv.size() == expected.size(), "each value is exactly one argument", line);
  for (size_t i = 0; i < argv.size(); ++i) fuzz::Require(argv[i] == expected[i], "each value arrives unchanged", line);
  return 0;
}
