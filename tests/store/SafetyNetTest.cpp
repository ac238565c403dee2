// The safety net of the system store and boot.ini (one copy before the run's first change, a failed
// copy stops the rest of the command unless the user chooses to go on without, old copies make way,
// undo saves the store first and puts store and boot.ini back byte for byte) and the changes recorded.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "app/Application.h"
#include "store/BootIni.h"
#include "store/FileRoutines.h"
#include "store/SafetyNet.h"
#include "store/StoreCommands.h"
#include "win/Dialog.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

constexpr wchar_t kMissing[] = L"{deadbeef-0000-0000-0000-000000000000}";

class SafetyNet : public testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    Runner().changes.safetyNet = true;
    Runner().changes.askChangeWithoutCopy = AskChangeWithoutCopy;
    ClearJournal();
  }
  std::wstring Copy() const { return Runner().changes.autoBackup; }
  std::string Exported(const std::wstring& name) const {
    EXPECT_EQ(RunTool(L"bcdedit", L"/export \"" + folder.File(name) + L"\"").exitCode, 0u);
    return ReadFileBytes(folder.File(name));
  }
};

}  // namespace

TEST_F(SafetyNet, OneCopyBeforeTheFirstChangeAndOnlyChangesThatWorkedAreRecorded) {
  std::wstring backups = folder.File(L"Backup\\");
  ASSERT_TRUE(MakeDirectories(backups));
  for (int day = 1; day <= 10; ++day) ASSERT_TRUE(WriteFileBytes(backups + AutoBackupName(2025, 1, day, 0, 0, 0), "old"));

  Runner().Run(EnumArgs(L"{bootmgr}"));
  SetManagerTimeout(5);
  ASSERT_EQ(Copy().rfind(backups + L"auto-", 0), 0u) << Copy();
  SetManagerTimeout(7);
  Runner().SetElement(kMissing, L" nx ", L"OptIn");
  EXPECT_EQ(TakeJournal(), (std::vector<std::wstring>{LineFor(EnumArgs(L"{bootmgr}")), LineFor(ExportArgs(Copy())),
                                                      LineFor(TimeoutArgs(5)), LineFor(TimeoutArgs(7)),
                                                      LineFor(SetElementArgs(kMissing, L" nx ", L"OptIn"))}));
  EXPECT_TRUE(FileExists(Copy()));
  EXPECT_FALSE(FileExists(backups + AutoBackupName(2025, 1, 1, 0, 0, 0))) << "ten are kept: the oldest goes";
  EXPECT_TRUE(FileExists(backups + AutoBackupName(2025, 1, 2, 0, 0, 0)));

  // A store file is no system store: no copy, no record.
  Runner().storeFile = folder.File(L"other.BCD");
  Exported(L"other.BCD");
  SetManagerTimeout(9);
  Runner().storeFile.clear();
  ASSERT_EQ(Runner().changes.done.size(), 2u);
  EXPECT_EQ(Runner().changes.done[1].arguments, TimeoutArgs(7));

  SetOrDeleteElement(demo::kWindows7, L"description", L"\"\u00dcbung\"");
  ASSERT_TRUE(SaveChangeScript(folder.File(L"fleet.cmd"), demo::kWindows10));
  EXPECT_NE(ReadFileBytes(folder.File(L"fleet.cmd"))
                .find("bcdedit /set {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} description \"\x9A" "bung\""),
            std::string::npos)
      << "in the OEM code page (437, 850), which the script switches the console to";
}

TEST_F(SafetyNet, BootIniIsCopiedAndUndoSavesTheStoreThenPutsStoreAndBootIniBackByteForByte) {
  const std::string text = "[boot loader]\r\ntimeout=30\r\n";
  ASSERT_TRUE(PlaceBootIni(text));
  std::string before = Exported(L"before.bcd");
  SetManagerTimeout(3);
  std::wstring created = Runner().CreateEntry(L"OSLOADER", L"Scratch");
  ASSERT_EQ(created.size(), 38u) << created;
  EXPECT_EQ(Runner().changes.done.back().createdId, created) << "the script creates it again as it is";
  AppendToMenu(created);
  // boot.ini too is copied before its first change, once; ten copies are kept.
  auto old = [&](int day) { return folder.File(L"Backup\\") + AutoBackupName(2025, 1, day, 0, 0, 0, L".boot.ini"); };
  for (int day = 1; day <= 10; ++day) ASSERT_TRUE(WriteFileBytes(old(day), "old"));
  ASSERT_TRUE(BootIniSetTimeout(4) && BootIniSetTimeout(5));
  EXPECT_EQ(ReadFileBytes(Runner().changes.bootIniBackup), text);
  EXPECT_FALSE(FileExists(old(1)));
  EXPECT_TRUE(FileExists(old(2)));
  const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  SetFileAttributesW(AppSettings.bootIniPath.c_str(), attributes);
  std::string changed = Exported(L"changed.bcd");
  ASSERT_NE(changed, before);
  ClearJournal();

  const std::wstring saved = folder.File(L"Backup\\before-undo.BCD");
  UndoOutcome outcome = UndoChangesSinceStart(saved);
  EXPECT_TRUE(outcome.import.Succeeded());
  EXPECT_EQ(TakeJournal(), (std::vector<std::wstring>{LineFor(ExportArgs(saved)), LineFor(ImportArgs(Copy()))}));
  EXPECT_EQ(ReadFileBytes(saved), changed) << "the undo can itself be undone";
  EXPECT_EQ(Exported(L"after.bcd"), before);
  EXPECT_EQ(ReadFileBytes(AppSettings.bootIniPath), text);
  EXPECT_EQ(GetFileAttributesW(AppSettings.bootIniPath.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, attributes);
  EXPECT_TRUE(Runner().changes.done.empty()) << "the script starts over from the store as it was";

  // Where the store as it is cannot be saved first, nothing is undone.
  SetManagerTimeout(8);
  ClearJournal();
  outcome = UndoChangesSinceStart(folder.File(L"boot.ini\\before-undo.BCD"));
  EXPECT_FALSE(outcome.savedFileMade || outcome.import.started);
  EXPECT_EQ(TakeJournal().size(), 1u);
}

TEST_F(SafetyNet, ACopyThatCannotBeMadeStopsTheRestOfTheCommandAndTheNextCommandTriesAgain) {
  ASSERT_TRUE(PlaceFile(folder.File(L"Backup"), "a file where the folder should be"));
  const std::string text = "[boot loader]\r\ntimeout=30\r\n";
  ASSERT_TRUE(PlaceBootIni(text));
  std::string before = Exported(L"before.bcd");
  SetManagerTimeout(4);
  EXPECT_EQ(Runner().lastRefusal, Refusal::kNoSafetyNet);
  // A listing in between is no new command: no second try that could let the rest through.
  Runner().Run(EnumArgs(L"{bootmgr}"));
  EXPECT_FALSE(SetManagerLocale(L"de-DE").started);
  EXPECT_FALSE(BootIniSetTimeout(9));
  std::vector<std::wstring> journal = TakeJournal();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_NE(journal[0].find(L" /export "), std::wstring::npos) << journal[0];
  EXPECT_EQ(journal[1], LineFor(EnumArgs(L"{bootmgr}")));
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
  EXPECT_EQ(Exported(L"after.bcd"), before);
  EXPECT_EQ(ReadFileBytes(AppSettings.bootIniPath), text);

  win::BeginUserCommand();
  SetManagerTimeout(4);
  EXPECT_EQ(seams.script.prompts.size(), 2u) << "the next command tries again";
  EXPECT_TRUE(Runner().changes.done.empty() && Copy().empty());

  // Yes: no copy is tried again in this run, of the store or of boot.ini.
  win::BeginUserCommand();
  seams.script.promptAnswers = {IDYES};
  SetManagerTimeout(6);
  win::BeginUserCommand();
  EXPECT_TRUE(BootIniSetTimeout(9));
  SetManagerTimeout(7);
  journal = TakeJournal();
  ASSERT_EQ(journal.size(), 4u);
  EXPECT_EQ(std::vector<std::wstring>(journal.end() - 2, journal.end()),
            (std::vector<std::wstring>{LineFor(TimeoutArgs(6)), LineFor(TimeoutArgs(7))}));
  EXPECT_EQ(seams.script.prompts.size(), 3u);
}
