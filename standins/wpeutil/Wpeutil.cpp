// The wpeutil.exe stand-in.
#include "wpeutil/Wpeutil.h"

#include "common/StandinState.h"
#include "common/Text.h"

namespace standin {

int RunWpeutil(const std::vector<std::wstring>& args, Console& console) {
  static const wchar_t* const kCommands[] = {
      L"Reboot",         L"Shutdown",          L"InitializeNetwork", L"WaitForNetwork",  L"DisableFirewall",
      L"EnableFirewall", L"CreatePageFile",    L"UpdateBootInfo",    L"SetKeyboardLayout", L"SetUserLocale",
      L"ListKeyboardLayouts", L"WaitForRemovableStorage", L"DisableExtendedCharactersForVolume",
      L"EnableExtendedCharactersForVolume",
  };
  if (args.empty()) {
    console.Line(L"Usage: wpeutil COMMAND [ARGUMENTS]");
    console.Line(L"Commands: Reboot, Shutdown, InitializeNetwork, WaitForNetwork, DisableFirewall, EnableFirewall, ...");
    return 1;
  }
  for (const wchar_t* command : kCommands) {
    if (!EqualsNoCase(args[0], command)) continue;
    std::wstring request = command;
    for (size_t i = 1; i < args.size(); ++i) request += L" " + args[i];
    if (!RecordState(L"Wpeutil", L"LastRequest", request)) {
      console.Line(L"Command failed with error 0x80070005.");
      return 1;
    }
    return 0;
  }
  console.Line(L"Unknown command: " + args[0]);
  return 1;
}

}  // namespace standin
