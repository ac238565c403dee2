// The add-mode kind list: the kinds each mode offers, in order, and the owner told of every choice.
#include <gtest/gtest.h>

#include <vector>

#include "base/AppSettings.h"
#include "base/Texts.h"
#include "editing/QuickSelectDialog.h"
#include "resource.h"
#include "test_resource.h"
#include "texts.h"
#include "win/Controls.h"
#include "win/Dialog.h"

namespace {

class RecordingOwner : public KindDefaultsTarget {
 public:
  void ApplyKindDefaults(int kind) override { applied.push_back(kind); }
  std::vector<int> applied;
};

class QuickSelectDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(host_.CreateModeless(nullptr), nullptr); }
  void TearDown() override { AppSettings = saved_; }

  void Open(bool bcdSystem, bool tools) {
    AppSettings.bcdSystem = bcdSystem;
    AppSettings.toolsAvailable = tools;
    ASSERT_NE(list_.CreateModeless(host_.Handle()), nullptr);
  }
  HWND Kinds() const { return list_.Item(IDC_KINDLIST_KINDS); }
  void Choose(int index) {
    win::ComboSelect(Kinds(), index);
    SendMessageW(list_.Handle(), WM_COMMAND, MAKEWPARAM(IDC_KINDLIST_KINDS, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Kinds()));
  }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> texts;
    win::ComboBox kinds(Kinds());
    for (int i = 0; i < kinds.Count(); ++i) texts.push_back(kinds.ItemText(i));
    return texts;
  }

  AppSettingsRecord saved_ = AppSettings;
  win::Dialog host_{IDD_TEST_PROBE};
  RecordingOwner owner_;
  QuickSelectDialog list_{owner_};
};

TEST_F(QuickSelectDialogTest, StoreModeOffersAllSixKindsAndStartsWithTheFirst) {
  Open(true, true);
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{GetText(IDS_KIND_BCD), GetText(IDS_KIND_RAMDISK),
                                                GetText(IDS_KIND_VHD), GetText(IDS_KIND_NTLDR),
                                                GetText(IDS_KIND_REAL_MODE_LOADER),
                                                GetText(IDS_KIND_BOOT_SECTOR_FILE)}));
  Choose(2);
  Choose(5);
  EXPECT_EQ(owner_.applied, (std::vector<int>{0, 2, 5}));
  EXPECT_EQ(list_.SelectedKind(), 5);
}

TEST_F(QuickSelectDialogTest, BootIniModeOffersTheTwoBootIniKinds) {
  for (auto [bcdSystem, tools] : {std::pair{false, true}, std::pair{true, false}}) {
    SCOPED_TRACE(testing::Message() << "bcdSystem " << bcdSystem << ", tools " << tools);
    owner_.applied.clear();
    Open(bcdSystem, tools);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Real-mode OSLoader( Gurb / Lilo / Syslinux /PELDR)",
                                                  L"512k BootSector file (Win9x/Me or Other OS)"}));
    Choose(1);
    EXPECT_EQ(owner_.applied, (std::vector<int>{4, 5}));
    win::ComboSelect(Kinds(), -1);
    EXPECT_EQ(list_.SelectedKind(), 0);
    list_.End(0);
  }
}

}  // namespace
