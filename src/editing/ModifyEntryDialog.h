// The entry dialog: in modify mode one boot entry on tab pages ("Settings", "Adv Settings" for a
// store loader, and the raw "Debug" listing), stepping through the list with Prev and Next, and
// saving what the user changed; in add mode a new entry of a kind picked from the strip on top,
// created in the store or added to boot.ini.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "controls/PageContext.h"
#include "controls/SkinButton.h"
#include "editing/AdvancedPage.h"
#include "editing/EntryPageHost.h"
#include "editing/GeneralPage.h"
#include "editing/QuickSelectDialog.h"
#include "core/BootEntry.h"
#include "core/DeviceSpec.h"
#include "win/AppDialog.h"
#include "win/Controls.h"

class EntryList;

// listIndex: -1 the boot manager record, 0 and above an entry of the list, -2 (kNewEntryIndex)
// add mode, the dialog's own record.
inline constexpr int kBootManagerIndex = -1;

struct EntryDialogSetup {
  EntryList* list = nullptr;
  HIMAGELIST tabImages = nullptr;     // the main window's shared 16x16 images
  HIMAGELIST volumeImages = nullptr;  // the shell's small system images, for the drive list
};

class ModifyEntryDialog : public win::AppDialog, public KindDefaultsTarget, public EntryPageHost {
 public:
  // An index outside the list opens the dialog in add mode.
  ModifyEntryDialog(const EntryDialogSetup& setup, int listIndex);
  ~ModifyEntryDialog() override;

  HWND HostWindow() const override { return Handle(); }
  EntryList& List() override { return *setup_.list; }
  HIMAGELIST VolumeImages() const override { return setup_.volumeImages; }
  HIMAGELIST SharedImages() const override { return setup_.tabImages; }
  int ListIndex() const { return listIndex_; }
  bool IsBootManager() const override { return listIndex_ == kBootManagerIndex; }
  bool AddMode() const override { return addMode_; }
  // A store loader: neither the boot manager nor a boot.ini line.
  bool HasAdvancedTab();
  bool EfiBoot() const override { return efiBoot_; }
  bool StartsThroughUefi() const override { return uefi_; }
  void AddEfiEntryInstead() override { End(kAddEfiEntryInstead); }
  // The record on show: the list's own, which saving updates in place; in add mode the dialog's.
  BootEntry& Record() override;
  DeviceSpec& Device() override { return device_; }
  int CurrentTab() const { return currentTab_; }

  void RefreshDetails() override;
  bool HasChanges();
  // Asks before leaving an entry with unsaved changes, and saves them on Yes.
  void ConfirmLeave();
  // False when nothing was saved: the user kept what BitLocker checks as it was.
  bool SaveAll();
  // Whether saving would change what BitLocker checks at the next start: a checked setting of the
  // running system's entry or of the boot manager, in the system store.
  bool ChangesWhatBitLockerChecks();
  void Step(int delta);

  // Add mode: the kind picked in the strip; its defaults go onto both pages.
  int SelectedKind() const;
  void ApplyKindDefaults(int kind) override;

 protected:
  BOOL OnInit() override;
  void OnDpiChanged(UINT, UINT) override { PlaceChildren(); }

 private:
  INT_PTR OnTabChange(WPARAM, LPARAM);
  INT_PTR OnPrev(WPARAM, LPARAM);
  INT_PTR OnNext(WPARAM, LPARAM);
  INT_PTR OnOk(WPARAM, LPARAM);
  INT_PTR OnCancel(WPARAM, LPARAM);

  // The pages and the raw listing in the tabs' area, the strip of kinds (add mode) over the top area.
  void PlaceChildren();
  void BuildTabs();
  void Fill();
  // The window a tab shows: the general page, the advanced page or the raw listing.
  HWND PageWindow(int tab);
  void ShowCurrentPage();
  void UpdateButtons();
  // Reads the record again from the store, its element fields emptied first so a value the store
  // no longer holds does not stay on screen.
  void Reread();
  // The values the store does not hold after a save, by field label.
  void CheckStored(SaveOutcome& outcome);
  void Report(const SaveOutcome& outcome);

  // Add mode (AddNewEntry.cpp): the strip over the top area, and creating the entry on OK.
  void FillAddMode();
  void AddNew();
  // Each gives the message to show and its box flags.
  std::pair<std::wstring, UINT> AddToStore(int kind, const std::wstring& name);
  std::pair<std::wstring, UINT> AddToBootIni(int kind, const std::wstring& name);
  // A WinPE entry starts only when its device options are in the store and name the SDI file:
  // a missing {ramdiskoptions} is made with what the user gives, or the entry is refused. False
  // (the user told) when the entry must not be created.
  bool EnsureRamdiskOptions();
  // A new object whose settings did not all arrive goes again; the message says which way it went.
  std::pair<std::wstring, UINT> DeleteIncomplete(const std::wstring& identifier);

  static const win::MessageEntry<ModifyEntryDialog> kMessages[];

  EntryDialogSetup setup_;
  int listIndex_;
  bool addMode_ = false;
  BootEntry newRecord_;
  std::unique_ptr<QuickSelectDialog> kinds_;
  bool efiBoot_ = false;
  bool uefi_ = false;
  DeviceSpec device_;
  int currentTab_ = 0;
  bool changed_ = false;
  std::unique_ptr<GeneralPage> general_;
  std::unique_ptr<AdvancedPage> advanced_;
  win::Tab tabs_;
  win::Window debug_;
  SkinButton prev_, next_;
};

// Opens the dialog modally on an entry (the boot manager record for -1, add mode for
// kNewEntryIndex); IDOK when it closed by OK.
// The main window hands this to the OS list page.
INT_PTR OpenEntryDialog(HWND owner, EntryList& list, const PageContext& context, int listIndex);
