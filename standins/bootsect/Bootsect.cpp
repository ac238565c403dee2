// The bootsect.exe stand-in. What a volume holds is recorded under
// HKLM\Software\VexaStandIns\Bootsect as "C:" = "BOOTMGR" or "NTLDR", and for the master boot record
// "PhysicalDrive0" = "BOOTMGR" or "NTLDR" (every lettered volume of a Wine prefix is on one disk).
#include "bootsect/Bootsect.h"

#include <windows.h>

#include <cwctype>

#include "common/StandinState.h"
#include "common/Text.h"

namespace standin {

namespace {

void Usage(Console& console) {
  console.Line(L"bootsect {/help|/nt52|/nt60} {SYS|ALL|<DriveLetter>:} [/force] [/mbr]");
  console.Line();
  console.Line(L"Boot sector restoration tool");
  console.Line();
  console.Line(L"Bootsect.exe updates the master boot code for hard disk partitions in order to");
  console.Line(L"switch between BOOTMGR and NTLDR. You can use this tool to restore the boot");
  console.Line(L"sector on your computer.");
  console.Line();
  console.Line(L"Run \"bootsect /help\" for detailed usage instructions.");
}

bool IsDisk(const std::wstring& root) {
  UINT type = GetDriveTypeW(root.c_str());
  return type == DRIVE_FIXED || type == DRIVE_REMOVABLE;
}

std::wstring FileSystemOf(const std::wstring& root) {
  wchar_t name[MAX_PATH] = L"";
  if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH) || !*name)
    return L"NTFS";
  return name;
}

std::wstring VolumeLine(const std::wstring& drive) {
  wchar_t volume[MAX_PATH];
  if (GetVolumeNameForVolumeMountPointW((drive + L"\\").c_str(), volume, MAX_PATH)) return drive + L" (" + volume + L")";
  return drive;
}

}  // namespace

int RunBootsect(const std::vector<std::wstring>& args, Console& console) {
  std::wstring code;
  std::wstring target;
  bool mbr = false;
  for (const auto& arg : args) {
    if (EqualsNoCase(arg, L"/nt60") || EqualsNoCase(arg, L"/nt52")) {
      if (!code.empty()) {
        Usage(console);
        return 1;
      }
      code = EqualsNoCase(arg, L"/nt60") ? L"BOOTMGR" : L"NTLDR";
    } else if (EqualsNoCase(arg, L"/mbr")) {
      mbr = true;
    } else if (EqualsNoCase(arg, L"/force")) {
      // Dismounting is what /force is about; nothing is mounted here.
    } else if (EqualsNoCase(arg, L"/help") || arg == L"/?") {
      Usage(console);
      return 0;
    } else if (target.empty() && !arg.empty() && arg[0] != L'/') {
      target = arg;
    } else {
      Usage(console);
      return 1;
    }
  }
  if (code.empty() || target.empty()) {
    Usage(console);
    return 1;
  }

  console.Line(L"Target volumes will be updated with " + code + L" compatible bootcode.");
  console.Line();

  std::vector<std::wstring> drives;
  if (EqualsNoCase(target, L"SYS")) {
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    drives.push_back(std::wstring(windows, 2));
  } else if (EqualsNoCase(target, L"ALL")) {
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
      std::wstring drive = std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L":";
      if ((mask & (1u << i)) && IsDisk(drive + L"\\")) drives.push_back(drive);
    }
  } else if (target.size() == 2 && std::iswalpha(target[0]) && target[1] == L':' &&
             IsDisk(Upper(target) + L"\\")) {
    drives.push_back(Upper(target));
  } else {
    console.Line(L"Could not map drive \"" + target + L"\" to a volume: The system cannot find the file specified.");
    return 1;
  }

  for (const auto& drive : drives) {
    console.Line(VolumeLine(drive));
    console.Line();
    if (!RecordState(L"Bootsect", drive, code)) {
      console.Line(L"    Could not open the volume: Access is denied.");
      return 1;
    }
    console.Line(L"    Successfully updated " + FileSystemOf(drive + L"\\") + L" filesystem bootcode.");
    console.Line();
  }
  if (mbr) {
    console.Line(L"\\??\\PhysicalDrive0");
    console.Line();
    RecordState(L"Bootsect", L"PhysicalDrive0", code);
    console.Line(L"    Successfully updated disk bootcode.");
    console.Line();
  }
  console.Line(L"Bootcode was successfully updated on all targeted volumes.");
  return 0;
}

}  // namespace standin
