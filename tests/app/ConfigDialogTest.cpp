// The config dialog in real windows: autostart read back from the Run value (and a refused write)
// or, under UAC, from the logon task; the switches and the language in the settings file, a
// language change reaching the main window, F1, and the dialog opening only once.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <optional>

#include "ModalWindows.h"
#include "StoreSandbox.h"
#include "app/Application.h"
#include "app/ConfigDialog.h"
#include "app/Environment.h"
#include "app/Help.h"
#include "app/MainDialog.h"
#include "app/Settings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "resource.h"
#include "texts.h"
#include "store/RegistryRoutines.h"
#include "win/Controls.h"

using namespace testing_support;

namespace {

std::wstring Setting(const wchar_t* key) {
  wchar_t buffer[260] = {};
  GetPrivateProfileStringW(kSettingsSection, key, L"<none>", buffer, 260, AppSettings.settingsFile.c_str());
  return buffer;
}

std::wstring RunValue() { return RegReadText(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, false, false, L""); }

// A key (the Run key unless named) readable only, as under a policy, while it lives; its own
// handle may unlock it.
class RunKeyLock {
 public:
  explicit RunKeyLock(const wchar_t* subkey = kRunKey) {
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &key_, nullptr);
    DWORD size = sizeof(saved_);
    RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_, &size);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr);
    RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, readOnly);
    LocalFree(readOnly);
  }
  ~RunKeyLock() {
    RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_);
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  alignas(void*) BYTE saved_[4096] = {};
};

// EnableLUA as a test sets it, in the 64-bit view Windows keeps it in; what it was comes back.
class UacSetting {
 public:
  UacSetting() {
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPolicySystemKey, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                    &key_, nullptr);
    DWORD size = sizeof(old_);
    saved_ = RegGetValueW(key_, nullptr, L"EnableLUA", RRF_RT_REG_DWORD, nullptr, &old_, &size) == ERROR_SUCCESS;
  }
  ~UacSetting() {
    if (saved_) Set(old_);
    else RegDeleteValueW(key_, L"EnableLUA");
    RegCloseKey(key_);
  }
  void Set(DWORD on) { RegSetValueExW(key_, L"EnableLUA", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof(on)); }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool saved_ = false;
};

using Said = std::vector<std::pair<std::wstring, UINT>>;
const std::wstring kDone = L"Your operation was successfully completed.";

class Config : public testing::Test, protected StoreSandbox {
 protected:
  // The OS list page, shown first by the main window, reads the demo store through the stand-ins.
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    RegRemoveValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName);
    ResolveLanguage();
    AppSettings.osClass = GetOsClass();
    AppSettings.ntldrPresent = AppSettings.showWindow = true;
  }
  void TearDown() override { RegRemoveValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName); }

  // Clicks the check boxes that differ from what is asked, picks the language item, presses OK.
  Said Confirm(MainDialog* main, std::initializer_list<std::pair<int, bool>> checks, const wchar_t* language = nullptr) {
    ConfigDialog dialog(main);
    EXPECT_TRUE(dialog.CreateModeless(nullptr));
    for (auto [id, checked] : checks)
      if (dialog.IsItemChecked(id) != checked) win::Click(dialog.Item(id));
    if (language) SendDlgItemMessageW(dialog.Handle(), IDC_CONFIG_LANGUAGE, CB_SELECTSTRING, WPARAM(-1),
                                              reinterpret_cast<LPARAM>(language));
    ClickControl(dialog.Handle(), IDOK);
    EXPECT_FALSE(dialog.Handle()) << "OK closes the dialog";
    Said said;
    for (const win::PromptCall& call : seams.script.prompts) said.emplace_back(call.text, call.flags);
    seams.script.prompts.clear();
    return said;
  }
};

}  // namespace

TEST_F(Config, AutostartIsReadBackAndARefusedWriteIsAnError) {
  UacSetting uac;
  uac.Set(0);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring command = L"\"" + std::wstring(self) + L"\" -mini";
  for (bool on : {true, false}) {
    EXPECT_EQ(Confirm(nullptr, {{IDC_CONFIG_AUTOSTART, on}}), (Said{{kDone, MB_ICONINFORMATION}}));
    EXPECT_EQ(RunValue(), on ? command : L"");
    EXPECT_EQ(AppSettings.autoStart, on);
  }
  for (bool before : {false, true}) {
    if (before) RegWriteString(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, command);
    AppSettings.autoStart = before;
    RunKeyLock lock;
    EXPECT_EQ(Confirm(nullptr, {{IDC_CONFIG_AUTOSTART, !before}}),
              (Said{{GetText(IDS_AUTOSTART_REFUSED), MB_ICONERROR}}));
    EXPECT_EQ(RunValue(), before ? command : L"");
    EXPECT_EQ(AppSettings.autoStart, before) << "the box shows the truth next time";
  }
}

// Each row starts from what the row before left: the task or Run value it made.
TEST_F(Config, AutostartIsALogonTaskUnderUacAndTheRunValueWithout) {
  wchar_t buffer[MAX_PATH] = {};
  const std::wstring self(buffer, GetModuleFileNameW(nullptr, buffer, MAX_PATH));
  const std::wstring tool(buffer, GetSystemDirectoryW(buffer, MAX_PATH)), command = L"\"" + self + L"\" -mini";
  const std::wstring file = folder.File(L"VexaLogonTask.xml"), tasks = L"Software\\VexaStandIns\\schtasks";
  const std::wstring query = L"/query /tn \"Tavro Vexa\"", remove = L"/delete /tn \"Tavro Vexa\" /f",
                     create = L"/create /tn \"Tavro Vexa\" /xml \"" + file + L"\" /f";
  const std::wstring refused = base::Format(GetText(IDS_AUTOSTART_TASK_FAILED), L"ERROR: Access is denied.");
  struct Row {
    bool uac, on, runValueBefore, tasksLocked;
    std::vector<std::wstring> sent;  // schtasks' arguments, from opening the dialog to OK
    std::wstring said;
    bool runValueAfter, taskAfter;
  };
  const Row rows[] = {
      {true, true, true, true, {query, create, query}, refused, true, false},
      {true, true, true, false, {query, create, query}, kDone, false, true},
      {true, false, false, false, {query, remove, query}, kDone, false, false},
      {false, true, false, false, {}, kDone, true, false},
      {false, false, false, false, {}, kDone, false, false},
  };
  UacSetting uac;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "UAC " << row.uac << ", box " << row.on << ", locked " << row.tasksLocked);
    uac.Set(row.uac);
    if (row.runValueBefore) RegWriteString(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, command);
    std::vector<std::wstring> sent;
    {
      std::optional<RunKeyLock> lock;
      if (row.tasksLocked) lock.emplace(tasks.c_str());
      ClearJournal();
      EXPECT_EQ(Confirm(nullptr, {{IDC_CONFIG_AUTOSTART, row.on}}),
                (Said{{row.said, row.said == kDone ? MB_ICONINFORMATION : MB_ICONERROR}}));
      for (const std::wstring& arguments : row.sent) sent.push_back(tool + L"\\schtasks.exe " + arguments);
      EXPECT_EQ(TakeJournal(), sent);
    }
    EXPECT_EQ(RunValue(), row.runValueAfter ? command : L"");
    const std::wstring definition = RegReadText(HKEY_LOCAL_MACHINE, tasks, kRunValueName, false, false, L"");
    EXPECT_EQ(!definition.empty(), row.taskAfter);
    const std::vector<std::wstring> parts = {
        L"<LogonTrigger>", L"<Delay>PT30S</Delay>", L"<RunLevel>HighestAvailable</RunLevel>",
        L"<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>", L"<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
        L"<Command>\"" + self + L"\"</Command>", L"<Arguments>-mini</Arguments>"};
    for (const std::wstring& part : parts)
      EXPECT_TRUE(!row.taskAfter || definition.find(part) != std::wstring::npos) << part;
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the definition file is gone";

    ConfigDialog again(nullptr);
    ASSERT_TRUE(again.CreateModeless(nullptr));
    EXPECT_EQ(again.IsItemChecked(IDC_CONFIG_AUTOSTART), row.uac ? row.taskAfter : row.runValueAfter);
    again.End(0);
    EXPECT_EQ(TakeJournal(), std::vector<std::wstring>(row.uac, tool + L"\\schtasks.exe " + query));
  }
}

TEST_F(Config, SwitchesAreWrittenToTheHiddenSettingsFile) {
  AppSettings.enableDelMode = AppSettings.autoReBoot = 0;
  AppSettings.bcdDelMode = AppSettings.bcdNtldrAsk = AppSettings.changeNtldrName = 1;
  // The delete choice is enabled by delete mode, so it is clicked after it.
  EXPECT_EQ(Confirm(nullptr, {{IDC_CONFIG_DELETE_MODE, true},
                              {IDC_CONFIG_BCD_DELETE, false},
                              {IDC_CONFIG_ASK_REBOOT, true},
                              {IDC_CONFIG_BCD_NTLDR_ASK, false},
                              {IDC_CONFIG_KEEP_NTLDR_NAME, true}}),
            (Said{{kDone, MB_ICONINFORMATION}}));
  std::vector<std::wstring> written;
  for (const wchar_t* key :
       {kKeyEnableDelMode, kKeyAutoReBoot, kKeyBcdDelMode, kKeyBcdNtldrAsk, kKeyChangeNtldrName, kKeyLang})
    written.push_back(Setting(key));
  EXPECT_EQ(written, (std::vector<std::wstring>{L"1", L"1", L"0", L"0", L"0", L"<none>"}));
  EXPECT_EQ(GetFileAttributesW(AppSettings.settingsFile.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE,
            DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
}

TEST_F(Config, LanguageChangeRetitlesTheMainWindowAndItsPage) {
  CreateDirectoryW(folder.File(L"Language").c_str(), nullptr);
  folder.WriteText(L"Language\\tst.ini", Utf16File(L"[Info]\nLanguage=Testish\n[String]\n57344=Vexa T\n11=Fertig\n"
                                                   L"[DLG129]\n1019=Als Standard\n"));
  folder.WriteText(L"Language\\unnamed.ini", Utf16File(L"[String]\n11=x\n"));
  folder.WriteText(L"Language\\blank.ini", Utf16File(L"[Info]\nLanguage=\n"));
  WritePrivateProfileStringW(kSettingsSection, kKeyLang, L"gone", AppSettings.settingsFile.c_str());
  MainDialog main;
  ASSERT_TRUE(main.CreateModeless(nullptr));
  ConfigDialog dialog(&main);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  win::ComboBox list(dialog.Item(IDC_CONFIG_LANGUAGE));
  std::vector<std::wstring> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.ItemText(i));
  std::sort(items.begin() + 1, items.end());
  EXPECT_EQ(items, (std::vector<std::wstring>{L"Do not set langage(Automatic with program)", L"Testish", L"unnamed.ini"}));
  EXPECT_EQ(list.Selection(), 0) << "Lang names a missing file";
  dialog.End(0);

  EXPECT_TRUE(Confirm(&main, {}).empty()) << "nothing changed, nothing said";
  EXPECT_EQ(Setting(kKeyLang), L"gone") << "and the key is kept";

  EXPECT_EQ(Confirm(&main, {}, L"Testish"),
            (Said{{L"Fertig\n\nLanguage switch will take effect when you run Vexa again.", MB_ICONINFORMATION}}));
  EXPECT_EQ(Setting(kKeyLang), L"tst");
  EXPECT_EQ(win::WindowText(main.Handle()), L"Vexa T");
  ASSERT_FALSE(seams.script.trayCalls.empty());
  EXPECT_EQ(seams.script.trayCalls.back().message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(seams.script.trayCalls.back().tip, L"Vexa T") << "the tray tip follows the language";
  EXPECT_EQ(ControlText(main.Page(0), IDC_OSLIST_SET_DEFAULT), L"Als Standard");
  EXPECT_EQ(GetFileAttributesW(AppSettings.settingsFile.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE,
            DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});

  Confirm(&main, {}, L"Do not set langage(Automatic with program)");
  EXPECT_EQ(Setting(kKeyLang), L"<none>");
  main.End(0);
}

TEST_F(Config, F1OpensTheHelpFileOrTheOnlineHelpNormally) {
  MainDialog main;
  ASSERT_TRUE(main.CreateModeless(nullptr));
  ConfigDialog dialog(nullptr);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  // The ownerless dialog answers F1 itself; a page passes it on to the main window.
  HWND focus[] = {dialog.Item(IDC_CONFIG_AUTOSTART), GetDlgItem(main.Page(0), IDC_OSLIST_SET_DEFAULT),
                  main.Item(IDC_MAIN_PAGE_OSLIST)};
  for (HWND window : focus) {
    const bool helpFile = window == focus[2];
    if (helpFile) PlaceFile(folder.File(L"vexa.chm"), "ITSF");
    App().SetHelpFile();
    seams.script.shellCalls.clear();
    SendMessageW(window, 0x004D /* WM_KEYF1: what the system sends the focus for F1 */, 0, 0);
    ASSERT_EQ(seams.script.shellCalls.size(), 1u);
    const win::ShellCall& call = seams.script.shellCalls[0];
    EXPECT_EQ(call.verb + L" " + call.file, L"open " + (helpFile ? folder.File(L"vexa.chm") : kOnlineHelpPage));
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
  }
  dialog.End(0);
  main.End(0);
}

TEST_F(Config, OpensOnceAndHoldsBackTrayCommandsWhileOpen) {
  MainDialog main;
  HWND window = main.CreateModeless(nullptr);
  ASSERT_TRUE(window);
  auto cancel = [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
  ModalRun run = WhileModal(
      [&] {
        for (int command : {IDC_MAIN_CONFIG, ID_TRAY_CONFIG, ID_TRAY_ABOUT, ID_TRAY_HELP})
          PostMessageW(window, WM_COMMAND, command, 0);
      },
      cancel);
  ASSERT_EQ(run.opened.size(), 1u) << "one config dialog and nothing else";
  EXPECT_TRUE(run.leftOpen.empty()) << "Cancel closes it";
  EXPECT_TRUE(seams.script.shellCalls.empty());
  EXPECT_EQ(WhileModal([&] { SendMessageW(window, WM_COMMAND, ID_TRAY_CONFIG, 0); }, cancel).opened.size(), 1u)
      << "closed, it opens again";
  main.End(0);
}
