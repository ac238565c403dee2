// A restart asked for after a page armed a one-time start: Windows only begins a restart when
// asked, and another program or the user may still cancel it. Until the session ends, the page
// must be able to put back the one-time start it replaced.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/PageContext.h"

class ArmedRestart {
 public:
  // The page's timer; its WM_TIMER goes to Expire.
  static constexpr UINT_PTR kTimerId = 0x0A12;
  // How long a restart Windows accepted may take to begin before it is taken as not coming.
  static constexpr UINT kWaitMilliseconds = 60 * 1000;

  // The one-time start to take back, and why.
  struct Missed {
    std::vector<std::wstring> earlier;  // the sequence before the page armed its own (none: empty)
    std::wstring name;                  // the entry that was to start once
    bool cancelled = false;             // Windows said the session goes on; else the wait ran out
  };

  // After Windows accepted the restart. Armed again before the session ended, the earlier
  // sequence of the first arming stays what comes back: the later one was the page's own.
  void Arm(HWND page, const std::vector<std::wstring>& earlier, const std::wstring& name);
  // Once Windows has asked about the session's end, its answer decides, not the clock: a
  // restart under way may wait on other programs for longer than the wait. Ending, nothing is
  // taken back. Cancelled, the armed start comes back to be taken back.
  std::optional<Missed> Notice(HWND page, SessionNotice notice);
  // The page's WM_TIMER of kTimerId: the armed start, now that the restart has not come.
  std::optional<Missed> Expire(HWND page, UINT_PTR timerId);

  // What the user is told when the restart did not come: why, then how the taking back went
  // (toolText: what the tool said when the sequence could not be put back).
  static std::wstring MissedText(const Missed& missed, bool putBack, const std::wstring& toolText);
  // Nothing is to be taken back any more (the user cancelled the one-time start by hand).
  std::optional<Missed> Disarm(HWND page);

 private:
  std::optional<Missed> armed_;
};
