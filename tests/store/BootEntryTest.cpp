// The entry record's reset states, copy rule and path access, and look-up in the entry list.
#include <gtest/gtest.h>

#include "core/BootEntry.h"
#include "store/EntryList.h"

TEST(BootEntry, ResetStatesAndCopyDropManagerOnlyFields) {
  BootEntry manager;
  manager.description = L"changed";
  manager.elements[L"x"] = L"y";
  manager.ResetBootManager();
  EXPECT_EQ(manager.identifier, kBootMgrGuid);
  EXPECT_EQ(manager.description, L"Windows Boot Manager");
  EXPECT_EQ(manager.sourceKind, 1);
  EXPECT_EQ(manager.timeout, -1);
  EXPECT_EQ(manager.rawText, L"It's OS_ALL_INFO");
  ASSERT_EQ(manager.elements.size(), 1u);
  EXPECT_TRUE(manager.elements.count(L"path"));

  manager.defaultId = L"{a}";
  manager.displayorder = L"{a}\n{b}";
  manager.timeout = 30;
  manager.elements[L"default"] = L"{a}";
  manager.elements[L"timeout"] = L"30";
  manager.deleteMark = 1;
  BootEntry copy = manager.Copy();
  EXPECT_TRUE(copy.defaultId.empty());
  EXPECT_TRUE(copy.displayorder.empty());
  EXPECT_EQ(copy.timeout, 0);
  EXPECT_EQ(copy.elements.at(L"default"), L"{a}");
  EXPECT_EQ(copy.elements.at(L"timeout"), L"30");
  EXPECT_EQ(copy.identifier, kBootMgrGuid);
  EXPECT_EQ(copy.deleteMark, 1);

  copy.Reset();
  EXPECT_TRUE(copy.identifier.empty());
  EXPECT_TRUE(copy.elements.empty());
  EXPECT_EQ(copy.loadState, -2);
  EXPECT_EQ(copy.sourceKind, -2);
  EXPECT_EQ(copy.timeout, 0);
  EXPECT_EQ(copy.deleteMark, -1);
  EXPECT_EQ(copy.rawText, NOT_READ_TEXT);
}

TEST(BootEntry, PathLivesInElementsAndLabelsFollowTheSource) {
  BootEntry entry;
  EXPECT_EQ(entry.GetPath(), L"");
  EXPECT_TRUE(entry.elements.empty());  // reading must not create the key
  EXPECT_EQ(entry.SetPath(L"\\ntldr"), L"\\ntldr");
  entry.SetPath(L"\\Windows\\system32\\winload.exe");
  EXPECT_EQ(entry.elements.at(L"path"), L"\\Windows\\system32\\winload.exe");
  EXPECT_EQ(KindLabel(0), L"OSLOAD");
  EXPECT_EQ(KindLabel(1), L"BCD Entry");
  EXPECT_EQ(KindLabel(2), L"Boot.ini");
  EXPECT_EQ(KindLabel(-2), L"Others");
}

TEST(EntryList, IndexOfMapsAliasesIgnoresCaseAndNeedsBraces) {
  EntryList list;
  EXPECT_EQ(list.bootManager.identifier, kBootMgrGuid);
  EXPECT_EQ(list.ntldrIndex, -1);
  EXPECT_EQ(list.legacyRow, -1);
  for (const wchar_t* id : {L"{11111111-0000-0000-0000-000000000000}", L"{9DEA862C-5CDD-4E70-ACC1-F32B344D4795}",
                            L"{ae5534e0-a924-466c-b836-758539a3ee3a}", L"{9dea862c-5cdd-4e70-acc1-f32b344d4795}"}) {
    BootEntry entry;
    entry.identifier = id;
    list.entries.push_back(entry);
  }
  EXPECT_EQ(list.IndexOf(L"{bootmgr}"), 1);  // first match wins
  EXPECT_EQ(list.IndexOf(L"{RamdiskOptions}"), 2);
  EXPECT_EQ(list.IndexOf(L"{11111111-0000-0000-0000-000000000000}"), 0);
  EXPECT_EQ(list.IndexOf(L"11111111-0000-0000-0000-000000000000"), -1);
  EXPECT_EQ(list.IndexOf(L"{11111111-0000-0000-0000-00000000000}"), -1);
  EXPECT_EQ(list.IndexOf(L""), -1);
}
