// String helpers shared by every subsystem.
#include "base/Strings.h"

#include <windows.h>

namespace base {

std::wstring TrimLeft(const std::wstring& text) {
  size_t first = text.find_first_not_of(kWhiteSpace);
  return first == std::wstring::npos ? std::wstring() : text.substr(first);
}

std::wstring TrimRight(const std::wstring& text) {
  size_t last = text.find_last_not_of(kWhiteSpace);
  return last == std::wstring::npos ? std::wstring() : text.substr(0, last + 1);
}

std::wstring TrimText(const std::wstring& text) { return TrimRight(TrimLeft(text)); }

std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to) {
  if (from.empty()) return text;
  for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
             CSTR_EQUAL;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

size_t FindNoCase(std::wstring_view text, std::wstring_view what) {
  if (what.size() > text.size()) return std::wstring_view::npos;
  for (size_t at = 0; at + what.size() <= text.size(); ++at) {
    if (EqualsNoCase(text.substr(at, what.size()), what)) return at;
  }
  return std::wstring_view::npos;
}

std::wstring ReplaceFirstNoCase(const std::wstring& text, const std::wstring& what, const std::wstring& with) {
  size_t at = FindNoCase(text, what);
  if (what.empty() || at == std::wstring_view::npos) return text;
  return text.substr(0, at) + with + text.substr(at + what.size());
}

}  // namespace base
