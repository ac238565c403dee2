// What the runner keeps of this run's changes to the system store: the copy of the store taken
// before the first of them (the safety net), and the changes the tool carried out, in order.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/ChangeScript.h"

struct ToolResult;

struct RunChanges {
  // Take the copies before the first change. The program switches it on as it starts; runners made
  // for other uses (tests that count command lines) leave it off.
  bool safetyNet = false;
  // Asked, when a copy cannot be made, whether to change without one (shown why the copy failed);
  // true goes on. The store layer asks nobody itself: unset, nothing changes without a copy.
  bool (*askChangeWithoutCopy)(const std::wstring& failure) = nullptr;
  // This run's copy ("...\Backup\auto-YYYY_MM_DD-HHMMSS.BCD"); empty until it was made.
  std::wstring autoBackup;
  // This run's copy of boot.ini ("...\Backup\auto-YYYY_MM_DD-HHMMSS.boot.ini"), made before its
  // first change; empty until then.
  std::wstring bootIniBackup;
  // Changes of the system store that the tool reported done (exit code 0) since the run began or
  // the store was last imported (an undo or a restore takes back what came before).
  std::vector<RecordedChange> done;
  // The user chose to change without a copy where none could be made (a CD, a write-protected
  // stick): no copy is tried again in this run, of the store or of boot.ini.
  bool withoutCopy = false;
  // A copy failed, and the user kept it that way, during the user's command failedCommand
  // (win::UserCommandSerial): every later change of that command is refused without another try,
  // so no half of a batch gets through; the next command tries again.
  bool copyFailed = false;
  unsigned failedCommand = 0;
};

// Safety-net files kept in the Backup folder, of each kind; older ones go when a new one is made.
inline constexpr size_t kAutoBackupsKept = 10;

// Records a change the script cannot make with bcdedit (a boot.ini write, new boot code), said in
// words, so the script names it in its place among the others.
void NoteNotReplayedChange(const std::wstring& change);
// The recorded changes as the bytes of a script; currentId names the running system. Written in
// the OEM code page when every name fits it, which the cmd of every Windows reads; else in UTF-8,
// which the cmd of Windows before 10 cannot read: on such a Windows there is no script (nullopt).
std::optional<std::string> ChangeScriptBytes(const std::wstring& currentId);
// Writes that script to path; false when there is none or it could not be written.
bool SaveChangeScript(const std::wstring& path, const std::wstring& currentId);
