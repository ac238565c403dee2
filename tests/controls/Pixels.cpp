// Pixel read-back for the drawing tests.
#include "Pixels.h"

#include <cstring>

#include "win/Gdi.h"
#include "win/Handles.h"

namespace testing_support {
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
  BITMAP size = {};
  GetObjectW(bitmap.Get(), sizeof(size), &size);
  win::WindowDc screen(nullptr);
  win::MemoryDc source(screen.Get(), bitmap.Get());
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
