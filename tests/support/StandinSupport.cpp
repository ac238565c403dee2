// Running the built stand-ins from tests.
#include "StandinSupport.h"

#include "TestSupport.h"

namespace testing_support {

StandinResult RunBuiltStandin(const std::wstring& tool, const std::wstring& arguments) {
  CapturedRun run = RunCaptured(L"\"" + BuildFile(L"standins\\" + tool + L".exe") + L"\"" + arguments);
  return {run.exitCode, run.output};
}

bool SeedDemoStore() {
  // An empty journal variable means no journal to the stand-ins.
  ScopedEnvironment noJournal(L"VEXA_TOOL_JOURNAL", L"");
  return RunBuiltStandin(L"bcdedit", L" /vexa-seed-demo").exitCode == 0;
}

}  // namespace testing_support
