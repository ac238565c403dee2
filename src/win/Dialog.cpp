// Dialog creation and the one dialog procedure behind every window of the program.
#include "win/Dialog.h"

namespace win {
namespace {

// Messages whose answer belongs to the control that sent them (WM_DRAWITEM, WM_CTLCOLOR...):
// returns the control, or null when the message is of another kind.
HWND ReflectTarget(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_MEASUREITEM:
      return GetDlgItem(dialog, static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID));
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<HWND>(lParam);
    default:
      (void)wParam;
      return nullptr;
  }
}

}  // namespace

Dialog::Dialog(UINT templateId, HINSTANCE instance)
    : templateId_(templateId), instance_(instance ? instance : GetModuleHandleW(nullptr)) {}

Dialog::~Dialog() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
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

bool Dialog::Dispatch(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

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
  INT_PTR result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  return result;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  if (Dispatch(message, wParam, lParam, result)) {
    // Results of messages that are not plain TRUE/FALSE go through DWLP_MSGRESULT.
    if (message == WM_NOTIFY) {
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    return result;
  }
  if (message == WM_INITDIALOG) return OnInit();
  if (HWND control = ReflectTarget(hwnd_, message, wParam, lParam))
    return SendMessageW(control, kReflectBase + message, wParam, lParam);
  if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL) && modal_) {
    End(IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace win
