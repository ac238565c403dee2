// A list's column header as tall as at 96 DPI times the DPI's scale, its titles as far from the
// column's edge.
//
// The header makes itself as tall as its font plus a border of fixed pixels, and the font does not
// grow exactly with the DPI either (19 pixels at 144 DPI where 96 DPI has 13): at 150% the header
// came out 23 pixels high instead of 26, and every row under it sat higher than the pictures and
// skin beside the list. Its margin before a title stays 6 pixels unless told otherwise.
#pragma once
#include <windows.h>

#include "win/Control.h"

class ScaledHeader : public win::Control {
 public:
  ScaledHeader();
  // Attaches to the header of the report-view list; the list lays its rows out again.
  bool AttachToList(HWND list);

 private:
  INT_PTR OnLayout(WPARAM, LPARAM);

  static const win::MessageEntry<ScaledHeader> kMessages[];
};

// The height a header with text of textHeight pixels at dpi, and its own border of border pixels,
// has at 96 DPI times the DPI's scale; textHeightAt96 is the same font's text height at 96 DPI.
int ScaledHeaderHeight(int textHeight, int textHeightAt96, int border, UINT dpi);
