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
