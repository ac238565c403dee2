// boot.ini menu lines: the title rewrite changes the title and nothing else of the line, and a new
// line's key keeps the line one line with its "=" where it belongs.
#include "FuzzSupport.h"
#include "core/BootIniLine.h"
#include "core/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const auto fields = fuzz::Fields(data, size, 3);
  const core::String& line = fields[0];
  const core::String& title = fields[1];

  BootEntry before;
  const bool parsed = ParseBootIniLine(line, before) == 1;
  BootIniLine retitled;
  const bool rewritten = RetitleBootIniLine(line, title, &retitled);
  fuzz::Require(!rewritten || parsed, "only a menu line is retitled", line);
  if (rewritten) {
    const core::String newLine = retitled.path + T16("=") + retitled.value;
    BootEntry after;
    fuzz::Require(ParseBootIniLine(newLine, after) == 1, "the new line is a menu line", newLine);
    fuzz::Require(after.GetPath() == before.GetPath(), "the path stays", newLine);
    fuzz::Require(after.description == title, "the new line reads back with the new title", newLine);
    // What is left of the value without its title is the same before and after.
    const core::String oldValue = core::TrimText(line.substr(line.find(T16('=')) + 1));
    const size_t oldEnd = oldValue.rfind(T16('"'));
    if (oldEnd != core::String::npos && oldEnd > 0) {
      fuzz::Require(retitled.value == oldValue.substr(0, 1) + title + oldValue.substr(oldEnd), "only the title changes",
                    newLine);
    } else {
      const core::String rest = oldValue.empty() ? oldValue : T16(" ") + oldValue;
      fuzz::Require(retitled.value == T16("\"") + title + T16("\"") + rest, "an untitled value gets the title in front",
                    newLine);
    }
  } else if (parsed) {
    const core::String value = core::TrimText(line.substr(line.find(T16('=')) + 1));
    fuzz::Require(title.find(T16('"')) != core::String::npos || core::HasLineBreak(title) || value.rfind(T16('"')) == 0,
                  "a menu line is retitled unless the title would break it or its only quote opens it", line);
  }

  const core::String key = NewBootIniKey(fields[0], fields[1], fields[2]);
  if (!key.empty()) {
    BootEntry added;
    ParseBootIniLine(key + T16("=") + fields[2], added);
    fuzz::Require(added.GetPath() == core::TrimText(key), "a new line's key is its path", key);
    fuzz::Require(!core::HasLineBreak(key + fields[2]), "a new line stays one line", key);
  }
  return 0;
}
