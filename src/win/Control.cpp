// Subclassing and the one window procedure behind every control class of the program.
#include "win/Control.h"

#include <exception>

#include "win/Dialog.h"

namespace win {
namespace {

// The object and the procedure it replaced live on the window itself, so the shared procedure
// finds both from nothing but the handle. SetWindowSubclass would do this for us, but Windows
// 2000's comctl32 exports it only by ordinal.
constexpr wchar_t kSelfProperty[] = L"Vexa.Control";
constexpr wchar_t kPreviousProperty[] = L"Vexa.Control.Previous";

WNDPROC CurrentProcedure(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)); }

// A message for a window no Control holds any more: to the procedure below ours when ours is
// still in the chain, else to the one the window has now.
LRESULT PassOn(WNDPROC ours, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC next = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPreviousProperty));
  if (!next) next = CurrentProcedure(hwnd);
  if (!next || next == ours) return DefWindowProcW(hwnd, message, wParam, lParam);
  return CallWindowProcW(next, hwnd, message, wParam, lParam);
}

}  // namespace

Control::~Control() { Detach(); }

bool Control::Attach(HWND window) {
  if (!window || !IsWindow(window) || hwnd_ || GetPropW(window, kSelfProperty)) return false;
  if (HANDLE kept = GetPropW(window, kPreviousProperty)) {
    // An earlier Control was detached while another subclass sat above it: its procedure is still
    // in the chain, passing everything on. Take that place instead of stacking a second one.
    previous_ = reinterpret_cast<WNDPROC>(kept);
  } else {
    previous_ = CurrentProcedure(window);
    SetPropW(window, kPreviousProperty, reinterpret_cast<HANDLE>(previous_));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  }
  SetPropW(window, kSelfProperty, this);
  hwnd_ = window;
  OnAttached();
  return true;
}

void Control::Detach() { Release(false); }

void Control::Release(bool destroying) {
  if (!hwnd_) return;
  RemovePropW(hwnd_, kSelfProperty);
  // With another subclass above ours, putting the old procedure back would cut that one out of
  // the chain: ours stays and passes every message on until the window is gone.
  bool ours = CurrentProcedure(hwnd_) == &Procedure;
  if (ours) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  if (ours || destroying) RemovePropW(hwnd_, kPreviousProperty);
  hwnd_ = nullptr;
  previous_ = nullptr;
}

LRESULT Control::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return previous_ ? CallWindowProcW(previous_, hwnd_, message, wParam, lParam)
                   : DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Control::OnOtherMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK Control::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Control* self = static_cast<Control*>(GetPropW(hwnd, kSelfProperty));
  if (!self) {
    LRESULT result = PassOn(&Procedure, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) RemovePropW(hwnd, kPreviousProperty);
    return result;
  }
  if (message == WM_NCDESTROY) {
    // The control's own procedure frees its state here, so it always gets the message.
    LRESULT result = self->CallDefault(message, wParam, lParam);
    self->Release(true);
    return result;
  }
  INT_PTR routed = 0;
  LRESULT result = 0;
  bool handled = false;
  // An exception must not unwind through the system's dispatch code: that ends the process. The
  // operation is abandoned and the message gets the control's own handling, so a paint still
  // validates and a click still notifies.
  try {
    if (self->table_.Route(self, message, wParam, lParam, routed)) {
      handled = true;
      result = routed;
    } else {
      handled = self->OnOtherMessage(message, wParam, lParam, result);
    }
  } catch (const std::exception& failure) {
    LogFailure("control handler", failure.what());
    handled = false;
  } catch (...) {
    LogFailure("control handler", nullptr);
    handled = false;
  }
  if (handled) return result;
  // A handler may have detached the control (or destroyed the window) meanwhile.
  if (self == GetPropW(hwnd, kSelfProperty)) return self->CallDefault(message, wParam, lParam);
  return PassOn(&Procedure, hwnd, message, wParam, lParam);
}

}  // namespace win
