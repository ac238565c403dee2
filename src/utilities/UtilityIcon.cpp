// Icons of utilities through SHGetFileInfo.
#include "utilities/UtilityIcon.h"

#include <shellapi.h>
#include <shlobj.h>

#include "store/FileRoutines.h"

namespace {

// The file itself, or the first one of that name along the search path for programs (program
// folder, current folder, system folders, PATH); path as given when there is none.
std::wstring LocateFile(const std::wstring& path) {
  if (path.empty() || FileExists(path)) return path;
  wchar_t found[MAX_PATH] = {};
  DWORD length = SearchPathW(nullptr, path.c_str(), nullptr, MAX_PATH, found, nullptr);
  return length > 0 && length < MAX_PATH ? std::wstring(found) : path;
}

bool InternetFolderIcon(int& index) {
  PIDLIST_ABSOLUTE folder = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_INTERNET, &folder)) || !folder) return false;
  SHFILEINFOW info = {};
  DWORD_PTR found = SHGetFileInfoW(reinterpret_cast<LPCWSTR>(folder), 0, &info, sizeof(info),
                                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_LARGEICON);
  CoTaskMemFree(folder);
  if (!found) return false;
  index = info.iIcon;
  return true;
}

}  // namespace

int GetUtilityIcon(const std::wstring& path, bool internet) {
  std::wstring file = LocateFile(path);
  int index = 0;
  // A shell without the Internet folder still gives the control panel file's own icon.
  if (internet && InternetFolderIcon(index)) return index;
  SHFILEINFOW info = {};
  // No attributes: the icon of the file type, without opening the file.
  SHGetFileInfoW(file.c_str(), 0, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_LARGEICON);
  return info.iIcon;
}

win::UniqueIcon LargeFileTypeIcon(const std::wstring& path) {
  SHFILEINFOW info = {};
  if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_LARGEICON))
    return win::UniqueIcon();
  return win::UniqueIcon(info.hIcon);
}
