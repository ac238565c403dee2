// The calls that issue the page-level bcdedit commands through the runner; their argument texts
// are composed in core/StoreCommands.h.
#pragma once
#include <string>
#include <vector>

#include "core/StoreCommands.h"

struct ToolResult;

// Issuing the page-level commands (through Runner(); a store file in use redirects all but export
// and import). Those returning text return the tool's answer, those returning a ToolResult the
// run whose exit code says whether the change arrived; those refusing a stray quote (or a text
// that would escape its closing quote), or an identifier that would not be one argument, return
// an empty text or a result that was not started, issue nothing and leave the reason in
// Runner().lastRefusal.
ToolResult SetManagerTimeout(int seconds);
// Empty locale or style deletes the element. The result is started when a command was issued.
ToolResult SetManagerLocale(const std::wstring& locale);
ToolResult SetManagerMenuStyle(const std::wstring& value);
// before: the menu as it was, which a script made of this run's changes needs to take off the
// entries the new order leaves out.
ToolResult WriteDisplayOrder(const std::vector<std::wstring>& identifiers,
                             const std::vector<std::wstring>& before = {});
std::wstring CopyStoreEntry(const std::wstring& identifier, const std::wstring& description);
// The system store to and from a file (never redirected), with the tool's exit code; a refused path
// (StorePathRefused) runs nothing and gives an empty result that was not started.
ToolResult ExportStore(const std::wstring& path);
ToolResult ImportStore(const std::wstring& path);
// True when path cannot go between our quotes: it holds a quote, or it ends in a backslash.
bool StorePathRefused(const std::wstring& path);
std::wstring CreateLegacyLoader(const std::wstring& name);
ToolResult AppendToMenu(const std::wstring& identifier);
// The boot manager starts identifier (a braced identifier) once, at the next boot; or no longer
// does. Always the system store's boot manager: a store file has no next boot.
ToolResult SetBootSequence(const std::wstring& identifier);
ToolResult RemoveBootSequence(const std::wstring& identifier);
// The boot manager's one-time sequence becomes exactly identifiers again; none deletes it.
ToolResult RestoreBootSequence(const std::vector<std::wstring>& identifiers);
// An entry setting such as "systemroot" or "nx": set when value is not empty, else deleted. The
// element name is passed with a blank on each side. The result is started when a command was issued.
ToolResult SetOrDeleteElement(const std::wstring& identifier, const std::wstring& element, const std::wstring& value);
// Creates or completes {ntldr}: issues the four set-up commands.
void SetUpLegacyLoader();
std::wstring RenameLegacyLoader(const std::wstring& title);
