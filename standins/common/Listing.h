// Prints store objects the way bcdedit /enum does: a leading empty line, per object a title with a
// dashed underline, one line per element with its value at column 24, continuation lines for lists.
#pragma once
#include <string>
#include <vector>

#include "common/BcdStore.h"

namespace standin {

inline constexpr size_t kValueColumn = 24;

// How an object identifier is shown: the GUID with /v; otherwise {current} for the running system,
// else the well-known alias, else {default} for the boot manager's default, else the GUID.
std::wstring DisplayIdentifier(const BcdStore& store, const std::wstring& guid, bool verbose);

// One object's section, each line ending in CR LF.
std::wstring FormatObject(const BcdStore& store, const BcdObject& object, bool verbose);

// The whole listing: an empty line, then the sections separated by one empty line.
std::wstring FormatListing(const BcdStore& store, const std::vector<const BcdObject*>& objects, bool verbose);

}  // namespace standin
