// The control base class: a window the dialog template already made, subclassed so that its
// messages are routed through the class's table before the control's own procedure sees them.
#pragma once
#include <windows.h>

#include "win/MessageTable.h"

namespace win {

class Control {
 public:
  // rows: the class's message table, a static array of MessageEntry<Class> in its .cpp.
  template <class T, size_t N>
  explicit Control(const MessageEntry<T> (&rows)[N]) : table_(rows) {}
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Subclasses window; false when it is no window or another Control already holds it.
  bool Attach(HWND window);
  bool Attach(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }
  // Gives the window back its own procedure. Happens by itself when the window is destroyed.
  void Detach();

  HWND Handle() const { return hwnd_; }
  // The window's own procedure, as if this class were not there.
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // Runs once the window is subclassed: a class adjusts the window's style here.
  virtual void OnAttached() {}
  // Messages the class's table did not take: a base between Control and the class handles its
  // own here. True when handled, with the procedure's answer in result.
  virtual bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Release(bool destroying);

  MessageTable<Control> table_;
  HWND hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;
};

}  // namespace win
