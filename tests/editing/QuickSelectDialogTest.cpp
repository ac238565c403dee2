// The add-mode kind list: the kinds each mode offers, in order, and the owner told of every choice.
#include <gtest/gtest.h>

#include <vector>

#include "base/AppSettings.h"
#include "editing/QuickSelectDialog.h"
#include "resource.h"
#include "test_resource.h"
#include "win/Controls.h"
#include "win/Dialog.h"

namespace {

struct RecordingOwner : KindDefaultsTarget {
  void ApplyKindDefaults(int kind) override { applied.push_back(kind); }
  std::vector<int> applied;
};

TEST(QuickSelectDialog, EachModeOffersItsKindsAndTellsTheOwnerOfEveryChoice) {
  // Store mode needs both a BCD system and its tool.
  const struct { bool bcdSystem, tools; std::vector<int> kinds; } cases[] = {
      {true, true, {0, 1, 2, 3, 4, 5}}, {false, true, {4, 5}}, {true, false, {4, 5}}};
  struct Restore {
    AppSettingsRecord saved = AppSettings;
    ~Restore() { AppSettings = saved; }
  } restore;
  win::Dialog host(IDD_TEST_PROBE);
  ASSERT_NE(host.CreateModeless(nullptr), nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "bcdSystem " << c.bcdSystem << ", tools " << c.tools);
    AppSettings.bcdSystem = c.bcdSystem;
    AppSettings.toolsAvailable = c.tools;
    RecordingOwner owner;
    QuickSelectDialog dialog(owner);
    ASSERT_NE(dialog.CreateModeless(host.Handle()), nullptr);
    win::ComboBox list(dialog.Item(IDC_KINDLIST_KINDS));
    std::vector<int> kinds;
    for (int i = 0; i < list.Count(); ++i) kinds.push_back(static_cast<int>(list.Data(i)));
    EXPECT_EQ(kinds, c.kinds);
    EXPECT_EQ(list.ItemText(list.Count() - 2), L"Real-mode OSLoader( Gurb / Lilo / Syslinux /PELDR)");
    EXPECT_EQ(list.ItemText(list.Count() - 1), L"512k BootSector file (Win9x/Me or Other OS)");

    list.Select(list.Count() - 1);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_KINDLIST_KINDS, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list.Handle()));
    EXPECT_EQ(owner.applied, (std::vector<int>{c.kinds.front(), 5}));
    list.Select(-1);
    EXPECT_EQ(dialog.SelectedKind(), 0);
    dialog.End(0);
  }
}

}  // namespace
