// Where a ramdisk entry's boot manager finds the SDI file: the ramdisksdidevice and ramdisksdipath
// elements of one device-options object, shown and changed one object at a time.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "controls/SkinButton.h"
#include "controls/VolumePicker.h"
#include "core/BootEntry.h"
#include "core/DeviceSpec.h"
#include "win/AppDialog.h"
#include "win/Handles.h"

class EntryList;

class RamdiskOptionsDialog : public win::AppDialog {
 public:
  // identifier: the object to show first (the entry page's ramdisk combo text; may be empty).
  // volumeImages: the small system image list of the drive list's icons.
  RamdiskOptionsDialog(EntryList& list, const std::wstring& identifier, HIMAGELIST volumeImages = nullptr);

  // Shows one options object; an identifier not in braces changes nothing.
  void OpenOptions(const std::wstring& identifier);

  const std::wstring& CurrentIdentifier() const { return current_; }
  bool IsDirty() const { return dirty_; }
  // False when the object shown was found neither in the list nor in the store.
  bool ObjectInStore() const { return inStore_; }

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnObjectChanged(WPARAM, LPARAM);
  INT_PTR OnDeviceChanged(WPARAM, LPARAM);
  INT_PTR OnPathChanged(WPARAM, LPARAM);
  INT_PTR OnSave(WPARAM, LPARAM);
  INT_PTR OnQuit(WPARAM, LPARAM);

  void FillObjects();
  std::wstring PathText() const;
  std::wstring ChosenVolume() const;
  // True when value would change the store: it differs from what was read at opening or from
  // what was saved last.
  static bool Differs(const std::wstring& value, const std::wstring& opened, const std::optional<std::wstring>& saved);
  bool PathChanged() const;
  bool VolumeChanged() const;
  // A label's text without its colon: the field's name in a refusal.
  std::wstring FieldName(int labelId) const;
  void UpdateSave();

  static const win::MessageEntry<RamdiskOptionsDialog> kMessages[];

  EntryList& list_;
  HIMAGELIST volumeImages_;
  std::wstring current_;
  bool dirty_ = false;
  bool inStore_ = false;
  bool loading_ = false;
  BootEntry own_;
  const BootEntry* object_ = nullptr;
  DeviceSpec spec_;
  std::wstring openedPath_;
  std::optional<std::wstring> savedPath_;
  std::optional<std::wstring> savedVolume_;
  VolumePicker volumes_;
  SkinButton save_;
  win::UniqueIcon icon_;
};
