// Writes collected tool output to standard output.
#include "common/Console.h"

#include <windows.h>

#include "common/Text.h"

namespace standin {

void Console::Flush() {
  if (text_.empty()) return;
  std::string bytes = Narrow(text_, CP_ACP);
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  text_.clear();
}

}  // namespace standin
