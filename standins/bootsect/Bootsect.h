// The bootsect.exe stand-in: checks the target volumes, prints the real tool's messages and records
// which boot code each volume (and the disk's master boot record) now holds.
#pragma once
#include <string>
#include <vector>

#include "common/Console.h"

namespace standin {

// args: the arguments after the program name. Returns the exit code.
int RunBootsect(const std::vector<std::wstring>& args, Console& console);

}  // namespace standin
