// What the fuzz targets share: the input bytes as UTF-16 texts, invariant checks that stop the run,
// and the Microsoft C runtime's rule for splitting a command line into arguments.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Portable.h"

namespace fuzz {

// Bytes read as UTF-8, leniently: encoded surrogates are kept as units, and every byte that does
// not start a valid sequence becomes the lone surrogate 0xDC00 + byte, so every unit is reachable
// and texts in the seeds stay readable.
core::String Text(const std::uint8_t* data, size_t size);
// The input split at each 0xFF byte (never part of UTF-8) into texts; missing fields are empty.
std::vector<core::String> Fields(const std::uint8_t* data, size_t size, size_t count);

// The text as UTF-8 for a report (lone surrogates as \uXXXX).
std::string Printable(core::StringView text);
// Stops the run with a report when an invariant does not hold: libFuzzer keeps the input.
void Require(bool holds, const char* invariant, core::StringView detail = {});

// How a program built with the Microsoft C runtime (and CommandLineToArgvW) splits its command
// line into argv: the program name up to the next quote or blank; then arguments separated by
// blanks and tabs outside quotes; 2n backslashes before a quote give n and the quote opens or
// closes quoting, 2n+1 give n and a literal quote; inside quotes "" gives a literal quote; other
// backslashes stay as they are.
std::vector<core::String> SplitCommandLine(core::StringView line);
// Stops with a report unless SplitCommandLine gives the answers Microsoft documents for its rules.
void CheckSplitCommandLine();

}  // namespace fuzz
