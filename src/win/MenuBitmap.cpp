// Menu pictures from image-list images.
#include "win/MenuBitmap.h"

#include <cstdint>

namespace win {
namespace {

HBITMAP MakeDib(HDC dc, int width, int height, std::uint32_t** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

}  // namespace

UniqueBitmap MenuBitmapFromImageList(HIMAGELIST images, int index) {
  int width = 0, height = 0;
  if (!images || !ImageList_GetIconSize(images, &width, &height) || index < 0 ||
      index >= ImageList_GetImageCount(images))
    return UniqueBitmap();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  std::uint32_t* onBlack = nullptr;
  std::uint32_t* onWhite = nullptr;
  UniqueBitmap black(MakeDib(screen, width, height, &onBlack));
  UniqueBitmap white(MakeDib(screen, width, height, &onWhite));
  std::uint32_t* result = nullptr;
  UniqueBitmap picture(MakeDib(screen, width, height, &result));
  if (black && white && picture) {
    // Drawn once over black and once over white: where the two differ the image lets the
    // background through, which gives the alpha of every pixel whatever kind the image is.
    const int count = width * height;
    for (int i = 0; i < count; ++i) onWhite[i] = 0x00FFFFFF;
    HGDIOBJ old = SelectObject(memory, black.Get());
    ImageList_Draw(images, index, memory, 0, 0, ILD_TRANSPARENT);
    SelectObject(memory, white.Get());
    ImageList_Draw(images, index, memory, 0, 0, ILD_TRANSPARENT);
    SelectObject(memory, old);
    GdiFlush();
    for (int i = 0; i < count; ++i) {
      int alpha = 255 - (static_cast<int>((onWhite[i] >> 8) & 0xFF) - static_cast<int>((onBlack[i] >> 8) & 0xFF));
      if (alpha < 0) alpha = 0;
      if (alpha > 255) alpha = 255;
      // Over black the drawn colour is already the colour times alpha: premultiplied.
      result[i] = (static_cast<std::uint32_t>(alpha) << 24) | (onBlack[i] & 0x00FFFFFF);
    }
  } else {
    picture.Reset();
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

}  // namespace win
