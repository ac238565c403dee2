// Dialog creation and the one dialog procedure behind every window of the program.
#include "win/Dialog.h"

#include <commctrl.h>

#include <exception>
#include <string>

namespace win {
namespace {

// Messages whose answer belongs to the control that sent them (WM_DRAWITEM, WM_CTLCOLOR...):
// returns the control, or null when the message is of another kind.
HWND ReflectTarget(HWND dialog, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: {
      // For an owner-drawn menu item hwndItem is the menu's handle, not a window.
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM: {
      const MEASUREITEMSTRUCT* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU ? nullptr : GetDlgItem(dialog, static_cast<int>(item->CtlID));
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<HWND>(lParam);
    default:
      return nullptr;
  }
}

// A click, a menu command or an accelerator; a click, double-click or Enter on a list. Other
// notifications (a text or a selection changed) also come from the program's own calls.
bool IsUserCommand(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) return HIWORD(wParam) == BN_CLICKED || (HIWORD(wParam) == 1 && lParam == 0);
  if (message != WM_NOTIFY) return false;
  UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
  return code == static_cast<UINT>(NM_CLICK) || code == static_cast<UINT>(NM_DBLCLK) ||
         code == static_cast<UINT>(NM_RETURN);
}

unsigned g_userCommands = 0;

}  // namespace

unsigned UserCommandSerial() { return g_userCommands; }

void BeginUserCommand() { ++g_userCommands; }

void LogFailure(const char* where, const char* what) {
  std::string line = std::string("vexa: ") + where + ": " + (what ? what : "unknown failure") + "\n";
  OutputDebugStringA(line.c_str());
}

Dialog::Dialog(UINT templateId, HINSTANCE instance)
    : templateId_(templateId), instance_(instance ? instance : GetModuleHandleW(nullptr)) {}

Dialog::~Dialog() {
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  HWND window = hwnd_;
  hwnd_ = nullptr;
  if (!modal_) DestroyWindow(window);
}

INT_PTR Dialog::RunModal(HWND owner) {
  modal_ = true;
  return DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), owner, Procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(HWND parent) {
  modal_ = false;
  return CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, Procedure, reinterpret_cast<LPARAM>(this));
}

void Dialog::End(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_)
    EndDialog(hwnd_, result);
  else
    DestroyWindow(hwnd_);
}

std::wstring Dialog::ItemText(int id) const {
  HWND item = Item(id);
  int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(GetWindowTextW(item, text.data(), length + 1));
  return text;
}

bool Dialog::OnOtherMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  // An exception must not unwind through the system's dispatch code: that ends the process.
  // The operation is abandoned; the window and the program stay.
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& failure) {
    LogFailure("dialog handler", failure.what());
    result = FALSE;
  } catch (...) {
    LogFailure("dialog handler", nullptr);
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  return result;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  if (IsUserCommand(message, wParam, lParam)) BeginUserCommand();
  // A control learns of its own click first (a skinned button toggles its check state, drops its
  // menu, opens its link), so the dialog's handler sees what the click left. Enter on a default
  // button reaches only the dialog, so the button's own procedure cannot learn of it.
  if (message == WM_COMMAND && lParam && HIWORD(wParam) == BN_CLICKED)
    SendMessageW(reinterpret_cast<HWND>(lParam), kReflectBase + WM_COMMAND, wParam, lParam);
  bool handled = table_.Route(this, message, wParam, lParam, result);
  if (!handled) {
    // A control that draws or colours itself answers non-zero; otherwise the dialog's own rule
    // (a base's background, the default) applies.
    if (HWND control = ReflectTarget(hwnd_, message, lParam)) {
      result = SendMessageW(control, kReflectBase + message, wParam, lParam);
      if (result) return result;
    }
    handled = OnOtherMessage(message, wParam, lParam, result);
  }
  if (handled) {
    // Results of messages that are not plain TRUE/FALSE go through DWLP_MSGRESULT.
    if (message == WM_NOTIFY) {
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    return result;
  }
  if (message == WM_INITDIALOG) {
    BeforeInit();
    return OnInit();
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL) && modal_) {
    End(IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace win
