// Appends stand-in command lines to the journal file.
#include "common/Journal.h"

#include <windows.h>

#include "common/Text.h"

namespace standin {

std::wstring EnvironmentValue(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n);
  return value;
}

bool AppendJournal(std::wstring_view commandLine) {
  std::wstring path = EnvironmentValue(kJournalVariable);
  if (path.empty()) return true;
  std::string line = Narrow(commandLine, CP_UTF8) + "\r\n";
  // Several stand-ins may run at once (a caller's child starting another); wait out a brief lock.
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() != ERROR_SHARING_VIOLATION) return false;
      Sleep(20);
      continue;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) && written == line.size();
    CloseHandle(file);
    return ok;
  }
  return false;
}

}  // namespace standin
