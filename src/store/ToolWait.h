// Waiting for a tool without freezing the window: the thread keeps answering what Windows sends
// it and keeps painting, while the user's clicks and keys are dropped and every posted message
// waits for the end of the run.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What the window is told while a run lasts: the activity's text once the run has lasted a while,
// an empty text when it ends.
using ActivityHook = std::function<void(const std::wstring& activity)>;

class ToolWait {
 public:
  // A run lasting longer than this disables the thread's windows and shows the wait cursor...
  static constexpr DWORD kDisableAfter = 150;
  // ...and one longer than this is named in the window through the hook.
  static constexpr DWORD kActivityAfter = 1000;

  ToolWait(std::wstring activity, const ActivityHook& hook);
  // Gives the windows back as they were and clears the activity.
  ~ToolWait();
  ToolWait(const ToolWait&) = delete;
  ToolWait& operator=(const ToolWait&) = delete;

  // True once handle is signalled, false when milliseconds (may be INFINITE) passed first; a null
  // handle just lets the time pass.
  bool Until(HANDLE handle, DWORD milliseconds);

 private:
  // Sent messages are handled inside PeekMessage itself; paint messages are dispatched; keyboard and
  // mouse messages, posted or from the hardware, are dropped.
  void AnswerQueue();
  void LookBusy();

  std::wstring activity_;
  ActivityHook hook_;
  DWORD started_;
  bool disabled_ = false;
  bool activityShown_ = false;
  std::vector<HWND> disabledWindows_;
  HWND focus_ = nullptr;
  HCURSOR cursor_ = nullptr;
};
