// A saved change script run by cmd.exe, with the stand-in first on the PATH, against another store:
// it leaves the store Vexa left, or stops before changing anything.
#include <gtest/gtest.h>

#include <functional>

#include "StoreSandbox.h"
#include "base/Format.h"
#include "core/BootIniLine.h"
#include "store/BootIni.h"
#include "store/StoreCommands.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

TEST(ChangeScriptReplay, TheScriptLeavesTheStoreVexaLeftOrStopsBeforeAnyChange) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  const wchar_t kXpLine[] = L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect";
  ASSERT_TRUE(sandbox.PlaceBootIni("[boot loader]\r\ntimeout=30\r\n[operating systems]\r\n" +
                                   base::Narrow(kXpLine, CP_ACP)));
  // The boot menu as listed: names, order, timeout and default. The copy made the default is
  // listed as {default} wherever it appears, whatever identifier the tool gave it.
  auto menu = [&] { return sandbox.RunTool(L"bcdedit", L" /enum ACTIVE").output; };

  // The run: names of cmd's own characters, a lone %~, GUID-shaped text that names no object and
  // a character beyond ASCII; a timeout, Add New, a copy made the default, a boot.ini retitle the
  // script can only name, and the copy moved to the top with GRUB taken off the menu.
  const std::pair<const wchar_t*, std::wstring> renames[] = {
      {demo::kWindows10, L"Lab&Test!(100%~1)^"},
      {demo::kWindows8Vhd, L"\"Lab {11111111-2222-3333-4444-555555555555}\""},
      {demo::kWindowsPe, L"\"Win 11 (was {466f5a88-0af2-4f76-9038-095b170dc21c}) caf\u00e9\""},
  };
  for (const auto& [id, name] : renames) ASSERT_TRUE(Runner().SetElement(id, L" description ", name).Succeeded());
  SetManagerTimeout(7);
  std::wstring created = Runner().CreateEntry(L"OSLOADER", L"New (Lab) ^entry");
  Runner().SetElement(created, L" device ", L"partition=C:");
  AppendToMenu(created);
  std::wstring copy = CreatedIdentifier(CopyStoreEntry(demo::kWindows7, L"Seven & 100%!"));
  Runner().RunChecked(DefaultArgs(copy), 0);
  BootEntry xp;
  ParseBootIniLine(kXpLine, xp);
  ASSERT_TRUE(BootIniSetTitle(xp, L"XP 100%~f0 \u20ac"));
  ToolResult order = WriteDisplayOrder({copy, demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldrGuid,
                     created},
                    {demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldrGuid, demo::kGrub,
                     created, copy});
  ASSERT_TRUE(order.Succeeded());
  const std::string vexaMenu = menu();
  ASSERT_NE(vexaMenu.find("Copy of Seven & 100%!"), std::string::npos) << vexaMenu;

  const std::wstring script = sandbox.folder.File(L"fleet.cmd");
  ASSERT_TRUE(SaveChangeScript(script, demo::kWindows10));
  const std::string text = ReadFileBytes(script);
  EXPECT_LT(text.find("rem Make %%vexa_copy1%% the default entry"),
            text.find("rem Not repeated by this script: boot.ini"));
  EXPECT_NE(text.find("caf\x82"), std::string::npos) << "in the OEM code page, whatever a comment holds";
  for (size_t at = text.find("%~"), before = 0; at != std::string::npos; at = text.find("%~", at + 1), before = 0) {
    while (before < at && text[at - 1 - before] == '%') ++before;
    EXPECT_EQ(before % 2, 1u) << "a lone %~ ends the script on Windows: " << text.substr(at - before, 20);
  }

  // A name the OEM code page lacks makes the script UTF-8, which the cmd of Windows 7 cannot read
  // (nor Wine's, which reads every script in the OEM code page).
  Runner().outputCodePage = kUtf8CodePage;
  ASSERT_TRUE(Runner().SetElement(demo::kWindows7, L" description ", L"\"Sz\u0151l\u0151\"").Succeeded());
  const std::wstring utf8Script = sandbox.folder.File(L"fleet-utf8.cmd");
  AppSettings.osClass = 7;
  EXPECT_FALSE(SaveChangeScript(utf8Script, demo::kWindows10));
  AppSettings.osClass = 10;
  ASSERT_TRUE(SaveChangeScript(utf8Script, demo::kWindows10));

  wchar_t path[4096] = {};
  GetEnvironmentVariableW(L"PATH", path, 4096);
  ScopedEnvironment standinFirst(L"PATH", sandbox.ToolDir() + L";" + path);
  auto run = [&](const std::wstring& file) { return RunCaptured(L"cmd.exe /c \"" + file + L"\"", sandbox.folder.Path()); };
  auto tool = [&](const std::wstring& arguments) { return sandbox.RunTool(L"bcdedit", arguments).exitCode == 0; };
  const struct {
    const char* store;
    const std::wstring& script;
    const wchar_t* cmdVersion;      // what Wine's cmd.exe says it runs on, when not its own
    std::function<bool()> prepare;  // makes the target store what it is
    const std::string* after;       // the store the script leaves; none: it changes nothing
  } cases[] = {
      {"a fresh demo store", script, nullptr, [] { return true; }, &vexaMenu},
      {"Windows 7, UTF-8", utf8Script, L"win7", [] { return true; }, nullptr},
      {"one where the script already ran", script, nullptr, [&] { return run(script).exitCode == 0; }, nullptr},
      {"one without the copied entry", script, nullptr,
       [&] { return tool(std::wstring(L" /delete ") + demo::kWindows7 + L" /cleanup"); }, nullptr},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.store);
    ASSERT_TRUE(sandbox.SeedDemo());
    ASSERT_TRUE(test.prepare());
    RegistryKeyGuard cmdVersion(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\cmd.exe");
    if (test.cmdVersion)
      RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\cmd.exe", L"Version", REG_SZ, test.cmdVersion,
                      static_cast<DWORD>((wcslen(test.cmdVersion) + 1) * sizeof(wchar_t)));
    const std::string menuBefore = menu();
    sandbox.ClearJournal();

    CapturedRun replay = run(test.script);
    EXPECT_EQ(replay.exitCode, test.after ? 0u : 1u) << replay.output;
    EXPECT_EQ(menu(), test.after ? *test.after : menuBefore);
    if (test.after) continue;
    for (const std::wstring& line : sandbox.TakeJournal()) EXPECT_NE(line.find(L" /enum "), std::wstring::npos) << line;
  }
}
