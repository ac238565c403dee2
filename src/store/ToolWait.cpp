// The wait for a tool: the message loop the thread runs while a child works, and the windows of
// the thread disabled and given back around a long run.
#include "store/ToolWait.h"

#include <utility>

namespace {

// Between two looks at the queue: short, so that a click posted to a window is dropped before
// the run ends, and the thresholds are noticed soon after they pass.
constexpr DWORD kSlice = 50;
// A window that never validates what it paints would keep us dispatching WM_PAINT for ever.
constexpr int kMostPaintsPerLook = 64;

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM windows) {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

}  // namespace

ToolWait::ToolWait(std::wstring activity, const ActivityHook& hook)
    : activity_(std::move(activity)), hook_(hook), started_(GetTickCount()) {}

ToolWait::~ToolWait() {
  if (activityShown_ && hook_) hook_(L"");
  if (!disabled_) return;
  for (HWND window : disabledWindows_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  // Disabling took the focus from the window that had it; it goes back there unless the user's
  // attention moved to another program meanwhile.
  if (focus_ && IsWindow(focus_) && !GetFocus() && GetAncestor(focus_, GA_ROOT) == GetActiveWindow()) SetFocus(focus_);
  SetCursor(cursor_);
}

bool ToolWait::Until(HANDLE handle, DWORD milliseconds) {
  const DWORD begin = GetTickCount();
  const DWORD count = handle ? 1 : 0;
  for (;;) {
    DWORD slice = kSlice;
    if (milliseconds != INFINITE) {
      DWORD elapsed = GetTickCount() - begin;
      if (elapsed >= milliseconds) return handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
      if (milliseconds - elapsed < slice) slice = milliseconds - elapsed;
    }
    DWORD woke = MsgWaitForMultipleObjects(count, &handle, FALSE, slice, QS_SENDMESSAGE | QS_PAINT | QS_INPUT);
    if (count && woke == WAIT_OBJECT_0) return true;
    if (woke == WAIT_FAILED) {
      // No queue to look at: wait as a thread without windows would.
      if (handle) return WaitForSingleObject(handle, milliseconds) == WAIT_OBJECT_0;
      Sleep(slice);
      continue;
    }
    AnswerQueue();
    LookBusy();
  }
}

void ToolWait::AnswerQueue() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
  // Taking the mouse's messages had the window under it set its own cursor.
  if (disabled_) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  for (int paints = 0; paints < kMostPaintsPerLook && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT);
       ++paints) {
    DispatchMessageW(&message);
  }
}

void ToolWait::LookBusy() {
  const DWORD elapsed = GetTickCount() - started_;
  if (!disabled_ && elapsed >= kDisableAfter) {
    disabled_ = true;
    focus_ = GetFocus();
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabledWindows_));
    for (HWND window : disabledWindows_) EnableWindow(window, FALSE);
    cursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  }
  if (!activityShown_ && elapsed >= kActivityAfter && hook_) {
    activityShown_ = true;
    hook_(activity_);
  }
}
