// boot.ini menu line texts.
#include "core/BootIniLine.h"

#include "core/Strings.h"

namespace {

core::String RemoveAll(core::String text, const core::String& what) {
  for (size_t at = text.find(what); at != core::String::npos; at = text.find(what, at)) text.erase(at, what.size());
  return text;
}

}  // namespace

int ParseBootIniLine(const core::String& line, BootEntry& record) {
  record.rawText = line;
  size_t equals = line.find(T16('='));
  if (equals == core::String::npos) return 0;
  // Lines edited by hand are often written "C:\wubildr.mbr = "Ubuntu"": the blanks around "="
  // belong to neither the path nor the title.
  record.SetPath(core::TrimText(line.substr(0, equals)));
  core::String rest = core::TrimText(line.substr(equals + 1));
  size_t quote = rest.rfind(T16('"'));
  // A lone opening quote has nothing before it to take the title from.
  if (quote != core::String::npos && quote > 0) record.description = rest.substr(1, quote - 1);
  record.sourceKind = kSourceBootIni;
  record.loadState = kLoadFromBootIni;
  return 1;
}

bool RetitleBootIniLine(const core::String& line, const core::String& newTitle, BootIniLine* result) {
  if (newTitle.find(T16('"')) != core::String::npos || core::HasLineBreak(newTitle)) return false;
  size_t equals = line.find(T16('='));
  if (equals == core::String::npos) return false;
  core::String value = core::TrimText(line.substr(equals + 1));
  // Only the quoted title changes; switches that happen to contain the same word stay as they are.
  size_t quote = value.rfind(T16('"'));
  // A lone opening quote: a title put in front would end at it and take the rest with it.
  if (quote == 0) return false;
  if (quote != core::String::npos) {
    value = value.substr(0, 1) + newTitle + value.substr(quote);
  } else {
    value = T16("\"") + newTitle + T16("\"") + (value.empty() ? T16("") : T16(" ") + value);
  }
  result->path = core::TrimText(line.substr(0, equals));
  result->value = value;
  return true;
}

core::String NewBootIniKey(const core::String& deviceText, const core::String& filePath,
                           const core::String& value) {
  core::String drive = core::EqualsNoCase(deviceText, T16("boot")) ? core::String(T16("c:"))
                                                                  : RemoveAll(deviceText, T16("partition="));
  core::String key = drive + filePath;
  if (key.find(T16('=')) != core::String::npos || core::HasLineBreak(key) || core::HasLineBreak(value)) return {};
  return key;
}

bool IsBootIniMenuLine(const core::String& line) {
  core::String trimmed = core::TrimLeft(line);
  return !trimmed.empty() && trimmed[0] != T16(';') && trimmed.find(T16('=')) != core::String::npos;
}

std::vector<core::String> IniSectionLines(const core::String& fileText, const core::String& section) {
  std::vector<core::String> lines;
  bool inside = false, found = false;
  for (size_t start = 0; start <= fileText.size();) {
    size_t end = fileText.find(T16('\n'), start);
    if (end == core::String::npos) end = fileText.size();
    core::String line = core::TrimText(fileText.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line[0] == T16('[')) {
      // Only the first section of that name counts, as it is the one the profile functions find.
      if (inside) break;
      size_t close = line.find(T16(']'));
      core::String name = core::TrimText(line.substr(1, close == core::String::npos ? close : close - 1));
      inside = !found && core::EqualsNoCase(name, section);
      found = found || inside;
    } else if (inside) {
      lines.push_back(line);
    }
  }
  // The line end of the file's last line is no line of its own.
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::vector<core::String> KeepOtherMenuSectionLines(const std::vector<core::String>& section,
                                                   const std::vector<core::String>& menuLines) {
  std::vector<core::String> result;
  size_t next = 0;
  size_t afterLast = core::String::npos;
  for (const core::String& line : section) {
    if (!IsBootIniMenuLine(line)) {
      result.push_back(line);
    } else if (next < menuLines.size()) {
      result.push_back(menuLines[next++]);
      afterLast = result.size();
    }
  }
  auto at = afterLast == core::String::npos ? result.end() : result.begin() + static_cast<std::ptrdiff_t>(afterLast);
  result.insert(at, menuLines.begin() + static_cast<std::ptrdiff_t>(next), menuLines.end());
  return result;
}
