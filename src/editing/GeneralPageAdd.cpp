// The entry dialog's "Settings" page in add mode: the kind's defaults, checking what the page
// holds before anything is created, and writing the new entry's name, path and device.
#include "editing/GeneralPage.h"

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "editing/EntryPageHost.h"
#include "editing/QuickSelectDialog.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "core/BootEntry.h"
#include "store/BootIni.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr wchar_t kStartingName[] = L"Vexa New OS";
// A name that still starts with this is ours, not the user's, and follows the kind.
constexpr wchar_t kDefaultNamePrefix[] = L"Vexa New";
constexpr size_t kDefaultNamePrefixLength = 8;

bool IsDefaultName(const std::wstring& name) {
  return name.size() > kDefaultNamePrefixLength && name.compare(0, kDefaultNamePrefixLength, kDefaultNamePrefix) == 0;
}

// Text that goes between our quotes: a quote would end it, a final backslash escape the closing one.
bool Quotable(const std::wstring& text) { return QuotedTextRefusal(text) == Refusal::kNone; }

}  // namespace

void GeneralPage::LoadForAdd() {
  SetItemText(IDC_GENERAL_NAME, kStartingName);
  EnableItem(IDC_GENERAL_NAME, true);
  bootPath_.Enable(true);
  // Item 0 is the partition the machine booted from.
  SendMessageW(drives_.Handle(), CB_SETCURSEL, 0, 0);
  SetItemText(IDC_GENERAL_DEVICE_FILE, L"");
  SelectOptions(L"");
  EnableWindow(locale_.Handle(), TRUE);
  SendMessageW(locale_.Handle(), CB_SETCURSEL, 0, 0);
  typeFixed_ = false;
  owner_.Device().Reset();
  ApplyBootType(DeviceSpec::kPartition, kSourceStore);
}

void GeneralPage::ApplyKindDefaults(int kind) {
  if (!owner_.AddMode()) return;
  const KindDefaults& defaults = DefaultsOf(kind);
  if (IsDefaultName(ItemText(IDC_GENERAL_NAME))) SetItemText(IDC_GENERAL_NAME, defaults.name);

  bootPath_.Clear();
  int exe = bootPath_.Add(defaults.bootPath);
  int chosen = exe;
  if (defaults.efiBootPath) {
    int efi = bootPath_.Add(defaults.efiBootPath);
    if (owner_.EfiBoot()) chosen = efi;
  }
  bootPath_.Select(chosen);

  owner_.Device().kind = defaults.deviceKind;
  typeFixed_ = kind != kKindBcdWindows;
  if (defaults.deviceKind != DeviceSpec::kPartition && ramdisk_.Text().empty()) SelectOptions(L"");
  ApplyBootType(defaults.deviceKind, kSourceStore);
}

std::wstring GeneralPage::GetName() const { return Values().name; }

void GeneralPage::Tell(const std::wstring& text) const { win::Prompt(owner_.HostWindow(), text, AppSettings.appTitle, MB_OK); }

bool GeneralPage::ValidateNew() {
  if (!owner_.AddMode()) return false;
  GeneralValues values = Values();
  bool file = values.deviceKind == DeviceSpec::kRamdisk || values.deviceKind == DeviceSpec::kVirtualDisk;
  if (file && values.file.empty()) {
    Tell(base::Format(GetText(IDS_FIELD_EMPTY), GetText(IDS_WIM_PATH_FIELD)));
    return false;
  }
  // An entry without a boot path could never start.
  if (values.path.empty()) {
    Tell(base::Format(GetText(IDS_FIELD_EMPTY), FieldName(IDC_GENERAL_BOOT_PATH_LABEL)));
    return false;
  }
  bool storeMode = StoreEditingAvailable();
  // A boot.ini line needs a title to be read back at all; the store takes an empty description.
  if (!storeMode && values.name.empty()) {
    Tell(base::Format(GetText(IDS_FIELD_EMPTY), FieldName(IDC_GENERAL_NAME_LABEL)));
    return false;
  }
  if (!Quotable(values.name) || base::HasLineBreak(values.name)) {
    Tell(base::Format(GetText(IDS_NEW_NAME_UNUSABLE), values.name));
    return false;
  }
  // A boot.ini line is written through the profile functions, not the tool.
  if (storeMode && StoredTextRefusal(values.name) != Refusal::kNone) {
    Tell(UnprintableNameText(values.name));
    return false;
  }
  std::wstring device = DeviceText(values);
  const int deviceLabel = file ? IDC_GENERAL_DEVICE_FILE_LABEL : IDC_GENERAL_DEVICE_LABEL;
  int refused = !Quotable(values.path) || base::HasLineBreak(values.path) ? IDC_GENERAL_BOOT_PATH_LABEL
                : !DeviceTextIsSafe(device)                                ? deviceLabel
                                                                           : 0;
  if (refused) {
    Tell(base::Format(GetText(IDS_FIELD_UNUSABLE), FieldName(refused)));
    return false;
  }
  int unprintable = !storeMode                                          ? 0
                    : StoredTextRefusal(values.path) != Refusal::kNone ? IDC_GENERAL_BOOT_PATH_LABEL
                    : StoredTextRefusal(device) != Refusal::kNone      ? deviceLabel
                                                                       : 0;
  if (unprintable) {
    Tell(UnprintableFieldText(FieldName(unprintable)));
    return false;
  }
  if (storeMode) return true;
  std::wstring key = BootIniNewKey(device, values.path);
  if (key.empty()) {
    Tell(base::Format(GetText(IDS_FIELD_UNUSABLE), FieldName(IDC_GENERAL_BOOT_PATH_LABEL)));
    return false;
  }
  // The profile functions would silently replace the line that has this key.
  if (BootIniHasLine(key)) {
    Tell(base::Format(GetText(IDS_BOOT_INI_LINE_EXISTS), key));
    return false;
  }
  return true;
}

bool GeneralPage::WriteNewGeneral(int kind) {
  BootEntry& record = owner_.Record();
  if (!owner_.AddMode()) return false;
  GeneralValues values = Values();
  std::wstring device = DeviceText(values);

  if (record.sourceKind == kSourceBootIni) {
    if (kind != kKindRealModeLoader && kind != kKindBootSectorFile) return false;
    if (BootIniAddLine(device, values.path, values.name) != NewLine::kAdded) {
      Tell(kWriteBootIniError);
      return false;
    }
    record.description = values.name;
    return true;
  }
  if (record.sourceKind != kSourceStore || record.identifier.empty()) return false;

  BcdEditRunner& runner = Runner();
  // A setting counts when the tool took it (exit code 0), not merely when it was sent: a new
  // object the tool refused a device for must not go on the menu.
  auto issue = [&](const wchar_t* key, const std::wstring& value) {
    return runner.SetElement(record.identifier, base::Format(L" %s ", key), WrapInQuotes(value)).Succeeded();
  };
  bool complete = true;
  if (!values.locale.empty()) {
    if (issue(L"locale", values.locale)) record.locale = values.locale;
    else complete = false;
  }
  bool path = !values.path.empty() && issue(L"path", values.path);
  if (path) record.SetPath(values.path);
  bool deviceSet = !device.empty() && issue(L"device", device);
  if (deviceSet) record.device = device;
  bool osDeviceSet = deviceSet && issue(L"osdevice", device);
  if (osDeviceSet) record.osdevice = device;
  // The tool refuses osdevice on a boot sector application (the element belongs to OS loaders);
  // it is still sent, as for every kind, but only an OS loader needs it.
  if (kind >= kKindNtldr) osDeviceSet = deviceSet;
  return complete && path && deviceSet && osDeviceSet;
}
