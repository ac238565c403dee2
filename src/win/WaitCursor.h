// The hourglass for the length of a scope that runs the tool: the window answers meanwhile but takes
// no input, and the cursor says why.
#pragma once
#include <windows.h>

namespace win {

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace win
