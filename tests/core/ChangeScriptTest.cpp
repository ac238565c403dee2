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
  RecordedChange note;
  note.notReplayed = T16("boot.ini timeout set to 5");
  RecordedChange order = {DisplayOrderArgs({kOther, kCreated, kRunning})};
  order.orderBefore = {kRunning, kNtldr, kOther};
  std::vector<RecordedChange> changes = {
      {CreateEntryArgs(T16("OSLOADER"), T16("Test 100%")), kCreated},
      {SetElementArgs(kRunning, T16(" description "), T16("Lab&Test!"))},
      note,
      order,
  };
  // Each command is followed by its check; the moves leave the target's own entries on its menu.
  const core::String kStop = T16("\r\nif errorlevel 1 goto :stop\r\n\r\n");
  EXPECT_EQ(ChangeScriptText(changes, kRunning, 850),
            T16("@echo off\r\n"
                "setlocal DisableDelayedExpansion\r\n"
                "rem Boot store changes made with Vexa, to be made again with bcdedit. Run as administrator.\r\n"
                "\r\n"
                "rem Nothing is changed unless this boot store holds the entries the changes name, and not yet "
                "those they create.\r\n"
                "bcdedit /enum {current} >nul 2>&1\r\n"
                "if errorlevel 1 (echo This boot store has no entry {current}. & goto :stop)\r\n"
                "bcdedit /enum {ntldr} >nul 2>&1\r\n"
                "if errorlevel 1 (echo This boot store has no entry {ntldr}. & goto :stop)\r\n"
                "bcdedit /enum {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} >nul 2>&1\r\n"
                "if errorlevel 1 (echo This boot store has no entry {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}. "
                "& goto :stop)\r\n"
                "bcdedit /enum {11111111-2222-3333-4444-555555555555} >nul 2>&1\r\n"
                "if not errorlevel 1 (echo This boot store already has the entry "
                "{11111111-2222-3333-4444-555555555555}. & goto :stop)\r\n"
                "\r\n"
                "rem Create the entry {11111111-2222-3333-4444-555555555555}\r\n"
                "bcdedit /create {11111111-2222-3333-4444-555555555555} /d \"Test 100%%\" /application OSLOADER") +
                kStop +
                T16("rem Set description of {current}\r\n"
                    "bcdedit /set {current} description Lab^&Test!") +
                kStop +
                T16("rem Not repeated by this script: boot.ini timeout set to 5\r\n"
                    "\r\n"
                    "rem Take {ntldr} off the boot menu\r\n"
                    "bcdedit /displayorder {ntldr} /remove") +
                kStop +
                T16("rem Put {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} at the end of the boot menu\r\n"
                    "bcdedit /displayorder {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} /addlast") +
                kStop +
                T16("rem Put {11111111-2222-3333-4444-555555555555} at the end of the boot menu\r\n"
                    "bcdedit /displayorder {11111111-2222-3333-4444-555555555555} /addlast") +
                kStop +
                T16("rem Put {current} at the end of the boot menu\r\n"
                    "bcdedit /displayorder {current} /addlast") +
                kStop +
                T16("if defined vexa_codepage chcp %vexa_codepage% >nul\r\n"
                    "exit /b 0\r\n"
                    "\r\n"
                    ":stop\r\n"
                    "if defined vexa_codepage chcp %vexa_codepage% >nul\r\n"
                    "exit /b 1\r\n"));
}

// Protection is suspended once, before the first checked setting of the running system or the boot
// manager; not for a name, another entry's path or an ignored setting. A failed suspension stops.
TEST(ChangeScript, BitLockerIsSuspendedOnceBeforeTheFirstChangeItChecks) {
  const core::String bootmgr = T16("{9dea862c-5cdd-4e70-acc1-f32b344d4795}");
  const core::String suspension = T16("manage-bde -status %SystemDrive% -protectionaserrorlevel >nul 2>&1\r\n"
                                      "if %errorlevel% equ 1 goto :vexa_unprotected\r\n"
                                      "if %errorlevel% equ 9009 goto :vexa_unprotected\r\n"
                                      "manage-bde -protectors -disable %SystemDrive% -RebootCount 1\r\n"
                                      "if %errorlevel% neq 0 goto :stop\r\n:vexa_unprotected\r\n");
  const std::pair<std::vector<RecordedChange>, const core::Char*> cases[] = {
      {{{SetElementArgs(kRunning, T16(" description "), T16("Lab"))}, {SetElementArgs(kRunning, T16(" path "), T16("\\a"))},
        {SetElementArgs(kRunning, T16(" nx "), T16("OptIn"))}},
       T16("bcdedit /set {current} path \\a")},
      {{{DeleteElementArgs(bootmgr, T16(" device "))}}, T16("bcdedit /deletevalue {bootmgr} device")},
      {{{SetElementArgs(kOther, T16(" path "), T16("\\a"))}, {SetElementArgs(kRunning, T16(" safeboot "), T16("minimal"))},
        {SetElementArgs(bootmgr, T16(" nx "), T16("OptIn"))}},
       nullptr},
  };
  for (const auto& [changes, firstChecked] : cases) {
    core::String text = ChangeScriptText(changes, kRunning, 437);
    size_t at = text.find(suspension);
    EXPECT_EQ(at == core::String::npos, firstChecked == nullptr);
    if (firstChecked) EXPECT_EQ(text.find(T16("bcdedit /"), at), text.find(firstChecked)) << "right before it";
    EXPECT_EQ(text.find(T16("manage-bde"), at + suspension.size()), core::String::npos);
  }
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

TEST(ChangeScript, ObjectsOnlyWhereACommandNamesThemAndACodePageSwitchOnlyBeyondAscii) {
  auto note = [](const core::Char* text) { RecordedChange change; change.notReplayed = text; return change; };
  const struct { RecordedChange change; unsigned codePage; const core::Char* has; const core::Char* lacks; } cases[] = {
      {{SetElementArgs(kOther, T16(" device "), T16("\"ramdisk=[C:]\\x.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\""))},
       850, T16("bcdedit /enum {ramdiskoptions} >nul"), T16("{ae5534e0")},
      {{SetElementArgs(T16("{fwbootmgr}"), T16(" displayorder "), core::String(kOther) + T16(" ") + kCreated)}, 850,
       T16("bcdedit /enum {11111111-2222-3333-4444-555555555555} >nul"), T16("Not repeated")},
      {{SetElementArgs(T16("{a)b}"), T16(" description "), T16("x"))}, 850,
       T16("rem Not repeated by this script, as it names an entry bcdedit knows no identifier of: bcdedit /set {a)b}"),
       T16("(echo This boot store has no entry {a)b}")},
      {note(T16("Gr\u00fcb ^")), 850, T16("Gr\u00fcb ^ \r\n"), T16("^\r\n")},
      {note(T16("Gr\u00fcb")), 850, T16("\r\nchcp 850 >nul\r\n"), T16("vexa_windows")},
      {note(T16("Gr\u00fcb")), kUtf8CodePage, T16("LSS 10 (echo"), T16("chcp 850")},
      {note(T16("Grub")), kUtf8CodePage, T16("Grub\r\n"), T16("chcp 65001")},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(&test - cases);
    core::String script = ChangeScriptText({test.change}, kRunning, test.codePage);
    EXPECT_NE(script.find(test.has), core::String::npos);
    EXPECT_EQ(script.find(test.lacks), core::String::npos);
  }
}
