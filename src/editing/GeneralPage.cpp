// The entry dialog's "Settings" page: loading a record into the controls, the boot type rules,
// browsing for the device file, and writing the differences back. Add mode is in
// GeneralPageAdd.cpp.
#include "editing/GeneralPage.h"

#include <iterator>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "editing/DeviceOptionsCombo.h"
#include "editing/EntryPageHost.h"
#include "editing/RamdiskOptionsDialog.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "core/BootEntry.h"
#include "store/BootIni.h"
#include "store/EntryList.h"
#include "store/FileRoutines.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr size_t kValueLimit = 260;
constexpr wchar_t kUndefined[] = L"(undef)";

const wchar_t* const kBootPaths[] = {
    L"\\Windows\\system32\\winload.exe", L"\\Windows\\system32\\winload.efi",
    L"\\Windows\\system32\\boot\\winload.exe", L"\\Windows\\system32\\boot\\winload.efi"};

struct NamedLocale {
  UINT text;
  const wchar_t* code;
};
// The captioned choices, "[undefine region]" first, as the boot menu's own language list has them.
const NamedLocale kNamedLocales[] = {{IDS_MENU_LOCALE_UNDEFINED, kUndefined},
                                     {IDS_MENU_LOCALE_EN_US, L"en-US"},
                                     {IDS_MENU_LOCALE_ZH_CN, L"zh-CN"},
                                     {IDS_MENU_LOCALE_ZH_TW, L"zh-TW"},
                                     {IDS_MENU_LOCALE_ZH_HK, L"zh-HK"}};

const int kTypeRadios[] = {IDC_GENERAL_TYPE_PARTITION, IDC_GENERAL_TYPE_RAMDISK, IDC_GENERAL_TYPE_VHD};

std::wstring Limited(std::wstring text) {
  if (text.size() > kValueLimit) text.resize(kValueLimit);
  return text;
}

std::wstring WithoutTrailingBackslash(std::wstring text) {
  if (!text.empty() && text.back() == L'\\') text.pop_back();
  return text;
}

// Whether a value can go to the tool as one quoted argument.
bool Passable(const std::wstring& value) { return !HasStrayQuote(WrapInQuotes(value)); }

}  // namespace

const win::MessageEntry<GeneralPage> GeneralPage::kMessages[] = {
    win::OnCommand(IDC_GENERAL_TYPE_PARTITION, BN_CLICKED, &GeneralPage::OnTypeClick),
    win::OnCommand(IDC_GENERAL_TYPE_RAMDISK, BN_CLICKED, &GeneralPage::OnTypeClick),
    win::OnCommand(IDC_GENERAL_TYPE_VHD, BN_CLICKED, &GeneralPage::OnTypeClick),
    win::OnCommand(IDC_GENERAL_BROWSE_DEVICE_FILE, BN_CLICKED, &GeneralPage::OnBrowseDeviceFile),
    win::OnCommand(IDC_GENERAL_EDIT_RAMDISK, BN_CLICKED, &GeneralPage::OnEditRamdisk),
};

GeneralPage::GeneralPage(EntryPageHost& owner) : win::AppDialog(IDD_ENTRY_GENERAL, kMessages), owner_(owner) {}

BOOL GeneralPage::OnInit() {
  locale_.Attach(Item(IDC_GENERAL_LOCALE));
  locale_.SetImageList(owner_.SharedImages());
  for (const NamedLocale& named : kNamedLocales) locale_.AddItem(GetText(named.text), named.code, art::kImageLoader);
  locale_.AddLocaleCodes(art::kImageLoader);

  drives_.Attach(Item(IDC_GENERAL_DEVICE));
  drives_.SetImageList(owner_.VolumeImages());
  // Item 0 stands for the partition the machine booted from, whatever its letter.
  drives_.AddComputerItem(GetText(IDS_CURRENT_BOOT_PARTITION), L"boot", false);
  drives_.EnumerateVolumes();
  drives_.FillVolumes(false);

  // A value keeps its first kValueLimit characters: a box that took more would save less than it
  // shows, and say nothing of it.
  for (int box : {IDC_GENERAL_NAME, IDC_GENERAL_DEVICE_FILE}) SendDlgItemMessageW(Handle(), box, EM_LIMITTEXT, kValueLimit, 0);
  SendDlgItemMessageW(Handle(), IDC_GENERAL_BOOT_PATH, CB_LIMITTEXT, kValueLimit, 0);
  bootPath_.Attach(Item(IDC_GENERAL_BOOT_PATH));
  ramdisk_.Attach(Item(IDC_GENERAL_RAMDISK));
  FillDeviceOptionsCombo(ramdisk_.Handle(), owner_.List());

  editRamdisk_.Attach(Handle(), IDC_GENERAL_EDIT_RAMDISK);
  editRamdisk_.SetTooltipText(GetText(IDS_RAMDISK_SETTINGS_TIP));
  browseFile_.Attach(Handle(), IDC_GENERAL_BROWSE_DEVICE_FILE);
  browseFile_.SetTooltipText(GetText(IDS_BROWSE_FILE));
  return TRUE;
}

void GeneralPage::LoadFromEntry() {
  if (owner_.AddMode()) {
    LoadForAdd();
    return;
  }
  BootEntry& record = owner_.Record();
  bool bootManager = owner_.IsBootManager();
  SetItemText(IDC_GENERAL_NAME, record.description);
  EnableItem(IDC_GENERAL_NAME, !bootManager);

  if (bootPath_.Count() == 0) {
    for (const wchar_t* path : kBootPaths) bootPath_.Add(path);
  }
  SelectBootPath(record.GetPath());
  bootPath_.Enable(record.sourceKind != kSourceBootIni);

  if (record.device.empty() && record.sourceKind == kSourceStore) owner_.RefreshDetails();
  DeviceSpec& device = owner_.Device();
  device.Reset();
  ParseDevice(record.device, &device);
  ApplyBootType(device.kind, record.sourceKind);

  if (record.sourceKind == kSourceStore) {
    drives_.SelectVolume(device.volume, true);
    SetItemText(IDC_GENERAL_DEVICE_FILE, device.path);
    SelectOptions(device.options);
    EnableWindow(locale_.Handle(), TRUE);
    SelectLocale(record.locale);
  } else {
    EnableWindow(locale_.Handle(), FALSE);
    SendMessageW(locale_.Handle(), CB_SETCURSEL, 0, 0);
    SendMessageW(drives_.Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetItemText(IDC_GENERAL_DEVICE_FILE, L"");
  }
  if (!AppSettings.toolsAvailable && record.sourceKind == kSourceStore) EnableItem(IDC_GENERAL_NAME, false);
}

void GeneralPage::SelectBootPath(const std::wstring& path) {
  // A raw value on show must not leave an earlier entry's choice selected.
  bootPath_.Select(-1);
  int found = -1;
  for (int i = 0, count = bootPath_.Count(); i < count && found < 0; ++i) {
    if (base::EqualsNoCase(bootPath_.ItemText(i), path)) found = i;
  }
  if (found < 0 && !path.empty()) found = bootPath_.Add(path);
  if (found >= 0) {
    bootPath_.Select(found);
  } else {
    bootPath_.SetText(path);
  }
}

void GeneralPage::SelectOptions(const std::wstring& options) {
  // A drop-down list has no edit field: an identifier it lacks gets an item, so it round-trips.
  ShowDeviceOptions(ramdisk_.Handle(), options.empty() ? std::wstring(kRamdiskOptionsAlias) : options);
}

void GeneralPage::SelectLocale(const std::wstring& locale) {
  SendMessageW(locale_.Handle(), CB_SETCURSEL, 0, 0);
  if (locale.empty()) return;
  // A locale outside the list gets an item of its own, or any save would delete it.
  if (locale_.SelectLocale(locale) >= 0) return;
  locale_.AddItem(locale, locale, art::kImageLoader);
  locale_.SelectLocale(locale);
}

void GeneralPage::ApplyBootType(int deviceKind, int sourceKind) {
  bool editable = sourceKind != kSourceBootIni;
  if (!editable) deviceKind = DeviceSpec::kPartition;
  bool listed = !owner_.IsBootManager();
  for (int kind = 0; kind < static_cast<int>(std::size(kTypeRadios)); ++kind) {
    CheckItem(kTypeRadios[kind], kind == deviceKind);
    EnableItem(kTypeRadios[kind], editable && (kind == 0 || listed) && !typeFixed_);
  }
  bool file = deviceKind != DeviceSpec::kPartition && deviceKind != DeviceSpec::kOther;
  for (int id : {IDC_GENERAL_DEVICE_FILE, IDC_GENERAL_DEVICE_FILE_LABEL, IDC_GENERAL_BROWSE_DEVICE_FILE}) {
    EnableItem(id, file);
    ShowItem(id, file);
  }
  bool ramdisk = deviceKind == DeviceSpec::kRamdisk;
  for (int id : {IDC_GENERAL_RAMDISK, IDC_GENERAL_RAMDISK_LABEL, IDC_GENERAL_EDIT_RAMDISK}) {
    EnableItem(id, ramdisk);
    ShowItem(id, ramdisk);
  }
  for (int id : {IDC_GENERAL_DEVICE, IDC_GENERAL_DEVICE_LABEL, IDC_GENERAL_BOOT_TYPE_LABEL}) {
    EnableItem(id, editable);
    ShowItem(id, editable);
  }
}

INT_PTR GeneralPage::OnTypeClick(WPARAM wParam, LPARAM) {
  for (int kind = 0; kind < static_cast<int>(std::size(kTypeRadios)); ++kind) {
    if (kTypeRadios[kind] == LOWORD(wParam)) ApplyBootType(kind, kSourceStore);
  }
  return TRUE;
}

INT_PTR GeneralPage::OnBrowseDeviceFile(WPARAM, LPARAM) {
  win::FileDialogRequest request;
  request.filter = GetText(IDS_FILTER_WINDOWS_IMAGES) + L"(*.Wim)|*.wim|" + GetText(IDS_FILTER_VIRTUAL_DISKS) +
                   L"(*.vhd;*.vhdx)|*.vhd;*.vhdx|" + GetText(IDS_FILTER_ALL_FILES) + L"(*.*)|*.*";
  std::optional<std::wstring> chosen = win::ChooseFile(Handle(), request);
  if (!chosen) return TRUE;
  if (!FileExists(*chosen)) {
    win::Prompt(Handle(), base::Format(GetText(IDS_FILE_MISSING), *chosen), AppSettings.appTitle, MB_OK);
    return TRUE;
  }
  size_t slash = chosen->find(L'\\');
  if (slash == std::wstring::npos) {
    SetItemText(IDC_GENERAL_DEVICE_FILE, *chosen);
    return TRUE;
  }
  drives_.SelectVolume(chosen->substr(0, slash + 1), false);
  SetItemText(IDC_GENERAL_DEVICE_FILE, chosen->substr(slash));
  return TRUE;
}

INT_PTR GeneralPage::OnEditRamdisk(WPARAM, LPARAM) {
  RamdiskOptionsDialog dialog(owner_.List(), Limited(ramdisk_.Text()), owner_.VolumeImages());
  dialog.RunModal(Handle());
  return TRUE;
}

GeneralValues GeneralPage::Values() const {
  GeneralValues values;
  values.name = Limited(ItemText(IDC_GENERAL_NAME));
  values.locale = locale_.SelectedLocale();
  values.path = Limited(bootPath_.Text());
  if (base::EqualsNoCase(values.path, kUndefined)) values.path.clear();
  // No radio checked: a device none of them describes, still shown as it is.
  values.deviceKind = owner_.Device().kind == DeviceSpec::kOther ? DeviceSpec::kOther : DeviceSpec::kPartition;
  for (int kind = 0; kind < static_cast<int>(std::size(kTypeRadios)); ++kind) {
    if (IsItemChecked(kTypeRadios[kind])) values.deviceKind = kind;
  }
  values.drive = WithoutTrailingBackslash(drives_.SelectedVolume());
  if (values.deviceKind == DeviceSpec::kOther) values.drive = drives_.SelectedVolume();
  if (values.deviceKind == DeviceSpec::kRamdisk || values.deviceKind == DeviceSpec::kVirtualDisk) {
    values.file = Limited(ItemText(IDC_GENERAL_DEVICE_FILE));
  }
  if (values.deviceKind == DeviceSpec::kRamdisk) values.options = Limited(ramdisk_.Text());
  return values;
}

std::wstring GeneralPage::DeviceText(const GeneralValues& values) const {
  const DeviceSpec& shown = owner_.Device();
  if (values.deviceKind == DeviceSpec::kOther) {
    // Left alone it goes back exactly as it came; another drive makes it a partition device.
    if (base::EqualsNoCase(values.drive, shown.volume)) return owner_.Record().device;
    DeviceSpec partition;
    partition.volume = WithoutTrailingBackslash(values.drive);
    return BuildDevice(&partition);
  }
  DeviceSpec spec;
  spec.kind = values.deviceKind;
  spec.volume = values.drive;
  spec.path = values.file;
  spec.options = values.options;
  return BuildDevice(&spec);
}

bool GeneralPage::DeviceChanged(const GeneralValues& values) const {
  const DeviceSpec& shown = owner_.Device();
  if (values.deviceKind != shown.kind) return true;
  if (!base::EqualsNoCase(values.drive, shown.volume)) return true;
  if (values.deviceKind > 0 && values.deviceKind != DeviceSpec::kOther && !base::EqualsNoCase(values.file, shown.path)) {
    return true;
  }
  std::wstring shownOptions = shown.options.empty() ? std::wstring(kRamdiskOptionsAlias) : shown.options;
  return values.deviceKind == DeviceSpec::kRamdisk && !base::EqualsNoCase(values.options, shownOptions);
}

bool GeneralPage::HasChanges() { return !ChangedElements().empty(); }

std::vector<std::wstring> GeneralPage::ChangedElements() const {
  const BootEntry& record = owner_.Record();
  GeneralValues values = Values();
  std::vector<std::wstring> elements;
  if (!base::EqualsNoCase(values.name, record.description)) elements.push_back(L"description");
  if (record.sourceKind == kSourceBootIni) return elements;
  if (!base::EqualsNoCase(values.locale, record.locale)) elements.push_back(L"locale");
  if (!base::EqualsNoCase(values.path, record.GetPath())) elements.push_back(L"path");
  if (DeviceChanged(values)) elements.insert(elements.end(), {L"device", L"osdevice"});
  return elements;
}

std::wstring GeneralPage::FieldName(int labelId) const {
  std::wstring label = base::TrimText(ItemText(labelId));
  if (!label.empty() && label.back() == L':') label.pop_back();
  return base::TrimText(label);
}

SaveOutcome GeneralPage::SaveChanges() {
  SaveOutcome outcome;
  if (!HasChanges()) return outcome;
  outcome.changed = true;
  GeneralValues values = Values();
  if (owner_.Record().sourceKind == kSourceBootIni) {
    SaveBootIniName(values, outcome);
  } else {
    SaveStoreValues(values, outcome);
  }
  return outcome;
}

void GeneralPage::SaveBootIniName(const GeneralValues& values, SaveOutcome& outcome) {
  BootEntry& record = owner_.Record();
  if (values.name == record.description) return;
  // The title sits between double quotes on its line: one of its own is refused like a store
  // value's, rather than reported as a boot.ini that could not be written.
  if (values.name.find(L'"') != std::wstring::npos) {
    outcome.refused.push_back(FieldName(IDC_GENERAL_NAME_LABEL));
    return;
  }
  // The title writer changes only the quoted title of this one line, never the switches.
  if (BootIniSetTitle(record, values.name)) {
    outcome.issued = true;
  } else {
    outcome.failed = true;
  }
}

void GeneralPage::SaveStoreValues(const GeneralValues& values, SaveOutcome& outcome) {
  BootEntry& record = owner_.Record();
  BcdEditRunner& runner = Runner();
  const std::wstring& id = record.identifier;
  // Whether value may be sent for the field; when not, the field is named in the outcome.
  auto sendable = [&](const std::wstring& value, int labelId) {
    if (!Passable(value)) {
      outcome.refused.push_back(FieldName(labelId));
      return false;
    }
    if (StoredTextRefusal(value) != Refusal::kNone) {
      outcome.unprintable.push_back(FieldName(labelId));
      return false;
    }
    return true;
  };
  auto set = [&](const wchar_t* key, const std::wstring& value, int labelId) {
    if (value.empty()) {
      outcome.emptied.push_back(FieldName(labelId));
      return false;
    }
    if (!sendable(value, labelId)) return false;
    if (!runner.SetElement(id, base::Format(L" %s ", key), WrapInQuotes(value)).started) {
      outcome.failed = true;
      return false;
    }
    outcome.issued = true;
    outcome.sent.emplace_back(key, value);
    return true;
  };

  if (!base::EqualsNoCase(values.name, record.description)) {
    // An empty name is a name: the tool takes "" and the menu shows an empty line.
    if (sendable(values.name, IDC_GENERAL_NAME_LABEL)) {
      if (runner.SetElement(id, L" description ", WrapInQuotes(values.name)).started) {
        outcome.issued = true;
        outcome.sent.emplace_back(L"description", values.name);
        record.description = values.name;
      } else {
        outcome.failed = true;
      }
      // The WinPE menu line shows the shared ramdisk options' description when it has one.
      if (!owner_.IsBootManager() && base::EqualsNoCase(record.winpe, L"yes")) {
        if (runner.DeleteElement(kRamdiskOptionsAlias, L" description ").started) outcome.issued = true;
      }
    }
  }
  if (!base::EqualsNoCase(values.locale, record.locale)) {
    if (values.locale.empty()) {
      if (runner.DeleteElement(id, L" locale ").started) {
        outcome.issued = true;
        outcome.sent.emplace_back(L"locale", L"");
        record.locale.clear();
      } else {
        outcome.failed = true;
      }
    } else if (set(L"locale", values.locale, IDC_GENERAL_LOCALE_LABEL)) {
      record.locale = values.locale;
    }
  }
  if (!base::EqualsNoCase(values.path, record.GetPath()) && set(L"path", values.path, IDC_GENERAL_BOOT_PATH_LABEL)) {
    record.SetPath(values.path);
  }
  // Compared part by part: the tool prints the options object by GUID, the page by its alias.
  if (DeviceChanged(values)) {
    std::wstring device = DeviceText(values);
    if (device.empty() || DeviceTextIsSafe(device)) {
      if (set(L"device", device, IDC_GENERAL_DEVICE_LABEL)) {
        record.device = device;
        // A Windows loader finds its system by osdevice: one that had it gets it read back like
        // device. Other applications have no such element, and the tool refuses to give them one.
        const bool loader = !record.osdevice.empty();
        if (!owner_.IsBootManager() && runner.SetElement(id, L" osdevice ", WrapInQuotes(device)).started) {
          record.osdevice = device;
          if (loader) outcome.sent.emplace_back(L"osdevice", device);
        } else if (loader) {
          outcome.failed = true;
        }
      }
    } else {
      outcome.refused.push_back(FieldName(IDC_GENERAL_DEVICE_LABEL));
    }
  }
}
