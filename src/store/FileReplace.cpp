// Whole-file replacement through a temporary file beside the target.
#include "store/FileReplace.h"

#include "win/Handles.h"

namespace {

// What SetFileAttributesW takes of what a file shows.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

DWORD Settable(DWORD attributes) {
  attributes &= kSettableAttributes;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) return path.substr(0, slash + 1);
  return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
}

// The content must be on the disk before the rename that makes it the file's: else a power cut
// right after could leave the new name on a file whose data never got there.
bool FlushToDisk(const std::wstring& path) {
  win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  return file && FlushFileBuffers(file.Get());
}

}  // namespace

bool ReplaceFileContent(const std::wstring& path, const FileReplacement& how,
                        const std::function<bool(const std::wstring& temporary)>& write) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  bool existed = attributes != INVALID_FILE_ATTRIBUTES;
  if (existed && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  bool readOnly = existed && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly && !how.replaceReadOnly) return false;

  wchar_t name[MAX_PATH] = {};
  if (!GetTempFileNameW(FolderOf(path).c_str(), L"vx", 0, name)) return false;
  std::wstring temporary = name;
  // CopyFileW carries the attributes over: a read-only copy would refuse the edit.
  bool done = !(how.startFromCopy && existed) ||
              (CopyFileW(path.c_str(), name, FALSE) && SetFileAttributesW(name, FILE_ATTRIBUTE_NORMAL));
  done = done && write(temporary) && FlushToDisk(temporary) &&
         SetFileAttributesW(name, existed ? Settable(attributes) : Settable(how.newAttributes));
  // The rename does not replace a read-only file; the new one comes in read-only all the same.
  bool unlocked = false;
  if (done && readOnly)
    done = unlocked = SetFileAttributesW(path.c_str(), Settable(attributes & ~FILE_ATTRIBUTE_READONLY));
  // Not ReplaceFileW: it refuses a read-only file and a missing one, and Wine's drops the
  // attributes. MOVEFILE_WRITE_THROUGH: the call returns once the rename itself is on the disk.
  done = done && MoveFileExW(name, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!done) {
    if (unlocked) SetFileAttributesW(path.c_str(), Settable(attributes));
    SetFileAttributesW(name, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(name);
  }
  return done;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  return ReplaceFileContent(path, FileReplacement{}, [&](const std::wstring& temporary) {
    win::UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  });
}
