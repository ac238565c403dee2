// shutdown.exe stand-in: journal the command line, refuse to run outside Wine, record the request.
#include <windows.h>

#include "common/CommandLine.h"
#include "common/Console.h"
#include "common/Journal.h"
#include "common/WineCheck.h"
#include "shutdown/Shutdown.h"

int wmain() {
  const wchar_t* commandLine = GetCommandLineW();
  standin::AppendJournal(commandLine);
  standin::Console console;
  int code = standin::RefuseOutsideWine(GetModuleHandleW(L"ntdll.dll"), L"shutdown.exe", console);
  if (code == 0) {
    std::vector<std::wstring> args = standin::SplitCommandLine(commandLine);
    args.erase(args.begin());
    code = standin::RunShutdown(args, console);
  }
  console.Flush();
  return code;
}
