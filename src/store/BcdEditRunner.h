// Runs bcdedit.exe (and the other system tools) as a hidden child with captured output, and the
// small file and registry routines used across the program.
#pragma once
#include <windows.h>

#include <string>

class BcdEditRunner {
 public:
  // Detects WOW64 and sets the tool folder from the program folder.
  BcdEditRunner();
  virtual ~BcdEditRunner() = default;

  std::wstring toolDir;     // folder bcdedit.exe is started from, with trailing backslash
  std::wstring storeFile;   // another store file in use; empty = the system store
  int isWow64 = 0;
  std::wstring programDir;  // the program's folder with trailing backslash; filled on first use

  int DetectWow64();
  std::wstring ProgramDir();
  std::wstring ProgramPath(const std::wstring& relative);
  void EnsureToolDir();

  // Every bcdedit command and listing goes through here; bypassStore = 1 only for /export and /import.
  std::wstring Run(const std::wstring& arguments, int bypassStore = 0);
  std::wstring RunIn(const std::wstring& directory, const std::wstring& arguments, int bypassStore);
  // Starts directory + program with arguments, hidden, and returns what it printed; or "-1",
  // "CreatePipe Failed!", "CreateProcess Failed!".
  std::wstring Execute(const std::wstring& program, const std::wstring& directory, const std::wstring& arguments,
                       int settle);
};

// The process's one runner.
BcdEditRunner& Runner();

bool FileExists(const std::wstring& path);
bool MakeDirectories(const std::wstring& path);
bool CopyIntoDirectory(const std::wstring& source, const std::wstring& directory, const std::wstring& name,
                       bool failIfExists);
std::wstring AddTrailingSlash(const std::wstring& path);
std::wstring StripTrailingSlash(const std::wstring& path);
std::wstring FileNameOf(const std::wstring& path);
bool RegWriteString(HKEY root, const std::wstring& subkey, const std::wstring& name, const std::wstring& value);
bool RegRemoveValue(HKEY root, const std::wstring& subkey, const std::wstring& name);
bool RegKeyExists(HKEY root, const std::wstring& subkey, bool create, bool wow64);
std::wstring RegReadText(HKEY root, const std::wstring& subkey, const std::wstring& name, bool multi, bool wow64,
                         const std::wstring& fallback);
