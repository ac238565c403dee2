// Reading back what a window shows and what a bitmap holds, pixel by pixel, for the drawing tests.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace testing_support {

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

// Resizes a top-level window so that its client area has exactly this size.
void SetClientSize(HWND window, int width, int height);
// Invalidates window with its children and has every part repainted before returning.
void PaintNow(HWND window);

}  // namespace testing_support
