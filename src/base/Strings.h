// The string helpers every subsystem shares: one rule for case-insensitive comparison (ordinal,
// as Windows compares identifiers and paths) and one for trimming.
#pragma once
#include <string>
#include <string_view>

namespace base {

// Blanks, tabs, line ends, vertical tabs and form feeds.
inline constexpr wchar_t kWhiteSpace[] = L" \t\r\n\v\f";

std::wstring TrimText(const std::wstring& text);
std::wstring TrimLeft(const std::wstring& text);
std::wstring TrimRight(const std::wstring& text);

// Every occurrence of from, left to right; the replacement is not searched again.
std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to);
// The first occurrence of what, found without regard to case.
std::wstring ReplaceFirstNoCase(const std::wstring& text, const std::wstring& what, const std::wstring& with);

// Ordinal comparison ignoring case over all of Unicode (CompareStringOrdinal).
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);
// Position of what in text ignoring case, or npos.
size_t FindNoCase(std::wstring_view text, std::wstring_view what);

}  // namespace base
