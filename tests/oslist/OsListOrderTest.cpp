// Sort and delete mode: the move and removal rules on a hand-made list, then the real page on the
// demo store through the stand-in: what the rows show, what the user was asked, and what reached the
// store and boot.ini.
#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "oslist/SortOrder.h"
#include "store/BootIni.h"
#include "texts.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

constexpr wchar_t kNtldr[] = L"{466f5a88-0af2-4f76-9038-095b170dc21c}";
constexpr wchar_t kLegacy[] = L"Earlier Version of Windows";
constexpr wchar_t kXp[] = L"Microsoft Windows XP Professional";
constexpr wchar_t kServer[] = L"Microsoft Windows Server 2003, Enterprise";
constexpr wchar_t kConsole[] = L"Microsoft Windows Recovery Console";
constexpr UINT kAskNo = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
constexpr UINT kWarnNo = MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2;

std::wstring Done(UINT savedText) { return GetText(IDS_OPERATION_DONE) + L"\n" + GetText(savedText); }

// A menu of store entries and boot.ini lines; "-" marks an entry the user removed.
void Fill(EntryList& list, const std::vector<std::wstring>& items) {
  for (const auto& item : items) {
    BootEntry entry;
    bool removed = item[0] == L'-';
    std::wstring name = removed ? item.substr(1) : item;
    if (name.rfind(L"ini", 0) == 0) {
      ParseBootIniLine(L"c:\\" + name + L"=\"" + name + L"\"", entry);
    } else {
      entry.identifier = name;
      entry.sourceKind = kSourceStore;
    }
    entry.deleteMark = removed ? 1 : 0;
    entry.removed = removed ? 1 : 0;
    list.entries.push_back(entry);
    list.displayIndex.push_back(static_cast<int>(list.entries.size()) - 1);
  }
}

}  // namespace

TEST(SortRules, MovesPassRemovedNeighboursAndKeepStoreAboveBootIni) {
  EntryList list;
  Fill(list, {L"{a}", L"{b}", L"-{r}", L"{c}", L"ini1", L"-ini2", L"ini3"});
  struct Case {
    int position;
    bool up;
    bool storeWritable;
    int target;
  } cases[] = {
      {1, true, true, 0},    // store entry up
      {0, true, true, -1},   // already first
      {3, true, true, 1},    // over the removed {r}
      {1, false, true, 3},   // down over {r}
      {3, false, true, -1},  // a store entry never goes below a boot.ini line
      {4, true, true, -1},   // a boot.ini line never goes above a store entry
      {4, false, true, 6},   // over the removed ini2
      {6, true, true, 4},
      {6, false, true, -1},  // already last
      {1, true, false, -1},  // no tool: store entries stay
      {4, false, false, 6},  // boot.ini lines need no tool
  };
  for (const Case& c : cases)
    EXPECT_EQ(MoveTarget(list, c.position, c.up, c.storeWritable), c.target)
        << "position " << c.position << (c.up ? " up" : " down") << (c.storeWritable ? "" : " without the tool");
}

TEST(SortRules, EdgesOfRolesAndPlan) {
  EntryList list;
  Fill(list, {L"{a}", L"-ini1"});
  // A store whose default is unknown makes no boot.ini line "the default of BCD".
  EXPECT_EQ(RoleOf(list, list.entries[1]), RemovalRole::kNone);
  // Every boot.ini line removed still means boot.ini is to be rewritten; none listed means not.
  EXPECT_TRUE(PlanOrder(list, true, true).holdsBootIni);
  EXPECT_EQ(PlanOrder(list, true, true).bootIniText, L"");
  list.displayIndex.pop_back();
  EXPECT_FALSE(PlanOrder(list, true, true).holdsBootIni);
}

class SortDelete : public OsListPageTest {
 protected:
  void Remove(const std::wstring& name, int answer) {
    SelectRow(RowNamed(name));
    Answer({answer});
    Click(IDC_OSLIST_DELETE);
  }
  void MoveUp(const std::wstring& name) {
    SelectRow(RowNamed(name));
    Click(IDC_OSLIST_MOVE_UP);
  }
  // Saves, confirming deletions; returns what reached the tool.
  std::vector<std::wstring> Save() {
    ClearJournal();
    seams.script.prompts.clear();
    Answer({IDYES});
    Click(IDC_OSLIST_SAVE_ORDER);
    return TakeArguments();
  }
  std::wstring LastPrompt() const { return seams.script.prompts.empty() ? L"" : seams.script.prompts.back().text; }
  // The store's menu as the tool lists it now, past the journal.
  std::vector<std::wstring> StoreMenu() const {
    std::string listing = RunTool(L"bcdedit", L"/enum {bootmgr} /v").output;
    std::vector<std::wstring> menu;
    size_t line = listing.find("\ndisplayorder");
    for (line = line == std::string::npos ? line : line + 1; line < listing.size();) {
      size_t end = std::min(listing.find('\n', line), listing.size());
      std::string text = listing.substr(line, end - line);
      if (!menu.empty() && text[0] != ' ') break;
      size_t open = text.find('{');
      if (open != std::string::npos) menu.emplace_back(text.begin() + open, text.begin() + text.find('}') + 1);
      line = end + 1;
    }
    return menu;
  }
  bool InStore(const std::wstring& identifier) const {
    return RunTool(L"bcdedit", L"/enum " + identifier + L" /v").exitCode == 0;
  }
};

TEST_F(SortDelete, RemovalWarnsAboutWhatTheMachineNeedsAndNoKeepsTheEntry) {
  ASSERT_EQ(RunTool(L"bcdedit", L"/default " + std::wstring(demo::kWindows7)).exitCode, 0u);
  OsListPage& page = OpenPage();
  ClickRow(RowNamed(kLegacy));
  page.List().iniDefault = kXpPath;
  struct Case {
    std::wstring row;
    std::wstring description;
    bool warning;
  } cases[] = {
      {L"Windows 10", L"Current Running OS, If you delete this, You will not boot into Current OS next time", true},
      {L"Windows 7", L"Default OS of BCD", true},
      {Row(page.List().legacyRow).name, L"NTLDR Entry Of BCD, If you delete this, all boot.ini-based entries will not boot", true},
      {kXp, L"Default OS of Boot.ini", true},
      {kServer, L"Boot.ini", false},
      {L"GRUB", L"BCD", false},
  };
  for (const Case& c : cases) {
    seams.script.prompts.clear();
    Remove(c.row, IDNO);
    ASSERT_EQ(seams.script.prompts.size(), 1u) << c.row;
    const win::PromptCall& asked = seams.script.prompts[0];
    EXPECT_EQ(asked.text, base::Format(GetText(c.warning ? IDS_ASK_DELETE_ROLE_ENTRY : IDS_ASK_DELETE_ENTRY_OF_KIND),
                                       c.description));
    EXPECT_EQ(asked.caption, L"Confirm Delete");
    EXPECT_EQ(asked.flags, c.warning ? kWarnNo : kAskNo) << c.row;
    EXPECT_EQ(asked.owner, page.Handle());
    EXPECT_NE(RowNamed(c.row), -1);
    EXPECT_FALSE(page.OrderChanged());
  }
  Remove(L"GRUB", IDYES);
  EXPECT_EQ(RowNamed(L"GRUB"), -1);
  EXPECT_FALSE(page.HasSelection());
  EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_SAVE_ORDER));
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_DELETE));
  EXPECT_TRUE(Journal().empty()) << "nothing reaches the store before Save";
}

TEST_F(SortDelete, SavingWritesTheMenuPassingRemovedEntriesAndDeletesThem) {
  OsListPage& page = OpenPage();
  Remove(L"Windows 7", IDYES);
  MoveUp(L"Windows PE");  // past the removed Windows 7
  std::vector<std::wstring> rows = RowTexts();
  EXPECT_EQ(std::vector<std::wstring>(rows.begin() + 1, rows.begin() + 4),
            (std::vector<std::wstring>{L"Windows PE", L"Windows 10", L"Windows 8 (VHD)"}));

  std::wstring order = base::Format(L" /displayorder %s %s %s %s %s", demo::kWindowsPe, demo::kWindows10,
                                    demo::kWindows8Vhd, kNtldr, demo::kGrub);
  std::wstring windows7 = demo::kWindows7;
  EXPECT_EQ(Save(), (std::vector<std::wstring>{order, L" /enum {bootmgr} /v", L" /delete " + windows7 + L" /cleanup ",
                                               L" /enum " + windows7 + L" /v", L" /enum {bootmgr} /v"}));
  ASSERT_EQ(seams.script.prompts.size(), 2u);
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_ASK_CONFIRM_DELETIONS));
  EXPECT_EQ(seams.script.prompts[0].flags, kAskNo);
  EXPECT_EQ(seams.script.prompts[1].text, Done(IDS_BCD_ORDER_SAVED));
  EXPECT_EQ(seams.script.prompts[1].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

  EXPECT_EQ(StoreMenu(), (std::vector<std::wstring>{demo::kWindowsPe, demo::kWindows10, demo::kWindows8Vhd, kNtldr,
                                                     demo::kGrub}));
  EXPECT_FALSE(InStore(windows7));
  EXPECT_EQ(BootIniText(), kDemoBootIni) << "boot.ini's lines did not change";
  EXPECT_EQ(RowTexts()[1], L"Windows PE");
  EXPECT_EQ(page.SelectedRow(), 1) << "the moved entry stays selected";
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_SAVE_ORDER));
}

TEST_F(SortDelete, BootIniLinesAreRewrittenWithTheOldMenuKept) {
  OpenPage();
  ClickRow(RowNamed(kLegacy));
  MoveUp(kConsole);
  MoveUp(kConsole);
  Remove(kServer, IDYES);
  EXPECT_EQ(Save(), (std::vector<std::wstring>{L" /enum {bootmgr} /v"})) << "the store is only read";
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_ASK_CONFIRM_DELETIONS));
  EXPECT_EQ(LastPrompt(), Done(IDS_BOOT_INI_ORDER_SAVED));
  const std::string xp = "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n";
  const std::string console = "C:\\CMDCONS\\BOOTSECT.DAT=\"Microsoft Windows Recovery Console\" /cmdcons\r\n";
  std::string before = kDemoBootIni;
  EXPECT_EQ(BootIniText(), before.substr(0, before.find(xp)) + console + xp + "[old operating systems]\r\n" +
                               before.substr(before.find(xp)));
}

TEST_F(SortDelete, DeletionModeDecidesWhetherRemovedEntriesLeaveTheStore) {
  for (int mode : {1, 0}) {
    SCOPED_TRACE(mode);
    AppSettings.bcdDelMode = mode;
    ASSERT_TRUE(SeedDemo());
    OpenPage();
    Remove(L"Windows 10", IDYES);  // the default
    Remove(kLegacy, IDYES);
    std::vector<std::wstring> expected = {base::Format(L" /displayorder %s %s %s %s", demo::kWindows7, demo::kWindowsPe,
                                                       demo::kWindows8Vhd, demo::kGrub),
                                          L" /enum {bootmgr} /v"};
    // {ntldr} is known by a fixed name: the tool deletes it only with /f.
    if (mode) expected.insert(expected.end(), {L" /delete " + std::wstring(kNtldr) + L" /cleanup /f",
                                               L" /enum " + std::wstring(kNtldr) + L" /v"});
    expected.push_back(L" /enum {bootmgr} /v");
    EXPECT_EQ(Save(), expected);
    EXPECT_EQ(LastPrompt(), Done(IDS_BCD_ORDER_SAVED));
    EXPECT_EQ(StoreMenu().size(), 4u);
    EXPECT_TRUE(InStore(demo::kWindows10)) << "the default is never deleted";
    EXPECT_EQ(InStore(kNtldr), mode == 0);
  }
}

TEST_F(SortDelete, AnOrderMovedBackSavesNothing) {
  OsListPage& page = OpenPage();
  MoveUp(L"Windows 7");
  Click(IDC_OSLIST_MOVE_DOWN);
  ASSERT_TRUE(page.OrderChanged());
  EXPECT_EQ(Save(), (std::vector<std::wstring>{L" /enum {bootmgr} /v"}));
  EXPECT_TRUE(seams.script.prompts.empty());
  EXPECT_EQ(BootIniText(), kDemoBootIni);
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_SAVE_ORDER));
}

TEST_F(SortDelete, WithoutBootIniLinesInTheListBootIniIsLeftAlone) {
  OsListPage& page = OpenPage();
  std::wstring file = folder.File(L"other.BCD");
  ASSERT_EQ(RunTool(L"bcdedit", L"/export \"" + file + L"\"").exitCode, 0u);
  Runner().storeFile = file;
  page.RefreshList(true);
  MoveUp(L"Windows 7");
  std::vector<std::wstring> sent = Save();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0].find(L" /store \"" + file + L"\"  /displayorder "), 0u) << sent[0];
  EXPECT_EQ(LastPrompt(), Done(IDS_BCD_ORDER_SAVED));
  EXPECT_EQ(BootIniText(), kDemoBootIni);
}

TEST_F(SortDelete, FailuresAreToldAsErrors) {
  OsListPage& page = OpenPage();
  ClickRow(RowNamed(kLegacy));
  MoveUp(L"Windows 7");
  MoveUp(kConsole);
  // The tool refuses an order naming an entry that has gone meanwhile; boot.ini is held by another
  // program.
  ASSERT_EQ(RunTool(L"bcdedit", L"/delete " + std::wstring(demo::kWindows7)).exitCode, 0u);
  HANDLE held = CreateFileW(AppSettings.bootIniPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Save();
  CloseHandle(held);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(LastPrompt(), L"Write BCD store error!\nWrite Boot.ini error!");
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(BootIniText(), kDemoBootIni);
  EXPECT_FALSE(page.OrderChanged());

  // Without the tool nothing reaches the store; what did reach boot.ini is named too.
  OpenPage();
  ClickRow(RowNamed(kLegacy));
  MoveUp(L"Windows PE");
  MoveUp(kConsole);
  ASSERT_TRUE(DeleteFileW((ToolDir() + L"bcdedit.exe").c_str()));
  Save();
  EXPECT_EQ(LastPrompt(), L"Write BCD store error!\n" + GetText(IDS_BOOT_INI_ORDER_SAVED));
  EXPECT_NE(BootIniText(), kDemoBootIni);
}

TEST_F(SortDelete, UnsavedChangesAreNotDroppedSilently) {
  OsListPage& page = OpenPage();
  EXPECT_TRUE(page.ConfirmDiscardOrder());
  EXPECT_TRUE(seams.script.prompts.empty()) << "nothing to lose, nothing to ask";
  MoveUp(L"Windows 7");

  Answer({IDCANCEL});
  EXPECT_FALSE(page.ConfirmDiscardOrder());
  EXPECT_EQ(LastPrompt(), GetText(IDS_ASK_SAVE_ORDER_BEFORE_LEAVING));
  EXPECT_EQ(seams.script.prompts.back().flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3));
  EXPECT_TRUE(page.OrderChanged());
  Answer({IDNO});
  EXPECT_TRUE(page.ConfirmDiscardOrder());
  EXPECT_EQ(RowTexts()[2], L"Windows 7") << "No discards the move";
  EXPECT_TRUE(Journal().empty());

  MoveUp(L"Windows 7");
  Answer({IDYES});
  EXPECT_TRUE(page.ConfirmDiscardOrder());
  EXPECT_EQ(StoreMenu()[0], demo::kWindows7);

  // Add New asks before the wizard: "No" discards.
  MoveUp(L"Windows PE");
  seams.script.prompts.clear();
  Answer({IDNO});
  Click(IDC_OSLIST_ADD_NEW);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(LastPrompt(), GetText(IDS_ASK_SAVE_ORDER_BEFORE_ADD));
  EXPECT_EQ(seams.script.prompts[0].flags, kAskNo);
  EXPECT_FALSE(page.OrderChanged());
  EXPECT_EQ(RowTexts()[3], L"Windows PE");
}
