// The safety net of the system store (one copy before the run's first change, a failed copy stops
// the change, old copies make way, undo puts the store back byte for byte) and the changes recorded.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "store/StoreCommands.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

constexpr wchar_t kMissing[] = L"{deadbeef-0000-0000-0000-000000000000}";

class SafetyNet : public testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    Runner().changes.safetyNet = true;
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
                .find("bcdedit /set {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07} description \"\xC3\x9C" "bung\""),
            std::string::npos)
      << "UTF-8, which cmd passes on unchanged under code page 65001";
}

TEST_F(SafetyNet, UndoPutsTheStoreBackByteForByte) {
  std::string before = Exported(L"before.bcd");
  SetManagerTimeout(3);
  std::wstring created = Runner().CreateEntry(L"OSLOADER", L"Scratch");
  ASSERT_EQ(created.size(), 38u) << created;
  EXPECT_EQ(Runner().changes.done.back().createdId, created) << "the script creates it again as it is";
  AppendToMenu(created);
  ASSERT_NE(Exported(L"changed.bcd"), before);
  ClearJournal();

  EXPECT_TRUE(UndoChangesSinceStart().Succeeded());
  EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{LineFor(ImportArgs(Copy()))});
  EXPECT_EQ(Exported(L"after.bcd"), before);
  EXPECT_TRUE(Runner().changes.done.empty()) << "the script starts over from the store as it was";
}

TEST_F(SafetyNet, ACopyThatCannotBeMadeStopsEveryChangeAndIsToldOncePerBatch) {
  ASSERT_TRUE(PlaceFile(folder.File(L"Backup"), "a file where the folder should be"));
  std::string before = Exported(L"before.bcd");
  SetManagerTimeout(4);
  EXPECT_EQ(Runner().lastRefusal, Refusal::kNoSafetyNet);
  EXPECT_EQ(SetManagerLocale(L"de-DE"), 0);
  std::vector<std::wstring> journal = TakeJournal();
  ASSERT_EQ(journal.size(), 2u);
  for (const std::wstring& line : journal) EXPECT_NE(line.find(L" /export "), std::wstring::npos) << line;
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(Exported(L"after.bcd"), before);

  Runner().Run(EnumArgs(L"{bootmgr}"));
  SetManagerTimeout(4);
  EXPECT_EQ(seams.script.prompts.size(), 2u) << "after the store was read again, the next attempt tells again";
  EXPECT_TRUE(Runner().changes.done.empty() && Copy().empty());
}
