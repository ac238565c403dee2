// String helpers shared by every subsystem.
#include "core/Strings.h"

namespace core {

String TrimLeft(const String& text) {
  size_t first = text.find_first_not_of(kWhiteSpace);
  return first == String::npos ? String() : text.substr(first);
}

String TrimRight(const String& text) {
  size_t last = text.find_last_not_of(kWhiteSpace);
  return last == String::npos ? String() : text.substr(0, last + 1);
}

String TrimText(const String& text) { return TrimRight(TrimLeft(text)); }

bool HasLineBreak(StringView text) { return text.find_first_of(T16("\r\n")) != StringView::npos; }

bool HasControlCharacter(StringView text) {
  for (Char c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

String ReplaceAll(String text, const String& from, const String& to) {
  if (from.empty()) return text;
  size_t at = text.find(from);
  if (at == String::npos) return text;
  // Built anew in one pass: replacing in place moves the rest of the text for every match, which
  // a listing of a thousand objects turns into a tenth of a second.
  String result;
  result.reserve(text.size());
  size_t start = 0;
  for (; at != String::npos; at = text.find(from, start)) {
    result.append(text, start, at - start).append(to);
    start = at + from.size();
  }
  result.append(text, start, String::npos);
  return result;
}

bool EqualsNoCase(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && UpperCaseUnit(a[i]) != UpperCaseUnit(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(StringView text, StringView prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

size_t FindNoCase(StringView text, StringView what) {
  if (what.size() > text.size()) return StringView::npos;
  for (size_t at = 0; at + what.size() <= text.size(); ++at) {
    if (EqualsNoCase(text.substr(at, what.size()), what)) return at;
  }
  return StringView::npos;
}

String ReplaceFirstNoCase(const String& text, const String& what, const String& with) {
  size_t at = FindNoCase(text, what);
  if (what.empty() || at == StringView::npos) return text;
  return text.substr(0, at) + with + text.substr(at + what.size());
}

}  // namespace core
