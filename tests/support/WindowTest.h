// What window tests share: pumping this thread's messages, starting a program and finding its
// windows, clicking and reading controls (ours or another process's), and capturing pixels.
#pragma once
#include <windows.h>

#include <chrono>
#include <cstdint>
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
// The child dialog (a page of a tabbed dialog) that holds control id, or null.
inline HWND ChildPageHolding(HWND dialog, int id) {
  for (HWND page = FindWindowExW(dialog, nullptr, MAKEINTATOM(32770), nullptr); page;
       page = FindWindowExW(dialog, page, MAKEINTATOM(32770), nullptr)) {
    if (GetDlgItem(page, id)) return page;
  }
  return nullptr;
}

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

// What a window shows or a bitmap holds, pixel by pixel.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> data;  // 0x00RRGGBB, rows top to bottom

  COLORREF At(int x, int y) const {
    uint32_t value = data[static_cast<size_t>(y) * width + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
  }
};

// The client area of window as drawn at this moment.
Pixels CaptureClient(HWND window);
// A bitmap resource of the test program.
Pixels BitmapPixels(UINT bitmapId);
Pixels BitmapPixels(HBITMAP bitmap);

// Resizes a top-level window so that its client area has exactly this size.
void SetClientSize(HWND window, int width, int height);
// Invalidates window with its children and has every part repainted before returning.
void PaintNow(HWND window);

}  // namespace testing_support
