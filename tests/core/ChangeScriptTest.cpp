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
constexpr core::Char kCopy[] = T16("{99999999-8888-7777-6666-555555555555}");

}  // namespace

TEST(ChangeScript, ACreateASetAndAMenuOrderBecomeTheScript) {
  RecordedChange copy = {CopyArgs(kOther, T16("Seven")), kCopy};
  RecordedChange note;
  note.notReplayed = T16("boot.ini timeout set to 5");
  RecordedChange order = {DisplayOrderArgs({kCopy, kCreated, kRunning}), T16("")};
  order.orderBefore = {kRunning, kOther, kNtldr, kCopy};
  std::vector<RecordedChange> changes = {
      {CreateEntryArgs(T16("OSLOADER"), T16("Test 100%")), kCreated},
      {SetElementArgs(kCreated, T16(" device "), T16("\"partition=C:\"")), T16("")},
      {SetElementArgs(kRunning, T16(" description "), T16("Lab&Test!")), T16("")},
      copy,
      {DefaultArgs(kCopy), T16("")},
      note,
      order,
  };
  EXPECT_EQ(ChangeScriptText(changes, kRunning),
            T16("@echo off\r\n"
                "setlocal DisableDelayedExpansion\r\n"
                "rem Boot store changes made with Vexa, to be made again with bcdedit. Run as administrator.\r\n"
                "for /f \"tokens=2 delims=:.\" %%c in ('chcp') do for %%n in (%%c) do set \"vexa_codepage=%%n\"\r\n"
                "chcp 65001 >nul\r\n"
                "\r\n"
                "rem Nothing is changed unless this boot store holds the entries the changes name, and not yet "
                "those they create.\r\n"
                "bcdedit /enum {current} >nul 2>&1\r\n"
                "if errorlevel 1 (echo This boot store has no entry {current}. & goto :stop)\r\n"
                "bcdedit /enum {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} >nul 2>&1\r\n"
                "if errorlevel 1 (echo This boot store has no entry {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}. "
                "& goto :stop)\r\n"
                "bcdedit /enum {ntldr} >nul 2>&1\r\n"
                "if errorlevel 1 (echo This boot store has no entry {ntldr}. & goto :stop)\r\n"
                "bcdedit /enum {11111111-2222-3333-4444-555555555555} >nul 2>&1\r\n"
                "if not errorlevel 1 (echo This boot store already has the entry "
                "{11111111-2222-3333-4444-555555555555}. & goto :stop)\r\n"
                "\r\n"
                "rem Create the entry {11111111-2222-3333-4444-555555555555}\r\n"
                "bcdedit /create {11111111-2222-3333-4444-555555555555} /d \"Test 100%%\" /application OSLOADER\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Set device of {11111111-2222-3333-4444-555555555555}\r\n"
                "bcdedit /set {11111111-2222-3333-4444-555555555555} device \"partition=C:\"\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Set description of {current}\r\n"
                "bcdedit /set {current} description Lab^&Test!\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Copy the entry {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\r\n"
                "bcdedit /copy {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} /d \" Copy of Seven \" "
                ">\"%TEMP%\\vexa-copy.txt\"\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "set \"vexa_copy1=\"\r\n"
                "for /f \"usebackq tokens=2 delims={}\" %%i in (\"%TEMP%\\vexa-copy.txt\") "
                "do set \"vexa_copy1={%%i}\"\r\n"
                "del \"%TEMP%\\vexa-copy.txt\"\r\n"
                "if not defined vexa_copy1 goto :stop\r\n"
                "\r\n"
                "rem Make %vexa_copy1% the default entry\r\n"
                "bcdedit /default %vexa_copy1%\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Not repeated by this script: boot.ini timeout set to 5\r\n"
                "\r\n"
                "rem Take {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} off the boot menu\r\n"
                "bcdedit /displayorder {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} /remove\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Take {ntldr} off the boot menu\r\n"
                "bcdedit /displayorder {ntldr} /remove\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Put %vexa_copy1% at the end of the boot menu\r\n"
                "bcdedit /displayorder %vexa_copy1% /addlast\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Put {11111111-2222-3333-4444-555555555555} at the end of the boot menu\r\n"
                "bcdedit /displayorder {11111111-2222-3333-4444-555555555555} /addlast\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "rem Put {current} at the end of the boot menu\r\n"
                "bcdedit /displayorder {current} /addlast\r\n"
                "if errorlevel 1 goto :stop\r\n"
                "\r\n"
                "if defined vexa_codepage chcp %vexa_codepage% >nul\r\n"
                "exit /b 0\r\n"
                "\r\n"
                ":stop\r\n"
                "if defined vexa_codepage chcp %vexa_codepage% >nul\r\n"
                "exit /b 1\r\n"));
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
