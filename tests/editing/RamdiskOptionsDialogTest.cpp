// The ramdisk options dialog on the demo store: it shows {ramdiskoptions}, issues exactly the
// values that changed, refuses what cannot be written and says so.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "StoreSandbox.h"
#include "WindowTest.h"
#include "editing/RamdiskOptionsDialog.h"
#include "resource.h"
#include "store/EntryList.h"
#include "win/Controls.h"

namespace {

using testing_support::ControlText;
using testing_support::StoreSandbox;

constexpr wchar_t kOptions[] = L"{ramdiskoptions}";
constexpr wchar_t kSetPath[] = L" /set  {ramdiskoptions}    ramdisksdipath    ";
constexpr wchar_t kSetDevice[] = L" /set  {ramdiskoptions}    ramdisksdidevice    ";

class RamdiskOptionsDialogTest : public ::testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    list_.NoteDeviceOption(kRamdiskOptionsGuid);
  }
  void Open(const std::wstring& identifier) {
    dialog_ = std::make_unique<RamdiskOptionsDialog>(list_, identifier);
    ASSERT_NE(dialog_->CreateModeless(nullptr), nullptr);
    ClearJournal();
  }
  HWND Window() const { return dialog_->Handle(); }
  void TypePath(const std::wstring& path) { SetDlgItemTextW(Window(), IDC_RAMDISK_SDI_PATH, path.c_str()); }
  // Chooses the drive list's item for root, as a user's pick does.
  void ChooseDrive(const std::wstring& root) {
    HWND drives = GetDlgItem(Window(), IDC_RAMDISK_SDI_DEVICE);
    win::ComboBoxEx list(drives);
    int found = -1;
    for (int i = 0; i < list.Count() && found < 0; ++i) {
      if (list.ItemText(i).find(root) != std::wstring::npos) found = i;
    }
    ASSERT_GE(found, 0);
    list.Select(found);
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDC_RAMDISK_SDI_DEVICE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
  }
  // Save as the handler runs it, enabled or not.
  void Save() { SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
  bool SaveEnabled() const { return IsWindowEnabled(GetDlgItem(Window(), IDOK)) != FALSE; }
  std::vector<std::wstring> Prompts() const {
    std::vector<std::wstring> texts;
    for (const auto& call : seams.script.prompts) texts.push_back(call.text);
    return texts;
  }
  std::string StoredOptions() const { return RunTool(L"bcdedit", L" /enum {ramdiskoptions} /v").output; }

  EntryList list_;
  std::unique_ptr<RamdiskOptionsDialog> dialog_;
};

TEST_F(RamdiskOptionsDialogTest, ShowsTheObjectAndSavesNothingUnchanged) {
  Open(kOptions);
  EXPECT_TRUE(dialog_->ObjectInStore());
  EXPECT_EQ(dialog_->CurrentIdentifier(), kOptions);
  EXPECT_EQ(ControlText(Window(), IDC_RAMDISK_OBJECT), kOptions);
  EXPECT_EQ(ControlText(Window(), IDC_RAMDISK_SDI_PATH), L"\\boot\\boot.sdi");
  win::ComboBoxEx drives(GetDlgItem(Window(), IDC_RAMDISK_SDI_DEVICE));
  ASSERT_GE(drives.Selection(), 0);
  EXPECT_NE(drives.ItemText(drives.Selection()).find(L"C:"), std::wstring::npos);
  EXPECT_FALSE(SaveEnabled());
  Save();
  EXPECT_TRUE(Journal().empty());
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(RamdiskOptionsDialogTest, ChangedPathAndDriveIssueExactlyTheirValues) {
  Open(kOptions);
  TypePath(L"\\boot\\new.sdi");
  ChooseDrive(L"Z:");
  EXPECT_TRUE(SaveEnabled());
  Save();
  EXPECT_EQ(Journal(), (std::vector<std::wstring>{LineFor(kSetPath + std::wstring(L"\"\\boot\\new.sdi\"")),
                                                  LineFor(kSetDevice + std::wstring(L"\"partition=Z:\""))}));
  EXPECT_EQ(Prompts(), std::vector<std::wstring>{L"Your operation was successfully completed."});
  EXPECT_FALSE(SaveEnabled());
  std::string stored = StoredOptions();
  EXPECT_NE(stored.find("\\boot\\new.sdi"), std::string::npos) << stored;
  EXPECT_NE(stored.find("partition=Z:"), std::string::npos) << stored;

  // Typing the opening path back must reach the store, which holds the saved one now; the drive,
  // still not the one read at opening, goes again with it.
  ClearJournal();
  TypePath(L"\\boot\\boot.sdi");
  EXPECT_TRUE(SaveEnabled());
  Save();
  EXPECT_EQ(Journal(), (std::vector<std::wstring>{LineFor(kSetPath + std::wstring(L"\"\\boot\\boot.sdi\"")),
                                                  LineFor(kSetDevice + std::wstring(L"\"partition=Z:\""))}));
  EXPECT_NE(StoredOptions().find("\\boot\\boot.sdi"), std::string::npos);
}

TEST_F(RamdiskOptionsDialogTest, RefusalsAreReportedAndNeverCountedAsSaved) {
  Open(kOptions);
  TypePath(L"");
  Save();
  EXPECT_TRUE(Journal().empty());
  EXPECT_EQ(Prompts(), std::vector<std::wstring>{L"The \"Ramdisk SDI Path\" Is Empty\x3002"});
  EXPECT_TRUE(SaveEnabled());

  // A path ending in a backslash would escape its closing quote: refused, while the drive goes
  // through; the refusal wins over the success.
  seams.script.prompts.clear();
  TypePath(L"\\boot\\");
  ChooseDrive(L"Z:");
  Save();
  EXPECT_EQ(Journal(), std::vector<std::wstring>{LineFor(kSetDevice + std::wstring(L"\"partition=Z:\""))});
  EXPECT_EQ(Prompts(), std::vector<std::wstring>{L"Write BCD store error!"});
  EXPECT_TRUE(SaveEnabled());
  EXPECT_NE(StoredOptions().find("\\boot\\boot.sdi"), std::string::npos);
}

TEST_F(RamdiskOptionsDialogTest, ObjectMissingFromTheStoreIsSaidAndNothingIssued) {
  const std::wstring missing = L"{0f1e2d3c-0000-4000-8000-000000000001}";
  Open(missing);
  EXPECT_FALSE(dialog_->ObjectInStore());
  // Listed and chosen although the list does not name it.
  EXPECT_EQ(ControlText(Window(), IDC_RAMDISK_OBJECT), missing);
  EXPECT_EQ(ControlText(Window(), IDC_RAMDISK_SDI_PATH), L"");
  TypePath(L"\\boot\\boot.sdi");
  Save();
  EXPECT_TRUE(Journal().empty());
  ASSERT_EQ(Prompts().size(), 1u);
  EXPECT_NE(Prompts()[0].find(missing), std::wstring::npos);

  // Choosing the listed object reads it.
  HWND objects = GetDlgItem(Window(), IDC_RAMDISK_OBJECT);
  win::ComboSelect(objects, static_cast<int>(SendMessageW(objects, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>(kOptions))));
  SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDC_RAMDISK_OBJECT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(objects));
  EXPECT_TRUE(dialog_->ObjectInStore());
  EXPECT_EQ(ControlText(Window(), IDC_RAMDISK_SDI_PATH), L"\\boot\\boot.sdi");
  EXPECT_FALSE(SaveEnabled());
}

}  // namespace
