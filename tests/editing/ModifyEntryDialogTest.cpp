// The entry dialog in modify mode on the demo store: what it shows, stepping with Prev and Next,
// and what reaches the store (or boot.ini) when the user changes something.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "oslist/OsListTestSupport.h"
#include "base/Format.h"
#include "editing/ModifyEntryDialog.h"
#include "editing/SettingValues.h"
#include "store/StoreCommands.h"
#include "texts.h"

namespace testing_support {
namespace {

constexpr wchar_t kDone[] = L"Your operation was successfully completed.";

class ModifyEntryDialogTest : public OsListPageTest {
 protected:
  void TearDown() override {
    dialog_.reset();
    OsListPageTest::TearDown();
  }

  // The dialog on entry index (-1 the boot manager) of the page's list, as Modify opens it.
  HWND Open(int index) {
    dialog_ = std::make_unique<ModifyEntryDialog>(EntryDialogSetup{&Page().List(), Images(), nullptr}, index);
    HWND window = dialog_->CreateModeless(Page().Handle());
    EXPECT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    general_ = ChildPageHolding(window, IDC_GENERAL_NAME);
    advanced_ = ChildPageHolding(window, IDC_ADVANCED_SYSTEMROOT);
    return window;
  }
  int IndexOf(const std::wstring& description) const {
    const auto& entries = const_cast<ModifyEntryDialogTest*>(this)->Page().List().entries;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].description == description) return static_cast<int>(i);
    }
    return -100;
  }
  HWND Dialog() const { return dialog_->Handle(); }
  HWND General(int id) const { return GetDlgItem(general_, id); }
  bool Enabled(HWND control) const { return IsWindowEnabled(control) != FALSE; }
  void Ok() { ClickControl(Dialog(), IDOK); }
  void SelectTab(int tab) {
    HWND tabs = GetDlgItem(Dialog(), IDC_ENTRY_TABS);
    TabCtrl_SetCurSel(tabs, tab);
    NMHDR change = {tabs, IDC_ENTRY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(Dialog(), WM_NOTIFY, IDC_ENTRY_TABS, reinterpret_cast<LPARAM>(&change));
  }
  std::vector<std::wstring> TabTexts() const {
    std::vector<std::wstring> texts;
    HWND tabs = GetDlgItem(Dialog(), IDC_ENTRY_TABS);
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
      wchar_t text[64] = {};
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      TabCtrl_GetItem(tabs, i, &item);
      texts.push_back(text);
    }
    return texts;
  }
  std::wstring StoreListing(const std::wstring& identifier) const {
    std::string text = RunTool(L"bcdedit", L"/enum " + identifier + L" /v").output;
    return std::wstring(text.begin(), text.end());
  }
  std::wstring SetLine(const std::wstring& id, const std::wstring& key, const std::wstring& value) const {
    return LineFor(SetElementArgs(id, L" " + key + L" ", WrapInQuotes(value)));
  }

  std::unique_ptr<ModifyEntryDialog> dialog_;
  HWND general_ = nullptr;
  HWND advanced_ = nullptr;
};

TEST_F(ModifyEntryDialogTest, OkWithoutChangesWritesNothingForAnyRecord) {
  // A locale and a volume the lists do not hold, and a device none of the radios describes, must
  // each still read back as unchanged.
  ASSERT_TRUE(SetElementText(demo_store::kWindows10, L"12000005", L"en-GB"));
  ASSERT_TRUE(SetElementText(demo_store::kGrub, L"11000001", L"partition=\\Device\\HarddiskVolume7"));
  ASSERT_TRUE(SetElementText(demo_store::kWindows8Vhd, L"11000001", L"file=[C:]\\odd.img"));
  OpenPage();
  int count = static_cast<int>(Page().List().entries.size());
  ASSERT_GE(count, 8) << "six store entries and the boot.ini lines";
  for (int index = -1; index < count; ++index) {
    Open(index);
    std::wstring name = index < 0 ? L"boot manager" : Page().List().entries[index].description;
    Ok();
    EXPECT_FALSE(IsWindow(dialog_->Handle())) << name;
    for (const std::wstring& line : TakeArguments()) {
      EXPECT_EQ(line.find(L"/set"), std::wstring::npos) << name << ": " << line;
      EXPECT_EQ(line.find(L"/deletevalue"), std::wstring::npos) << name << ": " << line;
    }
    EXPECT_TRUE(seams.script.prompts.empty()) << name;
    seams.script.prompts.clear();
  }
  Open(IndexOf(L"Windows 10"));
  win::ComboBoxEx locale(General(IDC_GENERAL_LOCALE));
  EXPECT_EQ(locale.ItemText(locale.Selection()), L"en-GB");
}

TEST_F(ModifyEntryDialogTest, PrevFromTheFirstEntryShowsTheBootManager) {
  OpenPage();
  Open(0);
  EXPECT_EQ(TabTexts(), (std::vector<std::wstring>{L"Settings", L"Adv Settings", L"Debug"}));
  ClickControl(Dialog(), IDC_ENTRY_PREV);
  EXPECT_EQ(TabTexts(), (std::vector<std::wstring>{L"Settings", L"Debug"}));
  EXPECT_EQ(dialog_->ListIndex(), -1);
  EXPECT_EQ(ControlText(Dialog(), IDC_ENTRY_INFO), L"The Entry is Windows Boot Manager");
  EXPECT_EQ(TextOf(Dialog()), L"Change Settings  -  Windows Boot Manager");
  EXPECT_FALSE(Enabled(General(IDC_GENERAL_NAME)));
  EXPECT_TRUE(Enabled(General(IDC_GENERAL_TYPE_PARTITION)));
  EXPECT_FALSE(Enabled(General(IDC_GENERAL_TYPE_RAMDISK)));
  EXPECT_FALSE(Enabled(General(IDC_GENERAL_TYPE_VHD)));
  EXPECT_FALSE(Enabled(GetDlgItem(Dialog(), IDC_ENTRY_PREV)));
  EXPECT_TRUE(Enabled(GetDlgItem(Dialog(), IDC_ENTRY_NEXT)));
  EXPECT_TRUE(seams.script.prompts.empty());
}

TEST_F(ModifyEntryDialogTest, TheDebugTabStaysAcrossNextAndAnUnsavedEditIsDroppedOnNo) {
  OpenPage();
  int pe = IndexOf(L"Windows PE");
  Open(pe);
  EXPECT_TRUE(win::IsChecked(General(IDC_GENERAL_TYPE_RAMDISK)));
  EXPECT_EQ(TextOf(General(IDC_GENERAL_DEVICE_FILE)), L"\\sources\\boot.wim");
  EXPECT_EQ(TextOf(General(IDC_GENERAL_RAMDISK)), L"{ramdiskoptions}");
  SetWindowTextW(General(IDC_GENERAL_NAME), L"Rescue");
  SelectTab(2);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(Dialog(), IDC_ENTRY_DEBUG_TEXT)));
  Answer({IDNO});
  ClickControl(Dialog(), IDC_ENTRY_NEXT);
  ASSERT_EQ(PromptTexts().size(), 1u);
  EXPECT_EQ(PromptTexts()[0].find(L"You  change some settings of \"Windows PE\""), 0u);
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(dialog_->CurrentTab(), 2);
  EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(Dialog(), IDC_ENTRY_TABS)), 2);
  EXPECT_FALSE(IsWindowVisible(general_));
  EXPECT_FALSE(IsWindowVisible(advanced_));
  const BootEntry& next = Page().List().entries[pe + 1];
  EXPECT_NE(ControlText(Dialog(), IDC_ENTRY_DEBUG_TEXT).find(next.description), std::wstring::npos);
  EXPECT_GT(SendDlgItemMessageW(Dialog(), IDC_ENTRY_DEBUG_TEXT, EM_GETLINECOUNT, 0, 0), 3) << "one line per key";
  ClickControl(Dialog(), IDC_ENTRY_PREV);
  EXPECT_EQ(TextOf(General(IDC_GENERAL_NAME)), L"Windows PE") << "No drops the edit";
  for (const std::wstring& line : TakeArguments()) EXPECT_EQ(line.find(L"/set"), std::wstring::npos) << line;
  EXPECT_EQ(PromptTexts().size(), 1u);
}

TEST_F(ModifyEntryDialogTest, TheDebugTabStaysBetweenALoaderAndABootIniLine) {
  OpenPage();
  const auto& entries = Page().List().entries;
  int line = 0;
  while (line < static_cast<int>(entries.size()) && entries[line].sourceKind != kSourceBootIni) ++line;
  ASSERT_LT(line, static_cast<int>(entries.size()));
  Open(line - 1);
  SelectTab(2);
  ClickControl(Dialog(), IDC_ENTRY_NEXT);
  EXPECT_EQ(TabTexts(), (std::vector<std::wstring>{L"Settings", L"Debug"}));
  EXPECT_EQ(dialog_->CurrentTab(), 1);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(Dialog(), IDC_ENTRY_DEBUG_TEXT)));
  EXPECT_NE(ControlText(Dialog(), IDC_ENTRY_DEBUG_TEXT).find(entries[line].description), std::wstring::npos);
  ClickControl(Dialog(), IDC_ENTRY_PREV);
  EXPECT_EQ(dialog_->CurrentTab(), 2);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(Dialog(), IDC_ENTRY_DEBUG_TEXT)));
  // The advanced tab of a loader falls back to Settings on a line that has none.
  SelectTab(1);
  EXPECT_TRUE(IsWindowVisible(advanced_));
  ClickControl(Dialog(), IDC_ENTRY_NEXT);
  EXPECT_EQ(dialog_->CurrentTab(), 0);
  EXPECT_TRUE(IsWindowVisible(general_));
  EXPECT_FALSE(IsWindowVisible(advanced_));
}

TEST_F(ModifyEntryDialogTest, RenamingABootIniLineKeepsItsSwitches) {
  ASSERT_TRUE(PlaceBootIni(
      "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
      "[operating systems]\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"fastdetect\" /fastdetect\r\n"));
  OpenPage();
  Open(IndexOf(L"fastdetect"));
  EXPECT_EQ(ControlText(Dialog(), IDC_ENTRY_IDENTIFIER), L"fastdetect");
  EXPECT_EQ(ControlText(Dialog(), IDC_ENTRY_INFO), L"Boot.ini (WinNT/2000/XP)  boot entry");
  EXPECT_FALSE(Enabled(General(IDC_GENERAL_BOOT_PATH)));
  EXPECT_FALSE(IsWindowVisible(General(IDC_GENERAL_DEVICE)));
  SetWindowTextW(General(IDC_GENERAL_NAME), L"XP");
  Ok();
  EXPECT_NE(BootIniText().find("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect\r\n"), std::string::npos)
      << BootIniText();
  EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{kDone}));
  EXPECT_TRUE(TakeArguments().empty());
}

// Each case changes one record and expects exactly these commands, then the store to hold it.
struct WriteCase {
  const char* what;
  const wchar_t* entry;
  std::function<void(win::SeamScript& script, HWND general)> edit;
  std::vector<std::pair<std::wstring, std::wstring>> commands;  // element, value ("" deletes)
  const wchar_t* stored;  // a line the store's listing of the entry then holds
  const wchar_t* absent = nullptr;  // a key the listing then lacks
  const wchar_t* before = nullptr;  // bcdedit arguments run first, past the journal ({id}: the entry)
};

TEST_F(ModifyEntryDialogTest, EachChangeReachesTheStoreAsItsCommands) {
  ASSERT_TRUE(PlaceFile(L"C:\\win7.vhdx", "VHD"));
  const WriteCase cases[] = {
      {"a VHD switch builds the device text from the chosen file", L"Windows 7",
       [](win::SeamScript& script, HWND general) {
         ClickControl(general, IDC_GENERAL_TYPE_VHD);
         script.fileAnswers.push_back(std::wstring(L"C:\\win7.vhdx"));
         ClickControl(general, IDC_GENERAL_BROWSE_DEVICE_FILE);
       },
       {{L"device", L"vhd=[C:]\\win7.vhdx"}, {L"osdevice", L"vhd=[C:]\\win7.vhdx"}},
       L"vhd=[C:]\\win7.vhdx"},
      {"[undefine region] removes the locale", L"Windows 10",
       [](win::SeamScript&, HWND general) { SendDlgItemMessageW(general, IDC_GENERAL_LOCALE, CB_SETCURSEL, 0, 0); },
       {{L"locale", L""}}, nullptr, L"locale"},
      {"safe boot back to normal removes the element", L"Windows 7",
       [](win::SeamScript&, HWND general) {
         HWND advanced = ChildPageHolding(GetParent(general), IDC_ADVANCED_SAFEBOOT);
         SelectByItemData(GetDlgItem(advanced, IDC_ADVANCED_SAFEBOOT), 0);
       },
       {{L"safeboot", L""}}, nullptr, L"safeboot", L"/set {id} safeboot minimal"},
      {"PAE forced on, with SystemRoot unlocked and changed", L"Windows 7",
       [](win::SeamScript&, HWND general) {
         HWND advanced = ChildPageHolding(GetParent(general), IDC_ADVANCED_SAFEBOOT);
         SelectByItemData(GetDlgItem(advanced, IDC_ADVANCED_PAE), 1);
         ClickControl(advanced, IDC_ADVANCED_PATH_LOCK);
         SetDlgItemTextW(advanced, IDC_ADVANCED_SYSTEMROOT, L"\\Win7");
       },
       {{L"systemroot", L"\\Win7"}, {L"pae", L"forceenable"}}, L"\\Win7"},
      {"renaming WinPE drops the shared ramdisk options' description", L"Windows PE",
       [](win::SeamScript&, HWND general) { SetDlgItemTextW(general, IDC_GENERAL_NAME, L"Rescue PE"); },
       {{L"description", L"Rescue PE"}, {L"{ramdiskoptions} description", L""}}, L"Rescue PE"},
  };
  for (const WriteCase& c : cases) {
    ASSERT_TRUE(SeedDemo());
    OpenPage();
    int index = IndexOf(c.entry);
    const std::wstring id = Page().List().entries[index].identifier;
    if (c.before) {
      std::wstring arguments = c.before;
      arguments.replace(arguments.find(L"{id}"), 4, id);
      ASSERT_EQ(RunTool(L"bcdedit", arguments).exitCode, 0u) << c.what;
      Page().List().EnumerateOne(&Page().List().entries[index], id);
    }
    Open(index);
    seams.script.prompts.clear();
    c.edit(seams.script, general_);
    Ok();
    std::vector<std::wstring> expected;
    for (const auto& [element, value] : c.commands) {
      if (element.find(L' ') != std::wstring::npos) {
        std::wstring object = element.substr(0, element.find(L' '));
        expected.push_back(LineFor(DeleteElementArgs(object, L" " + element.substr(element.find(L' ') + 1) + L" ")));
      } else {
        expected.push_back(value.empty() ? LineFor(DeleteElementArgs(id, L" " + element + L" "))
                                         : SetLine(id, element, value));
      }
    }
    std::vector<std::wstring> writes;
    for (const std::wstring& line : TakeJournal()) {
      if (line.find(L"/enum") == std::wstring::npos) writes.push_back(line);
    }
    EXPECT_EQ(writes, expected) << c.what;
    EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{kDone})) << c.what;
    std::wstring listing = StoreListing(id);
    if (c.stored) {
      EXPECT_NE(listing.find(c.stored), std::wstring::npos) << c.what << "\n" << listing;
    }
    if (c.absent) {
      EXPECT_EQ(listing.find(std::wstring(L"\n") + c.absent), std::wstring::npos) << c.what << "\n" << listing;
    }
  }
}

// A value the tool cannot take is reported by its field and never as a success; nothing is sent.
TEST_F(ModifyEntryDialogTest, RefusedValuesNameTheirFieldAndAreNotSent) {
  struct Case {
    int control;
    const wchar_t* text;
    const wchar_t* message;
  } cases[] = {
      {IDC_ADVANCED_SYSTEMROOT, L"\\Windows\\", L"\"SystemRoot\" was not saved"},
      {IDC_ADVANCED_SYSTEMROOT, L"", L"\"SystemRoot\" cannot be empty"},
      {IDC_GENERAL_BOOT_PATH, L"\\Windows\\", L"\"boot path\" was not saved"},
      {IDC_GENERAL_BOOT_PATH, L"", L"\"boot path\" cannot be empty"},
      {IDC_GENERAL_NAME, L"Seven \"beta\"", L"\"Name\" was not saved"},
  };
  OpenPage();
  int index = IndexOf(L"Windows 7");
  for (const Case& c : cases) {
    Open(index);
    seams.script.prompts.clear();
    ClearJournal();
    HWND page = ChildPageHolding(Dialog(), c.control);
    if (c.control == IDC_ADVANCED_SYSTEMROOT) {
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, c.control))) << "locked until the lock is clicked";
      ClickControl(page, IDC_ADVANCED_PATH_LOCK);
      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, c.control)));
    }
    SetWindowTextW(GetDlgItem(page, c.control), c.text);
    Ok();
    ASSERT_EQ(PromptTexts().size(), 1u) << c.message;
    EXPECT_EQ(PromptTexts()[0].find(c.message), 0u) << PromptTexts()[0];
    for (const std::wstring& line : TakeArguments()) EXPECT_EQ(line.find(L"/set"), std::wstring::npos) << line;
  }
  EXPECT_EQ(Page().List().entries[index].GetPath(), L"\\Windows\\system32\\winload.exe");
  EXPECT_EQ(Page().List().entries[index].description, L"Windows 7");
  EXPECT_EQ(Page().List().entries[index].systemroot, L"\\Windows");
}

// The tool prints in its console's code page (OEM: 437, 850, 866...), not the ANSI one. On each
// machine a name with letters outside ASCII keeps them from the rename through the list, the
// dialog and a copy, with the tool's own words in its language; a name the tool could not print
// back is refused before anything is sent. Run under several locales (tests/CMakeLists.txt).
TEST_F(ModifyEntryDialogTest, NamesKeepTheirLettersInTheToolsCodePage) {
  struct Case {
    unsigned oemCodePage;        // the machine's; 0: any
    const wchar_t* language;     // of the tool on such a machine
    const wchar_t* name;
    const wchar_t* copiedSays;   // the tool's answer to /copy up to the identifier; null: refused
  } cases[] = {
      {437, L"", L"Windows 10 \u00DCbersicht", L"The entry was successfully copied to {"},
      {850, L"de", L"Windows 10 \u00DCbersicht", L"Der Eintrag wurde erfolgreich nach {"},
      {850, L"de", L"\u0412\u0438\u043D\u0434\u043E\u0432\u0441 \u0421\u0435\u0440\u0432\u0435\u0440", nullptr},
      {866, L"ru", L"\u0412\u0438\u043D\u0434\u043E\u0432\u0441 \u0421\u0435\u0440\u0432\u0435\u0440",
       L"\u0417\u0430\u043F\u0438\u0441\u044C \u0443\u0441\u043F\u0435\u0448\u043D\u043E "
       L"\u0441\u043A\u043E\u043F\u0438\u0440\u043E\u0432\u0430\u043D\u0430 \u0432 {"},
      {866, L"ru", L"Windows 10 \u00DCbersicht", nullptr},
      {0, L"", L"Windows \U0001F600", nullptr},
  };
  for (const Case& c : cases) {
    if (c.oemCodePage != 0 && c.oemCodePage != GetOEMCP()) continue;
    SCOPED_TRACE(base::Narrow(c.name, CP_UTF8));
    ScopedEnvironment language(L"VEXA_STANDIN_LANGUAGE", c.language);
    ASSERT_TRUE(SeedDemo());
    OpenPage();
    Open(IndexOf(L"Windows 7"));
    SetWindowTextW(General(IDC_GENERAL_NAME), c.name);
    seams.script.prompts.clear();
    Ok();
    if (!c.copiedSays) {
      EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{UnprintableFieldText(L"Name")}));
      EXPECT_TRUE(TakeArguments().empty());
      continue;
    }
    EXPECT_EQ(TakeJournal().at(0), SetLine(demo_store::kWindows7, L"description", c.name));
    EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{kDone}));

    OpenPage();
    ASSERT_GE(RowNamed(c.name), 0);
    Open(IndexOf(c.name));
    EXPECT_EQ(TextOf(General(IDC_GENERAL_NAME)), c.name);
    seams.script.prompts.clear();
    Ok();
    EXPECT_TRUE(TakeArguments().empty());
    EXPECT_TRUE(PromptTexts().empty());

    SelectRow(RowNamed(c.name));
    Click(IDC_OSLIST_COPY);
    EXPECT_EQ(TakeArguments().at(0),
              std::wstring(L" /copy ") + demo_store::kWindows7 + L" /d \" Copy of " + c.name + L" \" ");
    ASSERT_EQ(PromptTexts().size(), 1u);
    EXPECT_EQ(PromptTexts()[0].rfind(c.copiedSays, 0), 0u);
    EXPECT_EQ(Row(RowCount() - 1).name, std::wstring(L"Copy of ") + c.name);
  }
}

TEST_F(ModifyEntryDialogTest, WithoutTheToolNothingIsSavedAndNoSuccessIsClaimed) {
  OpenPage();
  AppSettings.toolsAvailable = false;
  Open(IndexOf(L"Windows 7"));
  EXPECT_FALSE(Enabled(General(IDC_GENERAL_NAME)));
  SendDlgItemMessageW(general_, IDC_GENERAL_LOCALE, CB_SETCURSEL, 0, 0);
  Ok();
  EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{L"Write BCD store error!"}));
  EXPECT_TRUE(TakeArguments().empty());
}

TEST_F(ModifyEntryDialogTest, AStoredValueOutsideTheListDoesNotInheritTheLastChoice) {
  OpenPage();
  int first = 0, second = 1;
  auto& entries = Page().List().entries;
  ASSERT_TRUE(entries[first].sourceKind == kSourceStore && entries[second].sourceKind == kSourceStore);
  entries[first].pae = L"ForceEnable";
  entries[second].pae = L"Default";
  Open(first);
  ClickControl(Dialog(), IDC_ENTRY_NEXT);
  HWND pae = GetDlgItem(advanced_, IDC_ADVANCED_PAE);
  EXPECT_EQ(SendMessageW(pae, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(TextOf(pae), L"Default");
  ClearJournal();
  Ok();
  EXPECT_TRUE(TakeArguments().empty()) << "the raw value goes back unchanged: nothing to write";
  EXPECT_TRUE(seams.script.prompts.empty());
}

// BitLocker checks the running system's boot path at every start, not its name nor another entry's
// path: only such a change on a protected drive asks, and protection is suspended before the /set,
// or nothing is sent. Where manage-bde cannot tell (Q:), the user decides and nothing is suspended.
TEST_F(ModifyEntryDialogTest, AChangeBitLockerChecksSuspendsProtectionFirstOrIsNotMade) {
  const std::wstring bde = L"C:\\windows\\SysNative\\manage-bde.exe ", set = L"/set", asks = L" -protectionaserrorlevel";
  const std::wstring status = bde + L"-status C:" + asks, unknown = bde + L"-status Q:" + asks;
  const std::wstring suspend = bde + L"-protectors -disable C: -RebootCount 1";
  const struct {
    const wchar_t* state;  // of C: in manage-bde ("" not encrypted); null: no manage-bde
    const wchar_t* systemDrive;
    const wchar_t* entry;  // the running system, or Windows 7
    bool path;             // the boot path, which BitLocker checks, or the name, which it does not
    int answer;
    std::vector<std::wstring> sent;
    const wchar_t* asked;  // how the first message begins
  } cases[] = {
      {L"on", L"C:", demo_store::kWindows10, true, IDYES, {status, suspend, set}, L"BitLocker protects drive C:"},
      {L"on", L"C:", demo_store::kWindows10, true, IDNO, {status}, L"BitLocker protects drive C:"},
      {L"on", L"C:", demo_store::kWindows10, false, IDNO, {set}, kDone},
      {L"on", L"C:", demo_store::kWindows7, true, IDNO, {set}, kDone},
      {L"", L"C:", demo_store::kWindows10, true, IDNO, {status, set}, kDone},
      {L"", L"C:", demo_store::kWindows10, false, IDNO, {set}, kDone},
      {nullptr, L"C:", demo_store::kWindows10, true, IDNO, {set}, kDone},
      {nullptr, L"C:", demo_store::kWindows10, false, IDNO, {set}, kDone},
      {L"on", L"Q:", demo_store::kWindows10, true, IDYES, {unknown, set}, L"Whether BitLocker protects drive Q:"},
      {L"on", L"Q:", demo_store::kWindows10, true, IDNO, {unknown}, L"Whether BitLocker protects drive Q:"},
  };
  OpenPage();
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << row);
    ASSERT_TRUE(PlaceManageBde(c.state));
    ScopedEnvironment systemDrive(L"SystemDrive", c.systemDrive);
    Open(Page().List().IndexOf(c.entry));
    seams.script.prompts.clear();
    seams.script.answerPrompt = [&](const win::PromptCall& call) { return call.flags & MB_YESNO ? c.answer : IDOK; };
    // A value of its own each time, so that every case changes something.
    std::wstring value = (c.path ? L"\\Windows\\system32\\winload" : L"Lab ") + std::to_wstring(++row);
    SetWindowTextW(General(c.path ? IDC_GENERAL_BOOT_PATH : IDC_GENERAL_NAME), value.c_str());
    Ok();
    std::vector<std::wstring> expected = c.sent, sent = TakeJournal();
    if (expected.back() == set) expected.back() = SetLine(c.entry, c.path ? L"path" : L"description", value);
    std::erase_if(sent, [](const std::wstring& line) { return line.find(L" /enum ") != std::wstring::npos; });
    EXPECT_EQ(sent, expected);
    ASSERT_FALSE(PromptTexts().empty());
    EXPECT_EQ(PromptTexts()[0].rfind(c.asked, 0), 0u) << PromptTexts()[0];
    EXPECT_EQ(IsWindow(Dialog()) != FALSE, c.sent.back() != set) << "kept open when nothing was saved";
  }
}

int openedIndex = -100;

// Stands in for the main window's opener: renames the record in the real dialog and presses OK.
INT_PTR RenameThroughDialog(HWND owner, EntryList& list, const PageContext& context, int listIndex) {
  openedIndex = listIndex;
  if (listIndex < 0) return IDCANCEL;
  ModifyEntryDialog dialog(EntryDialogSetup{&list, context.buttonImages, nullptr}, listIndex);
  HWND window = dialog.CreateModeless(owner);
  HWND general = ChildPageHolding(window, IDC_GENERAL_NAME);
  SetDlgItemTextW(general, IDC_GENERAL_NAME, L"Seven");
  ClickControl(window, IDOK);
  return IDOK;
}

TEST_F(ModifyEntryDialogTest, ModifyOpensTheSelectedEntryAndTheRowShowsTheStoreAfterwards) {
  entryDialogOpener = &RenameThroughDialog;
  OpenPage();
  SelectRow(RowNamed(L"Windows 7"));
  Click(IDC_OSLIST_MODIFY);
  EXPECT_GE(RowNamed(L"Seven"), 0);
  EXPECT_LT(RowNamed(L"Windows 7"), 0);
  EXPECT_EQ(RowNamed(L"Seven"), Page().SelectedRow());
  EXPECT_NE(StoreListing(demo_store::kWindows7).find(L"Seven"), std::wstring::npos);

  for (int row = 0; row < RowCount(); ++row) {
    if (Row(row).data == -1) SelectRow(row);
  }
  ChooseMenuCommand(IDC_OSLIST_MODIFY);
  EXPECT_EQ(openedIndex, -1) << "the boot manager row opens the boot manager record";
}

}  // namespace
}  // namespace testing_support
