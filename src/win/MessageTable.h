// Message tables: a class lists the messages it handles as a plain array of rows and hands the
// array to its base (Dialog or Control), which routes each message through it.
#pragma once
#include <windows.h>

#include <cstddef>

namespace win {

// One row. For WM_COMMAND, `id` is the control identifier and `code` the notification code
// (BN_CLICKED, ...); for WM_NOTIFY the same from the NMHDR; for any other message both are
// ignored. A handler returns the window or dialog procedure's result.
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

// True when row is the one for this message.
template <class T>
bool RowMatches(const MessageEntry<T>& row, UINT message, WPARAM wParam, LPARAM lParam) {
  if (row.message != message) return false;
  if (message == WM_COMMAND) return row.id == LOWORD(wParam) && row.code == HIWORD(wParam);
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    return header && row.id == header->idFrom && row.code == header->code;
  }
  return true;
}

// A class's table with its type erased, so the base (Dialog, Control) keeps it without being a
// template. T derives from Base; the handlers run on the base object cast back to T.
template <class Base>
class MessageTable {
 public:
  MessageTable() = default;
  template <class T, size_t N>
  MessageTable(const MessageEntry<T> (&rows)[N]) : rows_(rows), count_(N), route_(&RouteAs<T>) {}

  // Calls the first matching row's handler; false when no row matches.
  bool Route(Base* owner, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) const {
    return route_ && route_(owner, rows_, count_, message, wParam, lParam, result);
  }

 private:
  using Router = bool (*)(Base*, const void*, size_t, UINT, WPARAM, LPARAM, INT_PTR&);

  template <class T>
  static bool RouteAs(Base* owner, const void* rows, size_t count, UINT message, WPARAM wParam, LPARAM lParam,
                      INT_PTR& result) {
    const MessageEntry<T>* table = static_cast<const MessageEntry<T>*>(rows);
    for (size_t i = 0; i < count; ++i) {
      if (!RowMatches(table[i], message, wParam, lParam)) continue;
      result = (static_cast<T*>(owner)->*table[i].handler)(wParam, lParam);
      return true;
    }
    return false;
  }

  const void* rows_ = nullptr;
  size_t count_ = 0;
  Router route_ = nullptr;
};

}  // namespace win
