// The keys of a page's list and where its row menu opens.
#include "controls/KeyList.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

// Alt arrives in the message itself (bit 29 of a system key); the others only in the key state.
UINT HeldModifiers(bool altInMessage) {
  UINT held = kNoModifier;
  if (altInMessage || GetKeyState(VK_MENU) < 0) held |= kAltKey;
  if (GetKeyState(VK_SHIFT) < 0) held |= kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) held |= kControlKey;
  return held;
}

constexpr LPARAM kAltHeldBit = 1 << 29;

}  // namespace

int CommandForKey(const ListKey* keys, size_t count, UINT key, UINT modifiers) {
  for (size_t i = 0; i < count; ++i) {
    if (keys[i].key == key && keys[i].modifiers == modifiers) return keys[i].command;
  }
  return 0;
}

POINT RowMenuPoint(HWND list, LPARAM position) {
  if (position != -1) return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (row < 0) row = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
  RECT client = {};
  GetClientRect(list, &client);
  POINT at = {client.left, client.top};
  RECT rect = {};
  if (row >= 0 && ListView_GetItemRect(list, row, &rect, LVIR_LABEL)) {
    // Below the row's text, kept inside the list when the row is scrolled out of view.
    at = {rect.left, rect.bottom};
    if (at.y < client.top || at.y > client.bottom) at.y = client.top;
    if (at.x < client.left || at.x > client.right) at.x = client.left;
  }
  ClientToScreen(list, &at);
  return at;
}

const win::MessageEntry<KeyList> KeyList::kMessages[] = {
    win::OnMessage(WM_GETDLGCODE, &KeyList::OnGetDialogCode),
    win::OnMessage(WM_KEYDOWN, &KeyList::OnKeyDown),
    win::OnMessage(WM_SYSKEYDOWN, &KeyList::OnSystemKeyDown),
    win::OnMessage(WM_KEYUP, &KeyList::OnKeyUp),
};

KeyList::KeyList() : win::Control(kMessages) {}

// The dialog manager keeps Enter for the default button unless the focused control asks for it.
INT_PTR KeyList::OnGetDialogCode(WPARAM wParam, LPARAM lParam) {
  LRESULT code = CallDefault(WM_GETDLGCODE, wParam, lParam);
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN &&
      CommandForKey(keys_, count_, VK_RETURN, HeldModifiers(false)))
    code |= DLGC_WANTMESSAGE;
  return code;
}

INT_PTR KeyList::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  // The menu key asks the page for the row menu as Shift+F10 does (the list view of some systems
  // never passes it on).
  if (wParam == VK_APPS) {
    SendMessageW(GetParent(Handle()), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), -1);
    return 0;
  }
  if (RunKey(static_cast<UINT>(wParam), HeldModifiers(false))) return 0;
  return CallDefault(WM_KEYDOWN, wParam, lParam);
}

// Where the default handling opens the menu at the key's release, it would open a second time.
INT_PTR KeyList::OnKeyUp(WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_APPS) return 0;
  return CallDefault(WM_KEYUP, wParam, lParam);
}

// Alt with a key arrives as a system key, which the list itself never looks at.
INT_PTR KeyList::OnSystemKeyDown(WPARAM wParam, LPARAM lParam) {
  if (RunKey(static_cast<UINT>(wParam), HeldModifiers((lParam & kAltHeldBit) != 0))) return 0;
  return CallDefault(WM_SYSKEYDOWN, wParam, lParam);
}

bool KeyList::RunKey(UINT key, UINT modifiers) {
  int command = CommandForKey(keys_, count_, key, modifiers);
  if (!command) return false;
  HWND page = GetParent(Handle());
  HWND button = GetDlgItem(page, command);
  // The button's own rules stand: a disabled or hidden button's key does nothing.
  if (button && (!IsWindowEnabled(button) || !IsWindowVisible(button))) return true;
  // Posted: the command may rebuild this list's rows or open a dialog, not inside its key handling.
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return true;
}
