// The text of boot.ini menu lines ("path=\"title\" /switches"): reading one into a record, giving
// one a new title, the key of a new line, and the menu section's lines that are no menu lines. The
// file itself is read and written in the store.
#pragma once
#include <vector>

#include "core/BootEntry.h"

// One "path=value" menu line into record (blanks around "=" dropped); 1 when the line has an "=",
// else 0 (only rawText set).
int ParseBootIniLine(const core::String& line, BootEntry& record);

struct BootIniLine {
  core::String path;   // before the first "=", trimmed
  core::String value;  // after it, trimmed
};
// The line with its title replaced by newTitle: the text between the value's first character and
// its last double quote, as ParseBootIniLine reads it; a value without a title gets a quoted one
// in front. False, and nothing in result, for a line without "=", a title holding a double quote
// or a line break (either would break the line), or a value whose only quote opens it (a title put
// in front would read to that quote).
bool RetitleBootIniLine(const core::String& line, const core::String& newTitle, BootIniLine* result);

// Key of a new menu line: the volume's drive ("boot" means c:, "partition=" dropped) followed by
// the file path. Empty when the key or the value could not be written as a line of its own.
core::String NewBootIniKey(const core::String& deviceText, const core::String& filePath,
                           const core::String& value);

// True for a line the menu is made of: one with an "=" that is no comment (";").
bool IsBootIniMenuLine(const core::String& line);
// The lines of section (named without brackets, any case) in an ini file's text, each trimmed of
// blanks as the profile functions read it; blank lines and comments included. Empty when the text
// has no such section.
std::vector<core::String> IniSectionLines(const core::String& fileText, const core::String& section);
// The menu section to write for menuLines, a new order of its menu lines: every line of section
// (the section as the file holds it) that is no menu line (a comment, a blank or a path without
// "=") stays at its place, and the menu lines take the places of the old ones in the new order;
// menu lines beyond their number follow the last of them.
std::vector<core::String> KeepOtherMenuSectionLines(const std::vector<core::String>& section,
                                                   const std::vector<core::String>& menuLines);
