// A console program that stands where a system tool is expected and answers whatever a test asks:
// the bytes of the file VEXA_SCRIPTED_OUTPUT names, written to standard output as they are, then
// the exit code VEXA_SCRIPTED_EXIT holds (0 when unset). It checks nothing and does nothing else,
// so the program's handling of odd output is tried while the faithful stand-ins stay faithful.
// Test equipment only: never placed beside the program outside a test's own folder.
#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

bool Variable(const wchar_t* name, std::vector<wchar_t>& value) {
  value.assign(32768, L'\0');
  DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  return length > 0 && length < value.size();
}

}  // namespace

int main() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  std::vector<wchar_t> value;
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
  return code;
}
