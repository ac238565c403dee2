// The string helpers every subsystem shares: one rule for case-insensitive comparison (ordinal,
// as Windows compares identifiers and paths) and one for trimming.
#pragma once
#include "core/Portable.h"

namespace core {

// Blanks, tabs, line ends, vertical tabs and form feeds.
inline constexpr Char kWhiteSpace[] = T16(" \t\r\n\v\f");

String TrimText(const String& text);
String TrimLeft(const String& text);
String TrimRight(const String& text);

// True when text holds a carriage return or a line feed.
bool HasLineBreak(StringView text);
// True when text holds a C0 control character (line breaks and tabs included) or DEL.
bool HasControlCharacter(StringView text);

// Every occurrence of from, left to right; the replacement is not searched again.
String ReplaceAll(String text, const String& from, const String& to);
// The first occurrence of what, found without regard to case.
String ReplaceFirstNoCase(const String& text, const String& what, const String& with);

// Ordinal comparison ignoring case over all of Unicode, unit by unit (CompareStringOrdinal).
bool EqualsNoCase(StringView a, StringView b);
bool StartsWithNoCase(StringView text, StringView prefix);
// Position of what in text ignoring case, or npos.
size_t FindNoCase(StringView text, StringView what);

}  // namespace core
