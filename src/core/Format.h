// printf-style formatting of the program's texts with exactly the placeholders they use:
// %s (text), %d (signed), %u (unsigned), %x (lower-case hex), %0Nd (N digits, zero-filled, N below
// 100), %%.
// MinGW's two printf families disagree on what %s means for wide strings, so we do not use them.
#pragma once
#include <cstdint>
#include <vector>

#include "core/Portable.h"

namespace core {

struct FormatArg {
  enum class Kind { Text, Signed, Unsigned } kind;
  String text;
  std::int64_t number = 0;

  FormatArg(StringView s) : kind(Kind::Text), text(s) {}
  FormatArg(const String& s) : kind(Kind::Text), text(s) {}
  FormatArg(const Char* s) : kind(Kind::Text), text(s ? s : T16("")) {}
  FormatArg(int n) : kind(Kind::Signed), number(n) {}
  FormatArg(long n) : kind(Kind::Signed), number(n) {}
  FormatArg(long long n) : kind(Kind::Signed), number(n) {}
  FormatArg(unsigned n) : kind(Kind::Unsigned), number(n) {}
  FormatArg(unsigned long n) : kind(Kind::Unsigned), number(static_cast<std::int64_t>(n)) {}
  FormatArg(unsigned long long n) : kind(Kind::Unsigned), number(static_cast<std::int64_t>(n)) {}
};

// Placeholders without a matching argument expand to nothing; unknown ones are copied as they stand.
String FormatArgs(StringView format, const std::vector<FormatArg>& args);

template <class... Args>
String Format(StringView format, const Args&... args) {
  return FormatArgs(format, std::vector<FormatArg>{FormatArg(args)...});
}

}  // namespace core
