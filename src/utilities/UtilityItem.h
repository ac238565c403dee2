// One utility of the Utilities page, and the pure text rules behind its file section: the section
// name made from a command, the working folder of a run, and what a value may hold.
#pragma once
#include <string>

// Section of the built-in Internet Options item; a section of this name is never the user's.
inline constexpr wchar_t kBuiltInSection[] = L"TAVRO_STUDIO_SYS_TOOL_NO_MODIFY";

struct UtilityItem {
  std::wstring section;  // its section in plugins.ini, or kBuiltInSection
  std::wstring name;     // the list text
  std::wstring info;     // the details line
  std::wstring cmd;      // the program or file to open
  std::wstring cmdfix;   // fixed parameters, only ever written by hand into the file
  int iconIndex = -1;    // in the shell's large system image list; -1: not looked up yet

  bool IsBuiltIn() const { return section == kBuiltInSection; }
};

// What follows the last backslash of cmd (all of it when there is none).
std::wstring CommandFileName(const std::wstring& cmd);
// The section a new utility for cmd asks for: its file name with "." made "_", a to z upper-cased.
std::wstring SectionKeyFor(const std::wstring& cmd);
// cmd up to and including its last backslash; empty when it has none.
std::wstring WorkingFolderOf(const std::wstring& cmd);
// A value as it can be kept in a profile file: every line break (CR LF, CR or LF) becomes one
// blank, so a typed text can add no line (no key, no section) of its own, and surrounding blanks
// go, as the profile read drops them anyway.
std::wstring ProfileValue(const std::wstring& text);
