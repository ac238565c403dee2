// A list view that answers keys for its page: each key of a small table stands for the command of
// one of the page's buttons (or menu items), so the keyboard reaches every action the mouse does.
#pragma once
#include <windows.h>

#include <cstddef>

#include "win/Control.h"

// Modifier keys, combined: a row matches only when exactly these are held.
inline constexpr UINT kNoModifier = 0;
inline constexpr UINT kAltKey = 1;
inline constexpr UINT kShiftKey = 2;
inline constexpr UINT kControlKey = 4;

struct ListKey {
  UINT key;  // virtual key
  UINT modifiers;
  int command;  // a button's id, or a menu command's
};

// The command of key with exactly these modifiers held, or 0.
int CommandForKey(const ListKey* keys, size_t count, UINT key, UINT modifiers);

// Where a row menu opens, in screen coordinates: at the mouse for a click (position as
// WM_CONTEXTMENU gives it), below the selected row (else the focused one, else the list's corner)
// when it came from the keyboard (position -1).
POINT RowMenuPoint(HWND list, LPARAM position);

class KeyList : public win::Control {
 public:
  KeyList();

  // keys must outlive the list (a static table of the page).
  template <size_t N>
  void SetKeys(const ListKey (&keys)[N]) {
    keys_ = keys;
    count_ = N;
  }

 private:
  INT_PTR OnGetDialogCode(WPARAM, LPARAM);
  INT_PTR OnKeyDown(WPARAM, LPARAM);
  INT_PTR OnSystemKeyDown(WPARAM, LPARAM);
  INT_PTR OnKeyUp(WPARAM, LPARAM);
  // True when the key is one of the table's (its command sent, or refused by a disabled button).
  bool RunKey(UINT key, UINT modifiers);

  static const win::MessageEntry<KeyList> kMessages[];

  const ListKey* keys_ = nullptr;
  size_t count_ = 0;
};
