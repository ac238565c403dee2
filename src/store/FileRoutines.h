// Small file and path routines used across the program (FileRoutines.cpp).
#pragma once
#include <string>

bool FileExists(const std::wstring& path);
bool MakeDirectories(const std::wstring& path);
bool CopyIntoDirectory(const std::wstring& source, const std::wstring& directory, const std::wstring& name,
                       bool failIfExists);
std::wstring AddTrailingSlash(const std::wstring& path);
std::wstring StripTrailingSlash(const std::wstring& path);
std::wstring FileNameOf(const std::wstring& path);
// path as it names a file seen from folder (a full path ending in a backslash): an absolute path
// stays, one starting with a backslash goes on folder's drive, any other is appended to folder;
// "." and ".." are resolved and forward slashes become backslashes. The process's current folder
// plays no part.
std::wstring CombineWithFolder(const std::wstring& folder, const std::wstring& path);
