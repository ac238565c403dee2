// Text formatting and code-page conversion.
#include "base/Format.h"

#include <windows.h>

namespace base {
namespace {

std::wstring Digits(std::uint64_t value, unsigned base) {
  if (value == 0) return L"0";
  std::wstring out;
  while (value) {
    out.insert(out.begin(), L"0123456789abcdef"[value % base]);
    value /= base;
  }
  return out;
}

std::wstring Number(const FormatArg& arg, wchar_t conversion) {
  if (arg.kind == FormatArg::Kind::Text) return arg.text;
  if (conversion == L'x') return Digits(static_cast<std::uint32_t>(arg.number), 16);
  if (conversion == L'u') return Digits(static_cast<std::uint32_t>(arg.number), 10);
  if (arg.kind == FormatArg::Kind::Unsigned) return Digits(static_cast<std::uint64_t>(arg.number), 10);
  if (arg.number < 0) return L"-" + Digits(static_cast<std::uint64_t>(-arg.number), 10);
  return Digits(static_cast<std::uint64_t>(arg.number), 10);
}

}  // namespace

std::wstring FormatArgs(std::wstring_view format, const std::vector<FormatArg>& args) {
  std::wstring out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    wchar_t c = format[i];
    if (c != L'%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    size_t j = i + 1;
    if (format[j] == L'%') {
      out += L'%';
      i = j;
      continue;
    }
    bool zeroFill = false;
    size_t width = 0;
    if (format[j] == L'0') {
      zeroFill = true;
      ++j;
    }
    while (j < format.size() && format[j] >= L'0' && format[j] <= L'9') width = width * 10 + (format[j++] - L'0');
    if (j < format.size() && format[j] == L'l') ++j;  // %ls means the same as %s here
    if (j >= format.size() || (format[j] != L's' && format[j] != L'd' && format[j] != L'u' && format[j] != L'x')) {
      out += c;
      continue;
    }
    std::wstring piece;
    if (next < args.size()) {
      const FormatArg& arg = args[next++];
      piece = format[j] == L's' ? (arg.kind == FormatArg::Kind::Text ? arg.text : Number(arg, L'd'))
                                : Number(arg, format[j]);
    }
    if (piece.size() < width) {
      bool negative = zeroFill && !piece.empty() && piece[0] == L'-';
      std::wstring pad(width - piece.size(), zeroFill ? L'0' : L' ');
      piece = negative ? L"-" + pad + piece.substr(1) : pad + piece;
    }
    out += piece;
    i = j;
  }
  return out;
}

std::wstring Widen(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view text, unsigned codePage) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace base
