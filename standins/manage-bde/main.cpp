// manage-bde.exe stand-in: journal the command line, refuse to run outside Wine, report or change the
// recorded protection of a drive.
#include <windows.h>

#include "common/CommandLine.h"
#include "common/Console.h"
#include "common/Journal.h"
#include "common/WineCheck.h"
#include "manage-bde/ManageBde.h"

int wmain() {
  const wchar_t* commandLine = GetCommandLineW();
  standin::AppendJournal(commandLine);
  standin::Console console;
  int code = standin::RefuseOutsideWine(GetModuleHandleW(L"ntdll.dll"), L"manage-bde.exe", console);
  if (code == 0) {
    std::vector<std::wstring> args = standin::SplitCommandLine(commandLine);
    args.erase(args.begin());
    code = standin::RunManageBde(args, console);
  }
  console.Flush();
  return code;
}
