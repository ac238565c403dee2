// Other store files and the way back to the system store, and copying an entry.
#include <algorithm>

#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "store/StoreCommands.h"
#include "texts.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

class OtherStoreFile : public OsListPageTest {
 protected:
  // A copy of the system store in the program folder, with Windows 7 renamed in it.
  std::wstring MakeStoreFile() {
    std::wstring file = folder.File(L"other.BCD");
    EXPECT_TRUE(RunTool(L"bcdedit", L"/export \"" + file + L"\"").started);
    EXPECT_TRUE(RunTool(L"bcdedit", L"/store \"" + file + L"\" /set " + demo::kWindows7 +
                                        L" description \"Windows 7 in the file\"")
                    .started);
    return file;
  }
  void Browse(const std::wstring& answer) {
    seams.script.fileAnswers.push_back(answer);
    Click(IDC_OSLIST_BROWSE_STORE);
  }
  std::wstring StoreLabel() { return ControlText(Page().Handle(), IDC_OSLIST_STORE_LABEL); }
  bool ListsBootIniLines() {
    for (int index : Page().List().displayIndex) {
      if (Page().List().entries[index].sourceKind == kSourceBootIni) return true;
    }
    return false;
  }
  // The system store's own menu, boot.ini lines included, with every control of it; what the tool
  // was asked from the first listing of the system store on went there.
  void ExpectSystemStore() {
    EXPECT_TRUE(Runner().storeFile.empty());
    EXPECT_EQ(StoreLabel(), L"System BCD");
    EXPECT_FALSE(ButtonShown(IDC_OSLIST_RELOAD_STORE));
    EXPECT_NE(RowNamed(L"Windows 7"), -1);
    EXPECT_TRUE(ListsBootIniLines());
    EXPECT_TRUE(ButtonShown(IDC_OSLIST_BOOTINI_MENU));
    EXPECT_TRUE(ButtonShown(IDC_OSLIST_BOOTINI_TIMEOUT));
    std::vector<std::wstring> arguments = TakeArguments();
    auto system = std::find(arguments.begin(), arguments.end(), L" /enum {bootmgr} /v");
    EXPECT_NE(system, arguments.end());
    for (auto it = system; it != arguments.end(); ++it)
      EXPECT_EQ(it->find(L"/store"), std::wstring::npos) << testing::PrintToString(*it);
  }
};

TEST_F(OtherStoreFile, AStoreFileIsShownAndWrittenInstead) {
  AppSettings.autoReBoot = 1;
  OsListPage& page = OpenPage();
  std::wstring file = MakeStoreFile();
  Browse(file);

  ASSERT_EQ(seams.script.fileDialogs.size(), 1u);
  const win::FileDialogRequest& request = seams.script.fileDialogs[0].request;
  EXPECT_EQ(request.title, L"Browse to open other BCD store file ");
  EXPECT_EQ(request.filter, L"BCD Backup Files(*.BCD;BCD)|*.BCD;BCD|ALL Files(*.*)|*.*");
  EXPECT_EQ(request.initialDirectory, folder.File(L"Backup\\"));
  EXPECT_FALSE(request.save);

  EXPECT_EQ(Runner().storeFile, file);
  EXPECT_EQ(StoreLabel(), L"other.BCD") << "a long path shows as its file name";
  EXPECT_TRUE(ButtonShown(IDC_OSLIST_RELOAD_STORE));
  EXPECT_NE(RowNamed(L"Windows 7 in the file"), -1);
  EXPECT_EQ(RowNamed(L"Windows 7"), -1);
  EXPECT_FALSE(ListsBootIniLines());
  EXPECT_FALSE(ButtonShown(IDC_OSLIST_BOOTINI_MENU));
  EXPECT_FALSE(ButtonShown(IDC_OSLIST_BOOTINI_TIMEOUT));
  std::wstring clause = WithStoreClause(file, L"");
  for (const std::wstring& arguments : TakeArguments())
    EXPECT_EQ(arguments.rfind(clause, 0), 0u) << testing::PrintToString(arguments);

  // The settings go to the file; boot.ini is not written while it is open.
  SetDlgItemTextW(page.Handle(), IDC_OSLIST_BCD_TIMEOUT, L"9");
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{WithStoreClause(file, L" /timeout 9"),
                                                         WithStoreClause(file, L" /enum {bootmgr} /v")}));
  std::string listing = RunTool(L"bcdedit", L"/store \"" + file + L"\" /enum {bootmgr}").output;
  size_t timeout = listing.find("\ntimeout ");
  ASSERT_NE(timeout, std::string::npos);
  EXPECT_EQ(listing.substr(listing.find_first_not_of(' ', timeout + 9), 2), "9\r");
  EXPECT_EQ(BootIniText(), kDemoBootIni);

  // A default set in a file never restarts the machine.
  seams.script = {};
  Answer({IDYES});
  DoubleClickRow(RowNamed(L"Windows 7 in the file"));
  ASSERT_EQ(seams.script.prompts.size(), 2u);
  EXPECT_EQ(seams.script.prompts[1].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(OtherStoreFile, ReloadReturnsToTheSystemStoreWhenConfirmed) {
  OsListPage& page = OpenPage();
  Browse(MakeStoreFile());
  ClearJournal();

  Answer({IDNO});
  Click(IDC_OSLIST_RELOAD_STORE);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_ASK_RELOAD_SYSTEM_STORE));
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(seams.script.prompts[0].owner, nullptr) << "the application's question, not the page's";
  EXPECT_NE(RowNamed(L"Windows 7 in the file"), -1);
  EXPECT_TRUE(TakeArguments().empty());

  Answer({IDYES});
  Click(IDC_OSLIST_RELOAD_STORE);
  ExpectSystemStore();
  EXPECT_FALSE(page.HasSelection());
}

TEST_F(OtherStoreFile, AFileThatCannotServeLeavesOrSendsBackToTheSystemStore) {
  OpenPage();
  std::wstring missing = folder.File(L"missing.BCD");
  Browse(missing);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, L"The file " + missing + L" is not exist.");
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK));
  EXPECT_TRUE(TakeArguments().empty());
  EXPECT_TRUE(Runner().storeFile.empty());

  // A store without a boot menu: said so, and the system store is read instead.
  std::wstring empty = folder.File(L"empty.BCD");
  ASSERT_TRUE(RunTool(L"bcdedit", L"/createstore \"" + empty + L"\"").started);
  seams.script = {};
  Browse(empty);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_STORE_FILE_EMPTY));
  EXPECT_EQ(Journal().front(), LineFor(WithStoreClause(empty, L" /enum {bootmgr} /v")));
  ExpectSystemStore();
  EXPECT_EQ(ControlText(Page().Handle(), IDC_OSLIST_BCD_TIMEOUT), L"30");
}

class CopyEntry : public OsListPageTest {};

TEST_F(CopyEntry, TheCopyIsNamedWithBlanksAndShownAsTheLastRow) {
  OsListPage& page = OpenPage();
  SelectRow(RowNamed(L"Windows 7"));
  ASSERT_TRUE(ButtonEnabled(IDC_OSLIST_COPY));
  Click(IDC_OSLIST_COPY);

  std::vector<std::wstring> arguments = TakeArguments();
  ASSERT_FALSE(arguments.empty());
  EXPECT_EQ(arguments[0], std::wstring(L" /copy ") + demo::kWindows7 + L" /d \" Copy of Windows 7 \" ");
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  const std::wstring& said = seams.script.prompts[0].text;
  EXPECT_EQ(said.rfind(L"The entry was successfully copied to {", 0), 0u) << testing::PrintToString(said);
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

  std::wstring copy = CreatedIdentifier(said);
  EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, storeKey + L"\\Objects\\" + copy + L"\\Elements\\12000004", L"Element",
                        false, false, L""),
            L" Copy of Windows 7 ");
  int last = RowCount() - 1;
  EXPECT_EQ(Row(last).name, L"Copy of Windows 7");
  EXPECT_EQ(page.SelectedRow(), last);
  EXPECT_EQ(page.List().entries[page.SelectedEntry()].identifier, copy);
}

TEST_F(CopyEntry, ANameWithADoubleQuoteIsRefusedWithAReason) {
  ASSERT_TRUE(
      RunTool(L"bcdedit", std::wstring(L"/set ") + demo::kWindows7 + L" description \"Windows \\\"7\\\"\"").started);
  OpenPage();
  SelectRow(RowNamed(L"Windows \"7\""));
  Click(IDC_OSLIST_COPY);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, base::Format(GetText(IDS_COPY_NAME_HAS_QUOTE), L"Windows \"7\""));
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK));
  EXPECT_TRUE(TakeArguments().empty());
}
