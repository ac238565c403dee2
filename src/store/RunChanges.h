// What the runner keeps of this run's changes to the system store: the copy of the store taken
// before the first of them (the safety net), and the changes the tool carried out, in order.
#pragma once
#include <string>
#include <vector>

#include "core/ChangeScript.h"

struct ToolResult;

struct RunChanges {
  // Take the copy before the first change. The program switches it on as it starts; runners made
  // for other uses (tests that count command lines) leave it off.
  bool safetyNet = false;
  // This run's copy ("...\Backup\auto-YYYY_MM_DD-HHMMSS.BCD"); empty until it was made.
  std::wstring autoBackup;
  // Changes of the system store that the tool reported done (exit code 0).
  std::vector<RecordedChange> done;
  // Set once the user has been told that the copy failed; a listing clears it, so a dialog that
  // writes ten settings in a row tells it once, and the next attempt tells it again.
  bool failureTold = false;
};

// Safety-net files kept in the Backup folder; older ones go when a new one is made.
inline constexpr size_t kAutoBackupsKept = 10;

// Puts the system store back as it was when the run's first change was made (the safety net's
// copy, imported) and forgets the changes recorded since. Not started when there is no copy.
ToolResult UndoChangesSinceStart();
// Records a change the script cannot make with bcdedit (a boot.ini write, new boot code), said in
// words, so the script names it in its place among the others.
void NoteNotReplayedChange(const std::wstring& change);
// Writes the recorded changes as a script (UTF-8) to path; currentId names the running system.
bool SaveChangeScript(const std::wstring& path, const std::wstring& currentId);
