// The stand-ins' guard: they run only under Wine, so they can never touch a real machine's boot store.
#pragma once
#include <windows.h>

#include <string>

namespace standin {

class Console;

// True when the module exports Wine's wine_get_version (Wine's ntdll does; Windows' never does).
bool HasWineExport(HMODULE ntdll);

// For a tool named toolName: 0 when ntdll is Wine's; otherwise prints the refusal and returns 1.
int RefuseOutsideWine(HMODULE ntdll, const std::wstring& toolName, Console& console);

}  // namespace standin
