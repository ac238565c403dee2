// The wpeutil.exe stand-in: records the requested command (Reboot, Shutdown, ...) and exits; it never
// ends the Wine session.
#pragma once
#include <string>
#include <vector>

#include "common/Console.h"

namespace standin {

// args: the arguments after the program name. Returns the exit code.
int RunWpeutil(const std::vector<std::wstring>& args, Console& console);

}  // namespace standin
