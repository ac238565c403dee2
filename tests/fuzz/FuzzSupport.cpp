// Input decoding, invariant reports and the C runtime's command-line split for the fuzz targets.
#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {
namespace {

void AppendCodePoint(core::String& out, std::uint32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<core::Char>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<core::Char>(0xD800 + (cp >> 10));
    out += static_cast<core::Char>(0xDC00 + (cp & 0x3FF));
  }
}

bool IsBlank(core::Char c) { return c == T16(' ') || c == T16('\t'); }

}  // namespace

core::String Text(const std::uint8_t* data, size_t size) {
  core::String out;
  for (size_t i = 0; i < size;) {
    const std::uint8_t lead = data[i];
    size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    bool valid = length != 0 && i + length <= size;
    std::uint32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (size_t k = 1; valid && k < length; ++k) {
      valid = (data[i + k] & 0xC0) == 0x80;
      cp = (cp << 6) | (data[i + k] & 0x3F);
    }
    if (valid && length > 1) {
      static const std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
      valid = cp >= kSmallest[length] && cp <= 0x10FFFF;
    }
    if (!valid) {
      out += static_cast<core::Char>(0xDC00 + lead);
      ++i;
      continue;
    }
    AppendCodePoint(out, cp);
    i += length;
  }
  return out;
}

std::vector<core::String> Fields(const std::uint8_t* data, size_t size, size_t count) {
  std::vector<core::String> fields;
  size_t start = 0;
  for (size_t i = 0; i <= size && fields.size() + 1 < count; ++i) {
    if (i == size || data[i] == 0xFF) {
      fields.push_back(Text(data + start, i - start));
      start = i + 1;
    }
  }
  if (fields.size() + 1 == count) fields.push_back(start < size ? Text(data + start, size - start) : core::String());
  while (fields.size() < count) fields.emplace_back();
  return fields;
}

std::string Printable(core::StringView text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    std::uint32_t cp = static_cast<char16_t>(text[i]);
    if (core::IsHighSurrogate(text[i]) && i + 1 < text.size() && core::IsLowSurrogate(text[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00);
    } else if (core::IsHighSurrogate(text[i]) || core::IsLowSurrogate(text[i]) || cp < 0x20) {
      char escape[16];
      std::snprintf(escape, sizeof escape, "\\u%04X", cp);
      out += escape;
      continue;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

void Require(bool holds, const char* invariant, core::StringView detail) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n  [%s]\n", invariant, Printable(detail).c_str());
  std::abort();
}

std::vector<core::String> SplitCommandLine(core::StringView line) {
  std::vector<core::String> argv;
  size_t i = 0;
  // The program name: no escapes, a quote only toggles.
  core::String program;
  bool quoted = false;
  for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
    if (line[i] == T16('"')) {
      quoted = !quoted;
    } else {
      program += line[i];
    }
  }
  argv.push_back(program);
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    core::String argument;
    quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == T16('\\')) {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == T16('"')) {
        argument.append(backslashes / 2, T16('\\'));
        if (backslashes % 2 == 1) {
          argument += T16('"');
          ++i;
        } else if (quoted && i + 1 < line.size() && line[i + 1] == T16('"')) {
          argument += T16('"');
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        argument.append(backslashes, T16('\\'));
        if (i < line.size() && (quoted || !IsBlank(line[i]))) argument += line[i++];
      }
    }
    argv.push_back(argument);
  }
  return argv;
}

void CheckSplitCommandLine() {
  // The examples of Microsoft's "Parsing C++ command-line arguments", after the program name.
  const struct {
    const core::Char* line;
    std::vector<core::String> argv;
  } examples[] = {
      {T16("p \"abc\" d e"), {T16("abc"), T16("d"), T16("e")}},
      {T16("p a\\\\b d\"e f\"g h"), {T16("a\\\\b"), T16("de fg"), T16("h")}},
      {T16("p a\\\\\\\"b c d"), {T16("a\\\"b"), T16("c"), T16("d")}},
      {T16("p a\\\\\\\\\"b c\" d e"), {T16("a\\\\b c"), T16("d"), T16("e")}},
      {T16("p a\"b\"\" c d"), {T16("ab\" c d")}},
      {T16("\"C:\\Program Files\\x.exe\"\t\"\"  x\t"), {T16(""), T16("x")}},
  };
  for (const auto& example : examples) {
    auto argv = SplitCommandLine(example.line);
    argv.erase(argv.begin());
    Require(argv == example.argv, "the command-line split follows the documented examples", example.line);
  }
  Require(SplitCommandLine(T16("\"C:\\Program Files\\x.exe\" a"))[0] == T16("C:\\Program Files\\x.exe"),
          "the program name ends at its closing quote");
}

}  // namespace fuzz
