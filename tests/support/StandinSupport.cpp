// Running the built stand-ins from tests.
#include "StandinSupport.h"

#include "TestSupport.h"

namespace testing_support {

StandinResult RunBuiltStandin(const std::wstring& tool, const std::wstring& arguments) {
  StandinResult result;
  result.exitCode = static_cast<DWORD>(-1);
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) return result;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {sizeof(startup)};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  std::wstring line = L"\"" + BuildFile(L"standins\\" + tool + L".exe") + L"\"" + arguments;
  BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                &startup, &process);
  CloseHandle(writeEnd);
  if (started) {
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) result.output.append(buffer, read);
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return result;
}

bool SeedDemoStore() {
  // An empty journal variable means no journal to the stand-ins.
  ScopedEnvironment noJournal(L"VEXA_TOOL_JOURNAL", L"");
  return RunBuiltStandin(L"bcdedit", L" /vexa-seed-demo").exitCode == 0;
}

}  // namespace testing_support
