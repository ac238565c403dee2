// The record of every stand-in run: when VEXA_TOOL_JOURNAL names a file, the full command line is
// appended to it as one line, so tests can see the exact text a caller sent.
#pragma once
#include <string>
#include <string_view>

namespace standin {

inline constexpr wchar_t kJournalVariable[] = L"VEXA_TOOL_JOURNAL";

// Appends commandLine as one UTF-8 line ending in CR LF. Does nothing when the variable is unset or
// empty; false when the file could not be written.
bool AppendJournal(std::wstring_view commandLine);

// The value of an environment variable, empty when unset.
std::wstring EnvironmentValue(const wchar_t* name);

}  // namespace standin
