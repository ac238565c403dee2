// The schtasks.exe stand-in: registers tasks from their XML definition (/create /xml), deletes and
// queries them, and keeps each task's definition under HKLM\Software\VexaStandIns\schtasks, one
// value per task name, where tests read what was registered. Nothing is ever scheduled or run.
#pragma once
#include <string>
#include <vector>

#include "common/Console.h"

namespace standin {

// args: the arguments after the program name. Returns the exit code.
int RunSchtasks(const std::vector<std::wstring>& args, Console& console);

// Why a task definition would not be registered: empty when it would, else the tool's ERROR line.
// Checks that the tags nest, that "&" starts a reference, that there is one Task root with an
// Exec action naming a Command, and the values the scheduler itself refuses.
std::wstring TaskXmlError(const std::wstring& xml);

}  // namespace standin
