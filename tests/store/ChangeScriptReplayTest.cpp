// A saved change script run by cmd.exe, with the stand-in first on the PATH, against another store:
// it leaves the store Vexa left, or stops before changing anything.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "store/BootIni.h"
#include "store/StoreCommands.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

TEST(ChangeScriptReplay, TheScriptLeavesTheStoreVexaLeftOrStopsBeforeAnyChange) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  ASSERT_TRUE(sandbox.PlaceBootIni("[boot loader]\r\ntimeout=30\r\n[operating systems]\r\n"));
  // The boot menu as listed: names, order, timeout and default. The copy made the default is
  // listed as {default} wherever it appears, whatever identifier the tool gave it.
  auto menu = [&] { return sandbox.RunTool(L"bcdedit", L" /enum ACTIVE").output; };

  // The run: the running system renamed, a timeout, Add New, a copy made the default, a boot.ini
  // write the script can only name, and the copy moved to the top with GRUB taken off the menu.
  ASSERT_TRUE(Runner().SetElement(demo::kWindows10, L" description ", L"Lab&Test!100%").started);
  SetManagerTimeout(7);
  std::wstring created = Runner().CreateEntry(L"OSLOADER", L"New (Lab) ^entry");
  Runner().SetElement(created, L" device ", L"partition=C:");
  Runner().SetElement(created, L" path ", L"\\Windows\\system32\\winload.exe");
  AppendToMenu(created);
  std::wstring copy = CreatedIdentifier(CopyStoreEntry(demo::kWindows7, L"Seven & 100%!"));
  Runner().Run(DefaultArgs(copy));
  ASSERT_TRUE(BootIniSetTimeout(3));
  ToolResult order = WriteDisplayOrder({copy, demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldrGuid,
                     created},
                    {demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldrGuid, demo::kGrub,
                     created, copy});
  ASSERT_TRUE(order.Succeeded());
  const std::string vexaMenu = menu();
  ASSERT_NE(vexaMenu.find("Copy of Seven & 100%!"), std::string::npos) << vexaMenu;

  const std::wstring script = sandbox.folder.File(L"fleet.cmd");
  ASSERT_TRUE(SaveChangeScript(script, demo::kWindows10));
  std::string text = ReadFileBytes(script);
  EXPECT_LT(text.find("rem Make %vexa_copy1% the default entry"),
            text.find("rem Not repeated by this script: boot.ini timeout set to 3"))
      << "changes the script cannot make are named in their place";

  wchar_t path[4096] = {};
  GetEnvironmentVariableW(L"PATH", path, 4096);
  ScopedEnvironment standinFirst(L"PATH", sandbox.ToolDir() + L";" + path);
  const struct {
    const char* store;
    std::wstring before;  // bcdedit arguments that make the target store what it is
    DWORD exitCode;
  } cases[] = {
      {"a fresh demo store", L"", 0},
      {"one without the copied entry", std::wstring(L" /delete ") + demo::kWindows7 + L" /cleanup", 1},
      {"one that has the new entry already", L" /create " + created + L" /d x /application OSLOADER", 1},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.store);
    ASSERT_TRUE(sandbox.SeedDemo());
    if (!test.before.empty()) {
      ASSERT_EQ(sandbox.RunTool(L"bcdedit", test.before).exitCode, 0u);
    }
    const std::string menuBefore = menu();
    sandbox.ClearJournal();

    CapturedRun run = RunCaptured(L"cmd.exe /c \"" + script + L"\"", sandbox.folder.Path());
    EXPECT_EQ(run.exitCode, test.exitCode) << run.output;
    EXPECT_EQ(menu(), test.exitCode == 0 ? vexaMenu : menuBefore);
    std::vector<std::wstring> journal = sandbox.TakeJournal();
    ASSERT_FALSE(journal.empty());
    if (test.exitCode == 0) continue;
    for (const std::wstring& line : journal) EXPECT_NE(line.find(L" /enum "), std::wstring::npos) << line;
  }
}
