// Other store files and the way back to the system store, and copying an entry.
#include <algorithm>

#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "store/RegistryRoutines.h"
#include "store/StoreCommands.h"
#include "texts.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

class OtherStoreFile : public OsListPageTest {
 protected:
  // Browses to file; a copy of the system store with Windows 7 renamed when it does not exist yet.
  std::wstring Browse(const std::wstring& name, bool make = true) {
    std::wstring file = folder.File(name);
    if (make) {
      RunTool(L"bcdedit", L"/export \"" + file + L"\"");
      RunTool(L"bcdedit", WithStoreClause(file, std::wstring(L"/set ") + demo::kWindows7 + L" description \"In file\""));
    }
    ClearJournal();
    seams.script.fileAnswers.push_back(file);
    Click(IDC_OSLIST_BROWSE_STORE);
    return file;
  }
  // Which store the page shows: the label, the reload button, boot.ini's lines and controls.
  void ExpectShown(const std::wstring& label, const std::wstring& windows7, bool bootIni) {
    EXPECT_EQ(ControlText(Page().Handle(), IDC_OSLIST_STORE_LABEL), label);
    EXPECT_EQ(ButtonShown(IDC_OSLIST_RELOAD_STORE), !bootIni);
    EXPECT_NE(RowNamed(windows7), -1);
    bool lines = false;
    for (int index : Page().List().displayIndex) lines |= Page().List().entries[index].sourceKind == kSourceBootIni;
    EXPECT_EQ(lines, bootIni);
    EXPECT_EQ(ButtonShown(IDC_OSLIST_BOOTINI_MENU), bootIni);
    EXPECT_EQ(ButtonShown(IDC_OSLIST_BOOTINI_TIMEOUT), bootIni);
  }
};

TEST_F(OtherStoreFile, AStoreFileIsShownAndWrittenInstead) {
  AppSettings.autoReBoot = 1;
  OsListPage& page = OpenPage();
  // Typed but never applied: it must not reach boot.ini once the file is open.
  SetDlgItemTextW(page.Handle(), IDC_OSLIST_BOOTINI_TIMEOUT, L"7");
  std::wstring file = Browse(L"other.BCD");
  const win::FileDialogRequest& request = seams.script.fileDialogs.at(0).request;
  EXPECT_EQ(request.filter, L"BCD Backup Files(*.BCD;BCD)|*.BCD;BCD|ALL Files(*.*)|*.*");
  EXPECT_EQ(request.initialDirectory, folder.File(L"Backup\\"));
  ExpectShown(L"other.BCD", L"In file", false);
  for (const std::wstring& arguments : TakeArguments()) EXPECT_EQ(arguments.rfind(WithStoreClause(file, L""), 0), 0u);

  // The settings go to the file; boot.ini is not written while it is open; no restart is offered.
  SetDlgItemTextW(page.Handle(), IDC_OSLIST_BCD_TIMEOUT, L"9");
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{WithStoreClause(file, L" /timeout 9")}));
  EXPECT_EQ(BootIniText(), kDemoBootIni);
  Answer({IDYES});
  DoubleClickRow(RowNamed(L"In file"));
  EXPECT_EQ(seams.script.prompts.back().flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(OtherStoreFile, ReloadReturnsToTheSystemStoreWhenConfirmed) {
  OpenPage();
  Browse(L"other.BCD");
  Answer({IDNO, IDYES});
  Click(IDC_OSLIST_RELOAD_STORE);
  ExpectShown(L"other.BCD", L"In file", false);
  ClearJournal();
  Click(IDC_OSLIST_RELOAD_STORE);
  EXPECT_EQ(seams.script.prompts.at(1).text, GetText(IDS_ASK_RELOAD_SYSTEM_STORE));
  EXPECT_EQ(seams.script.prompts.at(1).owner, GetParent(Page().Handle())) << "the main window asks, not the page";
  ExpectShown(L"System BCD", L"Windows 7", true);
  EXPECT_EQ(TakeArguments().at(0), L" /enum all /v");
}

TEST_F(OtherStoreFile, AFileThatCannotServeLeavesOrSendsBackToTheSystemStore) {
  OpenPage();
  std::wstring missing = Browse(L"missing.BCD", false);
  EXPECT_EQ(seams.script.prompts.at(0).text, L"The file " + missing + L" is not exist.");
  EXPECT_TRUE(TakeArguments().empty());

  // A store without a boot menu: said so, and the system store is read instead.
  RunTool(L"bcdedit", L"/createstore \"" + folder.File(L"empty.BCD") + L"\"");
  std::wstring empty = Browse(L"empty.BCD", false);
  EXPECT_EQ(seams.script.prompts.at(1).text, L"This BCD store file is Empty\x3002\n\nReload the Default system boot store now.");
  EXPECT_EQ(seams.script.prompts.at(1).flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  std::vector<std::wstring> arguments = TakeArguments();
  EXPECT_EQ(arguments.at(0), WithStoreClause(empty, L" /enum all /v"));
  EXPECT_EQ(std::count_if(arguments.begin(), arguments.end(), [](auto& a) { return a.find(L"/store") != a.npos; }), 1);
  EXPECT_TRUE(Runner().storeFile.empty());
  ExpectShown(L"System BCD", L"Windows 7", true);
}

TEST_F(OsListPageTest, CopyNamesTheCopyWithBlanksAndSelectsItsRow) {
  OsListPage& page = OpenPage();
  SelectRow(RowNamed(L"Windows 7"));
  Click(IDC_OSLIST_COPY);
  EXPECT_EQ(TakeArguments().at(0), std::wstring(L" /copy ") + demo::kWindows7 + L" /d \" Copy of Windows 7 \" ");
  const win::PromptCall& said = seams.script.prompts.at(0);
  EXPECT_EQ(said.text.rfind(L"The entry was successfully copied to {", 0), 0u);
  EXPECT_EQ(said.flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  std::wstring copy = CreatedIdentifier(said.text);
  EXPECT_EQ(RegReadText(HKEY_LOCAL_MACHINE, storeKey + L"\\Objects\\" + copy + L"\\Elements\\12000004", L"Element",
                        false, false, L""),
            L" Copy of Windows 7 ");
  EXPECT_EQ(Row(RowCount() - 1).name, L"Copy of Windows 7");
  EXPECT_EQ(page.SelectedRow(), RowCount() - 1);
}

TEST_F(OsListPageTest, CopyRefusesANameWithADoubleQuoteWithAReason) {
  RunTool(L"bcdedit", std::wstring(L"/set ") + demo::kWindows7 + L" description \"Windows \\\"7\\\"\"");
  OpenPage();
  SelectRow(RowNamed(L"Windows \"7\""));
  Click(IDC_OSLIST_COPY);
  EXPECT_EQ(seams.script.prompts.at(0).text, base::Format(GetText(IDS_COPY_NAME_HAS_QUOTE), L"Windows \"7\""));
  EXPECT_EQ(seams.script.prompts.at(0).flags, static_cast<UINT>(MB_OK));
  EXPECT_TRUE(TakeArguments().empty());
}
