// The dialog base class every window of the program derives from: made from a template number,
// run modally or created modeless (a child page), with messages routed through the class's table.
#pragma once
#include <windows.h>

#include <string>

#include "win/MessageTable.h"

namespace win {

// Owner-draw and colour messages, and clicks (WM_COMMAND with BN_CLICKED), are sent on to the
// control itself under these numbers, so a control class draws itself and acts on its own clicks
// instead of its parent knowing how.
constexpr UINT kReflectBase = WM_APP + 0x2000;

class Dialog {
 public:
  // rows: the class's message table, a static array of MessageEntry<Class> in its .cpp.
  template <class T, size_t N>
  Dialog(UINT templateId, const MessageEntry<T> (&rows)[N], HINSTANCE instance = nullptr)
      : Dialog(templateId, instance) {
    table_ = MessageTable<Dialog>(rows);
  }
  explicit Dialog(UINT templateId, HINSTANCE instance = nullptr);
  // A modeless window still open is destroyed without running this class's handlers: they belong
  // to a subclass whose part of the object is already gone. Owners that need a page's WM_DESTROY
  // end the page (End) in their own WM_DESTROY.
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
  HINSTANCE Instance() const { return instance_; }
  bool IsModal() const { return modal_; }

  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::wstring ItemText(int id) const;
  void SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }
  bool IsItemChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void CheckItem(int id, bool checked) const { CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
  void EnableItem(int id, bool enabled) const { EnableWindow(Item(id), enabled); }
  void ShowItem(int id, bool shown) const { ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }

 protected:
  // WM_INITDIALOG, before OnInit: what a family of dialogs does to every member (localising).
  virtual void BeforeInit() {}
  // WM_INITDIALOG; return FALSE when focus was set by hand.
  virtual BOOL OnInit() { return TRUE; }
  // Called after the window is gone (modal or modeless).
  virtual void OnDestroyed() {}
  // Messages the class's table did not take and no control answered when they were reflected: a
  // base between Dialog and the class (the skinned dialog, the application dialog) handles its
  // own here. True when handled.
  virtual bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  HINSTANCE instance_;
  MessageTable<Dialog> table_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// The user's commands as the dialog procedure takes them (clicks, menu commands, accelerators, a
// click, double-click or Enter on a list), counted. Everything one command sets off, the message
// boxes it asks included, is one action of the user's: the safety net refuses the rest of an
// action whose copy failed instead of trying again halfway.
unsigned UserCommandSerial();
// Counts the next command; the dialog procedure calls it, and so may a test that plays the user.
void BeginUserCommand();

// Writes a handler's failure where a debugger (or Wine's +debugstr channel) sees it.
void LogFailure(const char* where, const char* what);

}  // namespace win
