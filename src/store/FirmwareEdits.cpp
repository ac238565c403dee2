// The firmware menu's own changes through the runner, and where its partition is reached.
#include "store/FirmwareEdits.h"

#include <windows.h>

#include "base/Strings.h"
#include "core/FirmwareMenu.h"
#include "store/HiveView.h"
#include "store/RegistryRoutines.h"

namespace {

// The firmware is the system store's only; an object is one braced argument.
bool Refused(const std::wstring& identifier) {
  return !Runner().storeFile.empty() || IdentifierRefusal(identifier) != Refusal::kNone || identifier.front() != L'{';
}

// A name goes between our quotes and must come back from the tool as it was sent.
bool RefusedText(const std::wstring& text) {
  return QuotedTextRefusal(text) != Refusal::kNone || StoredTextRefusal(text) != Refusal::kNone;
}

ToolResult Run(const std::wstring& arguments) { return Runner().RunChecked(arguments, 0); }

}  // namespace

ToolResult CopyBootManager(const std::wstring& description, std::wstring& newIdentifier) {
  newIdentifier.clear();
  if (!Runner().storeFile.empty() || RefusedText(description)) return {};
  ToolResult copy = Run(FirmwareCopyArgs(description));
  // The answer is in the machine's language, the identifier in it between braces.
  std::wstring identifier = CreatedIdentifier(copy.text);
  if (copy.Succeeded() && identifier.size() > 2 && identifier.front() == L'{' &&
      IdentifierRefusal(identifier) == Refusal::kNone)
    newIdentifier = identifier;
  return copy;
}

ToolResult SetFirmwareEntryPath(const std::wstring& identifier, const std::wstring& path) {
  if (Refused(identifier) || !IsEfiLoaderPath(path) || RefusedText(path)) return {};
  return Run(FirmwarePathArgs(identifier, path));
}

ToolResult RenameFirmwareEntry(const std::wstring& identifier, const std::wstring& description) {
  if (Refused(identifier) || RefusedText(description)) return {};
  return Run(FirmwareRenameArgs(identifier, description));
}

ToolResult PutLastOnFirmwareOrder(const std::wstring& identifier) {
  if (Refused(identifier)) return {};
  return Run(FirmwareAddLastArgs(identifier));
}

ToolResult TakeOffFirmwareOrder(const std::wstring& identifier) {
  if (Refused(identifier) || IsBootManagerId(identifier)) return {};
  return Run(FirmwareRemoveArgs(identifier));
}

ToolResult DeleteFirmwareEntry(const std::wstring& identifier) {
  if (Refused(identifier) || IsBootManagerId(identifier) || IsFirmwareBootManagerId(identifier)) return {};
  return Run(FirmwareDeleteArgs(identifier));
}

ToolResult SetFirmwareTimeout(int seconds) {
  if (!Runner().storeFile.empty() || seconds < 0) return {};
  return Run(FirmwareTimeoutArgs(seconds));
}

bool SystemStoreHasFirmwareBootManager() {
  // Every object of the mounted store has its Elements key.
  std::wstring elements = HiveElementKey(kFwBootMgrGuid, L"");
  elements.pop_back();
  return RegKeyExists(HKEY_LOCAL_MACHINE, elements, false, false);
}

std::wstring VolumeRootOfDevice(const std::wstring& device) {
  size_t equals = device.find(L'=');
  std::wstring volume = base::TrimText(equals == std::wstring::npos ? device : device.substr(equals + 1));
  if (volume.size() == 2 && volume[1] == L':') return volume + L"\\";
  if (!base::StartsWithNoCase(volume, L"\\Device\\")) return L"";
  wchar_t name[MAX_PATH] = {};
  HANDLE search = FindFirstVolumeW(name, MAX_PATH);
  if (search == INVALID_HANDLE_VALUE) return L"";
  std::wstring root;
  do {
    // QueryDosDevice takes the volume's name without "\\?\" and the final backslash.
    std::wstring path = name;
    if (path.size() < 6 || path.back() != L'\\') continue;
    wchar_t target[MAX_PATH] = {};
    if (!QueryDosDeviceW(path.substr(4, path.size() - 5).c_str(), target, MAX_PATH) ||
        !base::EqualsNoCase(target, volume))
      continue;
    wchar_t mounts[MAX_PATH] = {};
    DWORD length = 0;
    root = GetVolumePathNamesForVolumeNameW(name, mounts, MAX_PATH, &length) && mounts[0] ? mounts : path;
    break;
  } while (FindNextVolumeW(search, name, MAX_PATH));
  FindVolumeClose(search);
  return root;
}
