// A temporary program folder with the bcdedit stand-in in bin64\, a journal of the command lines
// it received, a system store of its own (an HKLM key removed afterwards), and the process's runner
// and settings pointed at all that for the length of a test.
#pragma once
#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/AppSettings.h"
#include "store/BcdEditRunner.h"

namespace testing_support {

class ToolFixture {
 public:
  ToolFixture();
  ~ToolFixture();
  ToolFixture(const ToolFixture&) = delete;
  ToolFixture& operator=(const ToolFixture&) = delete;

  // Fills the fixture's system store with the demo store.
  bool SeedDemo() const;
  // Every command line the stand-in received since the fixture was made (or since ClearJournal).
  std::vector<std::wstring> Journal() const;
  void ClearJournal() const;
  // The arguments part of a journal line: everything after the tool path and its one blank.
  std::wstring ArgumentsOf(const std::wstring& line) const;
  // The command line the runner gives the stand-in for these arguments.
  std::wstring LineFor(const std::wstring& arguments) const;

  TempProgramFolder folder;
  const std::wstring storeKey;

 private:
  ScopedEnvironment journal_;
  ScopedEnvironment storeRoot_;
  RegistryKeyGuard storeGuard_;
  BcdEditRunner savedRunner_;
  AppSettingsRecord savedSettings_;
};

}  // namespace testing_support
