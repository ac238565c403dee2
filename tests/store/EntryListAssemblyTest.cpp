// The whole boot menu assembled from the stand-in's demo store, as the OS list page loads it: the
// records, their order, the markers, and how many tool runs it took; the same menu from one
// listing of the whole store as from a listing of each kind and object.
#include <gtest/gtest.h>

#include <tuple>

#include "StoreSandbox.h"
#include "base/AppSettings.h"
#include "base/Strings.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "core/ListingParser.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

const char kBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n"
    "C:\\CMDCONS\\BOOTSECT.DAT=\"Microsoft Windows Recovery Console\" /cmdcons\r\n";

// A machine running Windows 10 from the demo store, with NTLDR on C: and a boot.ini, the stand-in as
// its tool and every tool run journalled.
class DemoMachine : public ::testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    AppSettings = {};
    AppSettings.osClass = 10;
    AppSettings.bcdSystem = true;
    AppSettings.storeKeyName = storeKey;
    AppSettings.currentSystemName = L"Windows 10 Pro";
    ASSERT_TRUE(PlaceBootIni(kBootIni));
    PlaceFile(L"C:\\ntldr", "NTLDR");
  }
};

std::vector<std::wstring> Identifiers(const EntryList& list) {
  std::vector<std::wstring> out;
  for (int index : list.displayIndex) out.push_back(list.entries[index].identifier);
  return out;
}

TEST_F(DemoMachine, LoadsTheWholeMenuWithTheFewestToolRuns) {
  EntryList list;
  list.InitialLoad();
  EXPECT_EQ(TakeJournal(),
            (std::vector<std::wstring>{LineFor(L" /enum all /v"), LineFor(L" /enum {current} /v")}));
  EXPECT_TRUE(seams.script.prompts.empty());

  EXPECT_EQ(list.bootManager.defaultId, demo::kWindows10);
  EXPECT_EQ(list.bootManager.timeout, 30);
  EXPECT_EQ(list.currentOs.identifier, demo::kWindows10);
  EXPECT_EQ(list.currentOs.sourceKind, 0);
  EXPECT_EQ(list.currentOs.loadState, 10);
  // The running system's own listing names it, over the product name it started with.
  EXPECT_EQ(list.currentOs.description, L"Windows 10");
  EXPECT_TRUE(AppSettings.ntldrPresent);

  // The menu is built from the listing the first load read; a full rebuild reads it once again.
  list.Reload(0);
  EXPECT_TRUE(TakeJournal().empty());
  list.Reload(1);
  EXPECT_EQ(TakeJournal(), (std::vector<std::wstring>{LineFor(L" /enum all /v")}));

  std::vector<std::wstring> menu = Identifiers(list);
  std::vector<std::wstring> expected = {demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd,
                                        L"{466f5a88-0af2-4f76-9038-095b170dc21c}", demo::kGrub};
  ASSERT_GE(menu.size(), expected.size() + 2);
  EXPECT_EQ(std::vector<std::wstring>(menu.begin(), menu.begin() + 6), expected);

  // The store's records as the rows will show them: shown, from the store, read during the
  // display-order walk, with their own description, device and path.
  struct Row {
    const wchar_t* description;
    std::wstring device;
    const wchar_t* path;
  };
  const Row rows[] = {
      {L"Windows 10", L"partition=C:", L"\\Windows\\system32\\winload.exe"},
      {L"Windows 7", L"partition=D:", L"\\Windows\\system32\\winload.exe"},
      {L"Windows PE", L"ramdisk=[C:]\\sources\\boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}",
       L"\\windows\\system32\\winload.exe"},
      {L"Windows 8 (VHD)", L"vhd=[C:]\\VHD\\Windows8.vhd", L"\\Windows\\system32\\winload.exe"},
      {L"Earlier Version of Windows", L"partition=C:", L"\\ntldr"},
      {L"GRUB", L"partition=C:", L"\\grldr.mbr"},
  };
  for (size_t row = 0; row < 6; ++row) {
    const BootEntry& entry = list.entries[list.displayIndex[row]];
    EXPECT_EQ(KindLabel(entry.sourceKind), L"BCD Entry") << row;
    EXPECT_EQ(entry.loadState, 3) << row;
    EXPECT_EQ(entry.deleteMark, 0) << row;
    EXPECT_EQ(entry.description, rows[row].description) << row;
    EXPECT_EQ(entry.device, rows[row].device) << row;
    EXPECT_EQ(entry.GetPath(), rows[row].path) << row;
  }
  // The {default} and {current} markers both land on the first row.
  EXPECT_EQ(list.IndexOf(list.bootManager.defaultId), list.displayIndex[0]);
  EXPECT_EQ(list.IndexOf(list.currentOs.identifier), list.displayIndex[0]);
  ASSERT_GE(list.ntldrIndex, 0);
  EXPECT_EQ(list.entries[list.ntldrIndex].identifier, L"{466f5a88-0af2-4f76-9038-095b170dc21c}");
  EXPECT_EQ(list.displayIndex[4], list.ntldrIndex);
  // Loaders come first in entries, the other display-order objects after them in menu order.
  EXPECT_LT(list.displayIndex[3], list.displayIndex[4]);
  EXPECT_LT(list.displayIndex[4], list.displayIndex[5]);
  EXPECT_EQ(list.deviceOptionIds, std::vector<std::wstring>{L"{ramdiskoptions}"});

  // boot.ini lines follow the store's menu, in file order.
  ASSERT_EQ(menu.size(), 8u);
  const BootEntry& xp = list.entries[list.displayIndex[6]];
  EXPECT_EQ(KindLabel(xp.sourceKind), L"Boot.ini");
  EXPECT_EQ(xp.deleteMark, 0);
  EXPECT_EQ(xp.description, L"Microsoft Windows XP Professional");
  EXPECT_EQ(xp.GetPath(), L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS");
  EXPECT_EQ(list.entries[list.displayIndex[7]].GetPath(), L"C:\\CMDCONS\\BOOTSECT.DAT");

  // A rebuild that keeps the records runs nothing; boot.ini lines are read again.
  size_t before = list.entries.size();
  list.Reload(0);
  EXPECT_TRUE(TakeJournal().empty());
  EXPECT_EQ(list.displayIndex.size(), 8u);
  EXPECT_EQ(list.entries.size(), before + 2);
  EXPECT_EQ(Identifiers(list).front(), demo::kWindows10);
}

// The menu as the OS list page shows it: per row the identifier and description, the rows carrying
// the {default} and {current} markers, every record with its kind, and every tool run it took.
struct MenuView {
  std::vector<std::wstring> rows;
  int defaultRow = -1;
  int currentRow = -1;
  std::vector<std::wstring> entries;
  std::vector<std::wstring> runs;
};

// Read as the OS list page reads it when it is made, or as it was read before one listing held the
// whole store: the boot manager, the running system and the loaders in a listing each, then each
// other menu object in one, as a rebuild that holds no listing of the store still does.
MenuView LoadMenu(const StoreSandbox& sandbox, bool objectByObject = false) {
  EntryList list;
  if (objectByObject) {
    list.EnumerateOne(nullptr, kBootMgrAlias);
    list.EnumerateOne(&list.currentOs, kCurrentAlias);
    for (const std::wstring& section : SplitListingSections(list.RunEnum(L"OSLOADER"))) {
      list.scratch.Reset();
      list.scratch.sourceKind = kSourceStore;
      list.ParseSection(&list.scratch, section, false);
      list.entries.push_back(list.scratch.Copy());
    }
  } else {
    list.InitialLoad();
  }
  list.Reload(0);
  MenuView view;
  for (int index : list.displayIndex) {
    const BootEntry& entry = list.entries[index];
    int row = static_cast<int>(view.rows.size());
    if (!entry.identifier.empty() && base::EqualsNoCase(entry.identifier, list.bootManager.defaultId)) view.defaultRow = row;
    if (!entry.identifier.empty() && base::EqualsNoCase(entry.identifier, list.currentOs.identifier)) view.currentRow = row;
    view.rows.push_back(entry.identifier + L" " + entry.description);
  }
  for (const BootEntry& entry : list.entries) view.entries.push_back(entry.identifier + L" " + KindLabel(entry.sourceKind));
  view.runs = sandbox.TakeJournal();
  return view;
}

TEST_F(DemoMachine, OneListingOfTheWholeStoreGivesTheMenuOfAListingPerObject) {
  const std::wstring file = folder.File(L"copy.bcd");
  ASSERT_EQ(RunTool(L"bcdedit", L"/export \"" + file + L"\"").exitCode, 0u);
  const struct {
    const char* what;
    bool uefi;
    const wchar_t* language;
    const wchar_t* storeFile;
    size_t rows;
  } cases[] = {
      {"the demo store and boot.ini", false, L"", L"", 8},
      {"a UEFI store: firmware entries, resume, tools, settings, device options", true, L"", L"", 8},
      {"German keys", false, L"de", L"", 8},
      {"Russian keys, unreadable in this code page", true, L"ru", L"", 8},
      {"Chinese keys", false, L"zh", L"", 8},
      {"a store file", false, L"", file.c_str(), 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(c.uefi ? SeedUefiDemo() : SeedDemo());
    ScopedEnvironment language(L"VEXA_STANDIN_LANGUAGE", c.language);
    Runner().storeFile = c.storeFile;
    MenuView one = LoadMenu(*this);
    MenuView each = LoadMenu(*this, true);
    EXPECT_EQ(std::tuple(one.runs.size(), one.rows.size(), one.defaultRow, one.currentRow), std::tuple(2u, c.rows, 0, 0));
    EXPECT_EQ(std::tie(one.rows, one.defaultRow, one.currentRow, one.entries),
              std::tie(each.rows, each.defaultRow, each.currentRow, each.entries));
  }
}

TEST_F(DemoMachine, AGermanToolGivesTheSameMenuMarkersAndRuns) {
  MenuView english = LoadMenu(*this);
  MenuView german;
  {
    ScopedEnvironment language(L"VEXA_STANDIN_LANGUAGE", L"de");
    german = LoadMenu(*this);
  }
  ASSERT_EQ(english.rows.size(), 8u);
  EXPECT_EQ(english.rows[0], std::wstring(demo::kWindows10) + L" Windows 10");
  EXPECT_EQ(english.defaultRow, 0);
  EXPECT_EQ(english.currentRow, 0);

  EXPECT_EQ(german.rows, english.rows);
  EXPECT_EQ(german.defaultRow, 0);
  EXPECT_EQ(german.currentRow, 0) << "the running system keeps its marker";
  // No loader is read a second time, and none is left behind without its identifier.
  EXPECT_EQ(german.runs, english.runs);
  EXPECT_EQ(german.entries, english.entries);
}

TEST_F(DemoMachine, DisplayOrderMatchesCaseInsensitivelyAndRepeats) {
  AppSettings.toolsAvailable = true;
  EntryList list;
  std::wstring upper7 = demo::kWindows7;
  for (wchar_t& c : upper7) c = static_cast<wchar_t>(towupper(c));
  list.bootManager.displayorder = upper7 + L"\n " + demo::kWindows7 + L" \n\n" + demo::kGrub;
  list.BuildFromStore(0);
  ASSERT_EQ(list.displayIndex.size(), 3u);
  EXPECT_EQ(list.displayIndex[0], list.displayIndex[1]);
  EXPECT_EQ(list.entries[list.displayIndex[0]].identifier, demo::kWindows7);
  EXPECT_EQ(list.entries[list.displayIndex[2]].identifier, demo::kGrub);
  // {ntldr} is in the store but not in this menu.
  EXPECT_EQ(list.ntldrIndex, -1);
}

TEST_F(DemoMachine, EachMenuLineFindsTheFirstRecordOfItsIdentifier) {
  AppSettings.toolsAvailable = true;
  EntryList list;
  std::wstring upper7 = demo::kWindows7;
  for (wchar_t& c : upper7) c = static_cast<wchar_t>(towupper(c));
  std::wstring upperGrub = demo::kGrub;
  for (wchar_t& c : upperGrub) c = static_cast<wchar_t>(towupper(c));
  // Two records of one object in two spellings: whichever spelling a line uses, the first record.
  for (const wchar_t* identifier : {demo::kWindows10, upper7.c_str(), demo::kWindows7}) {
    BootEntry entry;
    entry.identifier = identifier;
    list.entries.push_back(entry);
  }
  // GRUB is no loader: read on its first line, the record added then serves its second.
  list.bootManager.displayorder = std::wstring(demo::kWindows7) + L"\n" + demo::kGrub + L"\n" + upper7 + L"\n" +
                                  upperGrub + L"\n" + demo::kWindows10;
  ClearJournal();
  list.BuildFromStore(0);
  EXPECT_EQ(TakeJournal(), (std::vector<std::wstring>{LineFor(L" /enum " + std::wstring(demo::kGrub) + L" /v")}));
  EXPECT_EQ(list.displayIndex, (std::vector<int>{1, 3, 1, 3, 0}));
  ASSERT_EQ(list.entries.size(), 4u);
  EXPECT_EQ(list.entries[3].description, L"GRUB");
}

TEST_F(DemoMachine, StoreFileModeAddsNoBootIniLines) {
  std::wstring file = folder.File(L"copy.bcd");
  ASSERT_EQ(RunTool(L"bcdedit", L"/export \"" + file + L"\"").exitCode, 0u);
  EntryList list;
  list.InitialLoad();
  ASSERT_TRUE(AppSettings.ntldrPresent);
  list.registryMode = 1;
  TakeJournal();
  Runner().storeFile = file;
  list.bootManager.displayorder.clear();
  list.Reload(1);
  EXPECT_EQ(list.registryMode, 0);
  EXPECT_EQ(list.displayIndex.size(), 6u);
  for (int index : list.displayIndex) EXPECT_EQ(list.entries[index].sourceKind, 1);
  // The boot manager, the loaders, {ntldr} and GRUB: all from one listing of the file.
  EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{LineFor(L" /store \"" + file + L"\"  /enum all /v")});
}

TEST_F(DemoMachine, LegacyEntryNeedsPathAndDevice) {
  AppSettings.toolsAvailable = true;
  EntryList list;
  EXPECT_EQ(list.LegacyEntryMissing(), 0);
  EXPECT_EQ(list.scratch.rawText, L"It's OS_ALL_INFO");
  ASSERT_EQ(RunTool(L"bcdedit", L"/deletevalue {ntldr} device").exitCode, 0u);
  EXPECT_EQ(list.LegacyEntryMissing(), 1);
}

TEST_F(DemoMachine, WithoutTheToolTheHiveAndBootIniStillGiveTheMenu) {
  DeleteFileW(folder.File(L"bin64\\bcdedit.exe").c_str());
  AppSettings.storeKeyName = L"BCD00000000";  // not there: found by searching HKLM
  EntryList list;
  // The list says the tool is missing; the OS list page tells the user.
  EXPECT_FALSE(list.InitialLoad());
  EXPECT_TRUE(seams.script.prompts.empty());
  EXPECT_EQ(Runner().toolDir, folder.File(L"bin64\\"));
  EXPECT_EQ(list.registryMode, 1);
  EXPECT_EQ(AppSettings.storeKeyName, storeKey);
  EXPECT_EQ(list.bootManager.timeout, 30);

  list.Reload(1);
  EXPECT_TRUE(TakeJournal().empty());
  ASSERT_EQ(list.displayIndex.size(), 8u);
  const BootEntry& grub = list.entries[list.displayIndex[5]];
  EXPECT_EQ(grub.identifier, demo::kGrub);
  EXPECT_FALSE(grub.description.empty());
  EXPECT_FALSE(grub.GetPath().empty());
  EXPECT_EQ(list.entries[list.displayIndex[6]].sourceKind, 2);
}

}  // namespace
