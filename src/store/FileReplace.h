// Rewriting a file so that it is at every moment either the old file or the new one, whole: the
// new content is made in a temporary file beside it, flushed to disk and moved over it in one step.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

struct FileReplacement {
  // The temporary file starts as a copy of the file (to be edited in place), else empty.
  bool startFromCopy = false;
  // A read-only file is replaced too and stays read-only; else it refuses, as writing it would.
  bool replaceReadOnly = false;
  // Attributes of the file when it did not exist before; an existing file keeps its own.
  DWORD newAttributes = FILE_ATTRIBUTE_NORMAL;
};

// Gives path new content: write(temporary) fills the temporary file (a path in path's folder), which
// then takes path's place with path's attributes. False when any step fails, write included; path
// is then as it was and the temporary file is gone.
bool ReplaceFileContent(const std::wstring& path, const FileReplacement& how,
                        const std::function<bool(const std::wstring& temporary)>& write);
// Writes bytes as path's whole content in the same way.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
