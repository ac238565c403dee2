// Answers the list's HDM_LAYOUT with the scaled height.
#include "controls/ScaledHeader.h"

#include <commctrl.h>

#include <algorithm>

#include "win/Dpi.h"

namespace {

constexpr int kMarginAt96 = 6;

// The text height of the header's font, at the window's DPI and at 96 DPI.
struct TextHeights {
  int now = 0, at96 = 0;
};

int TextHeight(HDC dc, const LOGFONTW& look) {
  HFONT font = CreateFontIndirectW(&look);
  if (!font) return 0;
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  DeleteObject(font);
  return metrics.tmHeight;
}

TextHeights HeaderTextHeights(HWND header, UINT dpi) {
  TextHeights heights;
  auto font = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
  LOGFONTW look = {};
  if (!font || !GetObjectW(font, sizeof(look), &look) || look.lfHeight == 0) return heights;
  HDC dc = GetDC(header);
  if (!dc) return heights;
  heights.now = TextHeight(dc, look);
  look.lfHeight = MulDiv(look.lfHeight, static_cast<int>(win::kBaseDpi), static_cast<int>(dpi));
  heights.at96 = TextHeight(dc, look);
  ReleaseDC(header, dc);
  return heights;
}

}  // namespace

int ScaledHeaderHeight(int textHeight, int textHeightAt96, int border, UINT dpi) {
  int scaled = win::ScaleToDpi(textHeightAt96 + border, dpi);
  // Never shorter than the header wants for its font: on a system that already scales the
  // border, this leaves its height alone.
  return scaled > textHeight + border ? scaled : textHeight + border;
}

const win::MessageEntry<ScaledHeader> ScaledHeader::kMessages[] = {
    win::OnMessage(HDM_LAYOUT, &ScaledHeader::OnLayout),
};

ScaledHeader::ScaledHeader() : win::Control(kMessages) {}

bool ScaledHeader::AttachToList(HWND list) {
  if (!Attach(ListView_GetHeader(list))) return false;
  // The list asks for the header's height when it is sized.
  RECT rect = {};
  GetWindowRect(list, &rect);
  SetWindowPos(list, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

INT_PTR ScaledHeader::OnLayout(WPARAM wParam, LPARAM lParam) {
  LRESULT done = CallDefault(HDM_LAYOUT, wParam, lParam);
  auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
  UINT dpi = win::DpiOf(Handle());
  // The margin before a title (and around a picture or sort mark) is three edges wide.
  int margin = std::max(win::ScaleToDpi(kMarginAt96, dpi), 3 * win::SystemMetricForDpi(SM_CXEDGE, dpi));
  if (CallDefault(HDM_GETBITMAPMARGIN, 0, 0) != margin) CallDefault(HDM_SETBITMAPMARGIN, margin, 0);
  if (!done || !layout || !layout->prc || !layout->pwpos || dpi == win::kBaseDpi) return done;
  TextHeights heights = HeaderTextHeights(Handle(), dpi);
  if (heights.now <= 0 || heights.at96 <= 0) return done;
  int height = layout->pwpos->cy;
  int wanted = ScaledHeaderHeight(heights.now, heights.at96, height - heights.now, dpi);
  if (wanted <= height) return done;
  // The header sits on top of the rows: they start lower by as much.
  layout->pwpos->cy = wanted;
  layout->prc->top += wanted - height;
  return done;
}
