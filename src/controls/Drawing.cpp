// Drawing helpers shared by the skinned controls.
#include "controls/Drawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "art.h"
#include "win/Dpi.h"
#include "win/Gdi.h"

namespace {

// A picture as 32-bit pixels (0x00RRGGBB), top row first.
struct Pixels {
  int width = 0, height = 0;
  std::vector<DWORD> data;
};

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  return info;
}

Pixels ReadPixels(HBITMAP bitmap) {
  Pixels pixels;
  SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return pixels;
  pixels.width = size.cx;
  pixels.height = size.cy;
  pixels.data.resize(static_cast<size_t>(size.cx) * size.cy);
  BITMAPINFO info = TopDownInfo(size.cx, size.cy);
  win::WindowDc screen(nullptr);
  if (!GetDIBits(screen.Get(), bitmap, 0, size.cy, pixels.data.data(), &info, DIB_RGB_COLORS)) pixels = {};
  return pixels;
}

win::UniqueBitmap MakeBitmap(const Pixels& pixels) {
  BITMAPINFO info = TopDownInfo(pixels.width, pixels.height);
  void* bits = nullptr;
  win::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits) std::copy(pixels.data.begin(), pixels.data.end(), static_cast<DWORD*>(bits));
  return bitmap;
}

// Colour premultiplied by coverage: a hole has coverage 0.
struct Sample {
  float red = 0, green = 0, blue = 0, cover = 0;
};

// One pass of a tent filter along rows (or, transposed, columns): at least as wide as a source pixel
// when enlarging, as wide as the reduction when reducing, so every source pixel counts.
std::vector<Sample> Resample(const std::vector<Sample>& in, int lines, int from, int to, bool alongRows) {
  std::vector<Sample> out(static_cast<size_t>(lines) * to);
  float ratio = static_cast<float>(from) / static_cast<float>(to);
  float radius = std::max(1.0f, ratio);
  for (int d = 0; d < to; ++d) {
    float centre = (static_cast<float>(d) + 0.5f) * ratio - 0.5f;
    int first = std::max(0, static_cast<int>(std::floor(centre - radius)));
    int last = std::min(from - 1, static_cast<int>(std::ceil(centre + radius)));
    for (int line = 0; line < lines; ++line) {
      Sample sum;
      float weights = 0;
      for (int s = first; s <= last; ++s) {
        float weight = 1.0f - std::fabs(static_cast<float>(s) - centre) / radius;
        if (weight <= 0) continue;
        const Sample& p = alongRows ? in[static_cast<size_t>(line) * from + s] : in[static_cast<size_t>(s) * lines + line];
        sum.red += weight * p.red;
        sum.green += weight * p.green;
        sum.blue += weight * p.blue;
        sum.cover += weight * p.cover;
        weights += weight;
      }
      if (weights > 0) sum = {sum.red / weights, sum.green / weights, sum.blue / weights, sum.cover / weights};
      (alongRows ? out[static_cast<size_t>(line) * to + d] : out[static_cast<size_t>(d) * lines + line]) = sum;
    }
  }
  return out;
}

}  // namespace

win::UniqueBitmap ScaleBitmap(HBITMAP bitmap, SIZE size, COLORREF transparent) {
  Pixels source = ReadPixels(bitmap);
  if (source.data.empty() || size.cx <= 0 || size.cy <= 0) return {};
  // As GetDIBits gives them: blue in the low byte, the COLORREF the other way round.
  DWORD hole = transparent == CLR_NONE ? 0xFFFFFFFF
                                       : (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) | GetBValue(transparent);
  std::vector<Sample> samples(source.data.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    DWORD p = source.data[i] & 0xFFFFFF;
    if (p == hole) continue;
    samples[i] = {static_cast<float>((p >> 16) & 0xFF), static_cast<float>((p >> 8) & 0xFF),
                  static_cast<float>(p & 0xFF), 1.0f};
  }
  // Rows first, then the columns of the result.
  std::vector<Sample> wide = Resample(samples, source.height, source.width, size.cx, true);
  std::vector<Sample> done = Resample(wide, size.cx, source.height, size.cy, false);
  Pixels result{size.cx, size.cy, std::vector<DWORD>(done.size())};
  for (size_t i = 0; i < done.size(); ++i) {
    const Sample& s = done[i];
    if (s.cover < 0.5f) {
      result.data[i] = hole & 0xFFFFFF;
      continue;
    }
    auto channel = [&](float premultiplied) {
      return static_cast<DWORD>(std::clamp(std::lround(premultiplied / s.cover), 0L, 255L));
    };
    DWORD p = (channel(s.red) << 16) | (channel(s.green) << 8) | channel(s.blue);
    // A pixel that comes out as the key by chance would turn into a hole.
    if (p == hole) p ^= 1;
    result.data[i] = p;
  }
  return MakeBitmap(result);
}

win::UniqueBitmap LoadArtForDpi(UINT id, UINT dpi, COLORREF transparent, HINSTANCE instance, const RECT* part) {
  win::UniqueBitmap plain = LoadBitmapResource(id, instance);
  if (!plain) return plain;
  SIZE size = BitmapSize(plain.Get());
  RECT piece = part ? *part : RECT{0, 0, size.cx, size.cy};
  if (dpi == win::kBaseDpi || dpi == 0) return part ? CopyBitmapPart(plain.Get(), piece) : std::move(plain);
  int factor = 1;
  win::UniqueBitmap source = LoadBitmapResource(id + art::kDoubleSize, instance);
  if (source && BitmapSize(source.Get()).cx == 2 * size.cx) {
    factor = 2;
  } else {
    source = std::move(plain);
  }
  RECT scaledPiece = {piece.left * factor, piece.top * factor, piece.right * factor, piece.bottom * factor};
  win::UniqueBitmap cut = part ? CopyBitmapPart(source.Get(), scaledPiece) : std::move(source);
  if (!cut) return cut;
  SIZE target = {win::ScaleToDpi(piece.right - piece.left, dpi), win::ScaleToDpi(piece.bottom - piece.top, dpi)};
  SIZE have = BitmapSize(cut.Get());
  if (have.cx == target.cx && have.cy == target.cy) return cut;
  return ScaleBitmap(cut.Get(), target, transparent);
}

HINSTANCE ResourceModule(HINSTANCE instance) { return instance ? instance : GetModuleHandleW(nullptr); }

HCURSOR LoadCursorResource(UINT id, HINSTANCE instance) {
  if (id == 0) return nullptr;
  HCURSOR cursor = LoadCursorW(ResourceModule(instance), MAKEINTRESOURCEW(id));
  if (!cursor && id == kHandCursor) cursor = LoadCursorW(nullptr, IDC_HAND);
  return cursor;
}

win::UniqueBitmap LoadBitmapResource(UINT id, HINSTANCE instance) {
  if (id == 0) return {};
  return win::UniqueBitmap(static_cast<HBITMAP>(
      LoadImageW(ResourceModule(instance), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

win::UniqueIcon LoadIconResource(UINT id, int width, int height, HINSTANCE instance) {
  if (id == 0) return {};
  return win::UniqueIcon(static_cast<HICON>(
      LoadImageW(ResourceModule(instance), MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  // GetIconInfo hands out copies of both bitmaps; a monochrome icon's mask is twice its height.
  SIZE size = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
  if (!info.hbmColor) size.cy /= 2;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

win::UniqueBitmap CopyBitmapPart(HBITMAP source, const RECT& part) {
  int width = part.right - part.left;
  int height = part.bottom - part.top;
  if (!source || width <= 0 || height <= 0) return {};
  win::WindowDc screen(nullptr);
  win::UniqueBitmap copy(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!copy) return {};
  win::MemoryDc from(screen.Get(), source);
  win::MemoryDc to(screen.Get(), copy.Get());
  BitBlt(to.Get(), 0, 0, width, height, from.Get(), part.left, part.top, SRCCOPY);
  return copy;
}

void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent) {
  SIZE size = BitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return;
  win::MemoryDc source(dc, bitmap);
  if (transparent == CLR_NONE) {
    BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    return;
  }
  // The classic mask trick (TransparentBlt needs msimg32): a monochrome mask is white where the
  // bitmap has the transparent colour; XOR, AND with the mask, XOR again keeps the target there.
  win::UniqueBitmap maskBitmap(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
  win::MemoryDc mask(dc, maskBitmap.Get());
  COLORREF sourceBack = SetBkColor(source.Get(), transparent);
  BitBlt(mask.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
  SetBkColor(source.Get(), sourceBack);
  COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCINVERT);
  BitBlt(dc, x, y, size.cx, size.cy, mask.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCINVERT);
  SetBkColor(dc, back);
  SetTextColor(dc, text);
}

void PaintParentBackground(HWND control, HDC dc) {
  HWND parent = GetParent(control);
  RECT rect;
  GetClientRect(control, &rect);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  if (!parent) return;
  POINT origin = {0, 0};
  MapWindowPoints(control, parent, &origin, 1);
  POINT previous;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void RedrawWithParent(HWND control) {
  HWND parent = GetParent(control);
  if (!parent) {
    InvalidateRect(control, nullptr, TRUE);
    return;
  }
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
