// Typed wrappers of the common controls: each method gives one Win32 control message a name.
// A dialog binds them to its controls in OnInit (combo_.Attach(Item(IDC_...))); they own nothing.
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


// Any child window.
class Window {
 public:
  Window() = default;
  explicit Window(HWND hwnd) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  std::wstring Text() const { return WindowText(hwnd_); }
  void SetText(const std::wstring& text) const { win::SetText(hwnd_, text); }
  void Show(bool shown) const { ShowWindow(hwnd_, shown ? SW_SHOW : SW_HIDE); }
  bool IsShown() const { return IsWindowVisible(hwnd_) != FALSE; }
  void Enable(bool enabled) const { EnableWindow(hwnd_, enabled); }
  bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return SendMessageW(hwnd_, message, wParam, lParam); }

 protected:
  HWND hwnd_ = nullptr;
};

class ComboBox : public Window {
 public:
  using Window::Window;
  int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  int Add(const std::wstring& text) const { return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()))); }
  int Insert(int index, const std::wstring& text) const { return static_cast<int>(Send(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()))); }
  void SetData(int index, LPARAM data) const { Send(CB_SETITEMDATA, index, data); }
  LPARAM Data(int index) const { return Send(CB_GETITEMDATA, index); }
  int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  void Select(int index) const { Send(CB_SETCURSEL, index); }
  void Clear() const { Send(CB_RESETCONTENT); }
  std::wstring ItemText(int index) const;
};

// The extended combo box: items with an image from the control's image list.
class ComboBoxEx : public Window {
 public:
  using Window::Window;
  int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  // Appends (index -1) or inserts an item; returns its index or -1.
  int Insert(int index, const std::wstring& text, int image, LPARAM data) const;
  LPARAM Data(int index) const { return Send(CB_GETITEMDATA, index); }
  int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  void Select(int index) const { Send(CB_SETCURSEL, index); }
  void Clear() const { Send(CB_RESETCONTENT); }
  void SetImageList(HIMAGELIST images) const { Send(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)); }
  std::wstring ItemText(int index) const;
};

class ListView : public Window {
 public:
  using Window::Window;
  int Count() const { return ListView_GetItemCount(hwnd_); }
  int Selection() const { return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); }
  void Select(int row) const;
  void DeleteAll() const { ListView_DeleteAllItems(hwnd_); }
  void SetExtendedStyle(DWORD style) const { ListView_SetExtendedListViewStyle(hwnd_, style); }
  void SetImageList(HIMAGELIST images, int which) const { ListView_SetImageList(hwnd_, images, which); }
  int InsertColumn(int column, const std::wstring& title, int width, int format = LVCFMT_LEFT) const;
  // Every column's width times to / from (the window moved to another DPI).
  void ScaleColumns(UINT from, UINT to) const;
  // Inserts a row with its first column, image and item data; returns its index or -1.
  int InsertRow(int row, const std::wstring& text, int image, LPARAM data) const;
  void SetCell(int row, int column, const std::wstring& text) const;
  std::wstring Cell(int row, int column) const;
  void SetImage(int row, int image) const;
  int Image(int row) const;
  LPARAM Data(int row) const;
};

class Tab : public Window {
 public:
  using Window::Window;
  int Count() const { return TabCtrl_GetItemCount(hwnd_); }
  int Insert(int index, const std::wstring& text, int image) const;
  int Selection() const { return TabCtrl_GetCurSel(hwnd_); }
  void Select(int index) const { TabCtrl_SetCurSel(hwnd_, index); }
  void DeleteAll() const { TabCtrl_DeleteAllItems(hwnd_); }
  void SetImageList(HIMAGELIST images) const { TabCtrl_SetImageList(hwnd_, images); }
};

}  // namespace win
