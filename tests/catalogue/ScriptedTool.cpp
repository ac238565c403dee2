// A console program that stands where a system tool is expected and answers whatever a test asks:
// the bytes of the file VEXA_SCRIPTED_OUTPUT names, written to standard output as they are, then
// the exit code VEXA_SCRIPTED_EXIT holds (0 when unset). It checks nothing and does nothing else,
// so the program's handling of odd output is tried while the faithful stand-ins stay faithful.
// With VEXA_SCRIPTED_ONLY_WHEN set, only a run whose arguments hold that text is answered so; every
// other run is handed to the program VEXA_SCRIPTED_OTHERWISE names (the faithful stand-in), with
// the same arguments and handles, and ends with its exit code: a tool that fails one step of many.
// VEXA_SCRIPTED_DELAY_MS makes every run, handed over or not, first wait that long: a slow tool.
// VEXA_SCRIPTED_LINGER_MS makes an answered run close its output and then live on that long: a
// tool that hangs after it has spoken.
// Test equipment only: never placed beside the program outside a test's own folder.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

bool Variable(const wchar_t* name, std::vector<wchar_t>& value) {
  value.assign(32768, L'\0');
  DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  return length > 0 && length < value.size();
}

// The command line past the program's own name.
const wchar_t* Arguments() {
  const wchar_t* line = GetCommandLineW();
  if (*line == L'"') {
    ++line;
    while (*line && *line != L'"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != L' ' && *line != L'\t') ++line;
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return line;
}

int HandOver(const wchar_t* program) {
  std::wstring command = std::wstring(L"\"") + program + L"\" " + Arguments();
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) return 9009;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int main() {
  std::vector<wchar_t> value;
  if (Variable(L"VEXA_SCRIPTED_DELAY_MS", value)) Sleep(static_cast<DWORD>(std::wcstoul(value.data(), nullptr, 10)));
  if (Variable(L"VEXA_SCRIPTED_ONLY_WHEN", value) && !std::wcsstr(Arguments(), value.data())) {
    return Variable(L"VEXA_SCRIPTED_OTHERWISE", value) ? HandOver(value.data()) : 9009;
  }
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (Variable(L"VEXA_SCRIPTED_OUTPUT", value)) {
    HANDLE file = CreateFileW(value.data(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char chunk[65536];
      DWORD read = 0;
      while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) {
        DWORD written = 0;
        if (!WriteFile(out, chunk, read, &written, nullptr)) break;
      }
      CloseHandle(file);
    }
  }
  int code = Variable(L"VEXA_SCRIPTED_EXIT", value) ? static_cast<int>(std::wcstol(value.data(), nullptr, 10)) : 0;
  if (Variable(L"VEXA_SCRIPTED_LINGER_MS", value)) {
    // Standard output and error are one handle when the program started us.
    CloseHandle(out);
    if (GetStdHandle(STD_ERROR_HANDLE) != out) CloseHandle(GetStdHandle(STD_ERROR_HANDLE));
    Sleep(static_cast<DWORD>(std::wcstoul(value.data(), nullptr, 10)));
  }
  return code;
}
