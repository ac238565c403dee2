// The config dialog: the interface language, autostart with Windows, the restart offer, the delete
// mode and the three BCD behaviours.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/HoverStatic.h"
#include "controls/SkinButton.h"
#include "win/AppDialog.h"
#include "win/Controls.h"
#include "win/Handles.h"

// Told by the config dialog after OK changed something (the main window: its pages re-read the
// settings, and it takes on a new language).
class SettingsListener {
 public:
  virtual void OnSettingsChanged(bool languageChanged) = 0;

 protected:
  ~SettingsListener() = default;
};

class ConfigDialog : public win::AppDialog {
 public:
  // listener: told what OK changed; may be null.
  explicit ConfigDialog(SettingsListener* listener);

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnOk(WPARAM, LPARAM);
  INT_PTR OnCancel(WPARAM, LPARAM);
  INT_PTR OnDeleteModeClicked(WPARAM, LPARAM);
  INT_PTR OnHelpKey(WPARAM, LPARAM);

  void FillLanguages();
  void EnableBcdDeleteChoice();
  std::wstring SelectedLanguage() const;
  // The Lang key written (or removed for the automatic choice), then the language taken on.
  // False when the settings file did not take the choice.
  bool WriteLanguage(const std::wstring& code);

  static const win::MessageEntry<ConfigDialog> kMessages[];

  SettingsListener* listener_;
  std::vector<std::wstring> languageCodes_;
  // What the list showed when the dialog opened: only a choice that differs from it is a change,
  // so a Lang naming a missing file survives an OK without changes.
  std::wstring languageAtOpen_;
  win::ComboBox languages_;
  win::UniqueIcon smallIcon_;
  SkinButton okButton_;
  LinkStatic requirementNote_;
};
