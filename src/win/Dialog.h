// The dialog base class every window of the program derives from: made from a template number,
// run modally or created modeless (a child page), with messages routed through a per-class table.
#pragma once
#include <windows.h>

#include <string>

namespace win {

// Owner-draw and colour messages are sent on to the control itself under these numbers, so a
// control class draws itself instead of its parent knowing how.
constexpr UINT kReflectBase = WM_APP + 0x2000;

class Dialog {
 public:
  explicit Dialog(UINT templateId, HINSTANCE instance = nullptr);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog's own modal loop; returns the value given to End, or -1 when the template
  // could not be made into a window.
  INT_PTR RunModal(HWND owner);
  // Creates the dialog without a loop of its own: a child page when the template has WS_CHILD.
  HWND CreateModeless(HWND parent);
  // Ends a modal dialog with result, or destroys a modeless one.
  void End(INT_PTR result);

  HWND Handle() const { return hwnd_; }
  UINT TemplateId() const { return templateId_; }
  bool IsModal() const { return modal_; }

  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }
  bool IsItemChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void CheckItem(int id, bool checked) const { CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
  void EnableItem(int id, bool enabled) const { EnableWindow(Item(id), enabled); }
  void ShowItem(int id, bool shown) const { ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }

 protected:
  // WM_INITDIALOG; return FALSE when focus was set by hand.
  virtual BOOL OnInit() { return TRUE; }
  // Called after the window is gone (modal or modeless).
  virtual void OnDestroyed() {}
  // Routes one message; true when handled, with the dialog procedure's result in result.
  // Classes route through their message table (DispatchThrough below).
  virtual bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// One row of a class's message table. For WM_COMMAND, `id` is the control identifier and `code`
// the notification code (BN_CLICKED, ...); for WM_NOTIFY the same from the NMHDR; for any other
// message both are ignored. A handler returns the dialog procedure's result.
template <class T>
struct MessageEntry {
  UINT message;
  UINT id;
  UINT code;
  INT_PTR (T::*handler)(WPARAM wParam, LPARAM lParam);
};

template <class T>
constexpr MessageEntry<T> OnCommand(UINT id, UINT code, INT_PTR (T::*handler)(WPARAM, LPARAM)) {
  return {WM_COMMAND, id, code, handler};
}
template <class T>
constexpr MessageEntry<T> OnNotify(UINT id, UINT code, INT_PTR (T::*handler)(WPARAM, LPARAM)) {
  return {WM_NOTIFY, id, code, handler};
}
template <class T>
constexpr MessageEntry<T> OnMessage(UINT message, INT_PTR (T::*handler)(WPARAM, LPARAM)) {
  return {message, 0, 0, handler};
}

// Finds the first row matching the message and calls its handler. A class keeps its table as a
// private static member defined in its .cpp, above its Dispatch.
template <class T, size_t N>
bool DispatchThrough(T* self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam, LPARAM lParam,
                     INT_PTR& result) {
  for (const MessageEntry<T>& row : table) {
    if (row.message != message) continue;
    if (message == WM_COMMAND) {
      if (row.id != LOWORD(wParam) || row.code != HIWORD(wParam)) continue;
    } else if (message == WM_NOTIFY) {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (row.id != header->idFrom || row.code != header->code) continue;
    }
    result = (self->*row.handler)(wParam, lParam);
    return true;
  }
  return false;
}

}  // namespace win
