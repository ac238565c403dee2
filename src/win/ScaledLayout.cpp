// Reads the DIALOGEX template again and places the dialog's controls as at 96 DPI, scaled.
#include "win/ScaledLayout.h"

#include <utility>
#include <vector>

#include "win/Dpi.h"

namespace win {
namespace {

struct TemplateItem {
  int id;
  RECT units;  // dialog units: x, y, cx, cy
  bool placed = false;
};

struct ParsedTemplate {
  DWORD style = 0;
  RECT units = {};
  LOGFONTW font = {};  // lfHeight: the size in points, negated
  std::vector<TemplateItem> items;
};

// A sz_Or_Ord field: a number after 0xFFFF, else a string up to its terminator.
const WORD* SkipField(const WORD* at) {
  if (*at == 0xFFFF) return at + 2;
  while (*at) ++at;
  return at + 1;
}

DWORD DwordAt(const WORD* at) { return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 16; }

// x, y, cx and cy, as the template holds them.
RECT UnitsAt(const WORD* at) {
  return {static_cast<short>(at[0]), static_cast<short>(at[1]), static_cast<short>(at[2]), static_cast<short>(at[3])};
}

// Only a DIALOGEX with its own font: the program's templates all are.
bool Parse(HINSTANCE instance, UINT templateId, ParsedTemplate& out) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
  const WORD* at = found ? static_cast<const WORD*>(LockResource(LoadResource(instance, found))) : nullptr;
  if (!at || at[0] != 1 || at[1] != 0xFFFF) return false;
  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
  out.style = DwordAt(at + 6);
  if (!(out.style & DS_SETFONT)) return false;
  const WORD count = at[8];
  out.units = UnitsAt(at + 9);
  at += 13;
  for (int field = 0; field < 3; ++field) at = SkipField(at);  // menu, class, caption
  out.font.lfHeight = -static_cast<LONG>(at[0]);
  out.font.lfWeight = at[1];
  out.font.lfItalic = LOBYTE(at[2]);
  out.font.lfCharSet = HIBYTE(at[2]);
  at += 3;
  lstrcpynW(out.font.lfFaceName, reinterpret_cast<const wchar_t*>(at), LF_FACESIZE);
  at = SkipField(at);
  for (WORD n = 0; n < count; ++n) {
    at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR{3});
    // helpID, exStyle, style, x, y, cx, cy, id
    out.items.push_back({static_cast<int>(DwordAt(at + 10)), UnitsAt(at + 6)});
    at += 12;
    at = SkipField(at);  // class
    at = SkipField(at);  // title
    at += 1 + (*at + 1) / 2;  // the creation data's size in bytes, and the data
  }
  return true;
}

// A dialog's base units at dpi as the dialog manager measures them (GdiGetCharDimensions) for a
// template font whose lfHeight is minus its size in points; {0, 0} when it cannot be measured.
SIZE DialogBaseUnits(LOGFONTW font, UINT dpi) {
  font.lfHeight = -MulDiv(-font.lfHeight, static_cast<int>(dpi), 72);
  SIZE units = {0, 0};
  HDC screen = GetDC(nullptr);
  HFONT handle = CreateFontIndirectW(&font);
  if (screen && handle) {
    HGDIOBJ previous = SelectObject(screen, handle);
    SIZE letters = {};
    TEXTMETRICW metrics = {};
    if (GetTextExtentPoint32W(screen, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters) &&
        GetTextMetricsW(screen, &metrics))
      units = {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
    SelectObject(screen, previous);
  }
  if (handle) DeleteObject(handle);
  if (screen) ReleaseDC(nullptr, screen);
  return units;
}

// Pixels along one axis: the 96-DPI place scaled, or, where the font grows faster than the DPI
// (Tahoma 9 is 14 pixels high at 96 DPI and 18 at 120), the dialog manager's own, so that no text
// gets less room than the font needs.
struct Axis {
  int at96, atDpi, divisor;
  UINT dpi;
  bool FontLeads() const { return atDpi * static_cast<int>(kBaseDpi) > at96 * static_cast<int>(dpi); }
  // The edges from..from+size of units, as the dialog manager computes them (corner and size each
  // from its own units), then scaled.
  std::pair<int, int> Edges(int from, int size) const {
    const int base = FontLeads() ? atDpi : at96;
    const int start = MulDiv(from, base, divisor), end = start + MulDiv(size, base, divisor);
    if (FontLeads()) return {start, end};
    return {ScaleToDpi(start, dpi), ScaleToDpi(end, dpi)};
  }
};

}  // namespace

LOGFONTW TemplateFont(HINSTANCE instance, UINT templateId, UINT dpi) {
  ParsedTemplate form;
  if (!Parse(instance, templateId, form)) return {};
  form.font.lfHeight = -MulDiv(-form.font.lfHeight, static_cast<int>(dpi), 72);
  // The dialog manager asks for any character set of the face, not the template's.
  form.font.lfCharSet = DEFAULT_CHARSET;
  return form.font;
}

void LayOutScaled(HWND dialog, HINSTANCE instance, UINT templateId, UINT dpi) {
  if (!dialog) return;
  ParsedTemplate form;
  if (!Parse(instance, templateId, form)) return;
  const SIZE at96 = DialogBaseUnits(form.font, kBaseDpi), atDpi = DialogBaseUnits(form.font, dpi);
  if (at96.cx <= 0 || at96.cy <= 0 || atDpi.cx <= 0 || atDpi.cy <= 0) return;
  const Axis across = {at96.cx, atDpi.cx, 4, dpi}, down = {at96.cy, atDpi.cy, 8, dpi};
  auto scaled = [&](const RECT& units) {
    auto [left, right] = across.Edges(units.left, units.right);
    auto [top, bottom] = down.Edges(units.top, units.bottom);
    return RECT{left, top, right, bottom};
  };

  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    for (TemplateItem& item : form.items) {
      if (item.placed || item.id != id) continue;
      item.placed = true;
      const RECT at = scaled(item.units);
      SetWindowPos(child, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
  }

  if (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) return;
  const RECT client = scaled({0, 0, form.units.right, form.units.bottom});
  RECT window = {}, now = {};
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &now);
  const int width = window.right - window.left - now.right + client.right;
  const int height = window.bottom - window.top - now.bottom + client.bottom;
  SetWindowPos(dialog, nullptr, window.left + (window.right - window.left - width) / 2,
               window.top + (window.bottom - window.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win
