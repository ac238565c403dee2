// A run's changes as a script for another machine (exact text), which commands count as changes,
// which objects a /create made, and which safety-net files make way for new ones.
#include <gtest/gtest.h>

#include "core/ChangeScript.h"
#include "core/StoreCommands.h"

namespace {

constexpr core::Char kCreated[] = T16("{11111111-2222-3333-4444-555555555555}");
constexpr core::Char kRunning[] = T16("{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}");
constexpr core::Char kOther[] = T16("{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}");
constexpr core::Char kNtldr[] = T16("{466f5a88-0af2-4f76-9038-095b170dc21c}");

}  // namespace

TEST(ChangeScript, ACreateASetAndAMenuOrderBecomeTheScript) {
  std::vector<RecordedChange> changes = {
      {CreateEntryArgs(T16("OSLOADER"), T16("Test 100%")), kCreated},
      {SetElementArgs(kCreated, T16(" device "), T16("\"partition=C:\"")), T16("")},
      {SetElementArgs(kRunning, T16(" description "), T16("Lab&Test")), T16("")},
      {DisplayOrderArgs({kRunning, kCreated, kOther, kNtldr}), T16("")},
  };
  EXPECT_EQ(ChangeScriptText(changes, kRunning),
            T16("@chcp 65001 >nul\r\n"
                "@echo off\r\n"
                "rem Boot store changes made with Vexa, to be made again with bcdedit. Run as administrator.\r\n"
                "rem The boot store must already hold these entries:\r\n"
                "rem   {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\r\n"
                "\r\n"
                "rem Create the entry {11111111-2222-3333-4444-555555555555}\r\n"
                "bcdedit /create {11111111-2222-3333-4444-555555555555} /d \"Test 100%%\" /application OSLOADER"
                " || exit /b 1\r\n"
                "\r\n"
                "rem Set device of {11111111-2222-3333-4444-555555555555}\r\n"
                "bcdedit /set {11111111-2222-3333-4444-555555555555} device \"partition=C:\" || exit /b 1\r\n"
                "\r\n"
                "rem Set description of {current}\r\n"
                "bcdedit /set {current} description Lab^&Test || exit /b 1\r\n"
                "\r\n"
                "rem Put the boot menu in this order\r\n"
                "bcdedit /displayorder {current} {11111111-2222-3333-4444-555555555555} "
                "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} {ntldr} || exit /b 1\r\n"));
}

TEST(ChangeScript, OnlyTheFirstSwitchSaysWhatACommandDoes) {
  const std::pair<const core::Char*, CommandKind> cases[] = {
      {T16(""), CommandKind::kListing},
      {T16(" /enum {bootmgr} /v"), CommandKind::kListing},
      {T16(" /export \"C:\\b.bcd\""), CommandKind::kExport},
      {T16(" /IMPORT \"C:\\b.bcd\" "), CommandKind::kImport},
      {T16(" /store \"C:\\b.bcd\" /set {a} nx OptIn"), CommandKind::kStoreFile},
      {T16(" /set  {a}   description   \"/enum\""), CommandKind::kChange},
  };
  for (const auto& [arguments, kind] : cases) EXPECT_EQ(KindOfCommand(arguments), kind);
}

TEST(ChangeScript, TheOldestSafetyNetFilesGoBeyondTheTenKept) {
  std::vector<core::String> names = {AutoBackupName(2026, 11, 30, 23, 59, 59), T16("2026_12_06.BCD"),
                                     T16("auto-2026_12_07-1200.BCD"), T16("auto-notes.BCD")};
  for (int hour = 0; hour < 10; ++hour) names.push_back(AutoBackupName(2026, 12, 7, hour, 5, 1));
  EXPECT_EQ(names.back(), T16("auto-2026_12_07-090501.BCD"));
  EXPECT_EQ(AutoBackupsBeyond(names, 10), std::vector<core::String>{T16("auto-2026_11_30-235959.BCD")});
  EXPECT_EQ(AutoBackupsBeyond(names, 11), std::vector<core::String>{});
}
