// The safety net's side of boot.ini, and undoing the run's changes: what pages and the boot.ini
// writers call (the store's side runs inside the tool runner).
#pragma once
#include <string>

#include "store/BcdEditRunner.h"

// Before a change to boot.ini: the run's copy of it, made once. False (the user told) when the
// copy could not be made and the user did not choose to change without one, or when a copy failed
// earlier in the same command; boot.ini must then stay as it is.
bool GuardBootIni();
// True when a copy failed in the user's current command and the change was refused: the rest of
// the command (boot.ini after the store) is not to be written either.
bool CopyRefusedInThisCommand();

// The copy's moment as the user reads it ("2026-12-07 14:35:01"), from its name.
std::wstring SafetyNetCopyTime(const std::wstring& copy);
// Where Undo saves the store as it is now: "...\Backup\before-undo-YYYY_MM_DD-HHMMSS.BCD".
std::wstring BeforeUndoCopyPath();

struct UndoOutcome {
  ToolResult saved;        // the export of the store as it was before the undo
  bool savedFileMade = false;
  bool storeCopy = false;  // the run had a copy of the store: it was saved, then imported
  ToolResult import;       // not started when the store could not be saved first
  enum class BootIni { kNoCopy, kRestored, kFailed } bootIni = BootIni::kNoCopy;
};
// Puts the system store back as it was when the run's first change was made: first it saves the
// store as it is now to beforeUndo (nothing is imported when that fails), then imports the safety
// net's copy and, once that worked, puts boot.ini back from its copy. Not started when there is
// no copy of the store: then only boot.ini goes back, from its copy, if the run made one.
UndoOutcome UndoChangesSinceStart(const std::wstring& beforeUndo);
// Whether the run's copy of the store, or of boot.ini, was made and is still there.
bool HasStoreCopy(const RunChanges& changes);
bool HasBootIniCopy(const RunChanges& changes);
