// The manage-bde.exe stand-in.
#include "manage-bde/ManageBde.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <cwctype>

#include "common/Journal.h"
#include "common/StandinState.h"
#include "common/Text.h"

namespace standin {

namespace {

constexpr wchar_t kStateTool[] = L"manage-bde";
// The tool ends with the HRESULT of what went wrong as its exit code.
constexpr DWORD kInvalidArgument = 0x80070057;
constexpr DWORD kAccessDenied = 0x80070005;
constexpr DWORD kNotEncrypted = 0x80310001;
// -RebootCount takes 0 to 15; 0 keeps protection off until it is resumed.
constexpr std::uint64_t kMostRestarts = 15;

int Exit(DWORD code) { return static_cast<int>(code); }

void Banner(Console& console) {
  console.Line(L"BitLocker Drive Encryption: Configuration Tool version 10.0.19041");
  console.Line(L"Copyright (C) 2013 Microsoft Corporation. All rights reserved.");
  console.Line();
}

int Usage(Console& console, DWORD code) {
  console.Line(L"manage-bde[.exe] -parameter [arguments]");
  console.Line();
  console.Line(L"    -status     Provides information about BitLocker-capable volumes.");
  console.Line(L"    -protectors Manages protection methods for the encryption key.");
  console.Line(L"    -? or /?    Displays brief help. Use -?, -h, -help for more information.");
  console.Line();
  console.Line(L"This copy is a test stand-in: it reports and changes only what tests recorded.");
  return Exit(code);
}

// "-Status" and "/status" are the option "status"; an operand gives an empty name.
std::wstring OptionName(const std::wstring& arg) {
  if (arg.size() < 2 || (arg[0] != L'-' && arg[0] != L'/')) return {};
  return Lower(arg.substr(1));
}

bool IsVolume(const std::wstring& drive) {
  if (drive.size() != 2 || !std::iswalpha(drive[0]) || drive[1] != L':') return false;
  UINT type = GetDriveTypeW((drive + L"\\").c_str());
  return type != DRIVE_NO_ROOT_DIR && type != DRIVE_UNKNOWN;
}

std::wstring SystemDrive() {
  std::wstring drive = EnvironmentValue(L"SystemDrive");
  return drive.empty() ? L"C:" : Upper(drive);
}

struct DriveState {
  bool encrypted = false;
  bool protectionOn = false;
  std::uint64_t restartsLeft = 0;  // while suspended; 0: until resumed
};

DriveState ReadDrive(const std::wstring& drive) {
  std::wstring value = Lower(ReadState(kStateTool, drive));
  DriveState state;
  if (value == L"on") {
    state.encrypted = state.protectionOn = true;
  } else if (StartsWithNoCase(value, L"suspended ") && ParseNumber(value.substr(10), state.restartsLeft)) {
    state.encrypted = true;
  }
  return state;
}

int Error(Console& console, DWORD code, const std::wstring& message) {
  wchar_t hex[11];
  swprintf(hex, 11, L"0x%08lx", static_cast<unsigned long>(code));
  console.Line(L"ERROR: An error occurred (code " + std::wstring(hex) + L"):");
  console.Line(message);
  return Exit(code);
}

int VolumeNotOpened(Console& console, const std::wstring& drive) {
  console.Line(L"ERROR: The volume " + drive + L" could not be opened by BitLocker. This may be because the volume "
               L"does not exist, or because it is not a valid BitLocker volume.");
  return Exit(kInvalidArgument);
}

void Row(Console& console, const std::wstring& name, const std::wstring& value) {
  std::wstring line = L"    " + name + L":";
  if (!value.empty()) line.resize(26, L' ');
  console.Line(line + value);
}

int Status(const std::wstring& drive, bool asErrorLevel, Console& console) {
  if (!IsVolume(drive)) return VolumeNotOpened(console, drive);
  DriveState state = ReadDrive(drive);
  console.Line(L"Disk volumes that can be protected with");
  console.Line(L"BitLocker Drive Encryption:");
  console.Line(L"Volume " + drive + L" []");
  console.Line(drive == SystemDrive() ? L"[OS Volume]" : L"[Data Volume]");
  console.Line();
  Row(console, L"Size", L"237.84 GB");
  Row(console, L"BitLocker Version", state.encrypted ? L"2.0" : L"None");
  Row(console, L"Conversion Status", state.encrypted ? L"Used Space Only Encrypted" : L"Fully Decrypted");
  Row(console, L"Percentage Encrypted", state.encrypted ? L"100.0%" : L"0.0%");
  Row(console, L"Encryption Method", state.encrypted ? L"XTS-AES 128" : L"None");
  std::wstring protection = state.protectionOn ? L"Protection On" : L"Protection Off";
  if (state.encrypted && !state.protectionOn && state.restartsLeft > 0)
    protection += L" (" + std::to_wstring(state.restartsLeft) + L" reboots left)";
  Row(console, L"Protection Status", protection);
  Row(console, L"Lock Status", L"Unlocked");
  Row(console, L"Identification Field", state.encrypted ? L"Unknown" : L"None");
  if (state.encrypted) {
    Row(console, L"Key Protectors", L"");
    console.Line(L"        TPM");
    console.Line(L"        Numerical Password");
  } else {
    Row(console, L"Key Protectors", L"None Found");
  }
  console.Line();
  if (!asErrorLevel) return 0;
  return state.protectionOn ? 0 : 1;
}

// -protectors -disable|-enable drive [-RebootCount n]
int Protectors(const std::vector<std::wstring>& args, Console& console) {
  if (args.size() < 3) return Usage(console, kInvalidArgument);
  std::wstring action = OptionName(args[1]);
  std::wstring drive = Upper(args[2]);
  bool disable = action == L"disable";
  if ((!disable && action != L"enable") || !OptionName(drive).empty()) return Usage(console, kInvalidArgument);
  std::uint64_t restarts = 1;
  if (args.size() == 5 && disable && (OptionName(args[3]) == L"rebootcount" || OptionName(args[3]) == L"rc")) {
    if (!ParseNumber(args[4], restarts) || restarts > kMostRestarts) return Usage(console, kInvalidArgument);
  } else if (args.size() != 3) {
    return Usage(console, kInvalidArgument);
  }
  if (!IsVolume(drive)) return VolumeNotOpened(console, drive);
  if (!ReadDrive(drive).encrypted)
    return Error(console, kNotEncrypted, L"BitLocker Drive Encryption is not enabled on this drive. Turn on BitLocker.");
  std::wstring state = disable ? L"suspended " + std::to_wstring(restarts) : L"on";
  if (!RecordState(kStateTool, drive, state)) return Error(console, kAccessDenied, L"Access is denied.");
  console.Line(L"Key protectors are " + std::wstring(disable ? L"disabled" : L"enabled") + L" for volume " + drive +
               L".");
  return 0;
}

}  // namespace

int RunManageBde(const std::vector<std::wstring>& args, Console& console) {
  Banner(console);
  std::wstring command = args.empty() ? L"" : OptionName(args[0]);
  if (command == L"?" || command == L"h" || command == L"help") return Usage(console, 0);
  if (command == L"protectors") return Protectors(args, console);
  if (command != L"status") return Usage(console, kInvalidArgument);
  // -status [drive] [-protectionaserrorlevel]; without a drive, the system drive.
  std::wstring drive;
  bool asErrorLevel = false;
  for (size_t i = 1; i < args.size(); ++i) {
    std::wstring option = OptionName(args[i]);
    if (option == L"protectionaserrorlevel" || option == L"p") {
      asErrorLevel = true;
    } else if (option.empty() && drive.empty()) {
      drive = Upper(args[i]);
    } else {
      return Usage(console, kInvalidArgument);
    }
  }
  return Status(drive.empty() ? SystemDrive() : drive, asErrorLevel, console);
}

}  // namespace standin
