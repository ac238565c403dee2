// The entry dialog in add mode on the demo machine: the commands each kind sends and the store or
// boot.ini read back afterwards, the refusals that send nothing, a failed create, and Add New on
// the OS list page.
#include <gtest/gtest.h>

#include <memory>

#include "app/ModalWindows.h"
#include "base/Texts.h"
#include "editing/ModifyEntryDialog.h"
#include "editing/QuickSelectDialog.h"
#include "oslist/OsListTestSupport.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Controls.h"

namespace testing_support {
namespace {

constexpr wchar_t kDone[] = L"Your operation was successfully completed.";

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
    general_ = ChildPageHolding(window, IDC_GENERAL_NAME);
    strip_ = ChildPageHolding(window, IDC_KINDLIST_KINDS);
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
  HWND strip_ = nullptr;
};

// One new entry: the mode and kind, what the user types, and what must then reach the store or
// boot.ini.
struct AddCase {
  bool store;
  int kind;               // -1: the kind the strip shows first
  const wchar_t* name;    // the name the entry must carry
  const wchar_t* typed;   // a name typed before the kind is chosen (kept); null: the kind's own
  const wchar_t* deviceFile;
  const wchar_t* type;    // store: the create's application type; null: the legacy loader's create
  std::vector<std::pair<std::wstring, std::wstring>> settings;  // store: in the order sent
  const char* line = nullptr;        // boot.ini: the line added
  const wchar_t* before = nullptr;   // bcdedit arguments run first, past the journal
};

TEST_F(AddEntryTest, EachKindReachesTheStoreOrBootIniAsItsCommandsOrLine) {
  const wchar_t* exe = L"\\Windows\\system32\\winload.exe";
  const wchar_t* wim = L"ramdisk=[boot]\\sources\\boot.wim,{ramdiskoptions}";
  const wchar_t* vhd = L"vhd=[locate]\\vhd\\win8.vhdx";
  const std::pair<std::wstring, std::wstring> boot[] = {{L"device", L"boot"}, {L"osdevice", L"boot"}};
  const AddCase cases[] = {
      {true, 0, L"Vexa New BCD_Windows", nullptr, nullptr, L"OSLOADER",
       {{L"path", exe}, boot[0], boot[1], {L"systemroot", L"\\Windows"}, {L"nx", L"OptIn"}}},
      {true, 1, L"Vexa New WIM_PE", nullptr, L"\\sources\\boot.wim", L"OSLOADER",
       {{L"path", L"\\Windows\\system32\\boot\\winload.exe"}, {L"device", wim}, {L"osdevice", wim},
        {L"systemroot", L"\\Windows"}, {L"ems", L"Yes"}, {L"detecthal", L"Yes"}, {L"nx", L"OptIn"}, {L"winpe", L"Yes"}}},
      {true, 2, L"Vexa New VHD_OS", nullptr, L"\\vhd\\win8.vhdx", L"OSLOADER",
       {{L"path", exe}, {L"device", vhd}, {L"osdevice", vhd}, {L"systemroot", L"\\Windows"}, {L"detecthal", L"Yes"},
        {L"nx", L"OptIn"}}},
      // {ntldr} is complete in the demo store: a boot sector application that chains to it.
      {true, 3, L"Vexa New XP", nullptr, nullptr, L"BOOTSECTOR", {{L"path", L"\\ntldr"}, boot[0], boot[1]}},
      {true, 3, L"Vexa New XP", nullptr, nullptr, nullptr, {{L"path", L"\\ntldr"}, boot[0], boot[1]}, nullptr,
       L"/delete {ntldr} /f"},
      {true, 4, L"Vexa New Linux", nullptr, nullptr, L"BOOTSECTOR", {{L"path", L"\\ldlinux.sys"}, boot[0], boot[1]}},
      {true, 5, L"Vexa New RealMode_OS", nullptr, nullptr, L"BOOTSECTOR",
       {{L"path", L"\\bootsect.dos"}, boot[0], boot[1]}},
      {false, -1, L"Vexa New Linux", nullptr, nullptr, nullptr, {}, "c:\\ldlinux.sys=\"Vexa New Linux\"\r\n"},
      {false, 5, L"DOS 6", L"DOS 6", nullptr, nullptr, {}, "c:\\bootsect.dos=\"DOS 6\"\r\n"},
  };
  for (const AddCase& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.store ? "store" : "boot.ini") << ", kind " << c.kind
                                    << (c.before ? " without {ntldr}" : ""));
    ASSERT_TRUE(SeedDemo());
    ASSERT_TRUE(PlaceBootIni(kDemoBootIni));
    if (c.before) {
      ASSERT_EQ(RunTool(L"bcdedit", c.before).exitCode, 0u);
    }
    OpenPage();
    AppSettings.bcdSystem = c.store;
    Open();
    if (c.typed) SetWindowTextW(General(IDC_GENERAL_NAME), c.typed);
    if (c.kind >= 0) ChooseKind(c.kind);
    if (c.deviceFile) SetWindowTextW(General(IDC_GENERAL_DEVICE_FILE), c.deviceFile);
    seams.script.prompts.clear();
    ClearJournal();
    Add();
    EXPECT_TRUE(Closed());
    const std::wstring id = dialog_->Record().identifier;
    std::wstring done = std::wstring(kDone) + L"\n\nThe New OS named \"" + c.name + L"\" was successfully added in ";
    EXPECT_EQ(PromptTexts(), (std::vector<std::wstring>{done + (c.store ? L"BCDstore as \"" + id + L"\"." : L"Boot.ini.")}));
    if (!c.store) {
      EXPECT_NE(BootIniText().find(c.line), std::string::npos) << BootIniText();
      EXPECT_TRUE(TakeArguments().empty());
      continue;
    }
    std::vector<std::wstring> expected = {c.type ? CreateEntryArgs(c.type, c.name) : CreateLegacyLoaderArgs(c.name)};
    if (!c.type) {
      EXPECT_EQ(id, kNtldrGuid);
    }
    for (const auto& [element, value] : c.settings) {
      expected.push_back(SetElementArgs(id, L" " + element + L" ", WrapInQuotes(value)));
    }
    expected.push_back(AppendToMenuArgs(id));
    EXPECT_EQ(Writes(), expected);
    std::wstring listing = StoreListing(id);
    EXPECT_NE(listing.find(c.name), std::wstring::npos) << listing;
    EXPECT_NE(listing.find(c.settings[0].second), std::wstring::npos) << listing;
    EXPECT_NE(StoreListing(L"{bootmgr}").find(id), std::wstring::npos) << "on the menu";
  }
}

// Each refusal is told before anything is created, and the dialog stays open to mend it.
TEST_F(AddEntryTest, UnusableInputIsRefusedWithNothingSent) {
  const struct {
    bool storeMode;
    int kind;
    int control;  // the general page's field given text (0: none)
    const wchar_t* text;
    std::wstring message;
  } cases[] = {
      {true, 0, IDC_GENERAL_NAME, L"Win \"7\"", L"The name \"Win \"7\"\" cannot be used"},
      // A final backslash would escape the closing quote.
      {true, 3, IDC_GENERAL_NAME, L"XP\\", L"The name \"XP\\\" cannot be used"},
      {false, 4, IDC_GENERAL_NAME, L"Linux\" /debug \"", L"The name \"Linux\" /debug \"\" cannot be used"},
      {false, 5, IDC_GENERAL_BOOT_PATH, L"\\CMDCONS\\BOOTSECT.DAT",
       L"Boot.ini already has a line for \"c:\\CMDCONS\\BOOTSECT.DAT\": nothing was added."},
      {true, 0, IDC_GENERAL_BOOT_PATH, L"", L"The \"boot path\" Is Empty。"},
      {true, 1, 0, nullptr, L"The \"WinPE WIM Image Path\" Is Empty。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    OpenPage();
    AppSettings.bcdSystem = c.storeMode;
    Open();
    ChooseKind(c.kind);
    if (c.control) SetWindowTextW(General(c.control), c.text);
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

// A WinPE entry on a store without {ramdiskoptions}: made with the SDI file the user gives in the
// options dialog, or refused before anything else is created.
TEST_F(AddEntryTest, AWinPeEntryWithoutItsRamdiskOptionsGetsThemMadeOrIsRefused) {
  const std::wstring create = CreateRamdiskOptionsArgs(L"Ramdisk Options"), options = L"{ramdiskoptions}";
  const struct {
    int answer;
    bool sdiGiven;
    std::vector<std::wstring> writes;  // the first ones
    std::wstring said;                 // the last prompt, from its beginning
  } cases[] = {
      {IDNO, false, {}, L"The WinPE entry was not added: its device options {ramdiskoptions} are not"},
      {IDYES, false, {create, DeleteEntryArgs(options) + L"/f"}, L"The WinPE entry was not added: {ramdiskoptions} does"},
      {IDYES, true, {create, SetElementArgs(options, L" ramdisksdipath ", L"\"\\boot.sdi\""),
                     SetElementArgs(options, L" ramdisksdidevice ", L"\"partition=C:\""),
                     CreateEntryArgs(L"OSLOADER", L"Vexa New WIM_PE")}, kDone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    ASSERT_TRUE(SeedDemo());
    ASSERT_EQ(RunTool(L"bcdedit", L"/delete {ramdiskoptions} /f").exitCode, 0u);
    OpenPage();
    Open();
    ChooseKind(kKindRamdisk);
    SetWindowTextW(General(IDC_GENERAL_DEVICE_FILE), L"\\sources\\boot.wim");
    seams.script = {};
    Answer({c.answer});
    ClearJournal();
    WhileModal([&] { Add(); }, [&](HWND dialog) {
      if (c.sdiGiven) {
        SetDlgItemTextW(dialog, IDC_RAMDISK_SDI_PATH, L"\\boot.sdi");
        win::ComboBoxEx drives(GetDlgItem(dialog, IDC_RAMDISK_SDI_DEVICE));
        for (int i = 0; i < drives.Count(); ++i)
          if (drives.ItemText(i).find(L"C:") != std::wstring::npos) drives.Select(i);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_RAMDISK_SDI_DEVICE, CBN_SELCHANGE), LPARAM(drives.Handle()));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
      }
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    std::vector<std::wstring> writes = Writes();
    writes.resize(std::min(writes.size(), c.writes.size()));
    EXPECT_EQ(writes, c.writes);
    EXPECT_EQ(PromptTexts().back().find(c.said), 0u) << PromptTexts().back();
    EXPECT_EQ(Closed(), c.sdiGiven) << "a refusal leaves the dialog open to mend";
  }
}

TEST_F(AddEntryTest, OnUefiTheKindsOnlyABiosStartsAreMarkedAndOfferAnEfiEntryInstead) {
  const struct {
    bool uefi;
    bool efiManager;  // {bootmgr}'s path is an .efi file; else only the store's {fwbootmgr} tells UEFI
    int answer;       // to the offer
  } cases[] = {{false, false, IDYES}, {true, true, IDNO}, {true, false, IDYES}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "uefi " << c.uefi << ", efi manager " << c.efiManager);
    ASSERT_TRUE(c.uefi ? SeedUefiDemo() : SeedDemo());
    if (c.uefi && !c.efiManager) {
      ASSERT_EQ(RunTool(L"bcdedit", L"/deletevalue {bootmgr} path").exitCode, 0u);
    }
    OpenPage();
    Open();
    win::ComboBox kinds(GetDlgItem(strip_, IDC_KINDLIST_KINDS));
    for (int i = 0; i < kinds.Count(); ++i) {
      bool marked = kinds.ItemText(i).find(L" (BIOS only)") != std::wstring::npos;
      EXPECT_EQ(marked, c.uefi && kinds.Data(i) >= kKindNtldr) << kinds.ItemText(i);
    }
    seams.script = {};
    Answer({c.answer});
    ClearJournal();
    ChooseKind(kKindRealModeLoader);
    ASSERT_EQ(PromptTexts().size(), c.uefi ? 1u : 0u);
    if (c.uefi) {
      EXPECT_EQ(PromptTexts()[0].rfind(L"\"Real-mode OSLoader( Gurb / Lilo / Syslinux /PELDR)\" starts only on a PC that "
                                       L"starts through BIOS.", 0), 0u) << PromptTexts()[0];
    }
    bool instead = c.uefi && c.answer == IDYES;
    EXPECT_EQ(Closed(), instead) << "Yes leaves Add New for the firmware's Add EFI Entry";
    if (!instead) {
      EXPECT_EQ(ControlText(general_, IDC_GENERAL_NAME), L"Vexa New Linux") << "No keeps the kind chosen";
    }
    EXPECT_TRUE(TakeJournal().empty());
  }
}

int openedIndex = 0;
std::wstring addLabel;

// Stands in for the main window's opener: names the new entry in the real dialog and adds it.
INT_PTR AddThroughDialog(HWND owner, EntryList& list, const PageContext& context, int listIndex) {
  openedIndex = listIndex;
  ModifyEntryDialog dialog(EntryDialogSetup{&list, context.buttonImages, nullptr}, listIndex);
  HWND window = dialog.CreateModeless(owner);
  addLabel = ControlText(window, IDOK);
  SetDlgItemTextW(ChildPageHolding(window, IDC_GENERAL_NAME), IDC_GENERAL_NAME, L"Fresh Windows");
  ClickControl(window, IDOK);
  return IDOK;
}

TEST_F(AddEntryTest, AddNewOnTheListOpensTheDialogAndTheListShowsTheNewEntry) {
  entryDialogOpener = &AddThroughDialog;
  OpenPage();
  Click(IDC_OSLIST_ADD_NEW);
  EXPECT_EQ(openedIndex, kNewEntryIndex);
  EXPECT_EQ(addLabel, L"&Add New");
  EXPECT_GE(RowNamed(L"Fresh Windows"), 0) << "the list is read again from the store";
}

}  // namespace
}  // namespace testing_support
