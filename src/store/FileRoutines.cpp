// Small file and path routines used across the program.
#include <windows.h>

#include <cwctype>
#include <vector>

#include "store/FileRoutines.h"

namespace {

bool IsDirectory(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool HasDrive(const std::wstring& path) { return path.size() >= 2 && path[1] == L':' && iswalpha(path[0]); }

// The part of an absolute path ".." never climbs above: "C:\\", "\\\\server\\share\\", "\\".
size_t RootLength(const std::wstring& path) {
  if (HasDrive(path)) return path.size() > 2 && path[2] == L'\\' ? 3 : 2;
  if (path.compare(0, 2, L"\\\\") == 0) {
    size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos) return path.size();
    size_t share = path.find(L'\\', server + 1);
    return share == std::wstring::npos ? path.size() : share + 1;
  }
  return !path.empty() && path[0] == L'\\' ? 1 : 0;
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

std::wstring CombineWithFolder(const std::wstring& folder, const std::wstring& path) {
  std::wstring combined = path;
  for (wchar_t& c : combined)
    if (c == L'/') c = L'\\';
  if (HasDrive(combined) || combined.compare(0, 2, L"\\\\") == 0) {
    // Absolute already.
  } else if (!combined.empty() && combined[0] == L'\\') {
    combined = (HasDrive(folder) ? folder.substr(0, 2) : std::wstring()) + combined;
  } else {
    combined = AddTrailingSlash(folder) + combined;
  }

  size_t root = RootLength(combined);
  std::vector<std::wstring> parts;
  size_t start = root;
  while (start <= combined.size()) {
    size_t end = combined.find(L'\\', start);
    if (end == std::wstring::npos) end = combined.size();
    std::wstring part = combined.substr(start, end - start);
    if (part == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (part != L"." && (!part.empty() || end == combined.size())) {
      // An empty last part keeps the final backslash: such a name is a folder and must stay one.
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::wstring result = combined.substr(0, root);
  for (size_t i = 0; i < parts.size(); ++i) result += (i ? L"\\" : L"") + parts[i];
  return result;
}
