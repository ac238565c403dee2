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
#include "store/BootIni.h"
#include "store/FileRoutines.h"
#include "store/RegistryRoutines.h"
#include "store/SafetyNet.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Controls.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

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
    host_ = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr, nullptr, nullptr);
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
  // Clicks a button of the page, with the partition dialog watched meanwhile. What the page posts
  // to the main window stays in the queue for RefreshRequests.
  void Press(int id) {
    UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchForPartitionDialog);
    win::Click(page_->Item(id));
    KillTimer(nullptr, timer);
  }
  std::vector<WPARAM> RefreshRequests() const {
    std::vector<WPARAM> kinds;
    for (MSG message; PeekMessageW(&message, host_, kRefreshPagesMessage, kRefreshPagesMessage, PM_REMOVE);)
      kinds.push_back(message.wParam);
    return kinds;
  }
  // The style bit: the page itself is not on screen.
  bool Shown(int id) const { return (GetWindowLongW(page_->Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  const win::PromptCall& LastPrompt() const { return seams.script.prompts.back(); }
  std::wstring BootsectLine(const std::wstring& arguments) const { return ToolDir() + L"bootsect.exe " + arguments; }
  void RemoveTool(const wchar_t* tool) const { DeleteFileW((ToolDir() + tool).c_str()); }
  void PutBackTool(const wchar_t* tool) const {
    CopyFileW(BuildFile(std::wstring(L"standins\\") + tool).c_str(), (ToolDir() + tool).c_str(), FALSE);
  }

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
    AppSettings.toolsAvailable = false;
    if (!c.tools) RemoveTool(L"bcdedit.exe");
    if (!c.bootsect) RemoveTool(L"bootsect.exe");
    BootloaderPage& page = Open();
    bool enabled = c.bcdSystem && c.tools;
    EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_BACKUP_NOTE), GetText(c.backupNote));
    EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_WARNING), GetText(c.warningNote));
    EXPECT_EQ(IsWindowEnabled(page.Item(IDC_BOOTLOADER_BACKUP_PATH)) != FALSE, enabled);
    EXPECT_EQ(IsWindowEnabled(page.Item(IDC_BOOTLOADER_BACKUP)) != FALSE, enabled);
    EXPECT_EQ(IsWindowEnabled(page.Item(IDC_BOOTLOADER_INSTALL_BOOTMGR)) != FALSE, c.bootsect);
    EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_BOOTLOADER_UPDATE_RECORD)));
    PutBackTool(L"bcdedit.exe");
    PutBackTool(L"bootsect.exe");
  }
  Type(IDC_BOOTLOADER_BACKUP_PATH, L"");
  EXPECT_FALSE(IsWindowEnabled(page_->Item(IDC_BOOTLOADER_BACKUP)));

  // A bootsect.exe that the tool check copies in is found by the same start-up.
  RemoveTool(L"bootsect.exe");
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring native = base::ReplaceFirstNoCase(std::wstring(system) + L"\\", L"\\system32\\", L"\\SysNative\\");
  ASSERT_TRUE(PlaceFile(native + L"bootsect.exe", ReadFileBytes(BuildFile(L"standins\\bootsect.exe"))));
  AppSettings.toolsAvailable = false;
  EXPECT_EQ(Open().bootsectDir, ToolDir());
  EXPECT_EQ(page_->ItemText(IDC_BOOTLOADER_WARNING), GetText(IDS_BACKUP_CAUTION));
}

TEST_F(BootloaderPageTest, BackupGoesBelowTheProgramFolderOrWhereverTyped) {
  SYSTEMTIME today;
  GetLocalTime(&today);
  std::wstring name = base::Format(L"Backup\\%04d_%02d_%02d.BCD", today.wYear, today.wMonth, today.wDay);
  ASSERT_EQ(Open().ItemText(IDC_BOOTLOADER_BACKUP_PATH), name);
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

  std::wstring nested = folder.File(L"My Backups\\Store Copies\\first copy.bcd");
  Type(IDC_BOOTLOADER_BACKUP_PATH, nested);
  Press(IDC_BOOTLOADER_BACKUP);
  EXPECT_EQ(TakeJournal(), std::vector<std::wstring>{LineFor(L" /export \"" + nested + L"\"")});
  EXPECT_TRUE(FileExists(nested));
}

TEST_F(BootloaderPageTest, FoldersUnquotablePathsAndMissingFilesAreRefusedBeforeAnythingRuns) {
  ASSERT_TRUE(MakeDirectories(folder.File(L"Existing")));
  Open();
  for (const wchar_t* typed : {L"Backup\\", L"Existing", L"a\"b.bcd", L"missing.bcd"}) {
    for (int field : {IDC_BOOTLOADER_BACKUP_PATH, IDC_BOOTLOADER_RESTORE_PATH}) {
      // A missing file is a fine backup target; only the restore refuses it.
      if (field == IDC_BOOTLOADER_BACKUP_PATH && typed == std::wstring(L"missing.bcd")) continue;
      size_t asked = seams.script.prompts.size();
      Type(field, typed);
      Press(field == IDC_BOOTLOADER_BACKUP_PATH ? IDC_BOOTLOADER_BACKUP : IDC_BOOTLOADER_RESTORE);
      ASSERT_EQ(seams.script.prompts.size(), asked + 1) << "no question before the refusal";
      EXPECT_EQ(LastPrompt().text, base::Format(GetText(IDS_FILE_MISSING), CombineWithFolder(folder.Path(), typed)));
      EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK)) << typed;
    }
  }
  EXPECT_TRUE(Journal().empty());
  EXPECT_FALSE(FileExists(folder.File(L"Backup")));
}

TEST_F(BootloaderPageTest, RestoreBringsTheStoreBackAndAsksForTheListAgain) {
  std::wstring file = folder.File(L"saved store.bcd");
  std::wstring seven = std::wstring(L" /enum ") + demo::kWindows7;
  ASSERT_EQ(RunTool(L"bcdedit", L" /export \"" + file + L"\"").exitCode, 0u);
  ASSERT_EQ(RunTool(L"bcdedit", std::wstring(L" /delete ") + demo::kWindows7).exitCode, 0u);
  ASSERT_NE(RunTool(L"bcdedit", seven).exitCode, 0u);
  Open();
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
  EXPECT_EQ(RunTool(L"bcdedit", seven).exitCode, 0u);
  EXPECT_EQ(RefreshRequests(), std::vector<WPARAM>{kRefreshOsListFromStore});
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
  RemoveTool(L"bcdedit.exe");
  Press(IDC_BOOTLOADER_BACKUP);
  EXPECT_EQ(LastPrompt().text, L"-1");
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));

  // A boot record update that cannot start is no success either.
  RemoveTool(L"bootsect.exe");
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
    EXPECT_EQ(seams.script.prompts.end()[-2].text, base::Format(GetText(IDS_ASK_UPDATE_BOOT_RECORD), c.code));
    EXPECT_EQ(LastPrompt().text, GetText(IDS_OPERATION_DONE));
    EXPECT_EQ(BootsectRecord(L"C:"), c.code);
    EXPECT_EQ(BootsectRecord(L"PhysicalDrive0"), c.mbr ? c.code : L"");
    ASSERT_FALSE(Runner().changes.done.empty());
    EXPECT_EQ(Runner().changes.done.back().notReplayed, L"boot code rewritten: bootsect" + std::wstring(c.arguments))
        << "the saved script names what it cannot repeat";
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
    // A fresh dialog: the system entry first and chosen, then lettered disks only; the MBR box clear.
    win::ComboBoxEx list(GetDlgItem(dialog, IDC_PARTITION_LIST));
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_EQ(list.ItemText(0), GetText(IDS_CURRENT_BOOT_PARTITION));
    for (int i = 1; i < list.Count(); ++i) {
      std::wstring root = list.ItemText(i).substr(0, 3);
      UINT type = GetDriveTypeW(root.c_str());
      EXPECT_TRUE(root[1] == L':' && root[2] == L'\\' && (type == DRIVE_FIXED || type == DRIVE_REMOVABLE)) << root;
    }
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

TEST_F(BootloaderPageTest, LanguageChangeKeepsThePagesOwnNotes) {
  ASSERT_TRUE(folder.WriteText(L"lang.ini", "[DLG131]\r\n1100=template note\r\n1101=template warning\r\n"
                                            "1031=Boot Code\r\n[String]\r\n57396=translated note\r\n"));
  RemoveTool(L"bootsect.exe");
  BootloaderPage& page = Open();
  AppSettings.languageFile = folder.File(L"lang.ini");
  page.Relocalize();
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_BACKUP_NOTE), L"translated note");
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_WARNING), GetText(IDS_NOTE_NO_BOOTSECT));
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_INSTALL_TITLE), L"Boot Code");
}

// A run that changed boot.ini and not the store (an old system; its timeout alone) is undone too.
TEST_F(BootloaderPageTest, UndoOfBootIniAloneLeavesTheStoreAlone) {
  const std::string before = "[boot loader]\r\ntimeout=30\r\n[operating systems]\r\nC:\\=\"Old\"\r\n";
  ASSERT_TRUE(PlaceBootIni(before));
  Runner().changes.safetyNet = true;
  BootloaderPage& page = Open();
  ShowWindow(page.Handle(), SW_SHOW);
  ASSERT_TRUE(BootIniSetTimeout(5));
  ShowWindow(page.Handle(), SW_HIDE);
  ShowWindow(page.Handle(), SW_SHOW);
  ASSERT_TRUE(IsWindowEnabled(page.Item(IDC_BOOTLOADER_UNDO_RUN)));
  const std::wstring copy = Runner().changes.bootIniBackup;
  EXPECT_EQ(ReadFileBytes(copy), before);
  ClearJournal();
  seams.script.promptAnswers = {IDYES};
  Press(IDC_BOOTLOADER_UNDO_RUN);
  EXPECT_TRUE(TakeJournal().empty()) << "no store copy: nothing saved or imported";
  EXPECT_EQ(seams.script.prompts.at(0).text, base::Format(GetText(IDS_ASK_UNDO_BOOT_INI_ONLY), copy));
  EXPECT_EQ(LastPrompt().text, base::Format(GetText(IDS_UNDO_BOOT_INI_ONLY_DONE), copy));
  EXPECT_EQ(ReadFileBytes(AppSettings.bootIniPath), before);
}

TEST_F(BootloaderPageTest, UndoComesWithTheRunsCopyAndRestoresTheStoreOnlyAfterAsking) {
  Runner().changes.safetyNet = true;
  BootloaderPage& page = Open();
  ShowWindow(page.Handle(), SW_SHOW);
  EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_BOOTLOADER_UNDO_RUN))) << "nothing changed yet";
  EXPECT_EQ(page.ItemText(IDC_BOOTLOADER_UNDO_RUN), L"Undo the changes since Vexa started");

  SetManagerTimeout(3);
  ShowWindow(page.Handle(), SW_HIDE);
  ShowWindow(page.Handle(), SW_SHOW);
  ASSERT_TRUE(IsWindowEnabled(page.Item(IDC_BOOTLOADER_UNDO_RUN))) << "the page shown again knows of the copy";
  const std::wstring copy = Runner().changes.autoBackup;
  ClearJournal();

  seams.script.promptAnswers = {IDYES};
  Press(IDC_BOOTLOADER_UNDO_RUN);
  std::vector<std::wstring> journal = TakeJournal();
  ASSERT_EQ(journal.size(), 2u);
  // The store as it was before the undo is saved first, to the file the question names.
  const size_t quote = journal[0].find(L'"', journal[0].find(L"/export"));
  const std::wstring saved = journal[0].substr(quote + 1, journal[0].rfind(L'"') - quote - 1);
  EXPECT_EQ(saved.rfind(Runner().ProgramPath(L"Backup\\before-undo-"), 0), 0u) << saved;
  EXPECT_EQ(journal, (std::vector<std::wstring>{LineFor(ExportArgs(saved)), LineFor(ImportArgs(copy))}));
  const std::wstring time = SafetyNetCopyTime(copy);
  EXPECT_EQ(seams.script.prompts[0].text, base::Format(GetText(IDS_ASK_UNDO_SINCE_START), time, copy, saved,
                                                       GetText(IDS_UNDO_ASK_STORE_ONLY)));
  EXPECT_EQ(LastPrompt().text, base::Format(GetText(IDS_UNDO_DONE), time, saved));
  EXPECT_EQ(LastPrompt().flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  std::string listing = RunTool(L"bcdedit", L"/enum {bootmgr} /v").output;
  size_t timeout = listing.find("\ntimeout ");
  ASSERT_NE(timeout, std::string::npos);
  EXPECT_EQ(std::stoi(listing.substr(listing.find_first_not_of(' ', timeout + 9))), 30) << "the timeout is back";
  EXPECT_EQ(RefreshRequests(), std::vector<WPARAM>{kRefreshOsListFromStore});
}

// New boot code and a whole store imported (Restore, Undo) are checked by BitLocker too: on a
// protected drive each asks after its own question, and suspends protection before its tool runs.
TEST_F(BootloaderPageTest, BootCodeRestoreAndUndoSuspendBitLockerFirstOrChangeNothing) {
  const std::wstring bde = L"C:\\windows\\SysNative\\manage-bde.exe ", file = folder.File(L"saved.bcd");
  ASSERT_EQ(RunTool(L"bcdedit", L" /export \"" + file + L"\"").exitCode, 0u);
  Runner().changes.safetyNet = true;
  ASSERT_TRUE(SetManagerTimeout(3).Succeeded()) << "the run's copy, for Undo";
  AppSettings.mbrUseSysMode = 1;
  win::Click(Open().Item(IDC_BOOTLOADER_INSTALL_BOOTMGR));
  Type(IDC_BOOTLOADER_RESTORE_PATH, file);
  const struct {
    int button;
    int answer;
    const wchar_t* then;  // in the command line after the suspension; null: nothing after the status
  } cases[] = {
      {IDC_BOOTLOADER_UPDATE_RECORD, IDNO, nullptr}, {IDC_BOOTLOADER_UPDATE_RECORD, IDYES, L"bootsect.exe  /nt60 SYS"},
      {IDC_BOOTLOADER_RESTORE, IDNO, nullptr},       {IDC_BOOTLOADER_RESTORE, IDYES, L" /import "},
      {IDC_BOOTLOADER_UNDO_RUN, IDNO, nullptr},      {IDC_BOOTLOADER_UNDO_RUN, IDYES, L" /export "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.button << " " << c.answer);
    ASSERT_TRUE(PlaceManageBde(L"on"));
    ClearJournal();
    seams.script.answerPrompt = [&](const win::PromptCall& call) {
      if (call.text.rfind(L"BitLocker protects drive C:", 0) == 0) return c.answer;
      return call.flags & MB_YESNO ? IDYES : IDOK;
    };
    Press(c.button);
    std::vector<std::wstring> sent = Journal();
    ASSERT_EQ(std::min<size_t>(sent.size(), 3), c.then ? 3u : 1u);
    EXPECT_EQ(sent[0], bde + L"-status C: -protectionaserrorlevel");
    if (!c.then) continue;
    EXPECT_EQ(sent[1], bde + L"-protectors -disable C: -RebootCount 1");
    EXPECT_NE(sent[2].find(c.then), std::wstring::npos) << sent[2];
  }
}
