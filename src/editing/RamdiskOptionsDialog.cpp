// The ramdisk options dialog.
#include "editing/RamdiskOptionsDialog.h"

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "editing/DeviceOptionsCombo.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "store/FileRoutines.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Dpi.h"
#include "win/Controls.h"
#include "win/Seams.h"
#include "win/WaitCursor.h"

namespace {

constexpr wchar_t kSdiDevice[] = L"ramdisksdidevice";
constexpr wchar_t kSdiPath[] = L"ramdisksdipath";
constexpr int kPathLimit = 260;

bool IsBraced(const std::wstring& text) { return text.size() > 1 && text.front() == L'{' && text.back() == L'}'; }

std::wstring ElementOf(const BootEntry& record, const wchar_t* name) {
  auto found = record.elements.find(name);
  return found == record.elements.end() ? std::wstring() : found->second;
}

}  // namespace

const win::MessageEntry<RamdiskOptionsDialog> RamdiskOptionsDialog::kMessages[] = {
    win::OnCommand(IDC_RAMDISK_OBJECT, CBN_SELCHANGE, &RamdiskOptionsDialog::OnObjectChanged),
    win::OnCommand(IDC_RAMDISK_SDI_DEVICE, CBN_SELCHANGE, &RamdiskOptionsDialog::OnDeviceChanged),
    win::OnCommand(IDC_RAMDISK_SDI_DEVICE, CBN_EDITCHANGE, &RamdiskOptionsDialog::OnDeviceChanged),
    win::OnCommand(IDC_RAMDISK_SDI_PATH, EN_CHANGE, &RamdiskOptionsDialog::OnPathChanged),
    win::OnCommand(IDOK, BN_CLICKED, &RamdiskOptionsDialog::OnSave),
    win::OnCommand(IDCANCEL, BN_CLICKED, &RamdiskOptionsDialog::OnQuit),
};

RamdiskOptionsDialog::RamdiskOptionsDialog(EntryList& list, const std::wstring& identifier, HIMAGELIST volumeImages)
    : win::AppDialog(IDD_RAMDISK, kMessages), list_(list), volumeImages_(volumeImages), current_(identifier) {}

BOOL RamdiskOptionsDialog::OnInit() {
  int iconSize = win::SystemMetricForDpi(SM_CXSMICON, win::DpiOf(Handle()));
  icon_ = LoadIconResource(IDI_OSLIST, iconSize, iconSize);
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
  spec_.Reset();
  save_.Attach(Handle(), IDOK);
  SetPrimaryColours(save_, true);
  SendDlgItemMessageW(Handle(), IDC_RAMDISK_SDI_PATH, EM_LIMITTEXT, kPathLimit, 0);

  volumes_.Attach(Item(IDC_RAMDISK_SDI_DEVICE));
  volumes_.SetImageList(volumeImages_);
  volumes_.EnumerateVolumes();
  volumes_.FillVolumes(false);

  FillObjects();
  OpenOptions(current_);
  UpdateSave();
  return TRUE;
}

void RamdiskOptionsDialog::FillObjects() {
  HWND objects = Item(IDC_RAMDISK_OBJECT);
  FillDeviceOptionsCombo(objects, list_);
  ShowDeviceOptions(objects, current_);
}

void RamdiskOptionsDialog::OpenOptions(const std::wstring& identifier) {
  if (!IsBraced(identifier)) return;
  current_ = identifier;
  dirty_ = false;
  savedPath_.reset();
  savedVolume_.reset();

  int index = list_.IndexOf(identifier);
  if (index >= 0) {
    object_ = &list_.entries[static_cast<size_t>(index)];
    inStore_ = true;
  } else {
    own_.Reset();
    list_.EnumerateOne(&own_, identifier);
    // The listing of an object the store lacks is the tool's complaint, with no identifier in it.
    inStore_ = IsBraced(own_.identifier);
    own_.identifier = identifier;
    object_ = &own_;
  }

  spec_.Reset();
  ParseDevice(ElementOf(*object_, kSdiDevice), &spec_);
  openedPath_ = ElementOf(*object_, kSdiPath);

  loading_ = true;
  if (spec_.volume.empty()) {
    win::ComboSelect(volumes_.Handle(), -1);
  } else {
    volumes_.SelectVolume(spec_.volume, true);
  }
  SetItemText(IDC_RAMDISK_SDI_PATH, openedPath_);
  loading_ = false;
}

std::wstring RamdiskOptionsDialog::PathText() const { return ItemText(IDC_RAMDISK_SDI_PATH).substr(0, kPathLimit); }

std::wstring RamdiskOptionsDialog::ChosenVolume() const { return StripTrailingSlash(volumes_.SelectedVolume()); }

bool RamdiskOptionsDialog::Differs(const std::wstring& value, const std::wstring& opened,
                                   const std::optional<std::wstring>& saved) {
  return !base::EqualsNoCase(value, opened) || (saved && !base::EqualsNoCase(value, *saved));
}

bool RamdiskOptionsDialog::PathChanged() const { return Differs(PathText(), openedPath_, savedPath_); }

bool RamdiskOptionsDialog::VolumeChanged() const { return Differs(ChosenVolume(), spec_.volume, savedVolume_); }

std::wstring RamdiskOptionsDialog::FieldName(int labelId) const {
  std::wstring name = base::TrimText(ItemText(labelId));
  if (!name.empty() && (name.back() == L':' || name.back() == L'\xFF1A')) name.pop_back();
  return base::TrimText(name);
}

void RamdiskOptionsDialog::UpdateSave() {
  EnableWindow(save_.Handle(), dirty_);
  if (dirty_) {
    save_.SetIcon(IDI_PARTITION, 16, 16);
  } else {
    save_.ClearImages();
  }
}

INT_PTR RamdiskOptionsDialog::OnObjectChanged(WPARAM, LPARAM) {
  win::ComboBox objects(Item(IDC_RAMDISK_OBJECT));
  int selection = objects.Selection();
  std::wstring text = selection >= 0 ? objects.ItemText(selection) : objects.Text();
  if (text == current_) return TRUE;
  win::WaitCursor wait;
  OpenOptions(text);
  UpdateSave();
  return TRUE;
}

INT_PTR RamdiskOptionsDialog::OnDeviceChanged(WPARAM, LPARAM) {
  if (loading_ || !object_) return TRUE;
  if (VolumeChanged()) dirty_ = true;
  UpdateSave();
  return TRUE;
}

INT_PTR RamdiskOptionsDialog::OnPathChanged(WPARAM, LPARAM) {
  if (loading_ || !object_) return TRUE;
  if (PathChanged()) dirty_ = true;
  UpdateSave();
  return TRUE;
}

INT_PTR RamdiskOptionsDialog::OnSave(WPARAM, LPARAM) {
  // No object shown yet: nothing to write to.
  if (!object_) return TRUE;
  const std::wstring& caption = AppSettings.appTitle;
  if (!AppSettings.toolsAvailable) {
    win::Prompt(Handle(), kWriteStoreError, caption, MB_OK | MB_ICONERROR);
    return TRUE;
  }
  if (!inStore_) {
    win::Prompt(Handle(), base::Format(GetText(IDS_OPTIONS_NOT_IN_STORE), current_), caption, MB_OK | MB_ICONERROR);
    return TRUE;
  }
  std::wstring path = PathText();
  std::wstring volume = ChosenVolume();
  bool writePath = PathChanged();
  bool writeVolume = VolumeChanged();
  // An empty value would leave the boot manager without its SDI file; the stored one stays.
  int emptyField = writePath && base::TrimText(path).empty()       ? IDC_RAMDISK_SDI_PATH_LABEL
                   : writeVolume && base::TrimText(volume).empty() ? IDC_RAMDISK_SDI_DEVICE_LABEL
                                                                   : 0;
  if (emptyField != 0) {
    win::Prompt(Handle(), base::Format(GetText(IDS_FIELD_EMPTY), FieldName(emptyField)), caption, MB_OK);
    return TRUE;
  }
  int unprintable = writePath && StoredTextRefusal(path) != Refusal::kNone       ? IDC_RAMDISK_SDI_PATH_LABEL
                    : writeVolume && StoredTextRefusal(volume) != Refusal::kNone ? IDC_RAMDISK_SDI_DEVICE_LABEL
                                                                                 : 0;
  if (unprintable != 0) {
    win::Prompt(Handle(), UnprintableFieldText(FieldName(unprintable)), caption, MB_OK);
    return TRUE;
  }

  // Nothing is read back here: a value counts as saved when the tool took it (exit code 0).
  bool issued = false;
  bool refused = false;
  if (writePath) {
    if (SetOrDeleteElement(current_, kSdiPath, WrapInQuotes(path)).Succeeded()) {
      issued = true;
      savedPath_ = path;
    } else {
      refused = true;
    }
  }
  if (writeVolume) {
    DeviceSpec device = spec_;
    // A drive chosen from the list makes a text the tool knows as a partition.
    if (device.kind == DeviceSpec::kOther) device.kind = DeviceSpec::kPartition;
    device.volume = volume;
    if (SetOrDeleteElement(current_, kSdiDevice, WrapInQuotes(BuildDevice(&device))).Succeeded()) {
      issued = true;
      savedVolume_ = volume;
    } else {
      refused = true;
    }
  }
  // A refused value is still on screen and still unsaved.
  dirty_ = refused;
  UpdateSave();
  if (refused) {
    win::Prompt(Handle(), kWriteStoreError, caption, MB_OK | MB_ICONERROR);
  } else if (issued) {
    win::Prompt(Handle(), GetText(IDS_OPERATION_DONE), caption, MB_OK | MB_ICONINFORMATION);
  }
  return TRUE;
}

INT_PTR RamdiskOptionsDialog::OnQuit(WPARAM, LPARAM) {
  End(IDCANCEL);
  return TRUE;
}
