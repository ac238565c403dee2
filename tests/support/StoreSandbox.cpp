// The sandbox every test of the program's state starts from.
#include "StoreSandbox.h"

#include <gtest/gtest.h>

#include "base/Format.h"

namespace testing_support {

namespace {

constexpr wchar_t kJournalFile[] = L"journal.txt";

// Unique to the process and the sandbox, so the machine's own store is never touched.
std::wstring PrivateStoreKey() {
  static int counter = 0;
  return L"VexaTestStore" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(counter++);
}

// Wine's own shutdown.exe would restart the Wine session the tests run in, and its schtasks.exe keeps
// no task a test could read, so the prefix's system folders get the stand-ins for good, once per
// test program (scripts/seed-demo.sh does the same for the demo prefix). A missing SysNative only
// means a 32-bit prefix.
void ReplaceWineTools() {
  static bool replaced = false;
  if (replaced) return;
  replaced = true;
  wchar_t buffer[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  std::wstring system(buffer, length < MAX_PATH ? length : 0);
  length = GetWindowsDirectoryW(buffer, MAX_PATH);
  std::wstring native = std::wstring(buffer, length < MAX_PATH ? length : 0) + L"\\SysNative";
  for (const wchar_t* tool : {L"shutdown.exe", L"schtasks.exe"}) {
    std::wstring source = BuildFile(std::wstring(L"standins\\") + tool);
    if (!CopyFileW(source.c_str(), (system + L"\\" + tool).c_str(), FALSE))
      ADD_FAILURE() << "the stand-in could not replace Wine's " << tool;
    if (GetFileAttributesW(native.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !CopyFileW(source.c_str(), (native + L"\\" + tool).c_str(), FALSE))
      ADD_FAILURE() << "the stand-in could not replace Wine's 64-bit " << tool;
  }
}

}  // namespace

StoreSandbox::StoreSandbox(Tools tools, int wow64)
    : storeKey(PrivateStoreKey()),
      wow64_(wow64),
      journalVariable_(L"VEXA_TOOL_JOURNAL", folder.File(kJournalFile)),
      storeVariable_(L"VEXA_BCD_ROOT", storeKey),
      storeGuard_(HKEY_LOCAL_MACHINE, storeKey),
      // Where the bootsect, wpeutil, shutdown and schtasks stand-ins record what they did.
      standinStateGuard_(HKEY_LOCAL_MACHINE, L"Software\\VexaStandIns"),
      savedRunner_(Runner()),
      savedSettings_(AppSettings) {
  ReplaceWineTools();
  if (tools == Tools::kStandins) {
    for (const wchar_t* tool : {L"bcdedit.exe", L"bootsect.exe", L"wpeutil.exe", L"shutdown.exe"}) {
      if (!CopyFileW(BuildFile(std::wstring(L"standins\\") + tool).c_str(), (ToolDir() + tool).c_str(), FALSE))
        ADD_FAILURE() << "the stand-in " << tool << " could not be placed";
    }
  }
  PointRunner(wow64);
  // A fresh run, without the copy of the store before its first change (it would stand in every
  // journal) unless a test switches it on.
  Runner().changes = RunChanges{};
  AppSettings.toolsAvailable = tools == Tools::kStandins;
  AppSettings.bcdSystem = true;
  AppSettings.storeKeyName = storeKey;
}

StoreSandbox::~StoreSandbox() {
  Runner() = savedRunner_;
  AppSettings = savedSettings_;
  for (auto file = placed_.rbegin(); file != placed_.rend(); ++file) {
    SetFileAttributesW(file->path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (file->attributes == INVALID_FILE_ATTRIBUTES) {
      DeleteFileW(file->path.c_str());
    } else {
      WriteFileBytes(file->path, file->bytes);
      SetFileAttributesW(file->path.c_str(), file->attributes);
    }
  }
  for (auto made = madeFolders_.rbegin(); made != madeFolders_.rend(); ++made) RemoveDirectoryW(made->c_str());
}

void StoreSandbox::PointRunner(int wow64) {
  wow64_ = wow64;
  BcdEditRunner& runner = Runner();
  runner.isWow64 = wow64;
  runner.programDir = folder.Path();
  runner.storeFile.clear();
  runner.toolDir.clear();
  runner.EnsureToolDir();
}

bool StoreSandbox::SeedDemo() const { return SeedDemoStore(); }

bool StoreSandbox::SeedUefiDemo() const {
  ScopedEnvironment noJournal(L"VEXA_TOOL_JOURNAL", L"");
  return RunBuiltStandin(L"bcdedit", L" /vexa-seed-demo uefi").exitCode == 0;
}

CapturedRun StoreSandbox::RunTool(const std::wstring& tool, const std::wstring& arguments) const {
  ScopedEnvironment noJournal(L"VEXA_TOOL_JOURNAL", L"");
  return RunBuiltStandin(tool, arguments);
}

bool StoreSandbox::SetElement(const std::wstring& identifier, const std::wstring& element, DWORD type, const void* data,
                              DWORD size) const {
  std::wstring subkey = storeKey + L"\\Objects\\" + identifier + L"\\Elements\\" + element;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG result = RegSetValueExW(key, L"Element", 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool StoreSandbox::SetElementText(const std::wstring& identifier, const std::wstring& element, const std::wstring& text,
                                  DWORD type) const {
  return SetElement(identifier, element, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool StoreSandbox::SetElementInteger(const std::wstring& identifier, const std::wstring& element,
                                     std::uint64_t value) const {
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return SetElementBytes(identifier, element, bytes);
}

bool StoreSandbox::SetElementBytes(const std::wstring& identifier, const std::wstring& element,
                                   const std::string& bytes) const {
  return SetElement(identifier, element, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

std::vector<std::wstring> StoreSandbox::Journal() const {
  std::wstring text = base::Widen(folder.ReadText(kJournalFile), CP_UTF8);
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t end = text.find(L"\r\n"); end != std::wstring::npos; end = text.find(L"\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void StoreSandbox::ClearJournal() const { DeleteFileW(folder.File(kJournalFile).c_str()); }

std::vector<std::wstring> StoreSandbox::TakeJournal() const {
  std::vector<std::wstring> lines = Journal();
  ClearJournal();
  return lines;
}

std::wstring StoreSandbox::LineFor(const std::wstring& arguments) const {
  return ToolDir() + L"bcdedit.exe " + arguments;
}

std::wstring StoreSandbox::ArgumentsOf(const std::wstring& line) const {
  std::wstring prefix = LineFor(L"");
  return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

void StoreSandbox::KeepFile(const std::wstring& path) {
  PlacedFile before{path, GetFileAttributesW(path.c_str()), {}};
  if (before.attributes != INVALID_FILE_ATTRIBUTES) {
    before.bytes = ReadFileBytes(path);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  placed_.push_back(before);
}

bool StoreSandbox::PlaceFile(const std::wstring& path, const std::string& bytes) {
  for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
    const std::wstring parent = path.substr(0, slash);
    if (CreateDirectoryW(parent.c_str(), nullptr)) madeFolders_.push_back(parent);
  }
  KeepFile(path);
  return WriteFileBytes(path, bytes);
}

bool StoreSandbox::PlaceDemoMachine() {
  // The test prefixes have a D: (scripts/common.sh); the Win32 way of making one, DefineDosDevice,
  // makes no drive files can be opened on under Wine.
  if (GetDriveTypeW(L"D:\\") == DRIVE_NO_ROOT_DIR) return false;
  for (const wchar_t* file : {L"D:\\Windows\\system32\\winload.exe", L"C:\\sources\\boot.wim", L"C:\\boot\\boot.sdi",
                              L"C:\\VHD\\Windows8.vhd", L"C:\\grldr.mbr", L"C:\\CMDCONS\\BOOTSECT.DAT"}) {
    if (!PlaceFile(file, "demo")) return false;
  }
  return true;
}

bool StoreSandbox::RemoveFile(const std::wstring& path) {
  KeepFile(path);
  return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool StoreSandbox::PlaceManageBde(const wchar_t* state) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::wstring tool = std::wstring(windows) + L"\\SysNative\\manage-bde.exe";
  if (!state) return RemoveFile(tool);
  const wchar_t* key = L"Software\\VexaStandIns\\manage-bde";
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key, L"C:");
  DWORD size = static_cast<DWORD>((wcslen(state) + 1) * sizeof(wchar_t));
  if (*state && RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, L"C:", REG_SZ, state, size) != ERROR_SUCCESS) return false;
  return PlaceFile(tool, ReadFileBytes(BuildFile(L"standins\\manage-bde.exe")));
}

bool StoreSandbox::PlaceBootIni(const std::string& text) {
  AppSettings.bootIniPath = folder.File(L"boot.ini");
  return PlaceFile(AppSettings.bootIniPath, text);
}

ChildProcess StoreSandbox::StartProgram(const std::wstring& arguments) {
  if (GetFileAttributesW(folder.File(L"vexa.exe").c_str()) == INVALID_FILE_ATTRIBUTES &&
      !folder.CopyFromBuild(L"vexa.exe", L"vexa.exe"))
    ADD_FAILURE() << "vexa.exe could not be copied into the sandbox";
  return ChildProcess(L"\"" + folder.File(L"vexa.exe") + L"\"" + arguments, folder.Path());
}

}  // namespace testing_support
