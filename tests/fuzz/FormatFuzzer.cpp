// Formatting of every built-in text (and of hostile format texts, as a language file may hold)
// with hostile arguments: texts are inserted exactly as given, never read as placeholders, and a
// text formats the same whatever its arguments hold.
#include <cstdlib>
#include <iterator>

#include "FuzzSupport.h"
#include "core/Format.h"
#include "core/LineBreaks.h"
#include "core/Strings.h"

namespace {

const core::Char* const kBuiltInTexts[] = {
#include "BuiltInTexts.inc"
};

// A number argument when the whole field is a decimal number (any size, any sign), else a text.
core::FormatArg Argument(const core::String& field) {
  std::string digits;
  for (core::Char c : field) {
    if (c > 0x7F) return core::FormatArg(field);
    digits += static_cast<char>(c);
  }
  char* end = nullptr;
  const long long number = std::strtoll(digits.c_str(), &end, 10);
  if (digits.empty() || *end != '\0') return core::FormatArg(field);
  if (digits[0] == '+') return core::FormatArg(static_cast<unsigned long long>(std::strtoull(digits.c_str(), nullptr, 10)));
  return core::FormatArg(number);
}

bool HasWidth(core::StringView format) {
  for (size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] == T16('%') && format[i + 1] == T16('%')) ++i;
    else if (format[i] == T16('%') && format[i + 1] >= T16('0') && format[i + 1] <= T16('9')) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t choice = data[0] | (data[1] << 8);
  auto fields = fuzz::Fields(data + 2, size - 2, 5);
  // Most inputs pick a built-in text; the others bring a format text of their own.
  const bool builtIn = choice < 0x8000;
  const core::String format = builtIn ? core::String(kBuiltInTexts[choice % std::size(kBuiltInTexts)]) : fields[0];
  if (!builtIn) fields.erase(fields.begin());

  std::vector<core::FormatArg> args;
  for (const auto& field : fields) args.push_back(Argument(field));
  const core::String out = core::FormatArgs(format, args);
  ExpandLineBreaks(out);

  // With placeholders of no width, each text argument is inserted as it stands: formatting with
  // markers and then putting the arguments in their place gives the same text.
  bool checkable = !HasWidth(format);
  for (const auto& arg : args) checkable = checkable && arg.kind == core::FormatArg::Kind::Text;
  for (core::Char c : format) checkable = checkable && !(c >= 0xE000 && c < 0xE000 + args.size());
  if (checkable) {
    std::vector<core::FormatArg> markers;
    for (size_t i = 0; i < args.size(); ++i) markers.emplace_back(core::String(1, static_cast<core::Char>(0xE000 + i)));
    core::String rebuilt;
    for (core::Char c : core::FormatArgs(format, markers)) {
      if (c >= 0xE000 && c < 0xE000 + args.size()) {
        rebuilt += args[c - 0xE000].text;
      } else {
        rebuilt += c;
      }
    }
    fuzz::Require(rebuilt == out, "arguments are inserted exactly as given", format);
  }
  return 0;
}
