// The "Settings" page of the entry dialog: name, locale, boot path and the boot device, shown from
// the record and written back to the store or to boot.ini.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/SkinButton.h"
#include "controls/VolumePicker.h"
#include "core/DeviceSpec.h"
#include "win/AppDialog.h"
#include "win/Controls.h"

class EntryPageHost;
struct BootEntry;

// What one page's writes came to; the dialog reports them together.
struct SaveOutcome {
  bool changed = false;  // the page showed a difference
  bool issued = false;   // at least one command reached the tool (or the file was written)
  // Labels of fields whose value was not sent: emptied, or not passable as one quoted value.
  std::vector<std::wstring> emptied;
  std::vector<std::wstring> refused;
  // Labels of fields whose value the tool could not print back (see StoredTextRefusal).
  std::vector<std::wstring> unprintable;
  bool failed = false;   // a write that could not be made (boot.ini, no tool)
  // Store values issued, by key ("description", "locale", "path", "device", "osdevice"), to be found again
  // in the store afterwards.
  std::vector<std::pair<std::wstring, std::wstring>> sent;
};

// What the page shows, read back from its controls.
struct GeneralValues {
  std::wstring name;
  std::wstring locale;
  std::wstring path;
  int deviceKind = DeviceSpec::kPartition;
  std::wstring drive;
  std::wstring file;
  std::wstring options;
};

class GeneralPage : public win::AppDialog {
 public:
  explicit GeneralPage(EntryPageHost& owner);

  void LoadFromEntry();
  bool HasChanges();
  // The elements a save would write: "description", "locale", "path", "device" and "osdevice".
  std::vector<std::wstring> ChangedElements() const;
  SaveOutcome SaveChanges();
  GeneralValues Values() const;
  // The device text the controls describe; the record's own text while they still show it.
  std::wstring DeviceText(const GeneralValues& values) const;
  // Whether the device controls differ from the device the record showed when it loaded.
  bool DeviceChanged(const GeneralValues& values) const;

  // Add mode. The kind's name (replacing only a default name), boot paths and device type.
  void ApplyKindDefaults(int kind);
  std::wstring GetName() const;
  // True when the entry may be created; otherwise the user was told why, and nothing was issued.
  bool ValidateNew();
  // Store: sets locale, path, device and osdevice on the record's new object; true when each
  // value it had was issued (a path and a device always). boot.ini: adds the line (kinds 4 and 5);
  // true when it was written.
  bool WriteNewGeneral(int kind);

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnTypeClick(WPARAM, LPARAM);
  INT_PTR OnBrowseDeviceFile(WPARAM, LPARAM);
  INT_PTR OnEditRamdisk(WPARAM, LPARAM);

  void LoadForAdd();
  void ApplyBootType(int deviceKind, int sourceKind);
  void SelectBootPath(const std::wstring& path);
  void SelectOptions(const std::wstring& options);
  void SelectLocale(const std::wstring& locale);
  // The field's label as the page shows it, without its colon: the name a message gives a field.
  std::wstring FieldName(int labelId) const;
  // A plain box owned by the dialog.
  void Tell(const std::wstring& text) const;
  void SaveBootIniName(const GeneralValues& values, SaveOutcome& outcome);
  void SaveStoreValues(const GeneralValues& values, SaveOutcome& outcome);

  static const win::MessageEntry<GeneralPage> kMessages[];

  EntryPageHost& owner_;
  VolumePicker locale_;
  VolumePicker drives_;
  win::ComboBox bootPath_;
  win::ComboBox ramdisk_;
  SkinButton browseFile_, editRamdisk_;
  // Add mode: every kind but the first fixes its device type.
  bool typeFixed_ = false;
};
