// The argument texts of every bcdedit command the program issues, blanks included, composed as
// pure functions, and the refusals that keep each value one argument of the tool's command line.
#pragma once
#include <vector>

#include "core/Portable.h"

// Why the last command was not issued (kNone when it was).
enum class Refusal {
  kNone,
  kBadIdentifier,    // the identifier does not begin with "{" (where one must), or is empty or
                     // holds a blank, tab or quote, so it would not be one argument
  kQuoteInValue,     // a double quote inside a value would end the quoted text and add arguments;
                     // a final backslash before the closing quote would escape it
  kCommandTooLong,   // the command line does not fit the 1024-character buffer
  kNoSafetyNet,      // the copy of the system store taken before its first change could not be made
  kUnprintable,      // a text to be stored holds a control character, or a character the tool's
                     // output code page lacks: the tool would list it back otherwise, and a line
                     // break would split the line of a saved script
};

// Command lines are built in a buffer of this many UTF-16 units, terminator included.
inline constexpr size_t kCommandLineLimit = 1024;
// True when line and its terminator fit that buffer.
bool FitsCommandLine(const core::String& line);

// Tool command line: the tool's path (quoted when it holds a blank), one blank, the arguments.
core::String ToolCommandLine(const core::String& directory, const core::String& program,
                             const core::String& arguments);
// Redirects arguments to another store file: " /store \"file\" " + arguments.
core::String WithStoreClause(const core::String& storeFile, const core::String& arguments);

// True when value would carry a double quote into the command line other than one pair wrapped
// around the whole value; such a quote would end the quoted text and let the rest become
// arguments of their own. A wrapped value ending in a backslash counts too: the backslash would
// escape the closing quote.
bool HasStrayQuote(const core::String& value);
// True when text, put right before a closing quote, would escape it (it ends in a backslash).
bool EscapesClosingQuote(const core::String& text);
// Why text, put between quotes of our own, could not go to the tool: it holds a quote, or (when
// our closing quote follows it directly) it ends in a backslash. kNone when it can.
Refusal QuotedTextRefusal(const core::String& text, bool beforeClosingQuote = true);
// Why an element operation on identifier could not be issued with these name and (already
// quoted) value texts; kNone when it can. Without a value: the check of a deletion.
Refusal ElementRefusal(const core::String& identifier, const core::String& name, const core::String* value = nullptr);

// Why identifier could not be passed to the tool as one argument of its own; kNone when it can.
Refusal IdentifierRefusal(const core::String& identifier);
// Why arguments could not be redirected to storeFile (it goes between quotes of our own).
Refusal StoreFileRefusal(const core::String& storeFile);

core::String EnumArgs(const core::String& identifier);
// SetElement wraps a value that is empty or holds a blank or tab, unless it begins with a quote.
core::String QuoteIfBlank(const core::String& value);
core::String SetElementArgs(const core::String& identifier, const core::String& name, const core::String& value);
core::String DeleteElementArgs(const core::String& identifier, const core::String& name);
// Unknown application types become "OSLOADER"; known ones keep the caller's spelling.
core::String CreateEntryArgs(const core::String& applicationType, const core::String& description);
// From the tool's answer to /create: the text from the first "{" to the last "}".
core::String CreatedIdentifier(const core::String& output);

core::String DefaultArgs(const core::String& identifier);
core::String DeleteEntryArgs(const core::String& identifier);
core::String AddToListArgs(const core::String& identifier);
core::String TimeoutArgs(int seconds);
core::String DisplayOrderArgs(const std::vector<core::String>& identifiers);
core::String CopyArgs(const core::String& identifier, const core::String& description);
core::String ExportArgs(const core::String& path);
core::String ImportArgs(const core::String& path);
// " /create {ntldr} /d \"name\"": the legacy loader object under its fixed GUID.
core::String CreateLegacyLoaderArgs(const core::String& name);
core::String AppendToMenuArgs(const core::String& identifier);
// " /create {ramdiskoptions} /d \"description\"": the device options WinPE entries share.
core::String CreateRamdiskOptionsArgs(const core::String& description);
// The boot manager starts identifier once, at the next boot; or no longer does.
core::String BootSequenceArgs(const core::String& identifier);
core::String RemoveBootSequenceArgs(const core::String& identifier);
// The four commands that create or complete the legacy loader object, in order.
std::vector<core::String> LegacyLoaderSetupArgs();
// Renames the legacy loader to a boot.ini line's title.
core::String LegacyLoaderNameArgs(const core::String& title);
core::String WrapInQuotes(const core::String& value);
