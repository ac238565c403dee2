// The Firmware page in real windows with the stand-in tools on a UEFI and a BIOS demo machine:
// the rows in the firmware's order, the one-time start and its taking back, the order saved with
// every entry named, the firmware setup restart, and the pages that cannot change anything.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>

#include "StoreSandbox.h"
#include "app/ModalWindows.h"
#include "WindowTest.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "firmware/FirmwarePage.h"
#include "resource.h"
#include "store/RegistryRoutines.h"
#include "texts.h"
#include "win/Controls.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

constexpr wchar_t kBootMgr[] = L"{9dea862c-5cdd-4e70-acc1-f32b344d4795}";
const std::wstring kListing = L" /enum firmware /v";
// Copies of Windows' boot manager on no order are missing from the firmware listing.
const std::wstring kManagers = L" /enum bootmgr /v";
const std::vector<std::wstring> kRead = {kListing, kManagers};

class FirmwarePageTest : public testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedUefiDemo());
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.osClass = 10;
    host_ = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    page_.reset();
    DestroyWindow(host_);
  }
  FirmwarePage& Open() {
    page_ = std::make_unique<FirmwarePage>(PageContext{nullptr, nullptr, nullptr, host_});
    page_->CreateModeless(host_);
    return *page_;
  }
  win::ListView Rows() const { return win::ListView(page_->Item(IDC_FIRMWARE_LIST)); }
  int RowNamed(const std::wstring& name) const {
    for (int row = 0; row < Rows().Count(); ++row)
      if (Rows().Cell(row, 0) == name) return row;
    return -1;
  }
  void Press(int id) { win::Click(page_->Item(id)); }
  bool Enabled(int id) const { return IsWindowEnabled(page_->Item(id)) != FALSE; }
  std::vector<std::wstring> TakeArguments() const {
    std::vector<std::wstring> arguments;
    for (const std::wstring& line : TakeJournal()) arguments.push_back(ArgumentsOf(line));
    return arguments;
  }
  std::vector<std::wstring> Column(int column) const {
    std::vector<std::wstring> cells;
    for (int row = 0; row < Rows().Count(); ++row) cells.push_back(Rows().Cell(row, column));
    return cells;
  }
  std::wstring BootSequenceInStore() const {
    std::string listing = RunTool(L"bcdedit", L"/enum {fwbootmgr} /v").output;
    size_t at = listing.find("bootsequence");
    return at == std::string::npos ? L"" : std::wstring(listing.begin() + at + 24, listing.begin() + listing.find('\r', at));
  }

  void Edit(int button, const std::vector<std::wstring>& boxes);

  HWND host_ = nullptr;
  std::unique_ptr<FirmwarePage> page_;
};

}  // namespace

TEST_F(FirmwarePageTest, TheListingsShowTheFirmwaresOrderKindsAndMarks) {
  Open();
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{kListing, kManagers}));
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"Windows Boot Manager", L"ubuntu", L"UEFI: USB Flash Disk 1.00",
                                                  L"UEFI: PXE IPv4 Intel(R) Ethernet Connection I219-V",
                                                  L"Windows Boot Manager"}))
      << "the orphaned boot manager is on no menu: listed below the order";
  EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"Windows Boot Manager", L"Another system's loader",
                                                  L"USB or removable", L"Network", L"Windows Boot Manager"}));
  EXPECT_EQ(Column(2).at(1), L"\\EFI\\ubuntu\\shimx64.efi (partition=\\Device\\HarddiskVolume1)");
  EXPECT_EQ(Column(3), (std::vector<std::wstring>{L"{bootmgr}", L"", L"", L"", L"on no order"}));
  EXPECT_EQ(page_->ItemText(IDC_FIRMWARE_TIMEOUT), L"The firmware waits 2 seconds before it starts the first entry.");
  EXPECT_EQ(page_->ItemText(IDC_FIRMWARE_NOTE), L"");
  EXPECT_TRUE(Enabled(IDC_FIRMWARE_SETUP));
  EXPECT_FALSE(Enabled(IDC_FIRMWARE_ONCE) || Enabled(IDC_FIRMWARE_SAVE_ORDER)) << "nothing chosen, nothing moved";
}

TEST_F(FirmwarePageTest, RestartIntoItOnceSetsTheBootSequenceAndTakesItBackWithoutARestart) {
  const struct {
    int answer;
    bool restarts;
    std::vector<std::wstring> after;  // the commands after the question
    bool staysSet;
    const wchar_t* lastWords;  // the last box's text starts so
  } cases[] = {
      {IDYES, true, {}, true, L"\"UEFI: USB Flash Disk 1.00\" will start once"},
      {IDNO, true, {L" /deletevalue {fwbootmgr} bootsequence", kListing, kManagers}, false, L"\"UEFI: USB Flash Disk 1.00\" will start once"},
      {IDYES, false, {L" /deletevalue {fwbootmgr} bootsequence", kListing, kManagers}, false, L"The computer could not be restarted."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lastWords);
    ASSERT_TRUE(SeedUefiDemo());
    Runner().changes = RunChanges{};
    Runner().changes.safetyNet = true;
    Open();
    seams.script.prompts.clear();
    seams.script.restarts.clear();
    seams.script.promptAnswers = {c.answer};
    seams.script.restartSucceeds = c.restarts;
    Rows().Select(RowNamed(L"UEFI: USB Flash Disk 1.00"));
    ClearJournal();
    Press(IDC_FIRMWARE_ONCE);

    std::vector<std::wstring> sent = TakeArguments();
    ASSERT_GE(sent.size(), 6u);
    EXPECT_EQ(std::vector<std::wstring>(sent.begin(), sent.begin() + 2), kRead);
    EXPECT_EQ(sent[2].rfind(L" /export ", 0), 0u) << "the safety net's copy before the first change";
    EXPECT_EQ(sent[3], std::wstring(L" /set {fwbootmgr} bootsequence ") + demo::kUsbStick);
    EXPECT_EQ(std::vector<std::wstring>(sent.begin() + 4, sent.begin() + 6), kRead);
    EXPECT_EQ(std::vector<std::wstring>(sent.begin() + 6, sent.end()), c.after);
    EXPECT_EQ(seams.script.restarts.size(), c.answer == IDYES ? 1u : 0u);
    EXPECT_EQ(BootSequenceInStore(), c.staysSet ? demo::kUsbStick : L"");
    ASSERT_FALSE(seams.script.prompts.empty());
    EXPECT_EQ(seams.script.prompts.back().text.rfind(c.lastWords, 0), 0u) << seams.script.prompts.back().text;
    EXPECT_EQ(Column(3).at(2), c.staysSet ? L"{bootsequence}" : L"");
  }
}

TEST_F(FirmwarePageTest, SaveOrderNamesEveryEntryShownInItsNewPlace) {
  Open();
  Rows().Select(RowNamed(L"UEFI: USB Flash Disk 1.00"));
  Press(IDC_FIRMWARE_MOVE_UP);
  Press(IDC_FIRMWARE_MOVE_UP);
  EXPECT_EQ(Column(0).at(0), L"UEFI: USB Flash Disk 1.00");
  ASSERT_TRUE(Enabled(IDC_FIRMWARE_SAVE_ORDER));
  ClearJournal();

  seams.script.promptAnswers = {IDNO};
  Press(IDC_FIRMWARE_SAVE_ORDER);
  EXPECT_TRUE(TakeJournal().empty()) << "No leaves the firmware alone";
  EXPECT_TRUE(page_->OrderChanged());

  seams.script.promptAnswers = {IDYES};
  Press(IDC_FIRMWARE_SAVE_ORDER);
  EXPECT_NE(seams.script.prompts.at(1).text.find(L"1. UEFI: USB Flash Disk 1.00\n2. Windows Boot Manager\n3. ubuntu\n4. "),
            std::wstring::npos);
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{std::wstring(L" /set {fwbootmgr} displayorder ") + demo::kUsbStick +
                                                            L" " + kBootMgr + L" " + demo::kUbuntu + L" " +
                                                            demo::kNetworkBoot,
                                                        kListing, kManagers}));
  EXPECT_EQ(seams.script.prompts.back().text, L"The firmware's boot order was saved.");
  EXPECT_FALSE(page_->OrderChanged());
  EXPECT_EQ(Column(0).at(0), L"UEFI: USB Flash Disk 1.00") << "read back from the store";
}

TEST_F(FirmwarePageTest, FirmwareSetupAsksThenRunsShutdownFromTheSystemFolder) {
  Open();
  ClearJournal();
  seams.script.promptAnswers = {IDNO};
  Press(IDC_FIRMWARE_SETUP);
  EXPECT_TRUE(TakeJournal().empty());
  EXPECT_EQ(seams.script.prompts.at(0).flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));

  seams.script.promptAnswers = {IDYES};
  Press(IDC_FIRMWARE_SETUP);
  std::vector<std::wstring> journal = TakeJournal();
  ASSERT_EQ(journal.size(), 1u) << testing::PrintToString(seams.script.prompts.back().text);
  EXPECT_NE(journal[0].find(L"\\shutdown.exe /r /fw /t 0"), std::wstring::npos) << journal[0];
  EXPECT_EQ(seams.script.prompts.size(), 2u) << "a restart under way needs no word";

  AppSettings.osClass = 7;
  Open();
  EXPECT_FALSE(Enabled(IDC_FIRMWARE_SETUP)) << "Windows 7's shutdown.exe has no /fw";
}

TEST_F(FirmwarePageTest, BiosMachinesAndStoreFilesSayWhyNothingCanBeDone) {
  const struct {
    bool bios;
    bool storeFile;
    const wchar_t* note;
  } cases[] = {
      {true, false, L"This PC starts through BIOS: it has no UEFI firmware boot entries."},
      {false, true, L"The firmware's boot menu is kept in the system store only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    ASSERT_TRUE(c.bios ? SeedDemo() : SeedUefiDemo());
    if (c.storeFile) Runner().storeFile = folder.File(L"other.BCD");
    Open();
    EXPECT_EQ(page_->ItemText(IDC_FIRMWARE_NOTE).rfind(c.note, 0), 0u) << page_->ItemText(IDC_FIRMWARE_NOTE);
    EXPECT_EQ(Rows().Count(), 0);
    for (int id : {IDC_FIRMWARE_ONCE, IDC_FIRMWARE_MOVE_UP, IDC_FIRMWARE_SAVE_ORDER, IDC_FIRMWARE_SETUP})
      EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(TakeArguments(), c.storeFile ? std::vector<std::wstring>{} : std::vector<std::wstring>{kListing});
    Runner().storeFile.clear();
  }
}

// Presses a button of the page; a dialog it opens gets texts for its boxes (the first and the
// second edit, "" left as it is) and OK, a file dialog the file.
void FirmwarePageTest::Edit(int button, const std::vector<std::wstring>& boxes) {
  WhileModal([&] { Press(button); }, [&](HWND dialog) {
    for (size_t i = 0; i < boxes.size(); ++i) {
      int box = GetDlgItem(dialog, IDC_EFI_NAME) ? (i ? IDC_EFI_PATH : IDC_EFI_NAME) : IDC_FIRMWARE_VALUE;
      if (!boxes[i].empty()) SetDlgItemTextW(dialog, box, boxes[i].c_str());
    }
    if (GetDlgItem(dialog, IDC_EFI_BROWSE)) SendMessageW(dialog, WM_COMMAND, IDC_EFI_BROWSE, 0);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
}

TEST_F(FirmwarePageTest, EachChangeOfTheMenuSendsItsCommandAndShowsTheMenuReadBack) {
  const std::wstring held = L"Held Debian", debian = L"Debian 12", orphan = demo::kOrphanBootMgr;
  const std::vector<std::wstring> order = {L"Windows Boot Manager", L"ubuntu", L"UEFI: USB Flash Disk 1.00",
                                           L"UEFI: PXE IPv4 Intel(R) Ethernet Connection I219-V"};
  auto rows = [&](std::vector<std::wstring> onOrder, std::vector<std::wstring> below) {
    std::vector<std::wstring> all = order;
    all.insert(all.end(), onOrder.begin(), onOrder.end());
    for (const std::wstring& name : below) all.push_back(name + L" (on no order)");
    return all;
  };
  const struct {
    const wchar_t* select;  // the row chosen first
    int button;
    std::vector<std::wstring> boxes;  // Add EFI Entry: the name, then Browse picks the loader
    int answer;                       // to the question it asks, if it asks
    std::vector<std::wstring> sent;   // {new}: the copy's identifier
    std::vector<std::wstring> shown;
  } steps[] = {
      {nullptr, IDC_FIRMWARE_ADD_EFI, {held}, 0,
       {L" /copy {bootmgr} /d \"Held Debian\"", L" /set {new} path \\EFI\\debian\\shimx64.efi",
        L" /set {fwbootmgr} displayorder {new} /addlast"},
       rows({held}, {L"Windows Boot Manager"})},
      {L"Held Debian", IDC_FIRMWARE_RENAME, {debian}, 0, {L" /set {new} description \"Debian 12\""},
       rows({debian}, {L"Windows Boot Manager"})},
      {L"Debian 12", IDC_FIRMWARE_REMOVE_FROM_ORDER, {}, IDYES, {L" /set {fwbootmgr} displayorder {new} /remove"},
       rows({}, {L"Windows Boot Manager", debian})},
      {L"Debian 12 (on no order)", IDC_FIRMWARE_ADD_TO_ORDER, {}, 0, {L" /set {fwbootmgr} displayorder {new} /addlast"},
       rows({debian}, {L"Windows Boot Manager"})},
      {L"Windows Boot Manager (on no order)", IDC_FIRMWARE_DELETE, {}, IDYES, {L" /delete " + orphan}, rows({debian}, {})},
      {L"Debian 12", IDC_FIRMWARE_SET_TIMEOUT, {L"5"}, 0, {L" /set {fwbootmgr} timeout 5"}, rows({debian}, {})},
  };
  Runner().changes.safetyNet = true;
  Open();
  std::wstring copy;
  std::vector<std::wstring> changes;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.button);
    // Rows as the user tells them apart: the name, and whether the entry is below the order.
    auto shown = [&] {
      std::vector<std::wstring> names = Column(0);
      for (size_t row = 0; row < names.size(); ++row)
        if (Column(3)[row] == L"on no order") names[row] += L" (on no order)";
      return names;
    };
    if (step.select) {
      std::vector<std::wstring> names = shown();
      Rows().Select(static_cast<int>(std::find(names.begin(), names.end(), step.select) - names.begin()));
    }
    seams.script.promptAnswers = {step.answer ? step.answer : IDOK};
    seams.script.fileAnswers = {L"C:\\EFI\\debian\\shimx64.efi"};
    ClearJournal();
    Edit(step.button, step.boxes);
    std::vector<std::wstring> sent = TakeArguments();
    if (copy.empty() && !page_->Menu().entries.empty()) copy = page_->Menu().entries.back().identifier;
    if (step.button == IDC_FIRMWARE_ADD_EFI) {
      ASSERT_FALSE(sent.empty());
      EXPECT_EQ(sent.front().rfind(L" /export ", 0), 0u) << "the safety net's copy before the first change";
      sent.erase(sent.begin());
      // The demo's EFI system partition is Wine's HarddiskVolume1, its drive C:.
      EXPECT_EQ(seams.script.fileDialogs.at(0).request.initialDirectory.rfind(L"C:\\", 0), 0u);
    }
    std::vector<std::wstring> expected;
    for (std::wstring line : step.sent) expected.push_back(std::regex_replace(line, std::wregex(L"\\{new\\}"), copy));
    changes.insert(changes.end(), expected.begin(), expected.end());
    expected.insert(expected.end(), kRead.begin(), kRead.end());
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(shown(), step.shown);
  }
  EXPECT_EQ(page_->ItemText(IDC_FIRMWARE_TIMEOUT), L"The firmware waits 5 seconds before it starts the first entry.");
  std::vector<std::wstring> recorded;
  for (const RecordedChange& change : Runner().changes.done) recorded.push_back(change.arguments);
  EXPECT_EQ(recorded, changes) << "every change is in the saved script";
  // Replayed elsewhere, the copy is named by the identifier that machine's tool gives it.
  std::wstring script = ChangeScriptText(Runner().changes.done, L"", 65001);
  EXPECT_NE(script.find(L"bcdedit /set {fwbootmgr} displayorder %vexa_copy1% /addlast"), std::wstring::npos) << script;
}

TEST_F(FirmwarePageTest, AFailedStepDeletesTheHalfMadeEntryAndNamesTheStep) {
  const struct {
    const wchar_t* failing;  // the command that fails
    const wchar_t* step;
    bool made;               // a copy was made and must go again
  } cases[] = {
      {L"/copy", L"copy Windows Boot Manager", false},
      {L" path ", L"set the loader's path", true},
      {L"/addlast", L"put the entry last on the firmware's order", true},
  };
  const std::wstring tool = ToolDir() + L"bcdedit.exe", faithful = folder.File(L"faithful-bcdedit.exe");
  ASSERT_TRUE(CopyFileW(tool.c_str(), faithful.c_str(), FALSE) && folder.WriteText(L"answer.bin", "The parameter is incorrect.\r\n"));
  ScopedEnvironment otherwise(L"VEXA_SCRIPTED_OTHERWISE", faithful), output(L"VEXA_SCRIPTED_OUTPUT", folder.File(L"answer.bin")),
      code(L"VEXA_SCRIPTED_EXIT", L"1");
  ASSERT_TRUE(CopyFileW(BuildFile(L"testtools\\scripted_tool.exe").c_str(), tool.c_str(), FALSE));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    ScopedEnvironment when(L"VEXA_SCRIPTED_ONLY_WHEN", c.failing);
    ASSERT_TRUE(SeedUefiDemo());
    Open();
    seams.script.prompts.clear();
    ClearJournal();
    Edit(IDC_FIRMWARE_ADD_EFI, {L"Held Debian", L"\\EFI\\debian\\grubx64.efi"});
    std::wstring said = seams.script.prompts.at(0).text;
    EXPECT_EQ(said.rfind(L"\"Held Debian\" was not added to the firmware's boot menu: the step \"" + std::wstring(c.step) +
                             L"\" failed.\n\nThe parameter is incorrect.", 0), 0u) << said;
    EXPECT_EQ(said.find(L"was deleted again.") != std::wstring::npos, c.made) << said;
    bool deleted = false;
    for (const std::wstring& line : TakeJournal()) deleted = deleted || line.find(L" /delete {") != std::wstring::npos;
    EXPECT_EQ(deleted, c.made);
    std::string managers = RunTool(L"bcdedit", L"/enum bootmgr").output;
    EXPECT_EQ(managers.find("identifier"), managers.rfind("identifier")) << "only {bootmgr} is left:\n" << managers;
    EXPECT_EQ(RowNamed(L"Held Debian"), -1);
  }
}

TEST_F(FirmwarePageTest, NamesAndLoadersAddNewWouldRefuseSendNothing) {
  const struct {
    const wchar_t* name;
    const wchar_t* path;
    const wchar_t* said;  // the box's text starts so
  } cases[] = {
      {L"", L"\\EFI\\a.efi", L"The \"Name\" Is Empty"},
      {L"Say \"hi\"", L"\\EFI\\a.efi", L"The name \"Say \"hi\"\" cannot be used"},
      {L"Debian", L"\\EFI\\debian\\grub.cfg", L"The loader must be an .efi file"},
      {L"Debian", L"EFI\\debian\\grubx64.efi", L"The loader must be an .efi file"},
      {L"Debian", L"\\EFI\\debian\\\"x.efi", L"\"Loader on the EFI system partition (an .efi file)\" cannot be used"},
  };
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    seams.script.prompts.clear();
    ClearJournal();
    ModalRun run = WhileModal([&] { Press(IDC_FIRMWARE_ADD_EFI); }, [&](HWND dialog) {
      SetDlgItemTextW(dialog, IDC_EFI_NAME, c.name);
      SetDlgItemTextW(dialog, IDC_EFI_PATH, c.path);
      SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(run.leftOpen.size(), 1u) << "a refused text stays in its box to mend";
    ASSERT_EQ(seams.script.prompts.size(), 1u);
    EXPECT_EQ(seams.script.prompts[0].text.rfind(c.said, 0), 0u) << seams.script.prompts[0].text;
    EXPECT_TRUE(TakeJournal().empty());
  }
}
