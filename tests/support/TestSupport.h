// Helpers shared by the tests: paths into the build folder, temporary folders, registry clean-up,
// scripted seams, environment variables, console runs (the stand-ins among them) and, through
// WindowTest.h, what window tests use. Tests of the program's own state start from StoreSandbox.h.
#pragma once
#include <windows.h>

#include <string>

#include "WindowTest.h"
#include "win/Seams.h"

namespace testing_support {

// The build folder as Wine sees it (Z:\...), with a trailing backslash.
std::wstring BuildDir();
// A file of the build folder, by its path relative to it ("standins\\bcdedit.exe").
std::wstring BuildFile(const std::wstring& relative);

// A fresh folder under %TEMP% laid out like the program's own (with bin\ and bin64\), removed with
// everything in it, whatever its attributes, when the test ends.
class TempProgramFolder {
 public:
  TempProgramFolder();
  ~TempProgramFolder();
  TempProgramFolder(const TempProgramFolder&) = delete;
  TempProgramFolder& operator=(const TempProgramFolder&) = delete;

  // Folder path with a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& relative) const { return path_ + relative; }
  // Copies a built file into the folder (relative names on both sides); true on success.
  bool CopyFromBuild(const std::wstring& buildRelative, const std::wstring& folderRelative) const;
  bool WriteText(const std::wstring& relative, const std::string& bytes) const;
  std::string ReadText(const std::wstring& relative) const;

 private:
  std::wstring path_;
};

// Deletes a registry key with all its subkeys when the test ends (and before it starts).
class RegistryKeyGuard {
 public:
  RegistryKeyGuard(HKEY root, std::wstring subkey);
  ~RegistryKeyGuard();
  RegistryKeyGuard(const RegistryKeyGuard&) = delete;
  RegistryKeyGuard& operator=(const RegistryKeyGuard&) = delete;

 private:
  HKEY root_;
  std::wstring subkey_;
};

// Installs a SeamScript for the scope of a test.
class ScopedSeams {
 public:
  ScopedSeams() { previous_ = win::InstallSeamScript(&script); }
  ~ScopedSeams() { win::InstallSeamScript(previous_); }
  ScopedSeams(const ScopedSeams&) = delete;
  ScopedSeams& operator=(const ScopedSeams&) = delete;

  win::SeamScript script;

 private:
  win::SeamScript* previous_;
};

// Sets an environment variable for the scope of a test (children inherit it).
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::wstring name, const std::wstring& value);
  ~ScopedEnvironment();

 private:
  std::wstring name_;
  std::wstring previous_;
  bool hadPrevious_;
};

// What a console program printed (standard output and error, as bytes) and its exit code.
struct CapturedRun {
  bool started = false;
  DWORD exitCode = static_cast<DWORD>(-1);
  std::string output;
};
// Starts commandLine exactly as given (in directory, or ours when empty), reads its output until
// the pipe closes and waits for it to end.
CapturedRun RunCaptured(const std::wstring& commandLine, const std::wstring& directory = L"");

// Runs build\standins\<tool>.exe (quoted) followed by arguments exactly as given, in the caller's
// environment (VEXA_BCD_ROOT, VEXA_TOOL_JOURNAL).
CapturedRun RunBuiltStandin(const std::wstring& tool, const std::wstring& arguments);
// Replaces the system store (HKLM\BCD00000000, or the key VEXA_BCD_ROOT names) with the demo store;
// the seeding run is kept out of any journal.
bool SeedDemoStore();

// A language or settings file as the profile functions read it in any code page: UTF-16LE with a
// byte-order mark, lines separated by CR LF ('\n' in text becomes CR LF).
std::string Utf16File(const std::wstring& text);
// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace testing_support
