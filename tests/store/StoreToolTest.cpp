// Store commands and listings against the bcdedit stand-in: the exact command lines it received,
// the /store redirection, refusals that issue nothing, and the records read from the demo store.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "store/EntryList.h"
#include "store/FileRoutines.h"
#include "store/StoreCommands.h"
#include "store/StoreListing.h"

using testing_support::StoreSandbox;
namespace demo = testing_support::demo_store;

TEST(StoreTool, CommandLinesAsReceivedWithAndWithoutAStoreFile) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  BcdEditRunner& runner = Runner();
  runner.Run(EnumArgs(L"OSLOADER"), 0);
  runner.storeFile = sandbox.folder.File(L"other.bcd");
  runner.Run(EnumArgs(L"OSLOADER"), 0);
  ExportStore(sandbox.folder.File(L"backup.bcd"));
  ImportStore(sandbox.folder.File(L"backup.bcd"));
  runner.SetElement(L"{current}", L" description ", L"\"My Windows\"");
  runner.storeFile.clear();
  runner.SetElement(L"{current}", L" path ", L"\\Windows\\system32\\winload.exe");
  runner.DeleteElement(L"{bootmgr}", L" locale ");

  std::vector<std::wstring> journal = sandbox.Journal();
  ASSERT_EQ(journal.size(), 7u);
  EXPECT_EQ(journal[0], sandbox.LineFor(L" /enum OSLOADER /v"));
  // The store clause's own blank and the arguments' leading blank: two blanks before /enum.
  EXPECT_EQ(journal[1], sandbox.LineFor(L" /store \"" + sandbox.folder.File(L"other.bcd") + L"\"  /enum OSLOADER /v"));
  // Export and import always act on the system store.
  EXPECT_EQ(journal[2], sandbox.LineFor(L" /export \"" + sandbox.folder.File(L"backup.bcd") + L"\""));
  EXPECT_EQ(journal[3], sandbox.LineFor(L" /import \"" + sandbox.folder.File(L"backup.bcd") + L"\" "));
  EXPECT_EQ(journal[4], sandbox.LineFor(L" /store \"" + sandbox.folder.File(L"other.bcd") +
                                        L"\"  /set  {current}    description    \"My Windows\""));
  EXPECT_EQ(journal[5], sandbox.LineFor(L" /set  {current}    path    \\Windows\\system32\\winload.exe"));
  EXPECT_EQ(journal[6], sandbox.LineFor(L" /deletevalue  {bootmgr}    locale "));
}

TEST(StoreTool, QuotesThatWouldAddArgumentsIssueNothing) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  BcdEditRunner& runner = Runner();
  EXPECT_FALSE(runner.SetElement(L"{current}", L" description ", L"\"x\" /delete {current} \"y\"").started);
  EXPECT_EQ(runner.lastRefusal, Refusal::kQuoteInValue);
  EXPECT_FALSE(runner.SetElement(L"current", L" description ", L"x").started);
  EXPECT_EQ(runner.CreateEntry(L"OSLOADER", L"a\" /application bootsector \""), L"");
  EXPECT_EQ(CopyStoreEntry(demo::kWindows7, L"Win \"7\""), L"");
  EXPECT_EQ(runner.lastRefusal, Refusal::kQuoteInValue);
  EXPECT_EQ(RenameLegacyLoader(L"XP\" /f"), L"");
  EXPECT_FALSE(SetManagerLocale(L"en-US\" /f \"").started);
  // A final backslash would escape the closing quote: the tool would store a quote in the value.
  EXPECT_FALSE(runner.SetElement(demo::kWindows7, L" description ", L"My Dir\\").started);
  EXPECT_EQ(runner.CreateEntry(L"OSLOADER", L"name\\"), L"");
  EXPECT_FALSE(ExportStore(sandbox.folder.File(L"Backup\\")).started);
  EXPECT_EQ(runner.lastRefusal, Refusal::kQuoteInValue);
  EXPECT_TRUE(sandbox.Journal().empty());

  // The same operations with sound values reach the tool and change the store.
  EXPECT_TRUE(runner.SetElement(demo::kWindows7, L" description ", L"\"Seven Renamed\"").started);
  EntryList list;
  BootEntry record;
  list.EnumerateOne(&record, demo::kWindows7);
  EXPECT_EQ(record.description, L"Seven Renamed");
  std::wstring created = runner.CreateEntry(L"bootsector", L"New Sector");
  EXPECT_EQ(created.front(), L'{');
  EXPECT_EQ(created.back(), L'}');
  EXPECT_EQ(created.size(), 38u);
  // SetElement quotes a value with a blank on its own; the tool keeps the text whole.
  EXPECT_TRUE(runner.SetElement(created, L" description ", L"Sector Two").started);
  list.EnumerateOne(&record, created);
  EXPECT_EQ(record.description, L"Sector Two");
  std::vector<std::wstring> journal = sandbox.Journal();
  ASSERT_EQ(journal.size(), 5u);
  EXPECT_EQ(sandbox.ArgumentsOf(journal[2]), L" /create /d \"New Sector\" /application bootsector");
  EXPECT_EQ(sandbox.ArgumentsOf(journal[3]), L" /set  " + created + L"    description    \"Sector Two\"");
}

TEST(StoreTool, IdentifiersAndStoreFilesThatWouldNotBeOneArgumentIssueNothing) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  BcdEditRunner& runner = Runner();
  EntryList list;
  for (const wchar_t* identifier : {L"", L"{a} /delete {current}", L"{a}\t{b}", L"{a\"}"}) {
    list.WriteOrder(L"addtolist", identifier);
    EXPECT_EQ(runner.lastRefusal, Refusal::kBadIdentifier);
    EXPECT_EQ(AppendToMenu(identifier).text, L"");
    EXPECT_EQ(CopyStoreEntry(identifier, L"x"), L"");
    EXPECT_EQ(WriteDisplayOrder({demo::kWindows7, identifier}).text, L"");
    EXPECT_EQ(list.RunEnum(identifier), L"");
    EXPECT_FALSE(runner.SetElement(identifier, L" description ", L"x").started);
    EXPECT_EQ(runner.lastRefusal, Refusal::kBadIdentifier);
  }
  runner.storeFile = sandbox.folder.File(L"Backup\\");
  EXPECT_EQ(runner.Run(EnumArgs(L"OSLOADER"), 0), kCreateProcessFailedText);
  EXPECT_EQ(runner.lastRefusal, Refusal::kQuoteInValue);
  runner.storeFile.clear();
  EXPECT_TRUE(sandbox.Journal().empty());

  // A tab would come back from the tool but split a line of the saved script: refused. An empty
  // value and one with blanks reach the tool quoted, each as one value.
  EXPECT_FALSE(runner.SetElement(demo::kWindows7, L" description ", L"Tab\tSeven").started);
  EXPECT_EQ(runner.lastRefusal, Refusal::kUnprintable);
  EXPECT_TRUE(runner.SetElement(demo::kWindows7, L" description ", L"Blank Seven").started);
  EXPECT_TRUE(runner.SetElement(demo::kWindows7, L" locale ", L"").started);
  std::vector<std::wstring> journal = sandbox.Journal();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(sandbox.ArgumentsOf(journal[0]), std::wstring(L" /set  ") + demo::kWindows7 + L"    description    \"Blank Seven\"");
  EXPECT_EQ(sandbox.ArgumentsOf(journal[1]), std::wstring(L" /set  ") + demo::kWindows7 + L"    locale    \"\"");
  BootEntry record;
  list.EnumerateOne(&record, demo::kWindows7);
  EXPECT_EQ(record.description, L"Blank Seven");
}

TEST(StoreTool, WriteOrderIssuesOnlyWhatChanges) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  EntryList list;
  list.LoadBootManager();
  ASSERT_EQ(list.bootManager.defaultId, demo::kWindows10);
  sandbox.ClearJournal();
  list.WriteOrder(L"default", demo::kWindows10);  // already the default
  list.WriteOrder(L"DEL", demo::kWindows10);      // the default is never deleted
  list.WriteOrder(L"sort", demo::kWindows7);      // unknown operation
  list.WriteOrder(L"default", demo::kWindows7);
  EXPECT_EQ(list.bootManager.defaultId, demo::kWindows7);
  list.WriteOrder(L"DEL", demo::kWindows10);
  list.WriteOrder(L"addtolist", kNtldrGuid);
  std::vector<std::wstring> journal = sandbox.Journal();
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_EQ(sandbox.ArgumentsOf(journal[0]), std::wstring(L" /default ") + demo::kWindows7);
  EXPECT_EQ(sandbox.ArgumentsOf(journal[1]), std::wstring(L" /delete ") + demo::kWindows10 + L" /cleanup ");
  EXPECT_EQ(sandbox.ArgumentsOf(journal[2]), std::wstring(L" /displayorder ") + kNtldrGuid + L" /addlast");

  // Without the tool nothing is issued at all.
  AppSettings.toolsAvailable = false;
  sandbox.ClearJournal();
  list.WriteOrder(L"default", demo::kWindows10);
  EXPECT_TRUE(sandbox.Journal().empty());
  EXPECT_EQ(list.bootManager.defaultId, demo::kWindows7);
}

TEST(StoreTool, DemoStoreReadsIntoRecords) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  EntryList list;
  list.EnumerateOne(nullptr, L"{bootmgr}");
  EXPECT_EQ(list.bootManager.identifier, kBootMgrGuid);
  EXPECT_EQ(list.bootManager.timeout, 30);
  EXPECT_EQ(list.bootManager.locale, L"en-US");
  EXPECT_EQ(list.bootManager.displayorder.substr(0, 77),
            std::wstring(demo::kWindows10) + L"\n" + demo::kWindows7);
  EXPECT_EQ(std::count(list.bootManager.displayorder.begin(), list.bootManager.displayorder.end(), L'\n'), 5);

  // "{BOOTMGR}" with a record is not the boot manager: the loader table fills the record.
  BootEntry record;
  list.bootManager.ResetBootManager();
  list.EnumerateOne(&record, L"{BOOTMGR}");
  EXPECT_EQ(record.identifier, kBootMgrGuid);
  EXPECT_TRUE(record.defaultId.empty());
  EXPECT_TRUE(list.bootManager.displayorder.empty());

  list.TakeLoaders(ReadStoreListing());
  ASSERT_EQ(list.entries.size(), 4u);
  int pe = list.IndexOf(demo::kWindowsPe);
  ASSERT_GE(pe, 0);
  EXPECT_EQ(list.entries[pe].winpe, L"Yes");
  EXPECT_EQ(list.entries[pe].sourceKind, 1);
  EXPECT_EQ(list.entries[pe].GetPath(), L"\\windows\\system32\\winload.exe");
  for (const auto& entry : list.entries) EXPECT_EQ(entry.rawText.substr(0, 19), L"Windows Boot Loader");
  ASSERT_EQ(list.deviceOptionIds.size(), 1u);
  EXPECT_EQ(list.deviceOptionIds[0], L"{ramdiskoptions}");

  // Without the tool nothing is read.
  AppSettings.toolsAvailable = false;
  BootEntry untouched;
  sandbox.ClearJournal();
  list.EnumerateOne(&untouched, demo::kWindows7);
  EXPECT_EQ(untouched.rawText, NOT_READ_TEXT);
  EXPECT_TRUE(sandbox.Journal().empty());
}

TEST(StoreTool, EmptyStoreFileFallsBackToTheSystemStore) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  std::wstring file = sandbox.folder.File(L"empty store.bcd");
  Runner().Run(L" /createstore \"" + file + L"\"", 1);
  ASSERT_TRUE(FileExists(file));
  Runner().storeFile = file;
  EntryList list;
  EXPECT_EQ(list.LoadBootManager().load, ManagerLoad::kStoreFileWithoutMenu);
  EXPECT_TRUE(Runner().storeFile.empty());
  EXPECT_TRUE(sandbox.seams.script.prompts.empty()) << "the page tells the user";
  EXPECT_EQ(list.bootManager.defaultId, demo::kWindows10);
  std::vector<std::wstring> journal = sandbox.Journal();
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_EQ(sandbox.ArgumentsOf(journal[1]), L" /store \"" + file + L"\"  /enum all /v");
  EXPECT_EQ(sandbox.ArgumentsOf(journal[2]), L" /enum all /v");
}

TEST(StoreTool, PageCommandsAndTheLegacyLoaderSetUp) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  SetManagerTimeout(12);
  SetManagerLocale(L"de-DE");
  SetManagerLocale(L"");
  SetManagerMenuStyle(L"Yes");
  WriteDisplayOrder({demo::kWindows7, demo::kWindows10});
  SetOrDeleteElement(demo::kWindows7, L"nx", L"AlwaysOn");
  SetOrDeleteElement(demo::kWindows7, L"pae", L"");
  SetUpLegacyLoader();
  RenameLegacyLoader(L"Windows XP");
  CreateLegacyLoader(L"Earlier Windows");
  AppendToMenu(kNtldrGuid);
  std::vector<std::wstring> journal = sandbox.Journal();
  std::vector<std::wstring> expected = {
      L" /timeout 12",
      L" /set  {bootmgr}    locale    \"de-DE\"",
      L" /deletevalue  {bootmgr}    locale ",
      L" /set  {bootmgr}    displaybootmenu    \"Yes\"",
      std::wstring(L" /displayorder ") + demo::kWindows7 + L" " + demo::kWindows10,
      std::wstring(L" /set  ") + demo::kWindows7 + L"    nx    AlwaysOn",
      std::wstring(L" /deletevalue  ") + demo::kWindows7 + L"    pae ",
      L" /create {ntldr} /d \"Earlier Windows OS Loader\"",
      L" /set {ntldr} description \"Earlier Windows OS Loader\"",
      L" /set {ntldr} path \\ntldr",
      L" /set {ntldr} device partition=c:",
      L" /set {ntldr} description \"Windows XP\"",
      L" /create {ntldr} /d \"Earlier Windows\"",
      std::wstring(L" /displayorder ") + kNtldrGuid + L" /addlast",
  };
  ASSERT_EQ(journal.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(sandbox.ArgumentsOf(journal[i]), expected[i]) << i;

  EntryList list;
  list.LoadBootManager();
  EXPECT_EQ(list.bootManager.timeout, 12);
  EXPECT_TRUE(list.bootManager.locale.empty());
  BootEntry ntldr;
  list.EnumerateOne(&ntldr, L"{ntldr}");
  EXPECT_EQ(ntldr.description, L"Windows XP");
  EXPECT_EQ(ntldr.GetPath(), L"\\ntldr");
}

TEST(StoreTool, ProgramFolderWithBlanks) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  std::wstring spaced = sandbox.folder.File(L"Program Files\\Vexa\\");
  ASSERT_TRUE(
      CopyIntoDirectory(sandbox.folder.File(L"bin64\\bcdedit.exe"), spaced + L"bin64\\", L"bcdedit.exe", false));
  Runner().programDir = spaced;
  Runner().toolDir.clear();
  std::wstring listing = Runner().Run(EnumArgs(L"{bootmgr}"), 0);
  EXPECT_NE(listing.find(L"Windows Boot Manager"), std::wstring::npos);
  std::vector<std::wstring> journal = sandbox.Journal();
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0], L"\"" + spaced + L"bin64\\bcdedit.exe\"  /enum {bootmgr} /v");
}
