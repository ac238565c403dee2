// What window tests share: pumping this thread's messages, starting a program and finding its
// windows, clicking and reading controls (ours or another process's), and capturing pixels.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Dispatches this thread's pending messages.
void PumpMessages();
// Pumps messages until condition holds or the time runs out; returns the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The visible top-level window of process processId whose caption is caption, or null.
HWND FindProcessWindow(DWORD processId, const std::wstring& caption);

// Clicks control id of window as a user's mouse would (the parent hears BN_CLICKED), then pumps.
void ClickControl(HWND window, int id);
// A window's text through WM_GETTEXT, which, unlike GetWindowText, reaches the controls of other
// processes too.
std::wstring TextOf(HWND window);
inline std::wstring ControlText(HWND window, int id) { return TextOf(GetDlgItem(window, id)); }

// A program started for a test; ended by force if it still runs when the test ends.
class ChildProcess {
 public:
  // Starts commandLine exactly as given, in directory.
  ChildProcess(const std::wstring& commandLine, const std::wstring& directory);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  // Its exit code, or STILL_ACTIVE when it has not ended within the time.
  DWORD WaitExit(DWORD milliseconds) const;
  // Its visible top-level window captioned caption (our messages pumped meanwhile), or null.
  HWND WaitForWindow(const std::wstring& caption, std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

 private:
  PROCESS_INFORMATION info_ = {};
};

// Pixels of a captured client area, top row first.
class WindowPixels {
 public:
  WindowPixels() = default;
  WindowPixels(int width, int height, std::vector<DWORD> bgra)
      : width_(width), height_(height), bgra_(std::move(bgra)) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return bgra_.empty(); }
  // The colour at client point (x, y) as RGB() makes it; CLR_INVALID outside the capture.
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    DWORD pixel = bgra_[static_cast<size_t>(y) * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> bgra_;
};

// The client area of window as the display shows it, children included, in a 32-bit bitmap; Empty()
// when it cannot be captured. Bring the window to the top first. (PrintWindow would capture a
// covered window, but Wine's leaves the child windows out.)
WindowPixels CaptureClient(HWND window);

}  // namespace testing_support
