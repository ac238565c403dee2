// The "Adv Settings" page of the entry dialog: SystemRoot behind its lock, the six loader
// settings and WinPE, shown from the record and written back to the store.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/SkinButton.h"
#include "editing/GeneralPage.h"
#include "editing/SettingValues.h"
#include "win/AppDialog.h"

class EntryPageHost;

class AdvancedPage : public win::AppDialog {
 public:
  explicit AdvancedPage(EntryPageHost& owner);

  void LoadFromEntry();
  // Once a difference was seen it stays seen until the next record is loaded.
  bool HasChanges();
  // The elements the page shows other values of than the record holds.
  std::vector<std::wstring> ChangedElements();
  void SaveChanges(SaveOutcome& outcome);
  std::wstring SystemRootText() const;

  // Add mode: the kind's WinPE, EMS, NX and HAL choices; the check of what the page would send;
  // and the new entry's settings (kinds 0-2), true when every value it had was issued.
  void ApplyKindDefaults(int kind);
  bool ValidateNew();
  bool WriteNewAdvanced(int kind);

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnPathLock(WPARAM, LPARAM);
  void ApplyLock();
  std::wstring LabelOf(SettingTag tag) const;

  static const win::MessageEntry<AdvancedPage> kMessages[];

  EntryPageHost& owner_;
  SkinButton lock_;
  bool changed_ = false;
};
