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

TEST(DeviceOptionsCombo, ShowsAnIdentifierAddingOneNotListed) {
  win::Dialog dialog(IDD_TEST_PROBE);
  ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
  HWND combo = dialog.Item(IDC_TEST_COMBO);
  EntryList list;
  list.NoteDeviceOption(L"{ae5534e0-a924-466c-b836-758539a3ee3a}");
  list.NoteDeviceOption(L"{0f1e2d3c-0000-4000-8000-000000000001}");
  // count: items afterwards; empty shown text: nothing selected.
  const struct { const wchar_t* identifier; int count; const wchar_t* shown; } cases[] = {
      {L"{RamdiskOptions}", 2, L"{ramdiskoptions}"},
      {L"{0f1e2d3c-0000-4000-8000-000000000009}", 3, L"{0f1e2d3c-0000-4000-8000-000000000009}"},
      {L"{0f1e2d3c}", 3, L"{0f1e2d3c}"},
      {L"", 2, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "\"" << c.identifier << "\"");
    FillDeviceOptionsCombo(combo, list);
    int index = ShowDeviceOptions(combo, c.identifier);
    EXPECT_EQ(win::ComboCount(combo), c.count);
    EXPECT_EQ(win::ComboSelection(combo), index);
    EXPECT_EQ(index < 0 ? std::wstring() : ComboItem(combo, index), c.shown);
  }
}

}  // namespace
