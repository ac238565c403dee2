// schtasks.exe stand-in: journal the command line, refuse to run outside Wine, keep the tasks.
#include <windows.h>

#include "common/CommandLine.h"
#include "common/Console.h"
#include "common/Journal.h"
#include "common/WineCheck.h"
#include "schtasks/Schtasks.h"

int wmain() {
  const wchar_t* commandLine = GetCommandLineW();
  standin::AppendJournal(commandLine);
  standin::Console console;
  int code = standin::RefuseOutsideWine(GetModuleHandleW(L"ntdll.dll"), L"schtasks.exe", console);
  if (code == 0) {
    std::vector<std::wstring> args = standin::SplitCommandLine(commandLine);
    args.erase(args.begin());
    code = standin::RunSchtasks(args, console);
  }
  console.Flush();
  return code;
}
