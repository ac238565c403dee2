// Shell targets and help.
#include "app/Help.h"

#include <windows.h>

#include "base/AppSettings.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "win/Seams.h"

void OpenInShell(const std::wstring& target) {
  win::ShellRun(nullptr, L"open", target, L"", L"", SW_SHOWNORMAL);
}

void ChooseHelpFile() {
  std::wstring own = Runner().ProgramDir() + L"vexa_" + AppSettings.languageCode + L".chm";
  AppSettings.helpFile = FileExists(own) ? own : Runner().ProgramDir() + L"vexa.chm";
}

void ShowHelp(const std::wstring& helpFile) {
  OpenInShell(!helpFile.empty() && FileExists(helpFile) ? helpFile : std::wstring(kOnlineHelpPage));
}
