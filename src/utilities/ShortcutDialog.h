// The shortcut dialog of the Utilities page: name, command and description of a new utility or of
// one being changed. Apply saves; after the first Apply a new utility is edited as an existing one.
#pragma once
#include <windows.h>

#include <string>

#include "controls/SkinButton.h"
#include "win/AppDialog.h"
#include "win/Handles.h"

class UtilitiesPage;

class ShortcutDialog : public win::AppDialog {
 public:
  // itemIndex: the utility to change, or -1 for a new one.
  ShortcutDialog(UtilitiesPage& page, int itemIndex);

  // Saves what the boxes hold: adds the new utility or changes the one shown.
  void Apply();

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnNameChange(WPARAM, LPARAM) { TextChanged(kName); return TRUE; }
  INT_PTR OnCommandChange(WPARAM, LPARAM) { TextChanged(kCommand); return TRUE; }
  INT_PTR OnInfoChange(WPARAM, LPARAM) { TextChanged(kInfo); return TRUE; }
  INT_PTR OnBrowse(WPARAM, LPARAM);
  INT_PTR OnApply(WPARAM, LPARAM) { Apply(); return TRUE; }
  INT_PTR OnOk(WPARAM, LPARAM);
  INT_PTR OnCancel(WPARAM, LPARAM) { End(IDCANCEL); return TRUE; }
  INT_PTR OnGetDefaultId(WPARAM, LPARAM);

  enum Field { kName, kCommand, kInfo };
  static int BoxOf(Field field);
  // The stored text a box is compared with: the utility's, or empty for a new one.
  std::wstring StoredText(Field field) const;
  void TextChanged(Field field);
  // Caption and boxes from the utility being changed.
  void ShowUtility();
  void ShowIcon(win::UniqueIcon icon);
  void UpdateControls();

  static const win::MessageEntry<ShortcutDialog> kMessages[];

  UtilitiesPage& page_;
  int itemIndex_;
  bool dirty_;
  SkinButton browse_;
  SkinButton apply_;
  win::UniqueIcon icon_;
};
