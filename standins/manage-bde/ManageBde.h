// The manage-bde.exe stand-in: the protection status of a volume (-status, with
// -protectionaserrorlevel) and suspending or resuming its protection (-protectors -disable/-enable).
// Each drive's state is kept under HKLM\Software\VexaStandIns\manage-bde: "C:" = "on" (encrypted
// and protected), "suspended N" (key protectors disabled for N more restarts; 0: until resumed) or
// "off"; a drive without a value is not encrypted, as a drive with "off".
#pragma once
#include <string>
#include <vector>

#include "common/Console.h"

namespace standin {

// args: the arguments after the program name. Returns the exit code.
int RunManageBde(const std::vector<std::wstring>& args, Console& console);

}  // namespace standin
