// bcdedit.exe stand-in: journal the command line, refuse to run outside Wine, run the command.
#include <windows.h>

#include "bcdedit/BcdEdit.h"
#include "common/CommandLine.h"
#include "common/Console.h"
#include "common/Journal.h"
#include "common/RegistryStore.h"
#include "common/WineCheck.h"

int wmain() {
  const wchar_t* commandLine = GetCommandLineW();
  standin::AppendJournal(commandLine);
  standin::Console console;
  if (int refused = standin::RefuseOutsideWine(GetModuleHandleW(L"ntdll.dll"), L"bcdedit.exe", console)) {
    console.Flush();
    return refused;
  }
  std::vector<std::wstring> args = standin::SplitCommandLine(commandLine);
  args.erase(args.begin());
  int code = standin::BcdEdit(console, standin::SystemStoreRoot()).Run(args);
  console.Flush();
  return code;
}
