// Icons of utilities, from the shell: indices into its large system image list, and single icons
// for the shortcut dialog.
#pragma once
#include <windows.h>

#include <string>

#include "win/Handles.h"

// The large system image list's index of path's icon by its file type (path is looked up along the
// search path when no such file exists); with internet, the Internet folder's icon.
int GetUtilityIcon(const std::wstring& path, bool internet);
// The shell's large icon for path's file type, without opening the file.
win::UniqueIcon LargeFileTypeIcon(const std::wstring& path);
