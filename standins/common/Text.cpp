// Small text helpers shared by the stand-ins.
#include "common/Text.h"

#include <windows.h>

#include <cwctype>

namespace standin {

std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

std::wstring Upper(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) c = static_cast<wchar_t>(std::towupper(c));
  return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::wstring Trim(std::wstring_view text) {
  size_t begin = text.find_first_not_of(L" \t\r\n");
  if (begin == std::wstring_view::npos) return {};
  size_t end = text.find_last_not_of(L" \t\r\n");
  return std::wstring(text.substr(begin, end - begin + 1));
}

std::wstring Hex8(std::uint32_t value) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring out(8, L'0');
  for (int i = 7; i >= 0; --i, value >>= 4) out[i] = kDigits[value & 0xF];
  return out;
}

bool ParseNumber(std::wstring_view text, std::uint64_t& value) {
  if (text.empty()) return false;
  unsigned base = 10;
  if (StartsWithNoCase(text, L"0x")) {
    base = 16;
    text.remove_prefix(2);
    if (text.empty()) return false;
  }
  std::uint64_t result = 0;
  for (wchar_t c : text) {
    unsigned digit;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    else return false;
    if (result > (UINT64_MAX - digit) / base) return false;
    result = result * base + digit;
  }
  value = result;
  return true;
}

}  // namespace standin
