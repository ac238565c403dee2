// The safety net (copies of the system store and of boot.ini taken before the run's first change
// to each, and undoing the run's changes from them) and the record of the changes made, saved as
// a script.
#include "store/FileRoutines.h"
#include "store/SafetyNet.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "store/BcdEditRunner.h"
#include "store/BootIni.h"
#include "store/FileReplace.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Dialog.h"
#include "win/Handles.h"
#include "win/Seams.h"

namespace {

std::vector<std::wstring> FileNamesIn(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found = {};
  win::UniqueFind search(FindFirstFileW((folder + pattern).c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search.Get(), &found));
  return names;
}

constexpr wchar_t kBootIniEnding[] = L".boot.ini";

void PruneAutoBackups(const std::wstring& folder, const std::wstring& ending) {
  for (const std::wstring& name : AutoBackupsBeyond(FileNamesIn(folder, L"auto-*" + ending), kAutoBackupsKept, ending))
    DeleteFileW((folder + name).c_str());
}

// The Backup folder beside the program, made when missing, and a copy's name in it for now.
std::wstring BackupFolder() {
  std::wstring folder = Runner().ProgramPath(L"Backup\\");
  MakeDirectories(folder);
  return folder;
}

SYSTEMTIME Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

std::wstring AutoBackupPath(const std::wstring& ending) {
  SYSTEMTIME now = Now();
  std::wstring folder = BackupFolder();
  return folder + AutoBackupName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, ending);
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring out = length ? std::wstring(text, length) : base::Format(L"%u", static_cast<unsigned>(error));
  if (text) LocalFree(text);
  return base::TrimText(out);
}

// A copy could not be made: the user decides whether to change without one (for the rest of the
// run: where one copy cannot be made, none can) or to leave everything as it is for the rest of
// this command. No is the default.
bool OfferChangeWithoutCopy(RunChanges& changes, const std::wstring& failure) {
  if (changes.askChangeWithoutCopy && changes.askChangeWithoutCopy(failure)) {
    changes.withoutCopy = true;
    return true;
  }
  changes.copyFailed = true;
  changes.failedCommand = win::UserCommandSerial();
  return false;
}

bool RefusedInThisCommand(const RunChanges& changes) {
  return changes.copyFailed && changes.failedCommand == win::UserCommandSerial();
}

// boot.ini from its copy, in one step: the copy's bytes go to a temporary file in boot.ini's
// folder, flushed, which then replaces boot.ini; boot.ini keeps its attributes.
bool PutBootIniBack(const std::wstring& copy) {
  FileReplacement how;
  how.replaceReadOnly = true;
  how.newAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return ReplaceFileContent(AppSettings.bootIniPath, how, [&](const std::wstring& temporary) {
    return CopyFileW(copy.c_str(), temporary.c_str(), FALSE) != FALSE;
  });
}

}  // namespace

bool BcdEditRunner::GuardSystemStore(const std::wstring& directory, const std::wstring& arguments) {
  CommandKind kind = KindOfCommand(arguments);
  if (kind != CommandKind::kChange && kind != CommandKind::kImport) return true;
  // Refused without another try: the tool might make the copy now and let the rest of a batch
  // through whose first part was refused.
  bool refused = RefusedInThisCommand(changes);
  if (!refused && (!changes.safetyNet || !changes.autoBackup.empty() || changes.withoutCopy)) return true;

  if (!refused) {
    std::wstring file = AutoBackupPath(L".BCD");
    // Started here, not through RunInChecked: the copy is no command of the caller's, and must
    // neither be guarded nor join the run's changes.
    ToolResult copy = ExecuteChecked(L"bcdedit.exe", directory, ExportArgs(file), 1);
    // A tool that says it worked but left no file has not made a copy either.
    if (copy.Succeeded() && FileExists(file)) {
      changes.autoBackup = file;
      PruneAutoBackups(BackupFolder(), L".BCD");
      return true;
    }
    std::wstring reason = base::TrimText(copy.text).empty()
                              ? base::Format(GetText(IDS_TOOL_GAVE_NO_REASON), L"bcdedit.exe",
                                             static_cast<int>(copy.exitCode))
                              : ShownToolText(copy.text);
    if (OfferChangeWithoutCopy(changes, base::Format(GetText(IDS_SAFETY_NET_FAILED), file, reason))) return true;
  }
  lastRefusal = Refusal::kNoSafetyNet;
  return false;
}

void BcdEditRunner::NoteSystemStoreRun(const std::wstring& arguments, const ToolResult& result) {
  if (!result.Succeeded()) return;
  CommandKind kind = KindOfCommand(arguments);
  // An import (an undo, a restore) replaces the store: the changes before it are no longer in it,
  // and a script must not make them again.
  if (kind == CommandKind::kImport) changes.done.clear();
  if (kind == CommandKind::kChange) changes.done.push_back({arguments, CreatedIdOfRun(arguments, result.text)});
}

void NoteNotReplayedChange(const std::wstring& change) {
  RecordedChange note;
  note.notReplayed = change;
  Runner().changes.done.push_back(note);
}

bool GuardBootIni() {
  RunChanges& changes = Runner().changes;
  if (RefusedInThisCommand(changes)) return false;
  if (!changes.safetyNet || !changes.bootIniBackup.empty() || changes.withoutCopy) return true;
  // A boot.ini that is not there yet holds nothing to lose.
  if (!FileExists(AppSettings.bootIniPath)) return true;
  std::wstring file = AutoBackupPath(kBootIniEnding);
  if (CopyFileW(AppSettings.bootIniPath.c_str(), file.c_str(), TRUE)) {
    // boot.ini is hidden, system and read-only; its copy is a plain file the pruning can delete.
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    changes.bootIniBackup = file;
    PruneAutoBackups(BackupFolder(), kBootIniEnding);
    return true;
  }
  std::wstring failure = base::Format(GetText(IDS_BOOT_INI_COPY_FAILED), file, SystemErrorText(GetLastError()));
  return OfferChangeWithoutCopy(changes, failure);
}

bool CopyRefusedInThisCommand() { return RefusedInThisCommand(Runner().changes); }

std::wstring SafetyNetCopyTime(const std::wstring& copy) {
  // "...auto-2026_12_07-143501.BCD": the digits after the last "auto-".
  std::wstring name = FileNameOf(copy);
  if (name.size() < 22) return name;
  std::wstring stamp = name.substr(5, 17);
  return stamp.substr(0, 4) + L"-" + stamp.substr(5, 2) + L"-" + stamp.substr(8, 2) + L" " + stamp.substr(11, 2) +
         L":" + stamp.substr(13, 2) + L":" + stamp.substr(15, 2);
}

std::wstring BeforeUndoCopyPath() {
  SYSTEMTIME now = Now();
  return Runner().ProgramPath(L"Backup\\") +
         BeforeUndoName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

UndoOutcome UndoChangesSinceStart(const std::wstring& beforeUndo) {
  UndoOutcome outcome;
  RunChanges& changes = Runner().changes;
  if (HasStoreCopy(changes)) {
    outcome.storeCopy = true;
    MakeDirectories(beforeUndo.substr(0, beforeUndo.rfind(L'\\') + 1));
    outcome.saved = ExportStore(beforeUndo);
    outcome.savedFileMade = outcome.saved.Succeeded() && FileExists(beforeUndo);
    if (!outcome.savedFileMade) return outcome;
    outcome.import = ImportStore(changes.autoBackup);
    if (!outcome.import.Succeeded()) return outcome;
  }
  // A run that changed only boot.ini (an old system, or its timeout alone) is undone all the same.
  if (changes.bootIniBackup.empty()) return outcome;
  bool restored = FileExists(changes.bootIniBackup) && PutBootIniBack(changes.bootIniBackup);
  outcome.bootIni = restored ? UndoOutcome::BootIni::kRestored : UndoOutcome::BootIni::kFailed;
  if (restored) AppSettings.bootIniTimeout = BootIniReadTimeout();
  return outcome;
}

bool HasStoreCopy(const RunChanges& changes) {
  return !changes.autoBackup.empty() && FileExists(changes.autoBackup);
}

bool HasBootIniCopy(const RunChanges& changes) {
  return !changes.bootIniBackup.empty() && FileExists(changes.bootIniBackup);
}

namespace {

// A comment may lose a character to the code page (a boot.ini title it names, say); a command may not.
bool CommandsFit(const std::wstring& script, unsigned codePage) {
  for (size_t start = 0, end = 0; start < script.size(); start = end + 2) {
    end = std::min(script.find(L"\r\n", start), script.size());
    std::wstring_view line = std::wstring_view(script).substr(start, end - start);
    if (line.substr(0, 4) != L"rem " && base::Widen(base::Narrow(line, codePage), codePage) != line) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ChangeScriptBytes(const std::wstring& currentId) {
  const std::vector<RecordedChange>& changes = Runner().changes.done;
  // The console's code page of this machine and of those like it: cmd reads a script in it unless
  // told otherwise, and every name Vexa stores fits it.
  const unsigned codePage = GetOEMCP();
  std::wstring text = ChangeScriptText(changes, currentId, codePage);
  if (CommandsFit(text, codePage)) return base::Narrow(text, codePage);
  if (AppSettings.osClass < 10) return std::nullopt;
  // UTF-8 without a byte-order mark: cmd would take a mark for part of the first command.
  return base::Narrow(ChangeScriptText(changes, currentId, kUtf8CodePage), kUtf8CodePage);
}

bool SaveChangeScript(const std::wstring& path, const std::wstring& currentId) {
  std::optional<std::string> bytes = ChangeScriptBytes(currentId);
  // Saved over an older script, a failed write must not leave half of each.
  return bytes && WriteWholeFile(path, *bytes);
}
