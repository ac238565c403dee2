// One-line wrappers that give the Win32 control calls the program uses a name.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace win {

inline std::wstring WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd, text.data(), length + 1));
  return text;
}
inline void SetText(HWND hwnd, const std::wstring& text) { ::SetWindowTextW(hwnd, text.c_str()); }
inline bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline void SetChecked(HWND button, bool checked) { SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
// Sends the click a user's mouse would, through the parent's WM_COMMAND.
inline void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

inline int ComboCount(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }
inline int ComboAdd(HWND combo, const std::wstring& text) { return static_cast<int>(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()))); }
inline int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
inline void ComboSelect(HWND combo, int index) { SendMessageW(combo, CB_SETCURSEL, index, 0); }
inline void ComboClear(HWND combo) { SendMessageW(combo, CB_RESETCONTENT, 0, 0); }

inline int ListViewCount(HWND list) { return ListView_GetItemCount(list); }
inline int ListViewSelection(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

}  // namespace win
