// Small text helpers shared by the stand-ins: case folding, trimming, code page conversion, hex.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Format.h"

namespace standin {

std::wstring Lower(std::wstring_view text);
std::wstring Upper(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);
std::wstring Trim(std::wstring_view text);

// The program's own conversions; the stand-ins need nothing different.
using base::Narrow;
using base::Widen;

// Eight upper-case hexadecimal digits, the way element numbers name registry keys.
std::wstring Hex8(std::uint32_t value);
// Reads a whole unsigned number: decimal, or hexadecimal after "0x". False on anything else.
bool ParseNumber(std::wstring_view text, std::uint64_t& value);

}  // namespace standin
