// Test helpers: folders, registry, environment, console runs.
#include "TestSupport.h"

#include <atomic>

namespace testing_support {

std::wstring BuildDir() {
  std::wstring dir = L"Z:";
  for (const char* c = VEXA_BUILD_DIR; *c; ++c) dir += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  if (dir.back() != L'\\') dir += L'\\';
  return dir;
}

std::wstring BuildFile(const std::wstring& relative) { return BuildDir() + relative; }

namespace {

// Tests leave files hidden, system or read-only on purpose; none of that may keep them behind.
// folder ends in a backslash.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  std::wstring self = folder.substr(0, folder.size() - 1);
  SetFileAttributesW(self.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(self.c_str());
}

}  // namespace

TempProgramFolder::TempProgramFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"vexa-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(counter++) + L"\\";
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
  CreateDirectoryW((path_ + L"bin").c_str(), nullptr);
  CreateDirectoryW((path_ + L"bin64").c_str(), nullptr);
}

TempProgramFolder::~TempProgramFolder() { RemoveTree(path_); }

bool TempProgramFolder::CopyFromBuild(const std::wstring& buildRelative, const std::wstring& folderRelative) const {
  return CopyFileW(BuildFile(buildRelative).c_str(), File(folderRelative).c_str(), FALSE) != FALSE;
}

bool TempProgramFolder::WriteText(const std::wstring& relative, const std::string& bytes) const {
  return WriteFileBytes(File(relative), bytes);
}

std::string TempProgramFolder::ReadText(const std::wstring& relative) const { return ReadFileBytes(File(relative)); }

RegistryKeyGuard::RegistryKeyGuard(HKEY root, std::wstring subkey) : root_(root), subkey_(std::move(subkey)) {
  RegDeleteTreeW(root_, subkey_.c_str());
  RegDeleteKeyW(root_, subkey_.c_str());
}

RegistryKeyGuard::~RegistryKeyGuard() {
  RegDeleteTreeW(root_, subkey_.c_str());
  RegDeleteKeyW(root_, subkey_.c_str());
}

ScopedEnvironment::ScopedEnvironment(std::wstring name, const std::wstring& value) : name_(std::move(name)) {
  wchar_t buffer[32767];
  DWORD n = GetEnvironmentVariableW(name_.c_str(), buffer, 32767);
  hadPrevious_ = n > 0 && n < 32767;
  if (hadPrevious_) previous_.assign(buffer, n);
  SetEnvironmentVariableW(name_.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableW(name_.c_str(), hadPrevious_ ? previous_.c_str() : nullptr);
}

CapturedRun RunCaptured(const std::wstring& commandLine, const std::wstring& directory) {
  CapturedRun result;
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) return result;
  // The child must not hold the read end, or the pipe would never report its end.
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {sizeof(startup)};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  std::wstring line = commandLine;
  result.started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  directory.empty() ? nullptr : directory.c_str(), &startup, &process) != FALSE;
  CloseHandle(writeEnd);
  if (result.started) {
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

CapturedRun RunBuiltStandin(const std::wstring& tool, const std::wstring& arguments) {
  return RunCaptured(L"\"" + BuildFile(L"standins\\" + tool + L".exe") + L"\"" + arguments);
}

bool SeedDemoStore() {
  // An empty journal variable means no journal to the stand-ins.
  ScopedEnvironment noJournal(L"VEXA_TOOL_JOURNAL", L"");
  return RunBuiltStandin(L"bcdedit", L" /vexa-seed-demo").exitCode == 0;
}

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

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(file);
  return ok;
}

}  // namespace testing_support
