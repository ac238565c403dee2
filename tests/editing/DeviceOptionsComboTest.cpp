// The ramdisk-options drop-down shows exactly the list's device-options identifiers, in order.
#include <gtest/gtest.h>

#include "editing/DeviceOptionsCombo.h"
#include "store/EntryList.h"
#include "test_resource.h"
#include "win/Controls.h"
#include "win/Dialog.h"

namespace {

std::wstring ComboItem(HWND combo, int index) {
  std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
  text.resize(SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data())));
  return text;
}

TEST(DeviceOptionsCombo, RefillsInListOrder) {
  win::Dialog dialog(IDD_TEST_PROBE);
  ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
  HWND combo = dialog.Item(IDC_TEST_COMBO);
  win::ComboAdd(combo, L"stale");

  EntryList list;
  list.NoteDeviceOption(L"{ae5534e0-a924-466c-b836-758539a3ee3a}");
  list.NoteDeviceOption(L"{0f1e2d3c-0000-4000-8000-000000000001}");
  list.NoteDeviceOption(L"{RAMDISKOPTIONS}");
  FillDeviceOptionsCombo(combo, list);

  ASSERT_EQ(win::ComboCount(combo), 2);
  EXPECT_EQ(ComboItem(combo, 0), L"{ramdiskoptions}");
  EXPECT_EQ(ComboItem(combo, 1), L"{0f1e2d3c-0000-4000-8000-000000000001}");

  list.Clear();
  FillDeviceOptionsCombo(combo, list);
  EXPECT_EQ(win::ComboCount(combo), 0);
}

}  // namespace
