// The Firmware page in real windows with the stand-in tools on a UEFI and a BIOS demo machine:
// the rows in the firmware's order, the one-time start and its taking back, the order saved with
// every entry named, the firmware setup restart, and the pages that cannot change anything.
#include <gtest/gtest.h>

#include <memory>

#include "StoreSandbox.h"
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

  HWND host_ = nullptr;
  std::unique_ptr<FirmwarePage> page_;
};

}  // namespace

TEST_F(FirmwarePageTest, OneListingShowsTheFirmwaresOrderKindsAndMarks) {
  Open();
  EXPECT_EQ(TakeArguments(), std::vector<std::wstring>{kListing});
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"Windows Boot Manager", L"ubuntu", L"UEFI: USB Flash Disk 1.00",
                                                  L"UEFI: PXE IPv4 Intel(R) Ethernet Connection I219-V"}))
      << "the orphaned boot manager is on no menu and is not listed";
  EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"Windows Boot Manager", L"Another system's loader",
                                                  L"USB or removable", L"Network"}));
  EXPECT_EQ(Column(2).at(1), L"\\EFI\\ubuntu\\shimx64.efi (partition=\\Device\\HarddiskVolume1)");
  EXPECT_EQ(Column(3), (std::vector<std::wstring>{L"{bootmgr}", L"", L"", L""}));
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
      {IDNO, true, {L" /deletevalue {fwbootmgr} bootsequence", kListing}, false, L"\"UEFI: USB Flash Disk 1.00\" will start once"},
      {IDYES, false, {L" /deletevalue {fwbootmgr} bootsequence", kListing}, false, L"The computer could not be restarted."},
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
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[0], kListing);
    EXPECT_EQ(sent[1].rfind(L" /export ", 0), 0u) << "the safety net's copy before the first change";
    EXPECT_EQ(sent[2], std::wstring(L" /set {fwbootmgr} bootsequence ") + demo::kUsbStick);
    EXPECT_EQ(sent[3], kListing);
    EXPECT_EQ(std::vector<std::wstring>(sent.begin() + 4, sent.end()), c.after);
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
                                                        kListing}));
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
