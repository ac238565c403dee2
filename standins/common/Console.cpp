// Writes collected tool output to standard output.
#include "common/Console.h"

#include <windows.h>

#include "common/Text.h"

namespace standin {

void Console::Flush() {
  if (text_.empty()) return;
  // Redirected output leaves in the console's output code page, as the real tools write it: the OEM
  // one unless chcp changed it, and the OEM one too when there is no console at all.
  UINT codePage = GetConsoleOutputCP();
  std::string bytes = Narrow(text_, codePage != 0 ? codePage : GetOEMCP());
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  text_.clear();
}

}  // namespace standin
