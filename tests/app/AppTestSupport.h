// Helpers of the application tests: language files, and resetting the settings record.
#pragma once
#include <string>

#include "store/BcdEditRunner.h"

#include "base/AppSettings.h"

namespace app_testing {

// A language or settings file as the profile functions read it in any code page: UTF-16LE with a
// byte-order mark, lines separated by CR LF ('\n' in text becomes CR LF).
std::string Utf16File(const std::wstring& text);

// Leaves AppSettings as the test found it.
class SettingsSnapshot {
 public:
  SettingsSnapshot() : saved_(AppSettings) {}
  ~SettingsSnapshot() { AppSettings = saved_; }

 private:
  AppSettingsRecord saved_;
};

// Points the process's tool runner at a program folder for the scope of a test.
class RunnerFolderScope {
 public:
  RunnerFolderScope(const std::wstring& programDir, int isWow64);
  ~RunnerFolderScope();

 private:
  std::wstring programDir_, toolDir_, storeFile_;
  int isWow64_;
};

// A file placed for a test (folders included) and deleted afterwards, unless it was there before.
class PlacedFile {
 public:
  PlacedFile(std::wstring path, const std::string& bytes);
  ~PlacedFile();
  bool placed() const { return placed_; }

 private:
  std::wstring path_;
  bool placed_ = false;
};

}  // namespace app_testing
