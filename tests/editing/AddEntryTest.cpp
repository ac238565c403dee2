// The entry dialog in add mode on the demo machine: the commands each kind sends and the store or
// boot.ini read back afterwards, the refusals that send nothing, a failed create, and Add New on
// the OS list page.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "editing/ModifyEntryDialog.h"
#include "oslist/OsListTestSupport.h"
#include "store/StoreCommands.h"
#include "texts.h"

namespace testing_support {
namespace {

constexpr wchar_t kDone[] = L"Your operation was successfully completed.";

HWND ChildPage(HWND dialog, int id) {
  for (HWND page = FindWindowExW(dialog, nullptr, MAKEINTATOM(32770), nullptr); page;
       page = FindWindowExW(dialog, page, MAKEINTATOM(32770), nullptr)) {
    if (GetDlgItem(page, id)) return page;
  }
  return nullptr;
}

// The identifier a success message names: the text inside its last pair of quotes.
std::wstring NamedIdentifier(const std::wstring& message) {
  size_t close = message.rfind(L'"');
  size_t open = close == std::wstring::npos || close == 0 ? std::wstring::npos : message.rfind(L'"', close - 1);
  return open == std::wstring::npos ? L"" : message.substr(open + 1, close - open - 1);
}

class AddEntryTest : public OsListPageTest {
 protected:
  void TearDown() override {
    dialog_.reset();
    OsListPageTest::TearDown();
  }

  HWND Open() {
    dialog_ = std::make_unique<ModifyEntryDialog>(EntryDialogSetup{&Page().List(), Images(), nullptr}, kNewEntryIndex);
    HWND window = dialog_->CreateModeless(Page().Handle());
    EXPECT_NE(window, nullptr);
    general_ = ChildPage(window, IDC_GENERAL_NAME);
    advanced_ = ChildPage(window, IDC_ADVANCED_SYSTEMROOT);
    strip_ = ChildPage(window, IDC_KINDLIST_KINDS);
    return window;
  }
  // Picks the strip's item of kind, as the user's choice does.
  void ChooseKind(int kind) {
    HWND list = GetDlgItem(strip_, IDC_KINDLIST_KINDS);
    for (int i = 0, count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0)); i < count; ++i) {
      if (SendMessageW(list, CB_GETITEMDATA, i, 0) == kind) SendMessageW(list, CB_SETCURSEL, i, 0);
    }
    SendMessageW(strip_, WM_COMMAND, MAKEWPARAM(IDC_KINDLIST_KINDS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  HWND General(int id) const { return GetDlgItem(general_, id); }
  void Add() { ClickControl(dialog_->Handle(), IDOK); }
  bool Closed() const { return !IsWindow(dialog_->Handle()); }
  std::wstring StoreListing(const std::wstring& identifier) const {
    std::string text = RunTool(L"bcdedit", L"/enum " + identifier + L" /v").output;
    return std::wstring(text.begin(), text.end());
  }
  // Every command line since the last look but the listings.
  std::vector<std::wstring> Writes() const {
    std::vector<std::wstring> writes;
    for (const std::wstring& line : TakeArguments()) {
      if (line.find(L"/enum") == std::wstring::npos) writes.push_back(line);
    }
    return writes;
  }

  std::unique_ptr<ModifyEntryDialog> dialog_;
  HWND general_ = nullptr;
  HWND advanced_ = nullptr;
  HWND strip_ = nullptr;
};

TEST_F(AddEntryTest, TheKindSetsThePagesButATypedNameStays) {
  OpenPage();
  Open();
  EXPECT_EQ(TextOf(dialog_->Handle()), L"Add New Operating System");
  EXPECT_EQ(ControlText(dialog_->Handle(), IDOK), L"&Add New");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog_->Handle(), IDC_ENTRY_PREV)));
  EXPECT_EQ(TabCtrl_GetItemCount(GetDlgItem(dialog_->Handle(), IDC_ENTRY_TABS)), 2);
  EXPECT_EQ(TextOf(General(IDC_GENERAL_NAME)), L"Vexa New BCD_Windows");
  EXPECT_TRUE(IsWindowEnabled(General(IDC_GENERAL_TYPE_VHD)));

  ChooseKind(1);
  EXPECT_EQ(TextOf(General(IDC_GENERAL_NAME)), L"Vexa New WIM_PE");
  EXPECT_TRUE(win::IsChecked(General(IDC_GENERAL_TYPE_RAMDISK)));
  EXPECT_FALSE(IsWindowEnabled(General(IDC_GENERAL_TYPE_PARTITION))) << "only kind 0 may change its type";
  EXPECT_TRUE(win::IsChecked(GetDlgItem(advanced_, IDC_ADVANCED_WINPE)));
  EXPECT_EQ(TextOf(General(IDC_GENERAL_RAMDISK)), L"{ramdiskoptions}");

  SetWindowTextW(General(IDC_GENERAL_NAME), L"Vexa New");  // not longer than the prefix: the user's
  ChooseKind(4);
  EXPECT_EQ(TextOf(General(IDC_GENERAL_NAME)), L"Vexa New");
  EXPECT_EQ(TextOf(General(IDC_GENERAL_BOOT_PATH)), L"\\ldlinux.sys");
  EXPECT_FALSE(win::IsChecked(GetDlgItem(advanced_, IDC_ADVANCED_WINPE)));
  EXPECT_FALSE(IsWindowVisible(General(IDC_GENERAL_DEVICE_FILE)));
}

// One kind added to the store: what the page is given, then every setting it must send.
struct StoreCase {
  int kind;
  const wchar_t* type;  // application type of the create; null: the legacy loader's own create
  const wchar_t* deviceFile;
  std::vector<std::pair<std::wstring, std::wstring>> settings;  // in the order sent
  const wchar_t* before = nullptr;  // bcdedit arguments run first, past the journal
};

TEST_F(AddEntryTest, EachKindIsCreatedWithItsSettingsAndPutOnTheMenu) {
  const wchar_t* exe = L"\\Windows\\system32\\winload.exe";
  const wchar_t* wim = L"ramdisk=[boot]\\sources\\boot.wim,{ramdiskoptions}";
  const StoreCase cases[] = {
      {0, L"OSLOADER", nullptr,
       {{L"path", exe}, {L"device", L"boot"}, {L"osdevice", L"boot"}, {L"systemroot", L"\\Windows"}, {L"nx", L"OptIn"}}},
      {1, L"OSLOADER", L"\\sources\\boot.wim",
       {{L"path", L"\\Windows\\system32\\boot\\winload.exe"}, {L"device", wim}, {L"osdevice", wim},
        {L"systemroot", L"\\Windows"}, {L"ems", L"Yes"}, {L"detecthal", L"Yes"}, {L"nx", L"OptIn"}, {L"winpe", L"Yes"}}},
      {2, L"OSLOADER", L"\\vhd\\win8.vhdx",
       {{L"path", exe}, {L"device", L"vhd=[locate]\\vhd\\win8.vhdx"}, {L"osdevice", L"vhd=[locate]\\vhd\\win8.vhdx"},
        {L"systemroot", L"\\Windows"}, {L"detecthal", L"Yes"}, {L"nx", L"OptIn"}}},
      // {ntldr} is complete in the demo store: a boot sector application that chains to it.
      {3, L"BOOTSECTOR", nullptr, {{L"path", L"\\ntldr"}, {L"device", L"boot"}, {L"osdevice", L"boot"}}},
      {3, nullptr, nullptr, {{L"path", L"\\ntldr"}, {L"device", L"boot"}, {L"osdevice", L"boot"}},
       L"/delete {ntldr} /f"},
      {4, L"BOOTSECTOR", nullptr, {{L"path", L"\\ldlinux.sys"}, {L"device", L"boot"}, {L"osdevice", L"boot"}}},
      {5, L"BOOTSECTOR", nullptr, {{L"path", L"\\bootsect.dos"}, {L"device", L"boot"}, {L"osdevice", L"boot"}}},
  };
  for (const StoreCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << (c.before ? " without {ntldr}" : ""));
    ASSERT_TRUE(SeedDemo());
    if (c.before) {
      ASSERT_EQ(RunTool(L"bcdedit", c.before).exitCode, 0u);
    }
    OpenPage();
    Open();
    ChooseKind(c.kind);
    if (c.deviceFile) SetWindowTextW(General(IDC_GENERAL_DEVICE_FILE), c.deviceFile);
    std::wstring name = TextOf(General(IDC_GENERAL_NAME));
    seams.script.prompts.clear();
    ClearJournal();
    Add();
    EXPECT_TRUE(Closed());
    ASSERT_EQ(PromptTexts().size(), 1u);
    std::wstring id = NamedIdentifier(PromptTexts()[0]);
    EXPECT_EQ(PromptTexts()[0], std::wstring(kDone) + L"\n\nThe New OS named \"" + name +
                                    L"\" was successfully added in BCDstore as \"" + id + L"\".");
    EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    std::vector<std::wstring> expected = {
        c.type ? CreateEntryArgs(c.type, name) : CreateLegacyLoaderArgs(name)};
    if (!c.type) {
      EXPECT_EQ(id, kNtldrGuid);
    }
    for (const auto& [element, value] : c.settings) {
      expected.push_back(SetElementArgs(id, L" " + element + L" ", WrapInQuotes(value)));
    }
    expected.push_back(AppendToMenuArgs(id));
    EXPECT_EQ(Writes(), expected);

    std::wstring listing = StoreListing(id);
    EXPECT_NE(listing.find(name), std::wstring::npos) << listing;
    EXPECT_NE(listing.find(c.settings[0].second), std::wstring::npos) << listing;
    EXPECT_NE(StoreListing(L"{bootmgr}").find(id), std::wstring::npos) << "on the menu";
  }
}

TEST_F(AddEntryTest, WithoutTheStoreBothKindsBecomeQuotedBootIniLines) {
  const struct {
    int kind;
    const wchar_t* name;  // null: the kind's own
    const char* line;
  } cases[] = {
      {4, nullptr, "c:\\ldlinux.sys=\"Vexa New Linux\"\r\n"},
      {5, L"DOS 6", "c:\\bootsect.dos=\"DOS 6\"\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ASSERT_TRUE(PlaceBootIni(kDemoBootIni));
    OpenPage();
    AppSettings.bcdSystem = false;
    AppSettings.ntldrPresent = true;
    Open();
    EXPECT_EQ(TextOf(General(IDC_GENERAL_NAME)), L"Vexa New Linux") << "the first kind offered is 4";
    ChooseKind(c.kind);
    if (c.name) SetWindowTextW(General(IDC_GENERAL_NAME), c.name);
    std::wstring name = TextOf(General(IDC_GENERAL_NAME));
    seams.script.prompts.clear();
    ClearJournal();
    Add();
    EXPECT_TRUE(Closed());
    EXPECT_EQ(PromptTexts(),
              (std::vector<std::wstring>{std::wstring(kDone) + L"\n\nThe New OS named \"" + name +
                                         L"\" was successfully added in Boot.ini."}));
    std::string text = BootIniText();
    EXPECT_NE(text.find(std::string(kDemoBootIni).substr(std::string(kDemoBootIni).find("[operating"))),
              std::string::npos)
        << "every line kept\n" << text;
    EXPECT_NE(text.find(c.line), std::string::npos) << text;
    EXPECT_TRUE(TakeArguments().empty());
  }
}

// Each refusal is told before anything is created, and the dialog stays open to mend it.
TEST_F(AddEntryTest, UnusableInputIsRefusedWithNothingSent) {
  const struct {
    const char* what;
    bool storeMode;
    int kind;
    std::function<void(HWND general)> edit;
    std::wstring message;
  } cases[] = {
      {"a quote in the name", true, 0,
       [](HWND general) { SetDlgItemTextW(general, IDC_GENERAL_NAME, L"Win \"7\""); },
       L"The name \"Win \"7\"\" cannot be used"},
      {"a backslash that would escape the closing quote", true, 3,
       [](HWND general) { SetDlgItemTextW(general, IDC_GENERAL_NAME, L"XP\\"); },
       L"The name \"XP\\\" cannot be used"},
      {"a quote in a boot.ini title", false, 4,
       [](HWND general) { SetDlgItemTextW(general, IDC_GENERAL_NAME, L"Linux\" /debug \""); },
       L"The name \"Linux\" /debug \"\" cannot be used"},
      {"a boot.ini line that exists", false, 5,
       [](HWND general) { SetDlgItemTextW(general, IDC_GENERAL_BOOT_PATH, L"\\CMDCONS\\BOOTSECT.DAT"); },
       L"Boot.ini already has a line for \"c:\\CMDCONS\\BOOTSECT.DAT\": nothing was added."},
      {"an empty boot path", true, 0,
       [](HWND general) { SetDlgItemTextW(general, IDC_GENERAL_BOOT_PATH, L""); },
       L"The \"boot path\" Is Empty。"},
      {"a WIM image without its path", true, 1, [](HWND) {}, L"The \"WinPE WIM Image Path\" Is Empty。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OpenPage();
    AppSettings.bcdSystem = c.storeMode;
    Open();
    ChooseKind(c.kind);
    c.edit(general_);
    seams.script.prompts.clear();
    ClearJournal();
    Add();
    EXPECT_FALSE(Closed());
    ASSERT_EQ(PromptTexts().size(), 1u);
    EXPECT_EQ(PromptTexts()[0].find(c.message), 0u) << PromptTexts()[0];
    EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(BootIniText(), kDemoBootIni);
    AppSettings.bcdSystem = true;
  }
}

TEST_F(AddEntryTest, ACreateThatNamesNoObjectStopsThere) {
  OpenPage();
  Open();
  // The tool cannot open this store: it answers with its error text, which holds no identifier.
  Runner().storeFile = folder.File(L"missing.bcd");
  ClearJournal();
  Add();
  EXPECT_TRUE(Closed());
  EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{L"Write BCD store error!"}));
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  std::vector<std::wstring> writes = Writes();
  ASSERT_EQ(writes.size(), 1u) << "nothing after the create";
  EXPECT_NE(writes[0].find(CreateEntryArgs(L"OSLOADER", L"Vexa New BCD_Windows")), std::wstring::npos);
}

int openedIndex = 0;

// Stands in for the main window's opener: names the new entry in the real dialog and adds it.
INT_PTR AddThroughDialog(HWND owner, EntryList& list, const PageContext& context, int listIndex) {
  openedIndex = listIndex;
  ModifyEntryDialog dialog(EntryDialogSetup{&list, context.buttonImages, nullptr}, listIndex);
  HWND window = dialog.CreateModeless(owner);
  SetDlgItemTextW(ChildPage(window, IDC_GENERAL_NAME), IDC_GENERAL_NAME, L"Fresh Windows");
  ClickControl(window, IDOK);
  return IDOK;
}

TEST_F(AddEntryTest, AddNewOnTheListOpensTheDialogAndTheListShowsTheNewEntry) {
  entryDialogOpener = &AddThroughDialog;
  OpenPage();
  Click(IDC_OSLIST_ADD_NEW);
  EXPECT_EQ(openedIndex, kNewEntryIndex);
  EXPECT_GE(RowNamed(L"Fresh Windows"), 0) << "the list is read again from the store";
}

}  // namespace
}  // namespace testing_support
