// The shutdown.exe stand-in: records the requested shutdown or restart (/r /fw /t 0, ...) and exits;
// it never touches the Wine session, which Wine's own shutdown.exe would restart.
#pragma once
#include <string>
#include <vector>

#include "common/Console.h"

namespace standin {

// args: the arguments after the program name. Returns the exit code.
int RunShutdown(const std::vector<std::wstring>& args, Console& console);

}  // namespace standin
