// The Bootloader page's lower half: rewriting a partition's boot code (and the master boot record)
// with bootsect.exe for the boot manager or for NTLDR.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/SettingsFile.h"
#include "base/Texts.h"
#include "bootloader/BootloaderPage.h"
#include "bootloader/PartitionSelectDialog.h"
#include "bootloader/MbrMode.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/BitLocker.h"
#include "store/FileRoutines.h"
#include "texts.h"

bool StoreMbrUseSysMode(int value) { return StoreSetting(&AppSettingsRecord::mbrUseSysMode, value); }

void BootloaderPage::LocateBootsect() {
  BcdEditRunner& runner = Runner();
  runner.EnsureToolDir();
  bootsectDir = runner.toolDir;
  if (FileExists(bootsectDir + L"bootsect.exe")) return;
  // A 32-bit copy in bin\ still serves a 32-bit program on 64-bit Windows.
  if (runner.isWow64 && FileExists(runner.ProgramPath(L"bin\\bootsect.exe"))) {
    bootsectDir = runner.ProgramPath(L"bin\\");
    return;
  }
  bootsectDir.clear();
}

void BootloaderPage::UpdateRecord() {
  bool bootManager = IsItemChecked(IDC_BOOTLOADER_INSTALL_BOOTMGR);
  if (!bootManager && !IsItemChecked(IDC_BOOTLOADER_INSTALL_NTLDR)) return;
  if (AppSettings.mbrUseSysMode != 0) partitionArg = L"SYS";
  if (AppSettings.mbrUseSysMode == 0 || AppSettings.debugMode != 0) {
    // Closed without OK, the dialog leaves partitionArg as it was; the question below decides.
    PartitionSelectDialog dialog(partitionArg, context_);
    dialog.RunModal(Handle());
    ExchangeData();
  }
  if (Tell(base::Format(GetText(IDS_ASK_UPDATE_BOOT_RECORD), bootManager ? L"BOOTMGR" : L"NTLDR"),
           MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  if (bootsectDir.empty()) {
    Tell(base::Format(GetText(IDS_FILE_MISSING), L"bootsect.exe"), MB_OK);
    return;
  }
  // BitLocker measures the boot code it starts from.
  if (!MayChangeWhatBitLockerChecks(Handle())) return;
  std::wstring option = bootManager ? L" /nt60 " : L" /nt52 ";
  ToolResult result = Runner().ExecuteChecked(L"bootsect.exe", bootsectDir, option + partitionArg, 1);
  // The tool's own text says what went wrong; success is ours to say, in the user's language.
  if (result.Succeeded()) {
    NoteNotReplayedChange(L"boot code rewritten: bootsect" + option + partitionArg);
    Tell(GetText(IDS_OPERATION_DONE), MB_OK | MB_ICONINFORMATION);
  } else {
    Tell(ResultText(result, L"bootsect.exe"), MB_OK | MB_ICONERROR);
  }
  ExchangeData();
}

void BootloaderPage::ResetMbrMode() {
  std::wstring section = ItemText(IDC_BOOTLOADER_INSTALL_TITLE);
  if (Tell(base::Format(GetText(IDS_ASK_RESTORE_DEFAULT_MODE), section), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  bool saved = StoreMbrUseSysMode(0);
  ExchangeData();
  if (saved)
    Tell(GetText(IDS_OPERATION_DONE), MB_OK | MB_ICONINFORMATION);
  else
    Tell(base::Format(GetText(IDS_SETTINGS_NOT_SAVED), AppSettings.settingsFile), MB_OK | MB_ICONERROR);
}
