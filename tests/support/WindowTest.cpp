// Window test helpers: message pumping, child programs and their windows, controls, pixels.
#include "WindowTest.h"

#include <cstring>

#include "win/Gdi.h"
#include "win/Handles.h"

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

namespace {

Pixels Capture(HDC source, int width, int height) {
  Pixels pixels;
  if (width <= 0 || height <= 0) return pixels;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::UniqueBitmap dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return pixels;
  {
    win::MemoryDc target(source, dib.Get());
    BitBlt(target.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
  }
  pixels.width = width;
  pixels.height = height;
  pixels.data.resize(static_cast<size_t>(width) * height);
  std::memcpy(pixels.data.data(), bits, pixels.data.size() * sizeof(uint32_t));
  for (uint32_t& value : pixels.data) value &= 0xFFFFFF;
  return pixels;
}

}  // namespace

Pixels CaptureClient(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  win::WindowDc dc(window);
  return Capture(dc.Get(), client.right, client.bottom);
}

Pixels BitmapPixels(UINT bitmapId) {
  win::UniqueBitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return BitmapPixels(bitmap.Get());
}

Pixels BitmapPixels(HBITMAP bitmap) {
  BITMAP size = {};
  GetObjectW(bitmap, sizeof(size), &size);
  win::WindowDc screen(nullptr);
  win::MemoryDc source(screen.Get(), bitmap);
  return Capture(source.Get(), size.bmWidth, size.bmHeight);
}

void SetClientSize(HWND window, int width, int height) {
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 20, 20, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace testing_support
