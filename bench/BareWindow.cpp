// The floor the program's start is measured against: a bare window captioned as the program's
// main window with a report list holding one row, under the OS list's control id, so the watcher
// that times the program times it the same way. Any command or a close ends it.
#include <windows.h>
#include <commctrl.h>

#include "resource.h"

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW type = {};
  type.lpfnWndProc = BareProc;
  type.hInstance = instance;
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  type.lpszClassName = L"VexaBenchBareWindow";
  RegisterClassW(&type);
  HWND main = CreateWindowExW(0, type.lpszClassName, L"Vexa", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                              nullptr, nullptr, instance, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 600, 400, main,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_OSLIST_LIST)), instance, nullptr);
  LVCOLUMNW column = {};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 300;
  column.pszText = const_cast<wchar_t*>(L"Name");
  ListView_InsertColumn(list, 0, &column);
  LVITEMW row = {};
  row.mask = LVIF_TEXT;
  row.pszText = const_cast<wchar_t*>(L"Windows Boot Manager");
  ListView_InsertItem(list, &row);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
