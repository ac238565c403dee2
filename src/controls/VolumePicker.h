// The drop-down with icons that lists the machine's volumes (or the boot menu's locale codes) and
// hands the chosen one back as text.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win/Controls.h"

struct VolumeRecord {
  std::wstring volumeName;  // "\\?\Volume{...}\"
  std::wstring deviceName;  // NT device path, e.g. "\Device\HarddiskVolume1"
  std::wstring mountPath;   // first mount path ("C:\"), empty when unmounted; the device name once listed
  std::wstring caption;     // text shown in the list
};

class VolumePicker {
 public:
  // Binds an extended combo box (drop-down list); forgets what the previous control listed.
  void Attach(HWND combo);
  // The main window's small system image list for volumes; the button images for locales.
  void SetImageList(HIMAGELIST images) const { combo_.SetImageList(images); }
  HWND Handle() const { return combo_.Handle(); }
  // Empties the list and forgets its records and data.
  void Clear();
  // Leave volumes without a mount path out of FillVolumes.
  void SetMountedOnly(bool mountedOnly) { mountedOnly_ = mountedOnly; }

  // Reads the machine's volumes into the records; false when the enumeration could not start.
  bool EnumerateVolumes();
  // Lists the records that are fixed or removable disks (or unmounted, unless mounted only).
  void FillVolumes(bool largeIcons);
  // An item with the icon of the shell's Computer folder; returns its index.
  int AddComputerItem(const std::wstring& text, const std::wstring& data, bool largeIcons);
  // Appends an item whose data is a text the picker keeps; returns its index or -1.
  int AddItem(const std::wstring& text, const std::wstring& data, int image);
  // Appends the fixed locale codes after the caller's captioned ones; returns the item count.
  int AddLocaleCodes(int image);

  // The selected item's data, or its text when it has none; "(undef)" and "undef" read as empty.
  std::wstring SelectedVolume() const;
  std::wstring SelectedLocale() const { return SelectedVolume(); }
  // Selects the item whose data is volume (with a backslash after a bare drive when addBackslash),
  // adding it when the list lacks it; returns its index.
  int SelectVolume(const std::wstring& volume, bool addBackslash);
  // Selects the item whose data is code; -1 and no selection when none is.
  int SelectLocale(const std::wstring& code);

  int Count() const { return combo_.Count(); }
  int Selection() const { return combo_.Selection(); }
  std::wstring ItemText(int index) const { return combo_.ItemText(index); }
  // The item's data text; empty when it has none.
  std::wstring ItemData(int index) const;
  const std::vector<VolumeRecord>& Records() const { return records_; }

 private:
  // The item's data text, or null when the item carries none of ours.
  const std::wstring* DataOf(int index) const;
  int FindData(const std::wstring& data) const;

  win::ComboBoxEx combo_;
  std::vector<VolumeRecord> records_;
  // Item data is 1 + an index into this list, so no item points into memory that moves or dies.
  std::vector<std::wstring> itemData_;
  bool mountedOnly_ = false;
};
