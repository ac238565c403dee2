// The Bootloader page: backup and restore of the system store, and the boot code.
#pragma once
#include <string>

#include "controls/PageContext.h"
#include "controls/SkinButton.h"
#include "controls/SkinPage.h"

struct ToolResult;

class BootloaderPage : public SkinPage {
 public:
  explicit BootloaderPage(const PageContext& context);

  // Re-reads the control states (the main window's kind 3).
  void Refresh(int what) override;
  // The language's texts, then the page's own notes and tooltips again: localising puts the
  // template's texts back.
  void Relocalize() override;

  // --- Backup and restore ---
  void BrowseBackupTarget();
  void BrowseRestoreSource();
  void Backup();
  void Restore();
  // Puts the system store back from the copy taken before this run's first change to it.
  void UndoRun();
  // Undo of a run that changed boot.ini but not the store.
  void UndoBootIniOnly();

  // --- Boot record ---
  // Fills bootsectDir: the tool folder, or bin\ under WOW64, or empty.
  void LocateBootsect();
  void UpdateRecord();
  // The Set button: the partition question is asked again from now on.
  void ResetMbrMode();

  // The default backup target for a day: "Backup\2026_12_06.BCD".
  static std::wstring DefaultBackupName(const SYSTEMTIME& day);

  std::wstring bootsectDir;   // folder of bootsect.exe with a trailing backslash; empty: none found
  std::wstring partitionArg;  // what follows the bootsect option: "SYS", "C:", "C: /mbr"...

 protected:
  BOOL OnInit() override;
  // Colours of the labels, and the skin behind the radio buttons; the control states again each
  // time the page is shown (another page may have changed the store meanwhile).
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  INT_PTR OnBrowseBackup(WPARAM, LPARAM) { BrowseBackupTarget(); return TRUE; }
  INT_PTR OnBrowseRestore(WPARAM, LPARAM) { BrowseRestoreSource(); return TRUE; }
  INT_PTR OnBackup(WPARAM, LPARAM) { Backup(); return TRUE; }
  INT_PTR OnRestore(WPARAM, LPARAM) { Restore(); return TRUE; }
  INT_PTR OnUndoRun(WPARAM, LPARAM) { UndoRun(); return TRUE; }
  INT_PTR OnUpdateRecord(WPARAM, LPARAM) { UpdateRecord(); return TRUE; }
  INT_PTR OnResetMbrMode(WPARAM, LPARAM) { ResetMbrMode(); return TRUE; }
  INT_PTR OnModeChosen(WPARAM, LPARAM) { ExchangeData(); return TRUE; }
  INT_PTR OnBackupPathChange(WPARAM, LPARAM);
  INT_PTR OnRestorePathChange(WPARAM, LPARAM);

  // The update button follows the radio buttons; Set shows while the question is switched off;
  // undo is there once this run has a copy of the store to go back to.
  void ExchangeData();
  // The two note lines, which say why a half of the page is disabled (chosen at start-up).
  void ApplyNotes();
  void ApplyTooltips();
  void SetNote(int id, const std::wstring& text);
  // Shows a run's outcome: the tool's own text, as an error when the run failed.
  void ShowResult(const ToolResult& result);
  // A message box of the page under the application's title; returns the button chosen.
  int Tell(const std::wstring& text, UINT flags);
  // The file dialogs' filter list.
  static std::wstring BackupFilter();

  static const win::MessageEntry<BootloaderPage> kMessages[];

  PageContext context_;
  UINT backupNote_ = 0;   // text of 1100
  UINT warningNote_ = 0;  // text of 1101
  SkinButton pageIcon_;
  SkinButton browseBackup_;
  SkinButton browseRestore_;
  SkinButton resetMbrMode_;
};
