// Helpers of the application tests.
#include "AppTestSupport.h"

#include "TestSupport.h"

namespace app_testing {

std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    if (c == L'\n') {
      bytes += '\r';
      bytes += '\0';
    }
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

RunnerFolderScope::RunnerFolderScope(const std::wstring& programDir, int isWow64) {
  BcdEditRunner& runner = Runner();
  programDir_ = runner.programDir;
  toolDir_ = runner.toolDir;
  storeFile_ = runner.storeFile;
  isWow64_ = runner.isWow64;
  runner.programDir = programDir;
  runner.isWow64 = isWow64;
  runner.storeFile.clear();
  runner.toolDir.clear();
  runner.EnsureToolDir();
}

RunnerFolderScope::~RunnerFolderScope() {
  BcdEditRunner& runner = Runner();
  runner.programDir = programDir_;
  runner.toolDir = toolDir_;
  runner.storeFile = storeFile_;
  runner.isWow64 = isWow64_;
}

PlacedFile::PlacedFile(std::wstring path, const std::string& bytes) : path_(std::move(path)) {
  if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  placed_ = testing_support::WriteFileBytes(path_, bytes);
}

PlacedFile::~PlacedFile() {
  if (!placed_) return;
  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path_.c_str());
}

}  // namespace app_testing
