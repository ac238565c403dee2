// Formatting of the program's texts (from the text core) and conversions between UTF-16 and the
// Windows code pages.
#pragma once
#include <string>
#include <string_view>

#include "core/Format.h"

namespace base {

using core::Format;
using core::FormatArg;
using core::FormatArgs;

// Conversions between UTF-16 and a Windows code page (the tools' output code page, CP_UTF8 for files and tests).
std::wstring Widen(std::string_view bytes, unsigned codePage);
std::string Narrow(std::wstring_view text, unsigned codePage);

}  // namespace base
