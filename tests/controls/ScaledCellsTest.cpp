// A report list's cells at 150%, drawn by its parent: the text 1.5 times as far from the column's
// edge as the list view's own margin, a picture only where the list shows cells' pictures.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "WindowTest.h"
#include "controls/ScaledCells.h"
#include "win/Dpi.h"

namespace {

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(NM_CUSTOMDRAW))
    return DrawCellsAtScale(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam), win::DpiOf(window));
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ScaledCells, At150PercentTheMarginsScaleAndPicturesShowOnlyWhereTheListShowsThem) {
  if (win::SystemDpi() != win::kBaseDpi) GTEST_SKIP() << "the display is not at 96 DPI";
  WNDCLASSW type = {};
  type.lpfnWndProc = ParentProcedure;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"ScaledCellsTestParent";
  RegisterClassW(&type);
  HIMAGELIST images = ImageList_Create(24, 24, ILC_COLOR32, 1, 1);
  std::vector<uint32_t> redPixels(24 * 24, 0xFFFF0000);
  HBITMAP red = CreateBitmap(24, 24, 1, 32, redPixels.data());
  ImageList_Add(images, red, nullptr);

  struct Case {
    DWORD style;
    int firstInk;  // -1: the cell's text only, not its picture
  };
  for (const Case& row : {Case{0, -1}, Case{LVS_EX_SUBITEMIMAGES, 0}}) {
    SCOPED_TRACE(row.style);
    HWND top = CreateWindowExW(0, type.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr,
                               type.hInstance, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0,
                                380, 180, top, nullptr, nullptr, nullptr);
    ListView_SetExtendedListViewStyle(list, row.style);
    ListView_SetImageList(list, images, LVSIL_SMALL);
    for (int column = 0; column < 2; ++column) {
      LVCOLUMNW header = {LVCF_WIDTH, 0, 150};
      ListView_InsertColumn(list, column, &header);
    }
    LVITEMW item = {LVIF_TEXT, 0, 0, 0, 0, const_cast<wchar_t*>(L"")};
    ListView_InsertItem(list, &item);
    item = {LVIF_TEXT | LVIF_IMAGE, 0, 1, 0, 0, const_cast<wchar_t*>(L"|||"), 0, 0};
    ListView_SetItem(list, &item);

    const int at96 = testing_support::CellInkIndent(list, 0, 1);
    win::SetWindowDpi(top, 144);
    const int at144 = testing_support::CellInkIndent(list, 0, 1);
    if (row.firstInk < 0) {
      EXPECT_NEAR(at144, win::ScaleToDpi(at96, 144), 1) << "text 1.5 times as far in, no picture";
    } else {
      EXPECT_EQ(at144, row.firstInk) << "the picture at the cell's edge";
    }
    win::SetWindowDpi(top, 0);
    DestroyWindow(top);
  }
  ImageList_Destroy(images);
  DeleteObject(red);
}

}  // namespace
