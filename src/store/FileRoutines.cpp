// Small file and path routines used across the program.
#include <windows.h>

#include "store/BcdEditRunner.h"

namespace {

bool IsDirectory(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void MakeOne(const std::wstring& path) {
  if (path.empty()) return;
  if (CreateDirectoryW(path.c_str(), nullptr)) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeDirectories(const std::wstring& path) {
  if (IsDirectory(path)) return true;
  for (size_t slash = path.find(L'\\'); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
    MakeOne(path.substr(0, slash));
  }
  MakeOne(path);
  // Any directory will do: a folder marked read-only or system by desktop.ini is still a folder.
  return IsDirectory(path);
}

bool CopyIntoDirectory(const std::wstring& source, const std::wstring& directory, const std::wstring& name,
                       bool failIfExists) {
  MakeDirectories(directory);
  return CopyFileW(source.c_str(), (directory + name).c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

std::wstring AddTrailingSlash(const std::wstring& path) {
  if (path.empty() || path.back() == L'\\') return path;
  return path + L'\\';
}

std::wstring StripTrailingSlash(const std::wstring& path) {
  if (!path.empty() && path.back() == L'\\') return path.substr(0, path.size() - 1);
  return path;
}

std::wstring FileNameOf(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
