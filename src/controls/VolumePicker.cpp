// The volume and locale picker: volumes read through the volume functions, listed with the shell's
// icons and names, and handed back as the text a device element takes.
#include "controls/VolumePicker.h"

#include <shellapi.h>
#include <shlobj.h>

#include <iterator>
#include <utility>

#include "base/Format.h"
#include "base/Strings.h"
#include "win/Handles.h"

namespace {

// The boot menu languages after the five the callers caption themselves.
constexpr const wchar_t* kLocaleCodes[] = {
    L"cs-CZ", L"da-DK", L"de-DE", L"el-GR", L"es-ES", L"fr-FR", L"hu-HU", L"it-IT", L"ja-JP",
    L"ko-KR", L"nb-NO", L"nl-NL", L"pl-PL", L"pt-BR", L"pt-PT", L"ru-RU", L"sv-SE", L"tr-TR",
};

// A drive letter machines rarely have: the shell gives it the icon of a drive in general.
constexpr wchar_t kPlaceholderDrive[] = L"Y:\\";
constexpr wchar_t kVolumePrefix[] = L"\\\\?\\";

UINT IconSize(bool largeIcons) { return largeIcons ? SHGFI_LARGEICON : SHGFI_SMALLICON; }

// Asked by attributes, so the answer does not depend on whether the letter exists. A directory
// is what the shell takes a drive root for; a plain file would get a document icon.
int GenericDriveIcon() {
  SHFILEINFOW info = {};
  if (!SHGetFileInfoW(kPlaceholderDrive, FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON)) {
    return -1;
  }
  return info.iIcon;
}

// CD-ROMs and network shares are never a place to boot from.
bool IsDiskDrive(const std::wstring& mountPath) {
  UINT type = GetDriveTypeW(mountPath.c_str());
  return type == DRIVE_FIXED || type == DRIVE_REMOVABLE;
}

}  // namespace

void VolumePicker::Attach(HWND combo) {
  combo_.Attach(combo);
  records_.clear();
  itemData_.clear();
}

void VolumePicker::Clear() {
  combo_.Clear();
  records_.clear();
  itemData_.clear();
}

bool VolumePicker::EnumerateVolumes() {
  records_.clear();
  wchar_t name[MAX_PATH] = {};
  win::UniqueFindVolume search(FindFirstVolumeW(name, MAX_PATH));
  if (!search) return false;
  do {
    // A name not of the "\\?\...\" form has no device to ask about: the list ends there.
    std::wstring volumeName = name;
    if (volumeName.size() <= std::size(kVolumePrefix) || !volumeName.starts_with(kVolumePrefix) ||
        volumeName.back() != L'\\') {
      break;
    }
    std::wstring middle = volumeName.substr(std::size(kVolumePrefix) - 1);
    middle.pop_back();
    wchar_t device[MAX_PATH] = {};
    if (!QueryDosDeviceW(middle.c_str(), device, MAX_PATH)) break;

    VolumeRecord record{volumeName, device, {}, {}};
    // A list of paths, each ended by a null: the first one is the mount path we show.
    wchar_t paths[MAX_PATH] = {};
    DWORD length = 0;
    if (GetVolumePathNamesForVolumeNameW(volumeName.c_str(), paths, MAX_PATH, &length)) record.mountPath = paths;
    records_.push_back(std::move(record));
  } while (FindNextVolumeW(search.Get(), name, MAX_PATH));
  return true;
}

void VolumePicker::FillVolumes(bool largeIcons) {
  for (VolumeRecord& record : records_) {
    bool mounted = !record.mountPath.empty();
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(mounted ? record.mountPath.c_str() : kPlaceholderDrive, 0, &info, sizeof(info),
                        SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | IconSize(largeIcons))) {
      continue;
    }
    if (mounted ? !IsDiskDrive(record.mountPath) : mountedOnly_) continue;

    // A volume without a mount path is known, and handed back, by its device name.
    if (mounted) {
      record.caption = info.szDisplayName;
    } else {
      record.caption = record.deviceName;
      record.mountPath = record.deviceName;
    }
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    if (GetVolumeInformationW(record.volumeName.c_str(), label, static_cast<DWORD>(std::size(label)), nullptr,
                              nullptr, nullptr, fileSystem, static_cast<DWORD>(std::size(fileSystem)))) {
      record.caption = base::Format(L"%s[%s,%s]", record.mountPath, label, fileSystem);
    }
    AddItem(record.caption, record.mountPath, info.iIcon);
  }
}

int VolumePicker::AddComputerItem(const std::wstring& text, const std::wstring& data, bool largeIcons) {
  int image = -1;
  PIDLIST_ABSOLUTE computer = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer))) {
    SHFILEINFOW info = {};
    if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(computer), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | IconSize(largeIcons))) {
      image = info.iIcon;
    }
    CoTaskMemFree(computer);
  }
  return AddItem(text, data, image);
}

int VolumePicker::AddItem(const std::wstring& text, const std::wstring& data, int image) {
  itemData_.push_back(data);
  int index = combo_.Insert(-1, text, image, static_cast<LPARAM>(itemData_.size()));
  if (index < 0) itemData_.pop_back();
  return index;
}

int VolumePicker::AddLocaleCodes(int image) {
  for (const wchar_t* code : kLocaleCodes) AddItem(code, code, image);
  return combo_.Count();
}

std::wstring VolumePicker::SelectedVolume() const {
  int index = combo_.Selection();
  if (index < 0) return {};
  const std::wstring* data = DataOf(index);
  std::wstring value = data ? *data : combo_.ItemText(index);
  // The "no value" items of the lists: the callers then remove the element instead of setting it.
  if (base::EqualsNoCase(value, L"(undef)") || base::EqualsNoCase(value, L"undef")) return {};
  return value;
}

int VolumePicker::SelectVolume(const std::wstring& volume, bool addBackslash) {
  // A device names a drive "C:", the list holds roots "C:\". "boot" and "unknown" never end in a
  // colon, so they are looked up as they stand.
  std::wstring wanted = volume;
  if (addBackslash && !wanted.empty() && wanted.back() == L':') wanted += L'\\';
  int index = FindData(wanted);
  if (index < 0) {
    records_.push_back(VolumeRecord{{}, {}, wanted, wanted});
    index = AddItem(wanted, wanted, GenericDriveIcon());
  }
  combo_.Select(index);
  return index;
}

int VolumePicker::SelectLocale(const std::wstring& code) {
  int index = FindData(code);
  combo_.Select(index);
  return index;
}

std::wstring VolumePicker::ItemData(int index) const {
  const std::wstring* data = DataOf(index);
  return data ? *data : std::wstring();
}

const std::wstring* VolumePicker::DataOf(int index) const {
  // Items someone else inserted carry 0, and CB_GETITEMDATA answers CB_ERR for a bad index.
  LPARAM data = combo_.Data(index);
  if (data <= 0 || static_cast<size_t>(data) > itemData_.size()) return nullptr;
  return &itemData_[static_cast<size_t>(data) - 1];
}

int VolumePicker::FindData(const std::wstring& data) const {
  for (int index = 0, count = combo_.Count(); index < count; ++index) {
    const std::wstring* itemData = DataOf(index);
    if (itemData && base::EqualsNoCase(*itemData, data)) return index;
  }
  return -1;
}
