// printf-style formatting of the program's texts with exactly the placeholders they use:
// %s (text), %d (signed), %u (unsigned), %x (lower-case hex), %0Nd (N digits, zero-filled), %%.
// MinGW's two printf families disagree on what %s means for wide strings, so we do not use them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace base {

struct FormatArg {
  enum class Kind { Text, Signed, Unsigned } kind;
  std::wstring text;
  std::int64_t number = 0;

  FormatArg(std::wstring_view s) : kind(Kind::Text), text(s) {}
  FormatArg(const std::wstring& s) : kind(Kind::Text), text(s) {}
  FormatArg(const wchar_t* s) : kind(Kind::Text), text(s ? s : L"") {}
  FormatArg(int n) : kind(Kind::Signed), number(n) {}
  FormatArg(long n) : kind(Kind::Signed), number(n) {}
  FormatArg(long long n) : kind(Kind::Signed), number(n) {}
  FormatArg(unsigned n) : kind(Kind::Unsigned), number(n) {}
  FormatArg(unsigned long n) : kind(Kind::Unsigned), number(n) {}
  FormatArg(unsigned long long n) : kind(Kind::Unsigned), number(static_cast<std::int64_t>(n)) {}
};

// Placeholders without a matching argument expand to nothing; unknown ones are copied as they stand.
std::wstring FormatArgs(std::wstring_view format, const std::vector<FormatArg>& args);

template <class... Args>
std::wstring Format(std::wstring_view format, const Args&... args) {
  return FormatArgs(format, std::vector<FormatArg>{FormatArg(args)...});
}

// Conversions between UTF-16 and a Windows code page (CP_ACP for tool output, CP_UTF8 for tests).
std::wstring Widen(std::string_view bytes, unsigned codePage);
std::string Narrow(std::wstring_view text, unsigned codePage);

}  // namespace base
