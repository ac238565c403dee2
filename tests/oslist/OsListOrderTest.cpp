// Sort and delete mode: the move rules on a hand-made list, then the real page on the demo store
// through the stand-in: what the rows show, what the user was asked, what reached store and boot.ini.
#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "oslist/SortOrder.h"
#include "store/BootIni.h"
#include "texts.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;
using Lines = std::vector<std::wstring>;

namespace {

const std::wstring kNtldr = L"{466f5a88-0af2-4f76-9038-095b170dc21c}";
constexpr wchar_t kLegacy[] = L"Earlier Version of Windows";
constexpr wchar_t kXp[] = L"Microsoft Windows XP Professional";
constexpr wchar_t kServer[] = L"Microsoft Windows Server 2003, Enterprise";
constexpr wchar_t kConsole[] = L"Microsoft Windows Recovery Console";
constexpr UINT kAskNo = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
const Lines kReadOnly = {L" /enum all /v"};

std::wstring Done(UINT savedText) { return GetText(IDS_OPERATION_DONE) + L"\n" + GetText(savedText); }

// Store entries and boot.ini lines ("ini..."); "-" marks one the user removed.
void Fill(EntryList& list, const Lines& items) {
  for (const auto& item : items) {
    BootEntry entry;
    std::wstring name = item.substr(item[0] == L'-' ? 1 : 0);
    if (name.rfind(L"ini", 0) == 0) ParseBootIniLine(L"c:\\" + name + L"=\"" + name + L"\"", entry);
    else entry.identifier = name, entry.sourceKind = kSourceStore;
    entry.removed = entry.deleteMark = item[0] == L'-' ? 1 : 0;
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
    bool up, storeWritable;
    int target;
  } cases[] = {
      {1, true, true, 0},    {0, true, true, -1},  // already first
      {3, true, true, 1},                          // over the removed {r}
      {3, false, true, -1},                        // a store entry never below a boot.ini line
      {4, true, true, -1},                         // nor a boot.ini line above a store entry
      {4, false, true, 6},                         // over the removed ini2
      {6, false, true, -1},  {1, true, false, -1},  // no tool: store entries stay
      {4, false, false, 6},                        // boot.ini lines need none
  };
  for (const Case& c : cases)
    EXPECT_EQ(MoveTarget(list, c.position, c.up, c.storeWritable), c.target) << c.position << " " << c.up;
  // A removed boot.ini line still means boot.ini's menu is to be rewritten; none listed, not.
  list.displayIndex = {0, 5};
  EXPECT_TRUE(PlanOrder(list, true, true).holdsBootIni);
  list.displayIndex = {0, 2};
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
  Lines Save() {
    ClearJournal();
    seams.script.prompts.clear();
    Answer({IDYES});
    Click(IDC_OSLIST_SAVE_ORDER);
    return TakeArguments();
  }
  std::wstring LastPrompt() const { return seams.script.prompts.empty() ? L"" : seams.script.prompts.back().text; }
  UINT LastFlags() const { return seams.script.prompts.empty() ? 0 : seams.script.prompts.back().flags; }
  // The store's menu as the mounted store holds it: another road than the tool's listing.
  std::wstring StoreMenu() const {
    EntryList hive;
    hive.registryMode = 1;
    hive.ReadManagerFromHive();
    return hive.bootManager.displayorder;
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
    std::wstring row, description;
    bool warning;
  } cases[] = {
      {L"Windows 10", L"Current Running OS, If you delete this, You will not boot into Current OS next time", true},
      {L"Windows 7", L"Default OS of BCD", true},
      {Row(page.List().legacyRow).name,
       L"NTLDR Entry Of BCD, If you delete this, all boot.ini-based entries will not boot", true},
      {kXp, L"Default OS of Boot.ini", true},
      {kServer, L"Boot.ini", false},
      {L"GRUB", L"BCD", false},
  };
  for (const Case& c : cases) {
    seams.script.prompts.clear();
    Remove(c.row, IDNO);
    ASSERT_EQ(seams.script.prompts.size(), 1u) << c.row;
    EXPECT_EQ(LastPrompt(), base::Format(GetText(c.warning ? IDS_ASK_DELETE_ROLE_ENTRY : IDS_ASK_DELETE_ENTRY_OF_KIND),
                                         c.description));
    EXPECT_EQ(seams.script.prompts[0].caption, L"Confirm Delete");
    EXPECT_EQ(LastFlags(), c.warning ? MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2 : kAskNo) << c.row;
    EXPECT_EQ(seams.script.prompts[0].owner, page.Handle());
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
  Lines rows = RowTexts();
  EXPECT_EQ(Lines(rows.begin() + 1, rows.begin() + 4), (Lines{L"Windows PE", L"Windows 10", L"Windows 8 (VHD)"}));

  std::wstring windows7 = demo::kWindows7;
  EXPECT_EQ(Save(), (Lines{base::Format(L" /displayorder %s %s %s %s %s", demo::kWindowsPe, demo::kWindows10,
                                        demo::kWindows8Vhd, kNtldr, demo::kGrub),
                           L" /delete " + windows7 + L" /cleanup ", kReadOnly[0]}));
  ASSERT_EQ(seams.script.prompts.size(), 2u);
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_ASK_CONFIRM_DELETIONS));
  EXPECT_EQ(seams.script.prompts[0].flags, kAskNo);
  EXPECT_EQ(LastPrompt(), Done(IDS_BCD_ORDER_SAVED));
  EXPECT_EQ(LastFlags(), static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

  EXPECT_EQ(StoreMenu(), base::Format(L"%s\n%s\n%s\n%s\n%s", demo::kWindowsPe, demo::kWindows10, demo::kWindows8Vhd,
                                      kNtldr, demo::kGrub));
  EXPECT_FALSE(InStore(windows7));
  ASSERT_FALSE(Runner().changes.done.empty());
  EXPECT_EQ(Runner().changes.done.front().orderBefore,
            (Lines{demo::kWindows10, windows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldr, demo::kGrub}))
      << "the saved script takes Windows 7 off the other machine's menu";
  EXPECT_EQ(BootIniText(), kDemoBootIni) << "boot.ini's lines did not change";
  EXPECT_EQ(page.SelectedRow(), 1) << "the moved entry stays selected";
  EXPECT_EQ(RowTexts()[1], L"Windows PE");
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_SAVE_ORDER));
}

TEST_F(SortDelete, BootIniLinesAreRewrittenWithTheOldMenuKept) {
  OpenPage();
  ClickRow(RowNamed(kLegacy));
  MoveUp(kConsole);
  MoveUp(kConsole);
  Remove(kServer, IDYES);
  EXPECT_EQ(Save(), kReadOnly) << "the store is only read";
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_ASK_CONFIRM_DELETIONS));
  EXPECT_EQ(LastPrompt(), Done(IDS_BOOT_INI_ORDER_SAVED));
  const std::string xp = "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n";
  const std::string console = "C:\\CMDCONS\\BOOTSECT.DAT=\"Microsoft Windows Recovery Console\" /cmdcons\r\n";
  std::string before = kDemoBootIni;
  EXPECT_EQ(BootIniText(), before.substr(0, before.find(xp)) + console + xp + "[old operating systems]\r\n" +
                               before.substr(before.find(xp)));
}

TEST_F(SortDelete, BootIniLinesThatAreNoMenuLinesKeepTheirPlaces) {
  // No blank line: Wine's profile functions drop those whenever they read the file.
  const std::string head = "[boot loader]\r\ntimeout=30\r\n[operating systems]\r\n";
  const std::string lines =
      "; installed in 2004\r\nC:\\a=\"A\"\r\nC:\\CMDCONS\r\nC:\\b=\"B\"\r\n; C last\r\nC:\\c=\"C\"\r\n";
  ASSERT_TRUE(PlaceBootIni(head + lines));
  OpenPage();
  ClickRow(RowNamed(kLegacy));
  MoveUp(L"C");
  MoveUp(L"C");
  Save();
  EXPECT_EQ(LastPrompt(), Done(IDS_BOOT_INI_ORDER_SAVED));
  EXPECT_EQ(BootIniText(), head + "; installed in 2004\r\nC:\\c=\"C\"\r\nC:\\CMDCONS\r\nC:\\a=\"A\"\r\n; C last\r\n" +
                               "C:\\b=\"B\"\r\n[old operating systems]\r\n" + lines);
}

TEST_F(SortDelete, DeletionModeDecidesWhetherRemovedEntriesLeaveTheStore) {
  for (int mode : {1, 0}) {
    SCOPED_TRACE(mode);
    AppSettings.bcdDelMode = mode;
    ASSERT_TRUE(SeedDemo());
    OpenPage();
    Remove(L"Windows 10", IDYES);  // the default
    Remove(kLegacy, IDYES);
    Lines expected = {base::Format(L" /displayorder %s %s %s %s", demo::kWindows7, demo::kWindowsPe,
                                   demo::kWindows8Vhd, demo::kGrub)};
    // {ntldr} is known by a fixed name: the tool deletes it only with /f.
    if (mode) expected.push_back(L" /delete " + kNtldr + L" /cleanup /f");
    expected.push_back(kReadOnly[0]);
    EXPECT_EQ(Save(), expected);
    EXPECT_EQ(LastPrompt(), Done(IDS_BCD_ORDER_SAVED));
    EXPECT_TRUE(InStore(demo::kWindows10)) << "the default is never deleted";
    EXPECT_EQ(InStore(kNtldr), mode == 0);
  }
}

TEST_F(SortDelete, NothingChangedOrNoBootIniLinesListedLeavesThemAlone) {
  OsListPage& page = OpenPage();
  MoveUp(L"Windows 7");
  Click(IDC_OSLIST_MOVE_DOWN);
  ASSERT_TRUE(page.OrderChanged());
  EXPECT_EQ(Save(), kReadOnly);
  EXPECT_TRUE(seams.script.prompts.empty());

  // A store file lists no boot.ini lines: saving its order must not empty boot.ini's menu.
  std::wstring file = folder.File(L"other.BCD");
  ASSERT_EQ(RunTool(L"bcdedit", L"/export \"" + file + L"\"").exitCode, 0u);
  Runner().storeFile = file;
  page.RefreshList(true);
  MoveUp(L"Windows 7");
  Lines sent = Save();
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
  // The tool refuses an order naming an entry gone meanwhile; another program holds boot.ini.
  ASSERT_EQ(RunTool(L"bcdedit", L"/delete " + std::wstring(demo::kWindows7)).exitCode, 0u);
  HANDLE held = CreateFileW(AppSettings.bootIniPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Save();
  CloseHandle(held);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(LastPrompt(), L"Write BCD store error!\nWrite Boot.ini error!");
  EXPECT_EQ(LastFlags(), static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(BootIniText(), kDemoBootIni);
  EXPECT_FALSE(page.OrderChanged());

  // The runner's own failure (no tool); what did reach boot.ini is named too.
  OpenPage();
  ClickRow(RowNamed(kLegacy));
  MoveUp(L"Windows PE");
  MoveUp(kConsole);
  ASSERT_TRUE(DeleteFileW((ToolDir() + L"bcdedit.exe").c_str()));
  seams.script.prompts.clear();
  Save();
  // Then the store cannot be read back either: the rows stay, and the runner's words are told.
  EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{L"Write BCD store error!\n" + GetText(IDS_BOOT_INI_ORDER_SAVED),
                                                      kToolMissingText}));
  EXPECT_GE(RowNamed(L"Windows PE"), 0);
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
  EXPECT_EQ(LastFlags(), static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3));
  EXPECT_TRUE(page.OrderChanged());
  Answer({IDNO});
  EXPECT_TRUE(page.ConfirmDiscardOrder());
  EXPECT_EQ(RowTexts()[2], L"Windows 7") << "No discards the move";
  MoveUp(L"Windows 7");
  Answer({IDYES});
  EXPECT_TRUE(page.ConfirmDiscardOrder());
  EXPECT_EQ(StoreMenu().find(demo::kWindows7), 0u) << "Yes saves it";

  // Add New asks before its wizard; No discards.
  MoveUp(L"Windows PE");
  seams.script.prompts.clear();
  Answer({IDNO});
  Click(IDC_OSLIST_ADD_NEW);
  EXPECT_EQ(LastPrompt(), GetText(IDS_ASK_SAVE_ORDER_BEFORE_ADD));
  EXPECT_EQ(LastFlags(), kAskNo);
  EXPECT_FALSE(page.OrderChanged());
  EXPECT_EQ(RowTexts()[3], L"Windows PE");
}
