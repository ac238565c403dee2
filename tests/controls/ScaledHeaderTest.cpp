// A list's header at 150%: as tall as at 96 DPI times 1.5, with the rows starting below it; at
// 96 DPI the header keeps the height it gives itself.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "WindowTest.h"
#include "controls/ScaledHeader.h"
#include "win/Dpi.h"

namespace {

struct ListWindow {
  HWND top = CreateWindowExW(0, L"Static", L"list", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200, top, nullptr,
                              nullptr, nullptr);
  ListWindow() {
    LVCOLUMNW column = {LVCF_TEXT | LVCF_WIDTH, 0, 120, const_cast<wchar_t*>(L"Name")};
    ListView_InsertColumn(list, 0, &column);
    LVITEMW item = {LVIF_TEXT, 0, 0, 0, 0, const_cast<wchar_t*>(L"Windows 10")};
    ListView_InsertItem(list, &item);
  }
  ~ListWindow() { DestroyWindow(top); }
  int HeaderHeight() const {
    RECT rect = {};
    GetWindowRect(ListView_GetHeader(list), &rect);
    return rect.bottom - rect.top;
  }
  int FirstRowTop() const {
    RECT rect = {};
    ListView_GetItemRect(list, 0, &rect, LVIR_BOUNDS);
    return rect.top;
  }
};

TEST(ScaledHeader, At150PercentTheHeaderIsOneAndAHalfTimesItsHeightAt96) {
  if (win::SystemDpi() != win::kBaseDpi) GTEST_SKIP() << "the display is not at 96 DPI";
  ListWindow plain;
  const int at96 = plain.HeaderHeight();
  ASSERT_GT(at96, 0);

  ListWindow scaled;
  ScaledHeader header;
  ASSERT_TRUE(header.AttachToList(scaled.list));
  EXPECT_EQ(scaled.HeaderHeight(), at96) << "at 96 DPI nothing changes";

  // The header's font at 150%, and a new layout, as after WM_DPICHANGED.
  win::SetWindowDpi(scaled.top, 144);
  LOGFONTW look = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(scaled.list, WM_GETFONT, 0, 0)), sizeof(look), &look);
  if (look.lfHeight == 0) look.lfHeight = -11;
  look.lfHeight = MulDiv(look.lfHeight, 144, 96);
  HFONT font = CreateFontIndirectW(&look);
  SendMessageW(scaled.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SetWindowPos(scaled.list, nullptr, 0, 0, 450, 300, SWP_NOMOVE | SWP_NOZORDER);
  testing_support::PumpMessages();
  EXPECT_NEAR(scaled.HeaderHeight(), at96 * 3 / 2, 1);
  EXPECT_GE(scaled.FirstRowTop(), scaled.HeaderHeight()) << "the rows start below the header";
  win::SetWindowDpi(scaled.top, 0);
  DestroyWindow(scaled.top);
  scaled.top = nullptr;
  DeleteObject(font);
}

}  // namespace
