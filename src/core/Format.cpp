// Text formatting.
#include "core/Format.h"

namespace core {
namespace {

String Digits(std::uint64_t value, unsigned base) {
  if (value == 0) return T16("0");
  String out;
  while (value) {
    out.insert(out.begin(), T16("0123456789abcdef")[value % base]);
    value /= base;
  }
  return out;
}

String Number(const FormatArg& arg, Char conversion) {
  if (arg.kind == FormatArg::Kind::Text) return arg.text;
  if (conversion == T16('x')) return Digits(static_cast<std::uint32_t>(arg.number), 16);
  if (conversion == T16('u')) return Digits(static_cast<std::uint32_t>(arg.number), 10);
  const auto bits = static_cast<std::uint64_t>(arg.number);
  if (arg.kind == FormatArg::Kind::Unsigned) return Digits(bits, 10);
  // Negated in unsigned arithmetic: the most negative number has no positive counterpart.
  if (arg.number < 0) return T16("-") + Digits(0 - bits, 10);
  return Digits(bits, 10);
}

constexpr size_t kMaxWidthDigits = 2;

bool IsDigit(Char c) { return c >= T16('0') && c <= T16('9'); }

}  // namespace

String FormatArgs(StringView format, const std::vector<FormatArg>& args) {
  String out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    Char c = format[i];
    if (c != T16('%') || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    size_t j = i + 1;
    if (format[j] == T16('%')) {
      out += T16('%');
      i = j;
      continue;
    }
    bool zeroFill = false;
    size_t width = 0;
    if (format[j] == T16('0')) {
      zeroFill = true;
      ++j;
    }
    const size_t widthStart = j;
    while (j < format.size() && IsDigit(format[j])) width = width * 10 + (format[j++] - T16('0'));
    if (j < format.size() && format[j] == T16('l')) ++j;  // %ls means the same as %s here
    // Our texts pad to a few digits; a wider field (a language file may hold "%999999999d") is
    // not a placeholder of ours and must not make us pad to gigabytes.
    if (j - widthStart > kMaxWidthDigits || j >= format.size() || (format[j] != T16('s') && format[j] != T16('d') && format[j] != T16('u') &&
                               format[j] != T16('x'))) {
      out += c;
      continue;
    }
    String piece;
    if (next < args.size()) {
      const FormatArg& arg = args[next++];
      piece = format[j] == T16('s') ? (arg.kind == FormatArg::Kind::Text ? arg.text : Number(arg, T16('d')))
                                    : Number(arg, format[j]);
    }
    if (piece.size() < width) {
      bool negative = zeroFill && !piece.empty() && piece[0] == T16('-');
      String pad(width - piece.size(), zeroFill ? T16('0') : T16(' '));
      piece = negative ? T16("-") + pad + piece.substr(1) : pad + piece;
    }
    out += piece;
    i = j;
  }
  return out;
}

}  // namespace core
