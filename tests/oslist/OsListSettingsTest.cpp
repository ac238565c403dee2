// The boot menu settings: both timeouts, the menu language and style (with a store value the lists
// do not offer), an empty timeout, and a store that does not take the change.
#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "texts.h"

using namespace testing_support;
using Lines = std::vector<std::wstring>;

class MenuSettings : public OsListPageTest {
 protected:
  void SetUp() override {
    OsListPageTest::SetUp();
    AppSettings.bootIniTimeout = 30;  // as start-up reads the demo boot.ini
  }
  // Types into an edit, or picks the item shown as text, as the user would.
  void Type(int id, const std::wstring& text) {
    SetDlgItemTextW(Page().Handle(), id, text.c_str());
    PumpMessages();
  }
  void Choose(int id, const std::wstring& text) {
    win::ComboBoxEx combo(GetDlgItem(Page().Handle(), id));
    int item = 0;
    while (item < combo.Count() && combo.ItemText(item) != text) ++item;
    combo.Select(item);
    SendMessageW(Page().Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.Handle()));
  }
  std::wstring Chosen(int id) {
    win::ComboBoxEx combo(GetDlgItem(Page().Handle(), id));
    return combo.ItemText(combo.Selection());
  }
  // A value of the boot manager as the store (or a store file) lists it now; empty when absent.
  std::wstring ManagerValue(const std::string& key, const std::wstring& file = L"") const {
    std::string listing = RunTool(L"bcdedit", (file.empty() ? L"" : L"/store \"" + file + L"\" ") + L"/enum {bootmgr}").output;
    size_t at = listing.find("\n" + key + " ");
    if (at == std::string::npos) return L"";
    size_t start = listing.find_first_not_of(' ', at + key.size() + 1);
    return base::Widen(listing.substr(start, listing.find_first_of("\r\n", start) - start), CP_UTF8);
  }
  bool BootIniSays(const std::string& line) const { return BootIniText().find("\r\n" + line + "\r\n") != std::string::npos; }
  void ExpectOnePrompt(const std::wstring& text, UINT flags) {
    ASSERT_EQ(seams.script.prompts.size(), 1u);
    EXPECT_EQ(seams.script.prompts[0].text, text);
    EXPECT_EQ(seams.script.prompts[0].flags, flags);
    seams.script = {};
  }
};

TEST_F(MenuSettings, TimeoutsReachTheStoreAndBootIni) {
  OsListPage& page = OpenPage();
  EXPECT_EQ(ControlText(page.Handle(), IDC_OSLIST_BCD_TIMEOUT), L"30");
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_APPLY));
  Type(IDC_OSLIST_BCD_TIMEOUT, L"15");
  Type(IDC_OSLIST_BOOTINI_TIMEOUT, L"7");
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(), (Lines{L" /timeout 15"}));
  EXPECT_EQ(ManagerValue("timeout"), L"15");
  EXPECT_TRUE(BootIniSays("timeout=7"));
  ExpectOnePrompt(GetText(IDS_OPERATION_DONE), MB_OK | MB_ICONINFORMATION);
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_APPLY));

  // No boot.ini menu is a wait of 0; ticking the box again offers 3 when none was saved.
  Click(IDC_OSLIST_BOOTINI_MENU);
  Click(IDC_OSLIST_APPLY);
  EXPECT_TRUE(BootIniSays("timeout=0"));
  EXPECT_TRUE(TakeArguments().empty());
  Type(IDC_OSLIST_BOOTINI_TIMEOUT, L"0");
  Click(IDC_OSLIST_BOOTINI_MENU);
  EXPECT_EQ(ControlText(page.Handle(), IDC_OSLIST_BOOTINI_TIMEOUT), L"3");
}

TEST_F(MenuSettings, LanguageAndStyleAreSetOrRemovedAndAValueNoItemOffersIsKept) {
  struct Case {
    int combo;
    const wchar_t* item;
    const wchar_t* arguments;
    const char* key;
    const wchar_t* stored;
  } cases[] = {
      {IDC_OSLIST_MENU_LANGUAGE, L"de-DE", L" /set  {bootmgr}    locale    \"de-DE\"", "locale", L"de-DE"},
      {IDC_OSLIST_MENU_LANGUAGE, L"[undefine region]", L" /deletevalue  {bootmgr}    locale ", "locale", L""},
      {IDC_OSLIST_MENU_STYLE, L"Always", L" /set  {bootmgr}    displaybootmenu    \"Yes\"", "displaybootmenu", L"Yes"},
      {IDC_OSLIST_MENU_STYLE, L"auto", L" /deletevalue  {bootmgr}    displaybootmenu ", "displaybootmenu", L""},
  };
  ASSERT_TRUE(RunTool(L"bcdedit", L"/set {bootmgr} locale en-GB").started);
  OpenPage();
  EXPECT_EQ(Chosen(IDC_OSLIST_MENU_LANGUAGE), L"en-GB");
  EXPECT_EQ(Chosen(IDC_OSLIST_MENU_STYLE), L"auto");
  Type(IDC_OSLIST_BCD_TIMEOUT, L"12");
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(), (Lines{L" /timeout 12"}));
  EXPECT_EQ(ManagerValue("locale"), L"en-GB");

  for (const Case& c : cases) {
    Choose(c.combo, c.item);
    Click(IDC_OSLIST_APPLY);
    EXPECT_EQ(TakeArguments(), (Lines{c.arguments})) << c.key;
    EXPECT_EQ(ManagerValue(c.key), c.stored);
    EXPECT_EQ(Chosen(c.combo), c.item);
  }
}

TEST_F(MenuSettings, AnEmptyTimeoutIsRefusedOnlyWhereItWouldBeWritten) {
  OsListPage& page = OpenPage();
  // Emptied on the way to another number: nothing reacts.
  Type(IDC_OSLIST_BOOTINI_TIMEOUT, L"");
  Type(IDC_OSLIST_BCD_TIMEOUT, L"");
  EXPECT_TRUE(IsDlgButtonChecked(page.Handle(), IDC_OSLIST_BOOTINI_MENU));
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_APPLY));

  Choose(IDC_OSLIST_MENU_STYLE, L"No");
  for (int field : {IDC_OSLIST_BOOTINI_TIMEOUT, IDC_OSLIST_BCD_TIMEOUT}) {
    Click(IDC_OSLIST_APPLY);
    ExpectOnePrompt(GetText(IDS_TIMEOUT_EMPTY), MB_OK);
    EXPECT_EQ(GetFocus(), GetDlgItem(page.Handle(), field));
    EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_APPLY));
    // Without the box the boot.ini field is not written and may stay empty; the store's still counts.
    if (field == IDC_OSLIST_BOOTINI_TIMEOUT) Click(IDC_OSLIST_BOOTINI_MENU);
  }
  EXPECT_TRUE(TakeArguments().empty());
  EXPECT_TRUE(BootIniSays("timeout=30"));

  Type(IDC_OSLIST_BCD_TIMEOUT, L"30");
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(), (Lines{L" /set  {bootmgr}    displaybootmenu    \"No\""}));
  EXPECT_TRUE(BootIniSays("timeout=0"));
}

TEST_F(MenuSettings, AStoreThatKeepsTheOldValueIsAFailure) {
  OsListPage& page = OpenPage();
  std::wstring file = folder.File(L"locked.BCD");
  ASSERT_TRUE(RunTool(L"bcdedit", L"/export \"" + file + L"\"").started);
  page.SwitchStore(file);
  // Another program reads the file and lets nobody write it.
  win::UniqueFile lock(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  Type(IDC_OSLIST_BCD_TIMEOUT, L"5");
  Click(IDC_OSLIST_APPLY);
  ExpectOnePrompt(L"Write BCD store error!", MB_OK | MB_ICONERROR);
  EXPECT_EQ(AppSettings.bcdTimeout, 30) << "the store's own value";
  EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_APPLY)) << "Apply offers it again";
  lock.Reset();
  EXPECT_EQ(ManagerValue("timeout", file), L"30");
}
