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
  for (const wchar_t* tool : {L"bcdedit", L"bootsect", L"wpeutil", L"shutdown", L"schtasks", L"manage-bde"})
    EXPECT_TRUE(folder_.CopyFromBuild(std::wstring(L"standins\\") + tool + L".exe", std::wstring(tool) + L".exe"));
}

StandinSandbox::~StandinSandbox() = default;

ToolResult StandinSandbox::Run(const std::wstring& tool, const std::wstring& arguments) const {
  return RunLine(L"\"" + ToolPath(tool) + L"\"" + arguments);
}

ToolResult StandinSandbox::RunLine(const std::wstring& commandLine) const {
  testing_support::CapturedRun run = testing_support::RunCaptured(commandLine, folder_.Path());
  if (!run.started) ADD_FAILURE() << "the stand-in could not be started";
  return {run.exitCode, run.output};
}

std::string StandinSandbox::BcdEdit(const std::wstring& arguments) const {
  ToolResult result = Run(L"bcdedit", arguments);
  EXPECT_EQ(result.exitCode, 0u) << result.output;
  return result.output;
}

void StandinSandbox::SeedDemo(const std::wstring& firmware) const {
  EXPECT_EQ(BcdEdit(L" /vexa-seed-demo" + (firmware.empty() ? L"" : L" " + firmware)),
            "The operation completed successfully.\r\n");
}

}  // namespace standin_tests
