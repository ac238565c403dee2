// Window test helpers: message pumping, child programs and their windows, controls, pixels.
#include "WindowTest.h"

namespace testing_support {

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    PumpMessages();
    Sleep(20);
  }
  return true;
}

namespace {

struct WindowSearch {
  DWORD processId;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t text[256];
  GetWindowTextW(hwnd, text, 256);
  if (*search->caption != text) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const std::wstring& caption) {
  WindowSearch search{processId, &caption, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ClickControl(HWND window, int id) {
  SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
  PumpMessages();
}

std::wstring TextOf(HWND window) {
  auto length = static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& directory) {
  std::wstring line = commandLine;
  STARTUPINFOW startup = {sizeof(startup)};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &info_))
    info_ = {};
}

ChildProcess::~ChildProcess() {
  if (!Started()) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

DWORD ChildProcess::WaitExit(DWORD milliseconds) const {
  if (!Started() || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND ChildProcess::WaitForWindow(const std::wstring& caption, std::chrono::milliseconds timeout) const {
  HWND window = nullptr;
  PumpUntil([&] { return (window = FindProcessWindow(Id(), caption)) != nullptr; }, timeout);
  return window;
}

WindowPixels CaptureClient(HWND window) {
  RECT client;
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return {};
  int width = client.right, height = client.bottom;
  // Whatever is still waiting to be painted must reach the screen before it is read back.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  bool copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
  SelectObject(memory, previous);
  // 32 bits a pixel, and a negative height for the top row first.
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB};
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  copied = copied && GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != 0;
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return copied ? WindowPixels(width, height, std::move(pixels)) : WindowPixels();
}

}  // namespace testing_support
