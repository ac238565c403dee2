// The argument texts of every bcdedit command the program issues, blanks included, composed as
// pure functions; and the calls that issue the page-level ones through the runner.
#pragma once
#include <string>
#include <vector>

struct ToolResult;

// Tool command line: the tool's path (quoted when it holds a blank), one blank, the arguments.
std::wstring ToolCommandLine(const std::wstring& directory, const std::wstring& program,
                             const std::wstring& arguments);
// Redirects arguments to another store file: " /store \"file\" " + arguments.
std::wstring WithStoreClause(const std::wstring& storeFile, const std::wstring& arguments);

// True when value would carry a double quote into the command line other than one pair wrapped
// around the whole value; such a quote would end the quoted text and let the rest become
// arguments of their own. A wrapped value ending in a backslash counts too: the backslash would
// escape the closing quote.
bool HasStrayQuote(const std::wstring& value);
// True when text, put right before a closing quote, would escape it (it ends in a backslash).
bool EscapesClosingQuote(const std::wstring& text);

std::wstring EnumArgs(const std::wstring& identifier);
// SetElement wraps a value that holds a blank and does not already begin with a quote.
std::wstring QuoteIfBlank(const std::wstring& value);
std::wstring SetElementArgs(const std::wstring& identifier, const std::wstring& name, const std::wstring& value);
std::wstring DeleteElementArgs(const std::wstring& identifier, const std::wstring& name);
// Unknown application types become "OSLOADER"; known ones keep the caller's spelling.
std::wstring CreateEntryArgs(const std::wstring& applicationType, const std::wstring& description);
// From the tool's answer to /create: the text from the first "{" to the last "}".
std::wstring CreatedIdentifier(const std::wstring& output);

std::wstring DefaultArgs(const std::wstring& identifier);
std::wstring DeleteEntryArgs(const std::wstring& identifier);
std::wstring AddToListArgs(const std::wstring& identifier);
std::wstring TimeoutArgs(int seconds);
std::wstring DisplayOrderArgs(const std::vector<std::wstring>& identifiers);
std::wstring CopyArgs(const std::wstring& identifier, const std::wstring& description);
std::wstring ExportArgs(const std::wstring& path);
std::wstring ImportArgs(const std::wstring& path);
// " /create {ntldr} /d \"name\"": the legacy loader object under its fixed GUID.
std::wstring CreateLegacyLoaderArgs(const std::wstring& name);
std::wstring AppendToMenuArgs(const std::wstring& identifier);
// The four commands that create or complete the legacy loader object, in order.
std::vector<std::wstring> LegacyLoaderSetupArgs();
// Renames the legacy loader to a boot.ini line's title.
std::wstring LegacyLoaderNameArgs(const std::wstring& title);
std::wstring WrapInQuotes(const std::wstring& value);

// Issuing the page-level commands (through Runner(); a store file in use redirects all but export
// and import). Those returning text return the tool's answer; those refusing a stray quote (or a
// text that would escape its closing quote) return an empty text, issue nothing and leave the
// reason in Runner().lastRefusal.
std::wstring SetManagerTimeout(int seconds);
// Empty locale or style deletes the element. Returns 1 when a command was issued.
int SetManagerLocale(const std::wstring& locale);
int SetManagerMenuStyle(const std::wstring& value);
std::wstring WriteDisplayOrder(const std::vector<std::wstring>& identifiers);
std::wstring CopyStoreEntry(const std::wstring& identifier, const std::wstring& description);
// The system store to and from a file (never redirected), with the tool's exit code; a refused path
// (StorePathRefused) runs nothing and gives an empty result that was not started.
ToolResult ExportStore(const std::wstring& path);
ToolResult ImportStore(const std::wstring& path);
// True when path cannot go between our quotes: it holds a quote, or it ends in a backslash.
bool StorePathRefused(const std::wstring& path);
std::wstring CreateLegacyLoader(const std::wstring& name);
std::wstring AppendToMenu(const std::wstring& identifier);
// An entry setting such as "systemroot" or "nx": set when value is not empty, else deleted. The
// element name is passed with a blank on each side. Returns 1 when a command was issued.
int SetOrDeleteElement(const std::wstring& identifier, const std::wstring& element, const std::wstring& value);
// Creates or completes {ntldr}: issues the four set-up commands.
void SetUpLegacyLoader();
std::wstring RenameLegacyLoader(const std::wstring& title);
