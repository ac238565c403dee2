// Prints store objects the way bcdedit /enum does: a leading empty line, per object a title with a
// dashed underline, one line per element with its value at column 24, continuation lines for lists.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/BcdStore.h"

namespace standin {

inline constexpr size_t kValueColumn = 24;

// The language of the Windows whose bcdedit the listing imitates (de, fr, it, pt, ru, da, zh); unset
// or any other: English. Such a bcdedit translates one key only, "identifier".
inline constexpr wchar_t kLanguageVariable[] = L"VEXA_STANDIN_LANGUAGE";
inline constexpr wchar_t kEnglishIdentifierKey[] = L"identifier";

// The key the identifier line carries in that language.
std::wstring IdentifierKey(std::wstring_view language);

// How an object identifier is shown: the GUID with /v; otherwise {current} for the running system,
// else the well-known alias, else {default} for the boot manager's default, else the GUID.
std::wstring DisplayIdentifier(const BcdStore& store, const std::wstring& guid, bool verbose);

// One object's section, each line ending in CR LF.
std::wstring FormatObject(const BcdStore& store, const BcdObject& object, bool verbose,
                          std::wstring_view identifierKey = kEnglishIdentifierKey);

// The whole listing: an empty line, then the sections separated by one empty line.
std::wstring FormatListing(const BcdStore& store, const std::vector<const BcdObject*>& objects, bool verbose,
                           std::wstring_view identifierKey = kEnglishIdentifierKey);

}  // namespace standin
