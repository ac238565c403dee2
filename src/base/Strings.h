// The string helpers every subsystem shares, from the text core, under the names the program uses.
#pragma once
#include "core/Strings.h"

namespace base {

using core::EqualsNoCase;
using core::FindNoCase;
using core::HasControlCharacter;
using core::HasLineBreak;
using core::kWhiteSpace;
using core::ReplaceAll;
using core::ReplaceFirstNoCase;
using core::StartsWithNoCase;
using core::TrimLeft;
using core::TrimRight;
using core::TrimText;

}  // namespace base
