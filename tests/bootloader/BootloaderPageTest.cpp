// The Bootloader page in real windows with the stand-in tools: start-up, backup and restore with
// the exact command lines, the results shown, the boot record update with bootsect's records, the
// partition dialog and Set.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "StoreSandbox.h"
#include "WindowTest.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "bootloader/BootloaderPage.h"
#include "resource.h"
#include "texts.h"
#include "win/Controls.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

std::vector<WPARAM> g_refreshKinds;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRefreshPagesMessage) g_refreshKinds.push_back(wParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// What a test does with the partition dialog when it shows; every dialog seen is counted.
std::function<void(HWND)> g_onPartitionDialog;
int g_partitionDialogs = 0;

BOOL CALLBACK FindPartitionDialog(HWND window, LPARAM found) {
  if (!IsWindowVisible(window) || !GetDlgItem(window, IDC_PARTITION_LIST)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK WatchForPartitionDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindPartitionDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || GetPropW(dialog, L"VexaTestSeen")) return;
  SetPropW(dialog, L"VexaTestSeen", dialog);
  ++g_partitionDialogs;
  if (g_onPartitionDialog) g_onPartitionDialog(dialog);
}

// Picks the first entry whose text begins with prefix (the computer entry for "["), checks the MBR
// box as asked, and presses OK.
std::function<void(HWND)> Choose(const std::wstring& prefix, bool mbr) {
  return [prefix, mbr](HWND dialog) {
    win::ComboBoxEx list(GetDlgItem(dialog, IDC_PARTITION_LIST));
    for (int i = 0; i < list.Count(); ++i) {
      if (list.ItemText(i).compare(0, prefix.size(), prefix) == 0) list.Select(i);
    }
    win::SetChecked(GetDlgItem(dialog, IDC_PARTITION_UPDATE_MBR), mbr);
    win::Click(GetDlgItem(dialog, IDOK));
  };
}

std::wstring BootsectRecord(const std::wstring& name) {
  return RegReadText(HKEY_LOCAL_MACHINE, L"Software\\VexaStandIns\\Bootsect", name, false, false, L"");
}

class BootloaderPageTest : public testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.settingsFile = folder.File(L"wmast.dll");
    AppSettings.osClass = 7;
    WNDCLASSW hostClass = {};
    hostClass.lpfnWndProc = HostProcedure;
    hostClass.lpszClassName = L"VexaBootloaderTestHost";
    RegisterClassW(&hostClass);
    host_ = CreateWindowExW(0, hostClass.lpszClassName, L"host", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr, nullptr,
                            nullptr);
    g_refreshKinds.clear();
    g_onPartitionDialog = nullptr;
    g_partitionDialogs = 0;
  }
  void TearDown() override {
    page_.reset();
    DestroyWindow(host_);
  }

  BootloaderPage& Open() {
    page_ = std::make_unique<BootloaderPage>(PageContext{nullptr, nullptr, nullptr, host_});
    page_->CreateModeless(host_);
    return *page_;
  }
  void Type(int id, const std::wstring& text) { page_->SetItemText(id, text); }
  // Clicks a button of the page, with the partition dialog watched meanwhile.
  void Press(int id) {
    UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchForPartitionDialog);
    win::Click(page_->Item(id));
    KillTimer(nullptr, timer);
    PumpMessages();
  }
  // The style bit: the page itself is not on screen.
  bool Shown(int id) const { return (GetWindowLongW(page_->Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  const win::PromptCall& LastPrompt() const { return seams.script.prompts.back(); }
  std::wstring BootsectLine(const std::wstring& arguments) const { return ToolDir() + L"bootsect.exe " + arguments; }

  HWND host_ = nullptr;
  std::unique_ptr<BootloaderPage> page_;
};

}  // namespace

TEST_F(BootloaderPageTest, StartUpDecidesWhatIsEnabledAndTheNotesSayWhy) {
  const struct {
    bool bcdSystem, tools, bootsect;
    UINT backupNote, warningNote;
  } cases[] = {
      {false, true, false, IDS_NOTE_NO_BCD_STORE, IDS_NOTE_NO_BOOTSECT},
      {true, false, true, IDS_NOTE_NO_BCDEDIT, IDS_BACKUP_CAUTION},
      {true, true, true, IDS_BACKUP_SCOPE_NOTE, IDS_BACKUP_CAUTION},
  };
  for (const auto& c : cases) {
    AppSettings.bcdSystem = c.bcdSystem;
    // Without the store the tool check looks no further than the tool folder.
    if (!c.tools) DeleteFileW((ToolDir() + L"bcdedit.exe").c_str());
    if (!c.bootsect) DeleteFileW((ToolDir() + L"bootsect.exe").c_str());
    AppSettings.toolsAvailable = false;
    BootloaderPage& page = Open();
    bool enabled = c.bcdSystem && c.tools;
    EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_BACKUP_NOTE), GetText(c.backupNote));
    EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_WARNING), GetText(c.warningNote));
    EXPECT_EQ(IsWindowEnabled(page.Item(IDC_BOOTLOADER_BACKUP_PATH)) != FALSE, enabled);
    EXPECT_EQ(IsWindowEnabled(page.Item(IDC_BOOTLOADER_BACKUP)) != FALSE, enabled);
    EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_BACKUP_PATH).empty(), !enabled);
    EXPECT_EQ(IsWindowEnabled(page.Item(IDC_BOOTLOADER_INSTALL_BOOTMGR)) != FALSE, c.bootsect);
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_BOOTLOADER_UPDATE_RECORD)));
    CopyFileW(BuildFile(L"standins\\bcdedit.exe").c_str(), (ToolDir() + L"bcdedit.exe").c_str(), FALSE);
    CopyFileW(BuildFile(L"standins\\bootsect.exe").c_str(), (ToolDir() + L"bootsect.exe").c_str(), FALSE);
  }
  // Clearing the target disables the backup; one character enables it again.
  Type(IDC_BOOTLOADER_BACKUP_PATH, L"");
  EXPECT_FALSE(IsWindowEnabled(page_->Item(IDC_BOOTLOADER_BACKUP)));
  Type(IDC_BOOTLOADER_BACKUP_PATH, L"x");
  EXPECT_TRUE(IsWindowEnabled(page_->Item(IDC_BOOTLOADER_BACKUP)));
}

TEST_F(BootloaderPageTest, BootsectCopiedByTheToolCheckIsFound) {
  DeleteFileW((ToolDir() + L"bootsect.exe").c_str());
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring native = base::ReplaceFirstNoCase(std::wstring(system) + L"\\", L"\\system32\\", L"\\SysNative\\");
  ASSERT_TRUE(PlaceFile(native + L"bootsect.exe", ReadFileBytes(BuildFile(L"standins\\bootsect.exe"))));
  AppSettings.toolsAvailable = false;
  BootloaderPage& page = Open();
  EXPECT_EQ(page.bootsectDir, ToolDir());
  EXPECT_TRUE(IsWindowEnabled(page.Item(IDC_BOOTLOADER_INSTALL_NTLDR)));
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_WARNING), GetText(IDS_BACKUP_CAUTION));
  DeleteFileW((ToolDir() + L"bootsect.exe").c_str());
}

TEST_F(BootloaderPageTest, DefaultBackupGoesBelowTheProgramFolder) {
  SYSTEMTIME today;
  GetLocalTime(&today);
  std::wstring name = base::Format(L"Backup\\%04d_%02d_%02d.BCD", today.wYear, today.wMonth, today.wDay);
  BootloaderPage& page = Open();
  ASSERT_EQ(page.ItemText(IDC_BOOTLOADER_BACKUP_PATH), name);
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  SetCurrentDirectoryW(L"C:\\");
  Press(IDC_BOOTLOADER_BACKUP);
  SetCurrentDirectoryW(current);
  // Two blanks between the tool and /export; the line ends with the closing quote.
  EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{LineFor(L" /export \"" + folder.File(name) + L"\"")});
  EXPECT_TRUE(FileExists(folder.File(name)));
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(LastPrompt().text, L"The operation completed successfully.\r\n");

  // Over the existing file, No leaves it as it was and runs nothing.
  ASSERT_TRUE(folder.WriteText(name, "keep"));
  seams.script.promptAnswers = {IDNO};
  Press(IDC_BOOTLOADER_BACKUP);
  EXPECT_EQ(LastPrompt().text, base::Format(GetText(IDS_ASK_OVERWRITE_FILE), folder.File(name)));
  EXPECT_EQ(folder.ReadText(name), "keep");
  EXPECT_TRUE(Journal().empty());
}

TEST_F(BootloaderPageTest, BackupIntoNewNestedFoldersWithBlanks) {
  BootloaderPage& page = Open();
  std::wstring target = folder.File(L"My Backups\\Store Copies\\first copy.bcd");
  Type(IDC_BOOTLOADER_BACKUP_PATH, target);
  Press(IDC_BOOTLOADER_BACKUP);
  EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{LineFor(L" /export \"" + target + L"\"")});
  EXPECT_TRUE(FileExists(target));
  (void)page;
}

TEST_F(BootloaderPageTest, FoldersAndUnquotablePathsAreRefusedBeforeAnythingRuns) {
  ASSERT_TRUE(MakeDirectories(folder.File(L"Existing")));
  BootloaderPage& page = Open();
  for (const wchar_t* typed : {L"Backup\\", L"Existing", L"a\"b.bcd"}) {
    for (int field : {IDC_BOOTLOADER_BACKUP_PATH, IDC_BOOTLOADER_RESTORE_PATH}) {
      Type(field, typed);
      Press(field == IDC_BOOTLOADER_BACKUP_PATH ? IDC_BOOTLOADER_BACKUP : IDC_BOOTLOADER_RESTORE);
      EXPECT_EQ(LastPrompt().text, base::Format(GetText(IDS_FILE_MISSING), CombineWithFolder(folder.Path(), typed)));
      EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK)) << typed;
    }
  }
  Type(IDC_BOOTLOADER_RESTORE_PATH, folder.File(L"missing.bcd"));
  Press(IDC_BOOTLOADER_RESTORE);
  EXPECT_EQ(LastPrompt().text, base::Format(GetText(IDS_FILE_MISSING), folder.File(L"missing.bcd")));
  EXPECT_EQ(seams.script.prompts.size(), 7u) << "no question was asked";
  EXPECT_TRUE(Journal().empty());
  EXPECT_FALSE(FileExists(folder.File(L"Backup")));
  (void)page;
}

TEST_F(BootloaderPageTest, RestoreBringsTheStoreBackAndAsksForTheListAgain) {
  std::wstring file = folder.File(L"saved store.bcd");
  ASSERT_EQ(RunTool(L"bcdedit", L" /export \"" + file + L"\"").exitCode, 0u);
  ASSERT_EQ(RunTool(L"bcdedit", std::wstring(L" /delete ") + demo::kWindows7).exitCode, 0u);
  ASSERT_NE(RunTool(L"bcdedit", std::wstring(L" /enum ") + demo::kWindows7).exitCode, 0u);
  BootloaderPage& page = Open();
  Type(IDC_BOOTLOADER_RESTORE_PATH, file);
  // The question's default is No: pressing Enter restores nothing.
  Press(IDC_BOOTLOADER_RESTORE);
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_TRUE(TakeJournal().empty());

  seams.script.promptAnswers = {IDYES};
  Press(IDC_BOOTLOADER_RESTORE);
  // The closing quote is followed by a blank.
  EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{LineFor(L" /import \"" + file + L"\" ")});
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(RunTool(L"bcdedit", std::wstring(L" /enum ") + demo::kWindows7).exitCode, 0u);
  EXPECT_EQ(g_refreshKinds, std::vector<WPARAM>{9});
  (void)page;
}

TEST_F(BootloaderPageTest, FailuresAreShownAsErrorsWithTheToolsText) {
  ASSERT_TRUE(folder.WriteText(L"not a store.bcd", "garbage"));
  BootloaderPage& page = Open();
  Type(IDC_BOOTLOADER_RESTORE_PATH, folder.File(L"not a store.bcd"));
  seams.script.promptAnswers = {IDYES};
  Press(IDC_BOOTLOADER_RESTORE);
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_NE(LastPrompt().text.find(L"The import operation has failed."), std::wstring::npos);

  // Without the tool the runner's own text is the error.
  DeleteFileW((ToolDir() + L"bcdedit.exe").c_str());
  Press(IDC_BOOTLOADER_BACKUP);
  EXPECT_EQ(LastPrompt().text, L"-1");
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));

  // A boot record update that cannot start is no success either.
  DeleteFileW((ToolDir() + L"bootsect.exe").c_str());
  AppSettings.mbrUseSysMode = 1;
  win::Click(page.Item(IDC_BOOTLOADER_INSTALL_BOOTMGR));
  seams.script.promptAnswers = {IDYES};
  Press(IDC_BOOTLOADER_UPDATE_RECORD);
  EXPECT_EQ(LastPrompt().text, L"CreateProcess Failed!");
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(BootloaderPageTest, BootRecordUpdatesWithAndWithoutTheMasterBootRecord) {
  const struct {
    int radio;
    int mbrUseSysMode;
    const wchar_t* choice;  // entry picked in the partition dialog; null: no dialog
    bool mbr;
    const wchar_t* arguments;
    const wchar_t* code;
  } cases[] = {
      {IDC_BOOTLOADER_INSTALL_BOOTMGR, 1, nullptr, false, L" /nt60 SYS", L"BOOTMGR"},
      {IDC_BOOTLOADER_INSTALL_NTLDR, 0, L"C:\\", true, L" /nt52 C: /mbr", L"NTLDR"},
      {IDC_BOOTLOADER_INSTALL_BOOTMGR, 0, L"[", true, L" /nt60 SYS /mbr", L"BOOTMGR"},
      {IDC_BOOTLOADER_INSTALL_NTLDR, 0, L"C:\\", false, L" /nt52 C:", L"NTLDR"},
  };
  BootloaderPage& page = Open();
  for (const auto& c : cases) {
    AppSettings.mbrUseSysMode = c.mbrUseSysMode;
    RegRemoveValue(HKEY_LOCAL_MACHINE, L"Software\\VexaStandIns\\Bootsect", L"PhysicalDrive0");
    g_partitionDialogs = 0;
    g_onPartitionDialog = c.choice ? Choose(c.choice, c.mbr) : nullptr;
    win::Click(page.Item(c.radio));
    seams.script.promptAnswers = {IDYES};
    Press(IDC_BOOTLOADER_UPDATE_RECORD);
    EXPECT_EQ(g_partitionDialogs, c.choice ? 1 : 0) << c.arguments;
    EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{BootsectLine(c.arguments)});
    EXPECT_EQ(seams.script.prompts.end()[-2].text,
              base::Format(GetText(IDS_ASK_UPDATE_BOOT_RECORD), c.code));
    EXPECT_EQ(LastPrompt().text, GetText(IDS_OPERATION_DONE));
    EXPECT_EQ(BootsectRecord(L"C:"), c.code);
    EXPECT_EQ(BootsectRecord(L"PhysicalDrive0"), c.mbr ? c.code : L"");
  }
  // Closing the dialog keeps the last choice; No to the question runs nothing.
  g_onPartitionDialog = [](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
  seams.script.promptAnswers = {IDNO};
  Press(IDC_BOOTLOADER_UPDATE_RECORD);
  EXPECT_EQ(page.partitionArg, L"C:");
  EXPECT_TRUE(Journal().empty());
}

TEST_F(BootloaderPageTest, DoNotNoticeMeSkipsTheQuestionUntilSet) {
  BootloaderPage& page = Open();
  EXPECT_FALSE(Shown(IDC_BOOTLOADER_RESET_MBR_MODE));
  win::Click(page.Item(IDC_BOOTLOADER_INSTALL_NTLDR));
  g_onPartitionDialog = [](HWND dialog) {
    // A fresh dialog: the first entry chosen, the MBR box clear.
    EXPECT_EQ(win::ComboBoxEx(GetDlgItem(dialog, IDC_PARTITION_LIST)).Selection(), 0);
    EXPECT_FALSE(win::IsChecked(GetDlgItem(dialog, IDC_PARTITION_UPDATE_MBR)));
    win::SetChecked(GetDlgItem(dialog, IDC_PARTITION_DONT_ASK), true);
    Choose(L"C:\\", false)(dialog);
  };
  seams.script.promptAnswers = {IDNO};
  Press(IDC_BOOTLOADER_UPDATE_RECORD);
  EXPECT_EQ(page.partitionArg, L"C:");
  EXPECT_EQ(AppSettings.mbrUseSysMode, 1);
  EXPECT_EQ(GetPrivateProfileIntW(L"Tavro", L"MBR_USE_SYS_MODE", -1, AppSettings.settingsFile.c_str()), 1);
  EXPECT_TRUE(Shown(IDC_BOOTLOADER_RESET_MBR_MODE));

  // No question now, and the system partition again.
  seams.script.promptAnswers = {IDYES};
  Press(IDC_BOOTLOADER_UPDATE_RECORD);
  EXPECT_EQ(g_partitionDialogs, 1);
  EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{BootsectLine(L" /nt52 SYS")});

  seams.script.promptAnswers = {IDYES};
  Press(IDC_BOOTLOADER_RESET_MBR_MODE);
  EXPECT_EQ(seams.script.prompts.end()[-2].text,
            base::Format(GetText(IDS_ASK_RESTORE_DEFAULT_MODE), L"Bootloader Installation Options"));
  EXPECT_EQ(LastPrompt().text, GetText(IDS_OPERATION_DONE));
  EXPECT_EQ(AppSettings.mbrUseSysMode, 0);
  EXPECT_EQ(GetPrivateProfileIntW(L"Tavro", L"MBR_USE_SYS_MODE", -1, AppSettings.settingsFile.c_str()), 0);
  EXPECT_FALSE(Shown(IDC_BOOTLOADER_RESET_MBR_MODE));
}

TEST_F(BootloaderPageTest, PartitionListHoldsTheSystemEntryThenLetteredDisks) {
  BootloaderPage& page = Open();
  std::vector<std::wstring> texts;
  g_onPartitionDialog = [&texts](HWND dialog) {
    win::ComboBoxEx list(GetDlgItem(dialog, IDC_PARTITION_LIST));
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.ItemText(i));
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  };
  win::Click(page.Item(IDC_BOOTLOADER_INSTALL_BOOTMGR));
  seams.script.promptAnswers = {IDNO};
  Press(IDC_BOOTLOADER_UPDATE_RECORD);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], GetText(IDS_CURRENT_BOOT_PARTITION));
  for (size_t i = 1; i < texts.size(); ++i) {
    UINT type = GetDriveTypeW(texts[i].substr(0, 3).c_str());
    EXPECT_TRUE(texts[i][1] == L':' && texts[i][2] == L'\\' && (type == DRIVE_FIXED || type == DRIVE_REMOVABLE))
        << texts[i];
  }
}

TEST_F(BootloaderPageTest, LanguageChangeKeepsThePagesOwnNotes) {
  ASSERT_TRUE(folder.WriteText(L"lang.ini", "[DLG131]\r\n1100=template note\r\n1101=template warning\r\n"
                                            "1031=Boot Code\r\n[String]\r\n57396=translated note\r\n"));
  DeleteFileW((ToolDir() + L"bootsect.exe").c_str());
  BootloaderPage& page = Open();
  AppSettings.languageFile = folder.File(L"lang.ini");
  page.Relocalize();
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_BACKUP_NOTE), L"translated note");
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_WARNING), GetText(IDS_NOTE_NO_BOOTSECT));
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_INSTALL_TITLE), L"Boot Code");
}
