// Refuses to run anywhere but under Wine.
#include "common/WineCheck.h"

#include "common/Console.h"

namespace standin {

bool HasWineExport(HMODULE ntdll) {
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

int RefuseOutsideWine(HMODULE ntdll, const std::wstring& toolName, Console& console) {
  if (HasWineExport(ntdll)) return 0;
  console.Line(L"This " + toolName + L" is a test stand-in and runs only under Wine.");
  console.Line(L"It refuses to run here so that it can never change the boot configuration of this machine.");
  return 1;
}

}  // namespace standin
