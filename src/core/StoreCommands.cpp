// Composition of the bcdedit argument texts.
#include "core/StoreCommands.h"

#include "core/BootEntry.h"
#include "core/Format.h"
#include "core/Strings.h"

core::String ToolCommandLine(const core::String& directory, const core::String& program,
                             const core::String& arguments) {
  core::String path = directory + program;
  // Unquoted, a program folder such as "C:\Program Files\..." would be cut at its first blank.
  if (path.find(T16(' ')) != core::String::npos) path = WrapInQuotes(path);
  return core::Format(T16("%s %s"), path, arguments);
}

core::String WithStoreClause(const core::String& storeFile, const core::String& arguments) {
  return core::Format(T16(" /store \"%s\" %s"), storeFile, arguments);
}

bool HasStrayQuote(const core::String& value) {
  size_t first = value.find(T16('"'));
  if (first == core::String::npos) return false;
  size_t last = value.rfind(T16('"'));
  bool wrapped = first == 0 && last == value.size() - 1 && last > 0;
  return !wrapped || value.find(T16('"'), 1) != last || EscapesClosingQuote(value.substr(0, last));
}

bool EscapesClosingQuote(const core::String& text) { return !text.empty() && text.back() == T16('\\'); }

Refusal QuotedTextRefusal(const core::String& text, bool beforeClosingQuote) {
  if (text.find(T16('"')) != core::String::npos || (beforeClosingQuote && EscapesClosingQuote(text))) {
    return Refusal::kQuoteInValue;
  }
  return Refusal::kNone;
}

Refusal ElementRefusal(const core::String& identifier, const core::String& name, const core::String* value) {
  if (identifier.empty() || identifier.front() != T16('{') || IdentifierRefusal(identifier) != Refusal::kNone) {
    return Refusal::kBadIdentifier;
  }
  if (HasStrayQuote(name) || (value && HasStrayQuote(*value))) {
    return Refusal::kQuoteInValue;
  }
  return Refusal::kNone;
}

Refusal IdentifierRefusal(const core::String& identifier) {
  // Identifiers (and the type names /enum takes in their place) go to the tool unquoted: an empty
  // one would drop an argument, a blank or tab would split it and a quote would open a value.
  if (identifier.empty() || identifier.find_first_of(T16(" \t\"")) != core::String::npos) return Refusal::kBadIdentifier;
  return Refusal::kNone;
}

Refusal StoreFileRefusal(const core::String& storeFile) { return QuotedTextRefusal(storeFile); }

bool FitsCommandLine(const core::String& line) { return line.size() + 1 <= kCommandLineLimit; }

core::String WrapInQuotes(const core::String& value) { return T16("\"") + value + T16("\""); }

core::String EnumArgs(const core::String& identifier) { return T16(" /enum ") + identifier + T16(" /v"); }

core::String QuoteIfBlank(const core::String& value) {
  if (!value.empty() && value.front() == T16('"')) return value;
  // The C runtime splits arguments at tabs as well as blanks, and an empty value unquoted would be
  // no argument at all.
  return value.empty() || value.find_first_of(T16(" \t")) != core::String::npos ? WrapInQuotes(value) : value;
}

core::String SetElementArgs(const core::String& identifier, const core::String& name, const core::String& value) {
  return core::Format(T16(" /set  %s   %s   %s"), identifier, name, value);
}

core::String DeleteElementArgs(const core::String& identifier, const core::String& name) {
  return core::Format(T16(" /deletevalue  %s   %s"), identifier, name);
}

core::String CreateEntryArgs(const core::String& applicationType, const core::String& description) {
  core::String type = T16("OSLOADER");
  for (const core::Char* known : {T16("BOOTSECTOR"), T16("OSLOADER"), T16("RESUME"), T16("STARTUP")}) {
    if (core::EqualsNoCase(applicationType, known)) type = applicationType;
  }
  return core::Format(T16(" /create /d \"%s\" /application %s"), description, type);
}

core::String CreatedIdentifier(const core::String& output) {
  size_t close = output.rfind(T16('}'));
  if (close == core::String::npos) return output;
  core::String upToBrace = output.substr(0, close + 1);
  size_t open = upToBrace.find(T16('{'));
  return open == core::String::npos ? upToBrace : upToBrace.substr(open);
}

core::String DefaultArgs(const core::String& identifier) { return core::Format(T16("%s%s"), T16(" /default "), identifier); }

core::String DeleteEntryArgs(const core::String& identifier) {
  return core::Format(T16("%s%s%s"), T16(" /delete "), identifier, T16(" /cleanup "));
}

core::String AddToListArgs(const core::String& identifier) {
  return core::Format(T16("%s%s%s"), T16(" /displayorder "), identifier, T16(" /addlast"));
}

core::String TimeoutArgs(int seconds) { return core::Format(T16("%s%d"), T16(" /timeout "), seconds); }

core::String DisplayOrderArgs(const std::vector<core::String>& identifiers) {
  core::String joined;
  for (const auto& identifier : identifiers) {
    if (!joined.empty()) joined += T16(' ');
    joined += identifier;
  }
  return core::Format(T16("%s%s"), T16(" /displayorder "), joined);
}

core::String CopyArgs(const core::String& identifier, const core::String& description) {
  return core::Format(T16("%s%s%s%s%s"), T16(" /copy "), identifier, T16(" /d \" "), core::Format(T16("Copy of %s"), description),
                     T16(" \" "));
}

core::String ExportArgs(const core::String& path) { return core::Format(T16("%s%s%s"), T16(" /export "), T16("\""), path) + T16("\""); }

core::String ImportArgs(const core::String& path) {
  return core::Format(T16("%s%s%s%s"), T16(" /import "), WrapInQuotes(path), T16(" "), T16(""));
}

core::String CreateLegacyLoaderArgs(const core::String& name) {
  return core::Format(T16("%s%s%s"), T16(" /create {ntldr} /d \""), name, T16("\""));
}

core::String AppendToMenuArgs(const core::String& identifier) {
  return core::Format(T16(" /displayorder %s /addlast"), identifier);
}

core::String CreateRamdiskOptionsArgs(const core::String& description) {
  return core::Format(T16(" /create %s /d \"%s\""), kRamdiskOptionsAlias, description);
}

core::String BootSequenceArgs(const core::String& identifier) {
  return core::Format(T16(" /bootsequence %s"), identifier);
}

core::String RemoveBootSequenceArgs(const core::String& identifier) {
  return core::Format(T16(" /bootsequence %s /remove"), identifier);
}

std::vector<core::String> LegacyLoaderSetupArgs() {
  return {
      core::Format(T16("%s%s%s"), T16(" /create "), kNtldrAlias, T16(" /d \"Earlier Windows OS Loader\"")),
      core::Format(T16("%s%s%s"), T16(" /set "), kNtldrAlias, T16(" description \"Earlier Windows OS Loader\"")),
      core::Format(T16("%s%s%s"), T16(" /set "), kNtldrAlias, T16(" path \\ntldr")),
      core::Format(T16("%s%s%s"), T16(" /set "), kNtldrAlias, T16(" device partition=c:")),
  };
}

core::String LegacyLoaderNameArgs(const core::String& title) {
  return core::Format(T16("%s%s%s%s%s"), T16(" /set "), T16("{ntldr} description "), T16("\""), title, T16("\""));
}
