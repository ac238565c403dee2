// Store files (/store, /export, /import, /createstore) as UTF-8 text a person can read:
//
//   ; Boot configuration data store (bcdedit stand-in)
//   current={guid of the running system}
//
//   [{9dea862c-5cdd-4e70-acc1-f32b344d4795}]
//   type=10100002
//   12000004 description=Windows Boot Manager
//   24000001 displayorder={guid} {guid}
//   25000004 timeout=30
//
// Each element line starts with its eight-digit number (the name beside it is for the reader); the
// value is everything after the first "=": text as typed (with %, CR and LF written as %25, %0D,
// %0A), object lists as GUIDs separated by blanks, integers in decimal, booleans Yes or No.
#pragma once
#include <string>

#include "common/BcdStore.h"

namespace standin {

inline constexpr char kFileSignature[] = "; Boot configuration data store (bcdedit stand-in)";

std::string SerializeStore(const BcdStore& store);
// False when the text is not a store file.
bool ParseStore(const std::string& text, BcdStore& store);

enum class FileResult { Ok, Missing, NotAStore, Failed };

FileResult LoadStoreFile(const std::wstring& path, BcdStore& store, unsigned long& error);
// Writes the store file; false with a Win32 error code when it cannot.
bool SaveStoreFile(const std::wstring& path, const BcdStore& store, bool failIfExists, unsigned long& error);

}  // namespace standin
