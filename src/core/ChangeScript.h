// What one bcdedit argument text does to the store, and the changes of a run written out as a
// command script that makes the same changes with bcdedit on another machine.
#pragma once
#include <utility>
#include <vector>

#include "core/Portable.h"

// What a command does, judged by its first switch.
enum class CommandKind {
  kListing,    // /enum, /v, /? and no arguments at all: reads only
  kExport,     // /export: reads the store into a file
  kImport,     // /import: replaces the store from a file
  kStoreFile,  // /store, /createstore: works on a file, not on the store of the machine
  kChange,     // everything else writes the store
};
CommandKind KindOfCommand(const core::String& arguments);

// One change of this run: a command the tool carried out, its arguments as sent; or a change the
// tool did not make (boot.ini, boot code), said in words in notReplayed with no arguments.
struct RecordedChange {
  RecordedChange(core::String arguments = {}, core::String createdId = {})
      : arguments(std::move(arguments)), createdId(std::move(createdId)) {}

  core::String arguments;
  // The identifier the tool gave the object a /create without an identifier of its own, or a
  // /copy, made (empty otherwise).
  core::String createdId;
  // For a whole /displayorder list: the menu as it was just before, so the script can take off
  // the entries the list left out and leave the target's own entries alone.
  std::vector<core::String> orderBefore;
  core::String notReplayed;
};
// The identifier a run of arguments that printed output created (a /create without an identifier
// of its own, a /copy), or empty.
core::String CreatedIdOfRun(const core::String& arguments, const core::String& output);

// The code page of UTF-8, for scripts whose names no other code page holds.
inline constexpr unsigned kUtf8CodePage = 65001;

// The script, CR LF line ends, to be written in codePage. Unless it is plain ASCII it switches
// the console to codePage and back to the one it found when it ends (in UTF-8 only on Windows 10
// and later: it stops before any change elsewhere). Delayed expansion is off (a "!" stays a "!").
// It changes nothing unless the target store holds every object the changes name and none of
// those they create, and stops at the first command that fails. For each change a comment saying
// what it does and the bcdedit line. Only operands that name objects are taken for identifiers,
// never a name or a description, and only a braced GUID or an alias bcdedit knows is one (a
// change naming anything else is left to a comment): the object currentId names (the running
// system) is written as {current}, well-known objects by their aliases; objects a /create made are
// created again under the same identifier; a copy's new identifier is taken from the tool's answer
// into a variable that later lines use; a whole menu order becomes moves of the entries it names.
// Changes the tool did not make are named in comments, in their place.
core::String ChangeScriptText(const std::vector<RecordedChange>& changes, const core::String& currentId,
                              unsigned codePage);

// The safety net's file name for a moment: "auto-2026_12_07-143501.BCD"; its copies of boot.ini
// end in ".boot.ini" instead.
core::String AutoBackupName(int year, int month, int day, int hour, int minute, int second,
                            const core::String& ending = T16(".BCD"));
// Of the names in a folder, the safety-net files with this ending beyond the keep newest (newest
// by their names).
std::vector<core::String> AutoBackupsBeyond(std::vector<core::String> names, size_t keep,
                                            const core::String& ending = T16(".BCD"));
// Where Undo saves the store as it was before undoing: "before-undo-2026_12_07-143501.BCD".
core::String BeforeUndoName(int year, int month, int day, int hour, int minute, int second);
