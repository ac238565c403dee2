// The one place where the text core meets the platform: UTF-16 code units on every build.
// Windows counts lengths, limits and case in 16-bit units, and so must we: on Windows a unit is
// wchar_t (so the core's strings are the std::wstring the rest of the program uses), elsewhere
// char16_t, never the 32-bit wchar_t of Linux. A character outside the Basic Multilingual Plane is
// two units (a surrogate pair) on both.
#pragma once
#include <string>
#include <string_view>

namespace core {

#ifdef _WIN32
using Char = wchar_t;
#define T16(literal) L##literal
#else
using Char = char16_t;
#define T16(literal) u##literal
#endif
static_assert(sizeof(Char) == 2, "the core counts UTF-16 code units");

using String = std::basic_string<Char>;
using StringView = std::basic_string_view<Char>;

inline constexpr bool IsHighSurrogate(Char c) { return c >= 0xD800 && c <= 0xDBFF; }
inline constexpr bool IsLowSurrogate(Char c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The upper case of one code unit by the table Windows' ordinal comparison ignoring case uses
// (CompareStringOrdinal, RtlUpcaseUnicodeChar): simple one-to-one mappings, one unit at a time,
// so surrogates and the characters they make up stay as they are.
Char UpperCaseUnit(Char c);

}  // namespace core
