// The one set-up for tests of the program's own state: a temporary program folder with the
// stand-in tools in its tool folder, a private system store, the journal of every command line the
// stand-ins received, the process's runner pointed at the folder, scripted seams, files placed for
// the test, and the settings record, the runner and every placed file put back when it ends.
//
//   TEST(Page, Thing) { StoreSandbox sandbox; ASSERT_TRUE(sandbox.SeedDemo()); ... sandbox.Journal() }
//   class Machine : public ::testing::Test, protected StoreSandbox { ... };
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/AppSettings.h"
#include "store/BcdEditRunner.h"

namespace testing_support {

// Identifiers in the demo store (besides {bootmgr}, {ntldr}, {ramdiskoptions} and {memdiag}).
namespace demo_store {
inline constexpr wchar_t kWindows10[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}";  // {current}, the default
inline constexpr wchar_t kWindows7[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}";
inline constexpr wchar_t kWindowsPe[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}";
inline constexpr wchar_t kWindows8Vhd[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e08}";
inline constexpr wchar_t kGrub[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}";
inline constexpr wchar_t kResume[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e4e}";
// The firmware's boot menu of the UEFI demo store (SeedUefiDemo), besides {fwbootmgr} and {bootmgr}.
inline constexpr wchar_t kUbuntu[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef1}";        // \EFI\ubuntu\shimx64.efi
inline constexpr wchar_t kUsbStick[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef2}";      // no device, no path
inline constexpr wchar_t kNetworkBoot[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef3}";   // no device, no path
inline constexpr wchar_t kOrphanBootMgr[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef4}";  // on no menu, no path
}  // namespace demo_store

class StoreSandbox {
 public:
  enum class Tools { kStandins, kNone };

  // The runner gets the folder as its program folder and wow64 as its flag, which makes the tool
  // folder bin64\ (1) or bin\ (0); the stand-ins go there unless tools is kNone. Either way the
  // prefix's system folders hold the shutdown.exe and schtasks.exe stand-ins instead of Wine's. The
  // settings record names the private store, a BCD system, and tools when there are some.
  explicit StoreSandbox(Tools tools = Tools::kStandins, int wow64 = 1);
  ~StoreSandbox();
  StoreSandbox(const StoreSandbox&) = delete;
  StoreSandbox& operator=(const StoreSandbox&) = delete;

  // Fills the private store with the demo store.
  bool SeedDemo() const;
  // Fills it with the demo store of a UEFI machine: the demo store and the firmware's boot menu.
  bool SeedUefiDemo() const;
  // Runs a built stand-in against the private store, past the journal: for changing the store
  // behind the program's back.
  CapturedRun RunTool(const std::wstring& tool, const std::wstring& arguments) const;
  // Writes one element straight into the private store, in the layout Windows mounts it:
  // Objects\{id}\Elements\NNNNNNNN, value "Element". Integers are eight little-endian bytes.
  bool SetElementText(const std::wstring& identifier, const std::wstring& element, const std::wstring& text,
                      DWORD type = REG_SZ) const;
  bool SetElementInteger(const std::wstring& identifier, const std::wstring& element, std::uint64_t value) const;
  bool SetElementBytes(const std::wstring& identifier, const std::wstring& element, const std::string& bytes) const;

  // Every command line the stand-ins received, exactly, since the sandbox was made or the journal
  // was last cleared.
  std::vector<std::wstring> Journal() const;
  void ClearJournal() const;
  // Journal() and ClearJournal(): what the last step sent.
  std::vector<std::wstring> TakeJournal() const;
  // The command line the runner gives bcdedit for these arguments.
  std::wstring LineFor(const std::wstring& arguments) const;
  // The arguments part of such a line: everything after the tool's path and its one blank.
  std::wstring ArgumentsOf(const std::wstring& line) const;

  // The tool folder, with a trailing backslash.
  std::wstring ToolDir() const { return folder.File(wow64_ ? L"bin64\\" : L"bin\\"); }
  // Points the runner at the folder again, as a process with this WOW64 flag finds its tools.
  void PointRunner(int wow64);

  // Puts bytes at path (anywhere: the folder, C:\ntldr, the system folders) for the length of the
  // test; what was there before, if anything, comes back at the end.
  bool PlaceFile(const std::wstring& path, const std::string& bytes);
  // Takes the file at path away for the length of the test (a test that needs C:\ntldr absent
  // must not depend on what an earlier, stopped run left there); it comes back at the end.
  bool RemoveFile(const std::wstring& path);
  // The files and drives the demo store's entries start from (D: for Windows 7, the WIM and SDI
  // of WinPE, the VHD, the GRUB and Recovery Console boot sectors), so that its menu is healthy.
  // False where the prefix has no D:.
  bool PlaceDemoMachine();
  // The manage-bde.exe stand-in in the native system folder, where the program asks it, for the
  // length of the test, with the system drive's state ("on", "suspended 1"; empty: not encrypted);
  // null takes the tool away, as on WinPE.
  bool PlaceManageBde(const wchar_t* state);
  // A boot.ini in the folder, made the one the program uses.
  bool PlaceBootIni(const std::string& text);
  // Starts the built vexa.exe from the folder (copied in on first use) with arguments; it inherits
  // the private store and the journal.
  ChildProcess StartProgram(const std::wstring& arguments);

  TempProgramFolder folder;
  const std::wstring storeKey;  // HKLM subkey of the private store; VEXA_BCD_ROOT names it
  ScopedSeams seams;

 private:
  // Remembers the file at path (or that there is none) for the end of the test.
  void KeepFile(const std::wstring& path);

  struct PlacedFile {
    std::wstring path;
    DWORD attributes;  // INVALID_FILE_ATTRIBUTES when there was no file
    std::string bytes;
  };

  bool SetElement(const std::wstring& identifier, const std::wstring& element, DWORD type, const void* data,
                  DWORD size) const;

  int wow64_;
  ScopedEnvironment journalVariable_;
  ScopedEnvironment storeVariable_;
  RegistryKeyGuard storeGuard_;
  RegistryKeyGuard standinStateGuard_;
  BcdEditRunner savedRunner_;
  AppSettingsRecord savedSettings_;
  std::vector<PlacedFile> placed_;
  // Folders PlaceFile made, in the order made; gone again at the end where they are empty.
  std::vector<std::wstring> madeFolders_;
};

}  // namespace testing_support
