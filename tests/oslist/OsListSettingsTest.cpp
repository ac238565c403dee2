// The boot menu settings: both timeouts, the menu language and style, a store value the lists do not
// offer, an empty timeout, and a store that does not take the change.
#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "texts.h"

using namespace testing_support;

class MenuSettings : public OsListPageTest {
 protected:
  void SetUp() override {
    OsListPageTest::SetUp();
    // As start-up reads it from the demo boot.ini.
    AppSettings.bootIniTimeout = 30;
  }

  // Types into an edit as the user would: the page hears the change.
  void Type(int id, const std::wstring& text) {
    SetDlgItemTextW(Page().Handle(), id, text.c_str());
    PumpMessages();
  }
  std::wstring Field(int id) { return ControlText(Page().Handle(), id); }
  bool Checked(int id) { return IsDlgButtonChecked(Page().Handle(), id) == BST_CHECKED; }

  HWND Combo(int id) { return GetDlgItem(Page().Handle(), id); }
  std::wstring Chosen(int id) {
    win::ComboBoxEx combo(Combo(id));
    return combo.ItemText(combo.Selection());
  }
  // Picks the item shown as text, as the user's choice would.
  void Choose(int id, const std::wstring& text) {
    win::ComboBoxEx combo(Combo(id));
    int item = 0;
    while (item < combo.Count() && combo.ItemText(item) != text) ++item;
    ASSERT_LT(item, combo.Count()) << "no item " << testing::PrintToString(text);
    combo.Select(item);
    SendMessageW(Page().Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Combo(id)));
    PumpMessages();
  }

  // A value of the boot manager as the store (or a store file) lists it now; empty when absent.
  std::wstring ManagerValue(const std::string& key, const std::wstring& storeFile = L"") const {
    std::wstring store = storeFile.empty() ? L"" : L"/store \"" + storeFile + L"\" ";
    std::string listing = RunTool(L"bcdedit", store + L"/enum {bootmgr} /v").output;
    size_t at = listing.find("\n" + key + " ");
    if (at == std::string::npos) return L"";
    size_t start = listing.find_first_not_of(' ', at + key.size() + 1);
    size_t end = listing.find_first_of("\r\n", start);
    return base::Widen(listing.substr(start, end - start), CP_UTF8);
  }
  std::string BootIniTimeoutLine() const {
    std::string text = BootIniText();
    size_t at = text.find("timeout=");
    return at == std::string::npos ? "" : text.substr(at, text.find_first_of("\r\n", at) - at);
  }
};

TEST_F(MenuSettings, TimeoutsReachTheStoreAndBootIni) {
  OsListPage& page = OpenPage();
  EXPECT_EQ(Field(IDC_OSLIST_BCD_TIMEOUT), L"30");
  EXPECT_EQ(Field(IDC_OSLIST_BOOTINI_TIMEOUT), L"30");
  EXPECT_TRUE(Checked(IDC_OSLIST_BOOTINI_MENU));
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_APPLY));
  // Three digits would not fit: the boot menu waits at most 99 seconds here.
  EXPECT_EQ(SendMessageW(GetDlgItem(page.Handle(), IDC_OSLIST_BCD_TIMEOUT), EM_GETLIMITTEXT, 0, 0), 2);

  Type(IDC_OSLIST_BCD_TIMEOUT, L"15");
  Type(IDC_OSLIST_BOOTINI_TIMEOUT, L"7");
  EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_APPLY));
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{L" /timeout 15", L" /enum {bootmgr} /v"}));
  EXPECT_EQ(ManagerValue("timeout"), L"15");
  EXPECT_EQ(BootIniTimeoutLine(), "timeout=7");
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_OPERATION_DONE));
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_APPLY));

  // Back to the saved value: still a change until applied.
  Type(IDC_OSLIST_BCD_TIMEOUT, L"16");
  Type(IDC_OSLIST_BCD_TIMEOUT, L"15");
  EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_APPLY));

  // No boot.ini menu is a timeout of 0; ticking it again offers 3 when nothing was saved.
  Click(IDC_OSLIST_BOOTINI_MENU);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page.Handle(), IDC_OSLIST_BOOTINI_TIMEOUT)));
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(BootIniTimeoutLine(), "timeout=0");
  EXPECT_TRUE(TakeArguments().empty());
  Type(IDC_OSLIST_BOOTINI_TIMEOUT, L"0");
  Click(IDC_OSLIST_BOOTINI_MENU);
  EXPECT_EQ(Field(IDC_OSLIST_BOOTINI_TIMEOUT), L"3");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page.Handle(), IDC_OSLIST_BOOTINI_TIMEOUT)));
}

TEST_F(MenuSettings, LanguageAndStyleAreSetOrRemoved) {
  struct Case {
    int combo;
    const wchar_t* item;
    const wchar_t* arguments;
    const char* key;
    const wchar_t* stored;
  } cases[] = {
      {IDC_OSLIST_MENU_LANGUAGE, L"de-DE", L" /set  {bootmgr}    locale    \"de-DE\"", "locale", L"de-DE"},
      {IDC_OSLIST_MENU_LANGUAGE, L"[undefine region]", L" /deletevalue  {bootmgr}    locale ", "locale", L""},
      {IDC_OSLIST_MENU_STYLE, L"Always", L" /set  {bootmgr}    displaybootmenu    \"Yes\"", "displaybootmenu",
       L"Yes"},
      {IDC_OSLIST_MENU_STYLE, L"auto", L" /deletevalue  {bootmgr}    displaybootmenu ", "displaybootmenu", L""},
  };
  OsListPage& page = OpenPage();
  EXPECT_EQ(Chosen(IDC_OSLIST_MENU_LANGUAGE), L"en-US [English(U.S)]");
  EXPECT_EQ(Chosen(IDC_OSLIST_MENU_STYLE), L"auto");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.item)));
    Choose(c.combo, c.item);
    EXPECT_TRUE(page.SettingsChanged());
    Click(IDC_OSLIST_APPLY);
    EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{c.arguments, L" /enum {bootmgr} /v"}));
    EXPECT_EQ(ManagerValue(c.key), c.stored);
    EXPECT_EQ(Chosen(c.combo), c.item);
    EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_APPLY));
  }
  EXPECT_EQ(BootIniTimeoutLine(), "timeout=30") << "boot.ini is not touched by the store's settings";
}

TEST_F(MenuSettings, AStoreValueNoItemOffersIsShownAndKept) {
  ASSERT_TRUE(RunTool(L"bcdedit", L"/set {bootmgr} locale en-GB").started);
  OpenPage();
  EXPECT_EQ(Chosen(IDC_OSLIST_MENU_LANGUAGE), L"en-GB");

  Type(IDC_OSLIST_BCD_TIMEOUT, L"12");
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{L" /timeout 12", L" /enum {bootmgr} /v"}));
  EXPECT_EQ(ManagerValue("locale"), L"en-GB");
  EXPECT_EQ(Chosen(IDC_OSLIST_MENU_LANGUAGE), L"en-GB");
}

TEST_F(MenuSettings, AnEmptyTimeoutIsRefusedOnlyWhereItWouldBeWritten) {
  OsListPage& page = OpenPage();
  HWND bootIniField = GetDlgItem(page.Handle(), IDC_OSLIST_BOOTINI_TIMEOUT);
  // Emptied on the way to another number: nothing reacts.
  Type(IDC_OSLIST_BOOTINI_TIMEOUT, L"");
  Type(IDC_OSLIST_BCD_TIMEOUT, L"");
  EXPECT_TRUE(Checked(IDC_OSLIST_BOOTINI_MENU));
  EXPECT_TRUE(IsWindowEnabled(bootIniField));
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_APPLY));

  Choose(IDC_OSLIST_MENU_STYLE, L"No");
  auto expectRefused = [&](int field) {
    seams.script = {};
    Click(IDC_OSLIST_APPLY);
    ASSERT_EQ(seams.script.prompts.size(), 1u);
    EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_TIMEOUT_EMPTY));
    EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(GetFocus(), GetDlgItem(page.Handle(), field));
    EXPECT_TRUE(TakeArguments().empty());
    EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_APPLY));
  };
  expectRefused(IDC_OSLIST_BOOTINI_TIMEOUT);
  // With the box off the boot.ini field is not written and may stay empty; the store's still counts.
  Click(IDC_OSLIST_BOOTINI_MENU);
  EXPECT_EQ(Field(IDC_OSLIST_BOOTINI_TIMEOUT), L"");
  expectRefused(IDC_OSLIST_BCD_TIMEOUT);
  EXPECT_EQ(BootIniTimeoutLine(), "timeout=30");

  Type(IDC_OSLIST_BCD_TIMEOUT, L"30");
  Click(IDC_OSLIST_APPLY);
  EXPECT_EQ(TakeArguments(),
            (std::vector<std::wstring>{L" /set  {bootmgr}    displaybootmenu    \"No\"", L" /enum {bootmgr} /v"}));
  EXPECT_EQ(BootIniTimeoutLine(), "timeout=0");
  EXPECT_EQ(ManagerValue("displaybootmenu"), L"No");
}

TEST_F(MenuSettings, AStoreThatKeepsTheOldValueIsAFailure) {
  OsListPage& page = OpenPage();
  std::wstring file = folder.File(L"locked.BCD");
  ASSERT_TRUE(RunTool(L"bcdedit", L"/export \"" + file + L"\"").started);
  page.SwitchStore(file);
  // Another program reads the file and lets nobody write it.
  win::UniqueFile lock(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  ClearJournal();

  Type(IDC_OSLIST_BCD_TIMEOUT, L"5");
  Click(IDC_OSLIST_APPLY);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, L"Write BCD store error!");
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(TakeArguments().size(), 2u);
  EXPECT_EQ(AppSettings.bcdTimeout, 30) << "the store's own value";
  EXPECT_EQ(Field(IDC_OSLIST_BCD_TIMEOUT), L"5");
  EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_APPLY)) << "Apply offers it again";
  lock.Reset();
  EXPECT_EQ(ManagerValue("timeout", file), L"30");
}
