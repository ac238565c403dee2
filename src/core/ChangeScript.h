// What one bcdedit argument text does to the store, and the changes of a run written out as a
// command script that makes the same changes with bcdedit on another machine.
#pragma once
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

// One change the tool carried out: its arguments as sent, and the identifier the tool gave the
// object a /create without an identifier of its own made (empty otherwise).
struct RecordedChange {
  core::String arguments;
  core::String createdId;
};
// The identifier a run of arguments that printed output created, or empty.
core::String CreatedIdOfRun(const core::String& arguments, const core::String& output);

// The script, CR LF line ends, to be written as UTF-8: "chcp 65001" first, then for each change a
// comment saying what it does and the bcdedit line. The object currentId names (the running
// system) is written as {current} and well-known objects by their aliases; objects created by the
// changes are created again under the same identifier; any other identifier stays as it is and
// the script's head names it as one the target store must already hold.
core::String ChangeScriptText(const std::vector<RecordedChange>& changes, const core::String& currentId);

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
