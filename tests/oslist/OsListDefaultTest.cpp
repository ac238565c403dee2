// Making an entry the default: store entries, boot.ini lines with and without {ntldr} in the store,
// the restart offer, and failures told as failures.
#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "texts.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

constexpr wchar_t kNtldr[] = L"{466f5a88-0af2-4f76-9038-095b170dc21c}";
constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kInformation = MB_OK | MB_ICONINFORMATION;
constexpr UINT kError = MB_OK | MB_ICONERROR;

std::wstring Text(UINT id, const std::wstring& name) { return base::Format(GetText(id), name); }

}  // namespace

class SetDefault : public OsListPageTest {
 protected:
  // Opens the boot.ini lines below {ntldr} (or the group row) and returns the row of line name.
  int OpenLine(const std::wstring& name) {
    int group = RowNamed(L"Earlier Version of Windows");
    if (group < 0) group = RowCount() - 1;
    ClickRow(group);
    ClearJournal();
    return RowNamed(name);
  }
  // A copy of the system store in a file, made the store the page works on.
  std::wstring UseStoreFile(OsListPage& page) {
    std::wstring file = folder.File(L"other.BCD");
    EXPECT_TRUE(RunTool(L"bcdedit", L"/export \"" + file + L"\"").started);
    Runner().storeFile = file;
    page.RefreshList(true);
    ClearJournal();
    return file;
  }
};

TEST_F(SetDefault, AStoreEntryBecomesTheDefaultAndTheMarkersMove) {
  OsListPage& page = OpenPage();
  Answer({IDYES});
  DoubleClickRow(RowNamed(L"Windows 7"));

  ASSERT_EQ(seams.script.prompts.size(), 2u);
  EXPECT_EQ(seams.script.prompts[0].text, Text(IDS_ASK_SET_DEFAULT, L"Windows 7"));
  EXPECT_EQ(seams.script.prompts[0].caption, GetText(IDS_CONFIRM_SET_DEFAULT_CAPTION));
  EXPECT_EQ(seams.script.prompts[0].flags, kQuestion);
  EXPECT_EQ(seams.script.prompts[1].text, Text(IDS_DEFAULT_SET, L"Windows 7"));
  EXPECT_EQ(seams.script.prompts[1].flags, kInformation);
  // One run: the tool's exit code says it worked, nothing is read back.
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{std::wstring(L" /default ") + demo::kWindows7}));
  EXPECT_EQ(StoreDefault(), demo::kWindows7);

  ListRow windows10 = Row(RowNamed(L"Windows 10")), windows7 = Row(RowNamed(L"Windows 7"));
  EXPECT_EQ(windows7.marker, L"{default}");
  EXPECT_EQ(windows7.markerImage, art::kImageDefaultEntry);
  EXPECT_EQ(windows10.marker, L"{current}");
  EXPECT_EQ(windows10.markerImage, art::kImageRunningSystem);
  EXPECT_EQ(page.SelectedRow(), RowNamed(L"Windows 7")) << "the selection stays";
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_SET_DEFAULT)) << "it is the default now";
}

TEST_F(SetDefault, TheDefaultNeedNotBeSetAgain) {
  OpenPage();
  DoubleClickRow(RowNamed(L"Windows 10"));
  ASSERT_EQ(PromptTexts(), std::vector<std::wstring>{Text(IDS_ALREADY_DEFAULT, L"Windows 10")});
  EXPECT_EQ(seams.script.prompts[0].flags, kInformation);
  EXPECT_TRUE(Journal().empty());
}

TEST_F(SetDefault, RestartIsOfferedOnlyIntoAnotherSystemOfTheMachinesOwnStore) {
  struct Case {
    const char* what;
    int autoReBoot;
    bool storeFile;
    const wchar_t* target;
    bool offered;
  } cases[] = {
      {"another system", 1, false, L"Windows 7", true},
      {"setting off", 0, false, L"Windows 7", false},
      {"the running system", 1, false, L"Windows 10", false},
      {"a store file", 1, true, L"Windows 7", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SeedDemo());
    // The running system is the default in the demo store: make it another one first.
    if (std::wstring(c.target) == L"Windows 10") RunTool(L"bcdedit", std::wstring(L"/default ") + demo::kWindows7);
    AppSettings.autoReBoot = c.autoReBoot;
    Runner().storeFile.clear();
    OsListPage& page = OpenPage();
    if (c.storeFile) UseStoreFile(page);
    seams.script = {};
    Answer({IDYES, IDYES});
    DoubleClickRow(RowNamed(c.target));

    ASSERT_EQ(seams.script.prompts.size(), 2u);
    const win::PromptCall& result = seams.script.prompts[1];
    std::wstring done = Text(IDS_DEFAULT_SET, c.target);
    if (c.offered) {
      EXPECT_EQ(result.text, done + GetText(IDS_ASK_RESTART_INTO_OS));
      EXPECT_EQ(result.caption, GetText(IDS_CONFIRM_RESTART_CAPTION));
      EXPECT_EQ(result.flags, kQuestion);
      ASSERT_EQ(seams.script.restarts.size(), 1u);
      EXPECT_EQ(seams.script.restarts[0].flags, static_cast<UINT>(EWX_REBOOT));
    } else {
      EXPECT_EQ(result.text, done);
      EXPECT_EQ(result.flags, kInformation);
      EXPECT_TRUE(seams.script.restarts.empty());
    }
  }
  Runner().storeFile.clear();
}

// As the tray's Restart: unsaved moves are settled before the machine goes down.
TEST_F(SetDefault, TheRestartOfferedAsksAboutUnsavedMovesFirst) {
  AppSettings.autoReBoot = 1;
  OpenPage();
  SelectRow(RowNamed(L"Windows 7"));
  Click(IDC_OSLIST_MOVE_UP);
  Answer({IDYES, IDYES, IDCANCEL});
  DoubleClickRow(RowNamed(L"Windows 7"));
  EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{Text(IDS_ASK_SET_DEFAULT, L"Windows 7"),
                                                      Text(IDS_DEFAULT_SET, L"Windows 7") + GetText(IDS_ASK_RESTART_INTO_OS),
                                                      GetText(IDS_ASK_SAVE_ORDER_BEFORE_LEAVING)}));
  EXPECT_TRUE(seams.script.restarts.empty()) << "Cancel stays";
}

TEST_F(SetDefault, AFailureIsToldAsOneAndNoRestartIsOffered) {
  AppSettings.autoReBoot = 1;
  struct Case {
    const char* what;
    bool lockedStoreFile;  // else the tool is gone
  } cases[] = {{"the tool prints an error", true}, {"the runner cannot start the tool", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(SeedDemo());
    Runner().storeFile.clear();
    OsListPage& page = OpenPage();
    std::wstring file;
    win::UniqueFile lock;
    if (c.lockedStoreFile) {
      file = UseStoreFile(page);
      // Another program reads the file and lets nobody write it: the tool says so and fails.
      lock.Reset(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(lock);
    } else {
      DeleteFileW((ToolDir() + L"bcdedit.exe").c_str());
    }
    seams.script = {};
    Answer({IDYES, IDYES});
    DoubleClickRow(RowNamed(L"Windows 7"));

    ASSERT_EQ(seams.script.prompts.size(), 2u);
    EXPECT_EQ(seams.script.prompts[1].text, L"Write BCD store error!");
    EXPECT_EQ(seams.script.prompts[1].flags, kError);
    EXPECT_TRUE(seams.script.restarts.empty());
    EXPECT_EQ(StoreDefault(file), demo::kWindows10);
    if (c.lockedStoreFile) {
      EXPECT_EQ(Row(RowNamed(L"Windows 10")).marker, L"{default}") << "the markers stay where the store has them";
      EXPECT_EQ(Row(RowNamed(L"Windows 7")).marker, L"");
      EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_SET_DEFAULT)) << "it is still not the default";
    }
  }
  Runner().storeFile.clear();
}

TEST_F(SetDefault, ABootIniLineMakesNtldrTheStoreDefault) {
  OsListPage& page = OpenPage();
  int line = OpenLine(L"Microsoft Windows Server 2003, Enterprise");
  Answer({IDYES, IDYES});
  DoubleClickRow(line);

  const std::wstring title = L"Microsoft Windows Server 2003, Enterprise";
  EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{Text(IDS_ASK_SET_DEFAULT, title),
                                                      GetText(IDS_ASK_NTLDR_AS_DEFAULT),
                                                      Text(IDS_DEFAULT_SET, title)}));
  EXPECT_EQ(TakeArguments(),
            (std::vector<std::wstring>{L" /enum {ntldr} /v", std::wstring(L" /default ") + kNtldr,
                                       L" /set {ntldr} description \"" + title + L"\"",
                                       std::wstring(L" /enum ") + kNtldr + L" /v", L" /enum all /v"}));
  EXPECT_EQ(StoreDefault(), kNtldr);
  EXPECT_NE(BootIniText().find("default=multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS\r\n"), std::string::npos);
  EXPECT_EQ(page.List().entries[page.List().ntldrIndex].description, title) << "{ntldr} is read again";

  int row = RowNamed(title);
  EXPECT_EQ(Row(row).marker, L"{default_NT}");
  EXPECT_EQ(Row(row).markerImage, art::kImageDefaultBootIni);
  // The store default is {ntldr}: its text names the loader, its picture the default.
  ListRow ntldr = Row(page.List().legacyRow);
  EXPECT_EQ(ntldr.marker, L"{ntldr}");
  EXPECT_EQ(ntldr.markerImage, art::kImageDefaultEntry);
  EXPECT_EQ(page.SelectedRow(), row);
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_SET_DEFAULT));
}

TEST_F(SetDefault, WithoutNtldrInTheStoreItIsMadeAndPutOnTheMenuFirst) {
  ASSERT_TRUE(RunTool(L"bcdedit", L"/delete {ntldr} /f").started);
  OsListPage& page = OpenPage();
  // The boot.ini lines hang below a group row of their own, which is no entry to act on.
  int group = RowCount() - 1;
  EXPECT_EQ(Row(group).data, -2);
  EXPECT_EQ(Row(group).stateImage, art::kImageGroupCollapsed);
  int line = OpenLine(L"Microsoft Windows XP Professional");
  EXPECT_EQ(Row(group).stateImage, art::kImageGroupExpanded);
  EXPECT_EQ(line, group + 1);
  EXPECT_EQ(Row(line).stateImage, art::kImageBootIniLine);
  SelectRow(group);
  for (int id : {IDC_OSLIST_SET_DEFAULT, IDC_OSLIST_MODIFY, IDC_OSLIST_COPY, IDC_OSLIST_DELETE})
    EXPECT_FALSE(ButtonEnabled(id)) << id;
  DoubleClickRow(group);
  EXPECT_TRUE(seams.script.prompts.empty() && Journal().empty());

  Answer({IDYES, IDYES, IDYES});
  DoubleClickRow(line);

  EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{
                               Text(IDS_ASK_SET_DEFAULT, L"Microsoft Windows XP Professional"),
                               GetText(IDS_ASK_NTLDR_AS_DEFAULT), GetText(IDS_ASK_REGISTER_NTLDR),
                               Text(IDS_DEFAULT_SET, L"Microsoft Windows XP Professional")}));
  const std::wstring ntldr = kNtldr;
  EXPECT_EQ(TakeArguments(),
            (std::vector<std::wstring>{L" /enum {ntldr} /v",
                                       L" /create {ntldr} /d \"Earlier Windows OS Loader\"",
                                       L" /set {ntldr} description \"Earlier Windows OS Loader\"",
                                       L" /set {ntldr} path \\ntldr",
                                       L" /set {ntldr} device partition=c:",
                                       L" /displayorder " + ntldr + L" /addlast",
                                       L" /enum all /v",
                                       L" /default " + ntldr,
                                       L" /set {ntldr} description \"Microsoft Windows XP Professional\"",
                                       L" /enum " + ntldr + L" /v",
                                       L" /enum all /v"}));
  EXPECT_EQ(StoreDefault(), kNtldr);
  ASSERT_NE(page.List().ntldrIndex, -1);
  EXPECT_EQ(Row(page.List().legacyRow).markerImage, art::kImageDefaultEntry);
  EXPECT_EQ(Row(RowNamed(L"Microsoft Windows XP Professional")).marker, L"{default_NT}");
}

TEST_F(SetDefault, RefusingNtldrWritesBootIniOnlyAndTheStoreCanFollowLater) {
  AppSettings.autoReBoot = 1;
  OsListPage& page = OpenPage();
  const std::wstring title = L"Microsoft Windows XP Professional";
  int line = OpenLine(title);
  Answer({IDYES, IDNO, IDNO});
  DoubleClickRow(line);
  // boot.ini alone changes: no {ntldr} work, no rename.
  EXPECT_EQ(TakeArguments(), std::vector<std::wstring>{L" /enum all /v"});
  EXPECT_EQ(page.List().iniDefault, kXpPath);
  EXPECT_EQ(StoreDefault(), demo::kWindows10);
  ASSERT_EQ(seams.script.prompts.size(), 3u);
  EXPECT_EQ(seams.script.prompts[2].text, Text(IDS_DEFAULT_SET, title) + GetText(IDS_ASK_RESTART_INTO_OS));

  // Asked again, boot.ini has it already but the store does not: setting the store is a success.
  seams.script = {};
  Answer({IDYES, IDYES, IDNO});
  DoubleClickRow(RowNamed(title));
  EXPECT_EQ(StoreDefault(), kNtldr);
  ASSERT_EQ(seams.script.prompts.size(), 3u);
  EXPECT_EQ(seams.script.prompts[2].text, Text(IDS_DEFAULT_SET, title) + GetText(IDS_ASK_RESTART_INTO_OS));
}

TEST_F(SetDefault, ATitleWithAQuoteKeepsNtldrsNameAndSaysWhy) {
  ASSERT_TRUE(PlaceBootIni(
      "[boot loader]\r\ntimeout=30\r\n[operating systems]\r\nC:\\grub.mbr=\"Ubuntu \"LTS\"\"\r\n"));
  OsListPage& page = OpenPage();
  int line = OpenLine(L"Ubuntu \"LTS\"");
  ASSERT_GE(line, 0);
  Answer({IDYES, IDYES});
  DoubleClickRow(line);

  std::vector<std::wstring> texts = PromptTexts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_NE(texts[2].find(L"Ubuntu \"LTS\""), std::wstring::npos);
  EXPECT_EQ(seams.script.prompts[2].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_EQ(texts[3], Text(IDS_DEFAULT_SET, L"Ubuntu \"LTS\"")) << "the default itself was set";
  for (const std::wstring& arguments : TakeArguments()) EXPECT_EQ(arguments.find(L"description"), std::wstring::npos);
  EXPECT_EQ(StoreDefault(), kNtldr);
  EXPECT_EQ(page.List().iniDefault, L"C:\\grub.mbr");
}
