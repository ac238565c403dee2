// Reading and changing the firmware's boot menu through the runner.
#include "store/FirmwareStore.h"

#include <windows.h>

#include "base/Strings.h"

namespace {

// Every object named must be one braced argument; the refusal is left on the runner.
bool Refused(const std::vector<std::wstring>& identifiers) {
  for (const std::wstring& identifier : identifiers) {
    if (IdentifierRefusal(identifier) != Refusal::kNone || identifier.front() != L'{') {
      Runner().lastRefusal = Refusal::kBadIdentifier;
      return true;
    }
  }
  return false;
}

// The drive letter whose device is the NT device path given ("\Device\HarddiskVolume7"), or 0.
wchar_t LetterOfDevice(const std::wstring& ntPath) {
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    wchar_t drive[3] = {letter, L':', 0};
    wchar_t target[MAX_PATH] = {};
    if (QueryDosDeviceW(drive, target, MAX_PATH) && base::EqualsNoCase(target, ntPath)) return letter;
  }
  return 0;
}

}  // namespace

bool DeviceIsRemovable(const std::wstring& device) {
  std::wstring volume = device;
  size_t equals = volume.find(L'=');
  if (equals != std::wstring::npos) volume = volume.substr(equals + 1);
  volume = base::TrimText(volume);
  wchar_t letter = volume.size() == 2 && volume[1] == L':' ? volume[0] : 0;
  if (!letter && base::StartsWithNoCase(volume, L"\\Device\\")) letter = LetterOfDevice(volume);
  if (!letter) return false;
  wchar_t root[4] = {letter, L':', L'\\', 0};
  UINT type = GetDriveTypeW(root);
  return type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}

FirmwareRead ReadFirmwareMenu() {
  FirmwareRead read;
  if (!Runner().storeFile.empty()) return read;
  read.run = Runner().RunChecked(FirmwareListingArgs(), 0);
  auto removable = [](const std::wstring& device) { return DeviceIsRemovable(device); };
  if (read.run.started) read.menu = ParseFirmwareListing(read.run.text, removable);
  if (!read.menu.present) return read;
  read.managers = Runner().RunChecked(FirmwareManagersListingArgs(), 0);
  if (read.managers.Succeeded()) AddOffOrderBootManagers(read.menu, read.managers.text, removable);
  return read;
}

ToolResult SetFirmwareBootSequence(const std::vector<std::wstring>& identifiers) {
  if (!Runner().storeFile.empty() || Refused(identifiers)) return {};
  if (identifiers.empty()) return Runner().RunChecked(FirmwareClearBootSequenceArgs(), 0);
  return Runner().RunChecked(FirmwareBootSequenceArgs(identifiers), 0);
}

ToolResult WriteFirmwareOrder(const std::vector<std::wstring>& identifiers) {
  if (!Runner().storeFile.empty() || identifiers.empty() || Refused(identifiers)) return {};
  return Runner().RunChecked(FirmwareDisplayOrderArgs(identifiers), 0);
}
