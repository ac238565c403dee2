// Splits a command line into arguments by the rules of the Microsoft C runtime, so the stand-ins see
// exactly the arguments the real tools would.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// The first element is the program name: it ends at the first blank unless it starts with a quote,
// and backslashes mean nothing in it. The remaining elements follow the runtime's quote and backslash
// rules ("" inside quotes is a literal quote).
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

}  // namespace standin
