// The stand-in tool folder for store tests.
#include "ToolFixture.h"

#include "StandinSupport.h"
#include "base/Format.h"

namespace testing_support {

ToolFixture::ToolFixture()
    : storeKey(L"BCDVEXATEST" + std::to_wstring(GetCurrentProcessId())),
      journal_(L"VEXA_TOOL_JOURNAL", folder.File(L"journal.txt")),
      storeRoot_(L"VEXA_BCD_ROOT", storeKey),
      storeGuard_(HKEY_LOCAL_MACHINE, storeKey) {
  savedRunner_ = Runner();
  savedSettings_ = AppSettings;
  folder.CopyFromBuild(L"standins\\bcdedit.exe", L"bin64\\bcdedit.exe");
  BcdEditRunner& runner = Runner();
  runner.isWow64 = 1;
  runner.programDir = folder.Path();
  runner.toolDir = folder.File(L"bin64\\");
  runner.storeFile.clear();
  AppSettings.toolsAvailable = true;
  AppSettings.bcdSystem = true;
  AppSettings.storeKeyName = storeKey;
}

bool ToolFixture::SeedDemo() const { return SeedDemoStore(); }

ToolFixture::~ToolFixture() {
  Runner() = savedRunner_;
  AppSettings = savedSettings_;
}

std::vector<std::wstring> ToolFixture::Journal() const {
  std::wstring text = base::Widen(folder.ReadText(L"journal.txt"), CP_UTF8);
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t end = text.find(L"\r\n"); end != std::wstring::npos; end = text.find(L"\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void ToolFixture::ClearJournal() const { DeleteFileW(folder.File(L"journal.txt").c_str()); }

std::wstring ToolFixture::LineFor(const std::wstring& arguments) const {
  return folder.File(L"bin64\\bcdedit.exe") + L" " + arguments;
}

std::wstring ToolFixture::ArgumentsOf(const std::wstring& line) const {
  std::wstring prefix = folder.File(L"bin64\\bcdedit.exe") + L" ";
  return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

}  // namespace testing_support
