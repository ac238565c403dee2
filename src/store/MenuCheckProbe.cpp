// Volumes and files of the boot menu check, looked up through Windows.
#include "store/MenuCheckProbe.h"

#include <windows.h>

#include "base/AppSettings.h"
#include "base/Strings.h"
#include "core/Portable.h"
#include "store/EntryList.h"

namespace {

using Wow64FsRedirectionFn = BOOL(WINAPI*)(PVOID*);

// A 32-bit program on 64-bit Windows sees SysWOW64 where a loader's \Windows\system32 is: the
// look-ups are made without that redirection.
class NativeFileSystem {
 public:
  NativeFileSystem() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto disable = reinterpret_cast<Wow64FsRedirectionFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
    revert_ = reinterpret_cast<Wow64FsRedirectionFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
    disabled_ = disable && revert_ && disable(&state_);
  }
  ~NativeFileSystem() {
    if (disabled_) revert_(&state_);
  }
  NativeFileSystem(const NativeFileSystem&) = delete;
  NativeFileSystem& operator=(const NativeFileSystem&) = delete;

 private:
  Wow64FsRedirectionFn revert_ = nullptr;
  PVOID state_ = nullptr;
  bool disabled_ = false;
};

std::wstring Folded(std::wstring text) {
  for (wchar_t& unit : text) unit = core::UpperCaseUnit(unit);
  return text;
}

bool IsDriveLetter(const std::wstring& volume) {
  return volume.size() == 2 && volume[1] == L':' &&
         ((volume[0] >= L'A' && volume[0] <= L'Z') || (volume[0] >= L'a' && volume[0] <= L'z'));
}

}  // namespace

std::wstring SystemProbe::DriveOf(const std::wstring& volume) const {
  if (IsDriveLetter(volume)) return volume;
  if (!base::StartsWithNoCase(volume, L"\\Device\\")) return L"";
  if (!devicesMapped_) {
    devicesMapped_ = true;
    // The tool names a partition without a letter by its device; a letter may map to it all the same.
    DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
      if (!(drives & (1u << (letter - L'A')))) continue;
      const wchar_t drive[3] = {letter, L':', 0};
      wchar_t target[MAX_PATH] = {};
      if (QueryDosDeviceW(drive, target, MAX_PATH)) deviceDrives_.emplace(Folded(target), drive);
    }
  }
  auto found = deviceDrives_.find(Folded(volume));
  return found == deviceDrives_.end() ? L"" : found->second;
}

Presence SystemProbe::Volume(const std::wstring& volume) const {
  const std::wstring drive = DriveOf(volume);
  // "boot", "locate" and a partition without a letter are no volume this Windows can look into.
  if (drive.empty()) return Presence::kCannotCheck;
  const std::wstring key = Folded(drive);
  auto known = drives_.find(key);
  if (known != drives_.end()) return known->second;
  const UINT type = GetDriveTypeW((drive + L"\\").c_str());
  Presence presence = type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN ? Presence::kMissing : Presence::kPresent;
  // A drive with no medium in it (an empty card reader) cannot be looked into either.
  if (presence == Presence::kPresent) {
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (GetFileAttributesW((drive + L"\\").c_str()) == INVALID_FILE_ATTRIBUTES) presence = Presence::kCannotCheck;
    SetErrorMode(oldMode);
  }
  drives_.emplace(key, presence);
  return presence;
}

Presence SystemProbe::File(const std::wstring& volume, const std::wstring& path) const {
  if (Volume(volume) != Presence::kPresent) return Presence::kCannotCheck;
  if (path.empty() || path.front() != L'\\') return Presence::kCannotCheck;
  NativeFileSystem native;
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const DWORD attributes = GetFileAttributesW((DriveOf(volume) + path).c_str());
  const DWORD error = GetLastError();
  SetErrorMode(oldMode);
  if (attributes != INVALID_FILE_ATTRIBUTES) return Presence::kPresent;
  // Only "not there" is missing; a refusal (access denied, a locked volume) says nothing.
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Presence::kMissing : Presence::kCannotCheck;
}

MenuCheckInput MenuCheckInputOf(const EntryList& list) {
  MenuCheckInput input;
  input.manager = list.bootManager;
  for (const BootEntry& entry : list.entries) {
    if (entry.sourceKind == kSourceBootIni) {
      input.bootIniPresent = true;
      input.bootIniLines.push_back({entry.GetPath(), entry.description});
    } else if (!entry.elements.empty()) {
      // A menu line whose object the store lacks stays a line of the list, but it was never read:
      // it is no object of the store.
      input.objects.push_back(entry);
    }
  }
  for (const BootEntry& object : list.otherObjects) input.objects.push_back(object);
  input.allObjectsKnown = list.wholeStoreRead;
  if (input.bootIniPresent) {
    input.bootIniDefault = list.iniDefault;
    const std::wstring& file = AppSettings.bootIniPath;
    input.bootIniDrive = file.size() >= 2 && file[1] == L':' ? file.substr(0, 2) : L"C:";
  }
  return input;
}

std::vector<Finding> CheckEntryList(const EntryList& list, const MachineProbe& probe) {
  MenuCheckInput input = MenuCheckInputOf(list);
  std::vector<Finding> findings = CheckMenu(input, probe);
  const std::wstring& running = list.currentOs.identifier;
  if (running.empty()) return findings;
  // The running system's own files are not in question: drop what was said of them, keep what
  // was said of where it is named (a menu line, a duplicate of it).
  std::vector<Finding> kept;
  for (Finding& finding : findings) {
    const bool ownFile = (finding.kind == FindingKind::kFileMissing || finding.kind == FindingKind::kFileUnchecked) &&
                         base::EqualsNoCase(finding.identifier, running);
    if (!ownFile) kept.push_back(std::move(finding));
  }
  return kept;
}
