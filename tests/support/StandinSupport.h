// Helpers for tests that need the tool stand-ins (bcdedit.exe, bootsect.exe, wpeutil.exe) built in
// the build folder: run one, and seed the demo boot store into the registry.
#pragma once
#include <windows.h>

#include <string>

namespace testing_support {

struct StandinResult {
  DWORD exitCode = 0;
  std::string output;  // what it printed (standard output and error), ANSI bytes with CR LF
};

// Runs build\standins\<tool>.exe (quoted) followed by arguments exactly as given, in the caller's
// environment, and waits for it.
StandinResult RunBuiltStandin(const std::wstring& tool, const std::wstring& arguments);

// Replaces the system store (HKLM\BCD00000000, or the key VEXA_BCD_ROOT names) with the demo store.
// The seeding run is kept out of any VEXA_TOOL_JOURNAL. Guard the key with a RegistryKeyGuard.
bool SeedDemoStore();

// Identifiers in the demo store (besides {bootmgr}, {ntldr}, {ramdiskoptions} and {memdiag}).
namespace demo_store {
inline constexpr wchar_t kWindows10[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}";  // {current}, the default
inline constexpr wchar_t kWindows7[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}";
inline constexpr wchar_t kWindowsPe[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}";
inline constexpr wchar_t kWindows8Vhd[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e08}";
inline constexpr wchar_t kGrub[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}";
inline constexpr wchar_t kResume[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e4e}";
}  // namespace demo_store

}  // namespace testing_support
