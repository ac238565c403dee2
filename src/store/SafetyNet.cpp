// The safety net of the system store (a copy taken before the run's first change, and undoing the
// run's changes from it) and the record of the changes made, saved as a script.
#include <windows.h>

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "store/BcdEditRunner.h"
#include "store/FileReplace.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Handles.h"
#include "win/Seams.h"

namespace {

std::vector<std::wstring> FileNamesIn(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void PruneAutoBackups(const std::wstring& folder) {
  for (const std::wstring& name : AutoBackupsBeyond(FileNamesIn(folder, L"auto-*.BCD"), kAutoBackupsKept))
    DeleteFileW((folder + name).c_str());
}

}  // namespace

bool BcdEditRunner::GuardSystemStore(const std::wstring& directory, const std::wstring& arguments) {
  CommandKind kind = KindOfCommand(arguments);
  if (kind == CommandKind::kListing) changes.failureTold = false;
  if (kind != CommandKind::kChange && kind != CommandKind::kImport) return true;
  if (!changes.safetyNet || !changes.autoBackup.empty()) return true;

  SYSTEMTIME now;
  GetLocalTime(&now);
  std::wstring folder = ProgramPath(L"Backup\\");
  MakeDirectories(folder);
  std::wstring file = folder + AutoBackupName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  ToolResult copy = RunInChecked(directory, ExportArgs(file), 1);
  // A tool that says it worked but left no file has not made a copy either.
  if (copy.Succeeded() && FileExists(file)) {
    changes.autoBackup = file;
    PruneAutoBackups(folder);
    return true;
  }
  lastRefusal = Refusal::kNoSafetyNet;
  if (!changes.failureTold) {
    changes.failureTold = true;
    win::Prompt(GetActiveWindow(), base::Format(GetText(IDS_SAFETY_NET_FAILED), file, copy.text),
                AppSettings.appTitle, MB_OK | MB_ICONERROR);
  }
  return false;
}

void BcdEditRunner::NoteSystemStoreRun(const std::wstring& arguments, const ToolResult& result) {
  if (!result.Succeeded() || KindOfCommand(arguments) != CommandKind::kChange) return;
  changes.done.push_back({arguments, CreatedIdOfRun(arguments, result.text)});
}

ToolResult UndoChangesSinceStart() {
  BcdEditRunner& runner = Runner();
  if (runner.changes.autoBackup.empty() || !FileExists(runner.changes.autoBackup)) return {};
  ToolResult result = ImportStore(runner.changes.autoBackup);
  if (result.Succeeded()) runner.changes.done.clear();
  return result;
}

bool SaveChangeScript(const std::wstring& path, const std::wstring& currentId) {
  // UTF-8 without a byte-order mark: cmd would take a mark for part of the first command.
  std::string bytes = base::Narrow(ChangeScriptText(Runner().changes.done, currentId), CP_UTF8);
  // Saved over an older script, a failed write must not leave half of each.
  return WriteWholeFile(path, bytes);
}
