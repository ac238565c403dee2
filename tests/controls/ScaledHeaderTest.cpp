// A list's header at 150%: 1.5 times its height at 96 DPI, the rows below it; at 96 DPI unchanged.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "WindowTest.h"
#include "controls/ScaledHeader.h"
#include "win/Dpi.h"

namespace {

int HeightOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

TEST(ScaledHeader, At150PercentTheHeaderIsOneAndAHalfTimesItsHeightAt96) {
  if (win::SystemDpi() != win::kBaseDpi) GTEST_SKIP() << "the display is not at 96 DPI";
  HWND top = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, top, nullptr,
                              nullptr, nullptr);
  LVCOLUMNW column = {LVCF_TEXT | LVCF_WIDTH, 0, 120, const_cast<wchar_t*>(L"Name")};
  ListView_InsertColumn(list, 0, &column);
  LVITEMW item = {LVIF_TEXT, 0, 0, 0, 0, const_cast<wchar_t*>(L"Windows 10")};
  ListView_InsertItem(list, &item);
  HWND header = ListView_GetHeader(list);
  const int at96 = HeightOf(header);
  ScaledHeader scaled;
  ASSERT_TRUE(scaled.AttachToList(list));
  EXPECT_EQ(HeightOf(header), at96);

  // As after WM_DPICHANGED: the window's new DPI, the font made for it, the list laid out again.
  win::SetWindowDpi(top, 144);
  LOGFONTW look = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof(look), &look);
  look.lfHeight = MulDiv(look.lfHeight ? look.lfHeight : -11, 144, 96);
  HFONT font = CreateFontIndirectW(&look);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SetWindowPos(list, nullptr, 0, 0, 450, 300, SWP_NOMOVE | SWP_NOZORDER);
  testing_support::PumpMessages();
  EXPECT_NEAR(HeightOf(header), at96 * 3 / 2, 1);
  RECT row = {};
  ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
  EXPECT_GE(row.top, HeightOf(header)) << "the rows start below the header";
  DestroyWindow(top);
  DeleteObject(font);
}

}  // namespace
