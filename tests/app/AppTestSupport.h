// Helpers of the application tests: language files, and resetting the settings record.
#pragma once
#include <string>

#include "app/AppSettings.h"

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

}  // namespace app_testing
