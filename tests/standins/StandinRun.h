// Runs a built stand-in as a child process in a temporary folder, with its own journal and its own
// registry key for the system store, and captures what it prints.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace standin_tests {

struct ToolResult {
  DWORD exitCode = 0;
  std::string output;  // standard output and error, as bytes
};

// Splits CR LF text into lines (without the line ends).
std::vector<std::string> Lines(const std::string& text);

// A temporary folder with the six stand-ins, a journal file named by VEXA_TOOL_JOURNAL and a
// private HKLM key named by VEXA_BCD_ROOT, all removed afterwards.
class StandinSandbox {
 public:
  StandinSandbox();
  ~StandinSandbox();

  // Starts "<folder>\tool.exe" (quoted) followed by arguments exactly as given.
  ToolResult Run(const std::wstring& tool, const std::wstring& arguments) const;
  // Starts a complete command line as given.
  ToolResult RunLine(const std::wstring& commandLine) const;
  // Runs bcdedit and fails the test when it does not succeed.
  std::string BcdEdit(const std::wstring& arguments) const;
  // The BIOS demo store; firmware L"uefi": the UEFI one.
  void SeedDemo(const std::wstring& firmware = L"") const;

  std::wstring ToolPath(const std::wstring& tool) const { return folder_.File(tool + L".exe"); }
  std::wstring File(const std::wstring& name) const { return folder_.File(name); }
  const std::wstring& Root() const { return root_; }
  std::string Journal() const { return folder_.ReadText(L"journal.txt"); }
  std::string ReadFileText(const std::wstring& name) const { return folder_.ReadText(name); }
  bool WriteText(const std::wstring& name, const std::string& bytes) const { return folder_.WriteText(name, bytes); }

 private:
  testing_support::TempProgramFolder folder_;
  std::wstring root_;
  testing_support::RegistryKeyGuard rootGuard_;
  testing_support::RegistryKeyGuard stateGuard_;
  testing_support::ScopedEnvironment journal_;
  testing_support::ScopedEnvironment rootVariable_;
};

}  // namespace standin_tests
