// The Bootloader page's upper half: backing the system store up to a file and restoring it.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "bootloader/BootloaderPage.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/BitLocker.h"
#include "base/Strings.h"
#include "store/FileRoutines.h"
#include "store/SafetyNet.h"
#include "store/StoreCommands.h"
#include "store/ToolSetup.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

// The main window's refresh kind that rebuilds the OS list.

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A path the store tool can be given as a file: not a folder (existing, or named with a final
// backslash) and nothing our quotes around it could not hold.
bool UsableAsStoreFile(const std::wstring& path) { return !StorePathRefused(path) && !IsFolder(path); }

// What the user typed, as a full path below the program folder when it is relative, so that it
// means the same file whatever the process's current folder is.
std::wstring FullPath(const std::wstring& typed) { return CombineWithFolder(Runner().ProgramDir(), typed); }

}  // namespace

std::wstring BootloaderPage::BackupFilter() {
  return GetText(IDS_FILTER_BCD_BACKUPS) + L"(*.bcd;BCD)|*.bcd;BCD|" + GetText(IDS_FILTER_ALL_FILES) + L"(*.*)|*.*";
}

void BootloaderPage::BrowseBackupTarget() {
  win::FileDialogRequest request;
  request.save = true;
  request.filter = BackupFilter();
  request.initialDirectory = Runner().ProgramPath(L"Backup\\");
  std::wstring typed = ItemText(IDC_BOOTLOADER_BACKUP_PATH);
  if (!typed.empty()) request.fileName = FullPath(typed);
  // Backup asks before it overwrites; a second question here would only repeat it.
  request.confirmOverwrite = false;
  if (std::optional<std::wstring> chosen = win::ChooseFile(Handle(), request))
    SetItemText(IDC_BOOTLOADER_BACKUP_PATH, *chosen);
}

void BootloaderPage::BrowseRestoreSource() {
  win::FileDialogRequest request;
  request.filter = BackupFilter();
  request.initialDirectory = Runner().ProgramPath(L"Backup\\");
  std::optional<std::wstring> chosen = win::ChooseFile(Handle(), request);
  if (!chosen) return;
  if (FileExists(*chosen))
    SetItemText(IDC_BOOTLOADER_RESTORE_PATH, *chosen);
  else
    Tell(base::Format(GetText(IDS_FILE_MISSING), *chosen), MB_OK);
}

void BootloaderPage::Backup() {
  if (!AppSettings.toolsAvailable) return;
  std::wstring target = FullPath(ItemText(IDC_BOOTLOADER_BACKUP_PATH));
  if (!UsableAsStoreFile(target)) {
    Tell(base::Format(GetText(IDS_FILE_MISSING), target), MB_OK);
    return;
  }
  if (FileExists(target) &&
      Tell(base::Format(GetText(IDS_ASK_OVERWRITE_FILE), target), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  MakeDirectories(target.substr(0, target.rfind(L'\\') + 1));
  ShowResult(ExportStore(target));
}

void BootloaderPage::Restore() {
  if (!AppSettings.toolsAvailable) return;
  std::wstring source = FullPath(ItemText(IDC_BOOTLOADER_RESTORE_PATH));
  if (!FileExists(source) || !UsableAsStoreFile(source)) {
    Tell(base::Format(GetText(IDS_FILE_MISSING), source), MB_OK);
    return;
  }
  if (Tell(base::Format(GetText(IDS_ASK_RESTORE_STORE), source), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  // Another store brings other settings of the running system with it.
  if (!MayChangeWhatBitLockerChecks(Handle())) return;
  ToolResult result = ImportStore(source);
  // The safety net has told why nothing was changed; "CreateProcess Failed!" would add nothing.
  if (!result.started && Runner().lastRefusal == Refusal::kNoSafetyNet) return;
  ShowResult(result);
  FindSystemStoreKey();
  // The OS list still holds the store as it was; a later save would write that back.
  if (result.started && Runner().storeFile.empty() && context_.mainWindow)
    PostMessageW(context_.mainWindow, kRefreshPagesMessage, kRefreshOsListFromStore, 0);
  // The restore was the run's first change: its copy makes undo possible from now on.
  ExchangeData();
}

void BootloaderPage::UndoRun() {
  const RunChanges& changes = Runner().changes;
  const std::wstring copy = changes.autoBackup;
  if (!copy.empty() && !FileExists(copy)) {
    Tell(base::Format(GetText(IDS_FILE_MISSING), copy), MB_OK);
    return;
  }
  if (copy.empty() || !AppSettings.toolsAvailable) {
    UndoBootIniOnly();
    return;
  }
  const std::wstring time = SafetyNetCopyTime(copy);
  const std::wstring beforeUndo = BeforeUndoCopyPath();
  std::wstring bootIni = changes.bootIniBackup.empty() ? GetText(IDS_UNDO_ASK_STORE_ONLY)
                                                       : base::Format(GetText(IDS_UNDO_ASK_BOOT_INI), changes.bootIniBackup);
  if (Tell(base::Format(GetText(IDS_ASK_UNDO_SINCE_START), time, copy, beforeUndo, bootIni),
           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES ||
      !MayChangeWhatBitLockerChecks(Handle()))
    return;
  UndoOutcome outcome = UndoChangesSinceStart(beforeUndo);
  if (!outcome.savedFileMade) {
    Tell(base::Format(GetText(IDS_UNDO_NOT_SAVED), beforeUndo, ResultText(outcome.saved, L"bcdedit.exe")),
         MB_OK | MB_ICONERROR);
    return;
  }
  bool done = outcome.import.Succeeded();
  std::wstring text = done ? base::Format(GetText(IDS_UNDO_DONE), time, beforeUndo)
                           : base::Format(GetText(IDS_UNDO_FAILED), beforeUndo, ResultText(outcome.import, L"bcdedit.exe"));
  if (outcome.bootIni == UndoOutcome::BootIni::kRestored)
    text += base::Format(GetText(IDS_UNDO_BOOT_INI_DONE), changes.bootIniBackup);
  if (outcome.bootIni == UndoOutcome::BootIni::kFailed)
    text += base::Format(GetText(IDS_UNDO_BOOT_INI_FAILED), changes.bootIniBackup);
  bool bootIniFailed = outcome.bootIni == UndoOutcome::BootIni::kFailed;
  Tell(text, MB_OK | (done && !bootIniFailed ? MB_ICONINFORMATION : MB_ICONERROR));
  FindSystemStoreKey();
  if (outcome.import.started && Runner().storeFile.empty() && context_.mainWindow)
    PostMessageW(context_.mainWindow, kRefreshPagesMessage, kRefreshOsListFromStore, 0);
  ExchangeData();
}

void BootloaderPage::UndoBootIniOnly() {
  const std::wstring copy = Runner().changes.bootIniBackup;
  if (!HasBootIniCopy(Runner().changes)) return;
  if (Tell(base::Format(GetText(IDS_ASK_UNDO_BOOT_INI_ONLY), copy), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  UndoOutcome outcome = UndoChangesSinceStart(L"");
  if (outcome.bootIni == UndoOutcome::BootIni::kRestored) {
    Tell(base::Format(GetText(IDS_UNDO_BOOT_INI_ONLY_DONE), copy), MB_OK | MB_ICONINFORMATION);
  } else {
    Tell(base::TrimText(base::Format(GetText(IDS_UNDO_BOOT_INI_FAILED), copy)), MB_OK | MB_ICONERROR);
  }
  if (context_.mainWindow) PostMessageW(context_.mainWindow, kRefreshPagesMessage, kRefreshOsListFromStore, 0);
  ExchangeData();
}
