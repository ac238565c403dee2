// Shell targets and help.
#include "app/Help.h"

#include <windows.h>

#include "store/FileRoutines.h"
#include "win/Seams.h"

void OpenInShell(const std::wstring& target) {
  win::ShellRun(nullptr, L"open", target, L"", L"", SW_SHOWNORMAL);
}

void ShowHelp(const std::wstring& helpFile) {
  OpenInShell(!helpFile.empty() && FileExists(helpFile) ? helpFile : std::wstring(kOnlineHelpPage));
}
