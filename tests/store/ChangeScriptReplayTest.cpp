// A saved change script run by cmd.exe, with the stand-in first on the PATH, against another store:
// it leaves the store Vexa left, or stops before changing anything.
#include <gtest/gtest.h>

#include <regex>

#include "StoreSandbox.h"
#include "store/BootIni.h"
#include "store/StoreCommands.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

class ChangeScriptReplay : public testing::Test, protected StoreSandbox {
 protected:
  // The boot menu as the stand-in lists it: the boot manager (order, default, timeout) and each
  // entry on it. The tool picks a copy's identifier, so identifiers the demo store and Vexa's
  // new entry do not have all read "{copy}".
  std::string Menu() const {
    std::string listing = RunTool(L"bcdedit", L" /enum ACTIVE").output;
    std::regex guid("\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}");
    std::string out;
    std::sregex_iterator end;
    size_t at = 0;
    for (std::sregex_iterator match(listing.begin(), listing.end(), guid); match != end; ++match) {
      out += listing.substr(at, match->position() - at);
      std::string text = match->str();
      out += known_.find(text) != std::string::npos ? text : "{copy}";
      at = match->position() + match->length();
    }
    return out + listing.substr(at);
  }
  CapturedRun RunScript(const std::wstring& path) const {
    wchar_t previous[4096] = {};
    GetEnvironmentVariableW(L"PATH", previous, 4096);
    ScopedEnvironment standinFirst(L"PATH", ToolDir() + L";" + previous);
    return RunCaptured(L"cmd.exe /c \"" + path + L"\"", folder.Path());
  }

  std::string known_;
};

}  // namespace

TEST_F(ChangeScriptReplay, TheScriptLeavesTheStoreVexaLeftOrStopsBeforeAnyChange) {
  ASSERT_TRUE(SeedDemo());
  known_ = RunTool(L"bcdedit", L" /enum ALL /v").output;
  ASSERT_TRUE(PlaceBootIni("[boot loader]\r\ntimeout=30\r\n[operating systems]\r\n"));

  // The run: the running system renamed, a timeout, Add New, a copy made the default, a boot.ini
  // write the script can only name, and the copy moved to the top with GRUB taken off the menu.
  ASSERT_EQ(Runner().SetElement(demo::kWindows10, L" description ", L"Lab&Test!100%"), 1);
  SetManagerTimeout(7);
  std::wstring created = Runner().CreateEntry(L"OSLOADER", L"New (Lab) ^entry");
  ASSERT_EQ(created.size(), 38u) << created;
  known_ += std::string(created.begin(), created.end());
  Runner().SetElement(created, L" device ", L"partition=C:");
  Runner().SetElement(created, L" path ", L"\\Windows\\system32\\winload.exe");
  AppendToMenu(created);
  std::wstring copy = CreatedIdentifier(CopyStoreEntry(demo::kWindows7, L"Seven & 100%!"));
  Runner().Run(DefaultArgs(copy));
  ASSERT_TRUE(BootIniSetTimeout(3));
  WriteDisplayOrder({copy, demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldrGuid,
                     created},
                    {demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldrGuid, demo::kGrub,
                     created, copy});
  ASSERT_TRUE(Runner().lastSucceeded);
  const std::string vexaMenu = Menu();
  ASSERT_NE(vexaMenu.find("Copy of Seven & 100%!"), std::string::npos) << vexaMenu;

  const std::wstring script = folder.File(L"fleet.cmd");
  ASSERT_TRUE(SaveChangeScript(script, demo::kWindows10));
  std::string text = ReadFileBytes(script);
  EXPECT_LT(text.find("rem Make %vexa_copy1% the default entry"),
            text.find("rem Not repeated by this script: boot.ini timeout set to 3"))
      << "changes the script cannot make are named in their place";

  struct Case {
    const char* store;
    std::wstring before;  // bcdedit arguments that make the target store what it is
    DWORD exitCode;
  };
  const Case cases[] = {
      {"a fresh demo store", L"", 0},
      {"one without the copied entry", std::wstring(L" /delete ") + demo::kWindows7 + L" /cleanup", 1},
      {"one that has the new entry already", L" /create " + created + L" /d x /application OSLOADER", 1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.store);
    ASSERT_TRUE(SeedDemo());
    if (!test.before.empty()) ASSERT_EQ(RunTool(L"bcdedit", test.before).exitCode, 0u);
    const std::string menuBefore = Menu();
    ClearJournal();

    CapturedRun run = RunScript(script);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, test.exitCode) << run.output;
    std::vector<std::wstring> journal = TakeJournal();
    if (test.exitCode == 0) {
      EXPECT_EQ(Menu(), vexaMenu) << run.output;
    } else {
      EXPECT_EQ(Menu(), menuBefore);
      ASSERT_FALSE(journal.empty());
      for (const std::wstring& line : journal) EXPECT_NE(line.find(L" /enum "), std::wstring::npos) << line;
    }
  }
}
