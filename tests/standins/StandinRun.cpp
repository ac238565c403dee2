// Child process runs of the stand-ins for the tests.
#include "StandinRun.h"

#include <gtest/gtest.h>

#include "common/StandinState.h"

namespace standin_tests {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

namespace {

std::wstring UniqueRoot() {
  static int counter = 0;
  return L"VexaStandinTest" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(counter++);
}

}  // namespace

StandinSandbox::StandinSandbox()
    : root_(UniqueRoot()),
      rootGuard_(HKEY_LOCAL_MACHINE, root_),
      stateGuard_(HKEY_LOCAL_MACHINE, standin::kStateKey),
      journal_(L"VEXA_TOOL_JOURNAL", folder_.File(L"journal.txt")),
      rootVariable_(L"VEXA_BCD_ROOT", root_) {
  for (const wchar_t* tool : {L"bcdedit", L"bootsect", L"wpeutil"})
    EXPECT_TRUE(folder_.CopyFromBuild(std::wstring(L"standins\\") + tool + L".exe", std::wstring(tool) + L".exe"));
}

StandinSandbox::~StandinSandbox() = default;

ToolResult StandinSandbox::Run(const std::wstring& tool, const std::wstring& arguments) const {
  return RunLine(L"\"" + ToolPath(tool) + L"\"" + arguments);
}

ToolResult StandinSandbox::RunLine(const std::wstring& commandLine) const {
  ToolResult result;
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) {
    ADD_FAILURE() << "CreatePipe failed";
    return result;
  }
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {sizeof(startup)};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  std::wstring line = commandLine;
  BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                folder_.Path().c_str(), &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    ADD_FAILURE() << "the stand-in could not be started";
    return result;
  }
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0) result.output.append(buffer, read);
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, 30000);
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

std::string StandinSandbox::BcdEdit(const std::wstring& arguments) const {
  ToolResult result = Run(L"bcdedit", arguments);
  EXPECT_EQ(result.exitCode, 0u) << result.output;
  return result.output;
}

void StandinSandbox::SeedDemo() const {
  EXPECT_EQ(BcdEdit(L" /vexa-seed-demo"), "The operation completed successfully.\r\n");
}

}  // namespace standin_tests
