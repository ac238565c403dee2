// Writing the program's settings file: every writer leaves it hidden and system, as the program
// has always kept it.
#pragma once
#include <string>

// Writes an integer setting into the settings file (hidden and system before and after).
void WriteSettingInt(const std::wstring& section, const std::wstring& key, int value);
// Sets a file's attributes to exactly hidden + system (clearing read-only); a missing file is left alone.
void MarkHiddenSystem(const std::wstring& path);
