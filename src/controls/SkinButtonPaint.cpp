// How the skinned button draws itself: state, background, border, image, caption, focus.
#include "controls/SkinButton.h"

#include <string>

#include "controls/Drawing.h"
#include "win/Gdi.h"

namespace {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  COLORREF previous = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

void Line(HDC dc, int fromX, int fromY, int toX, int toY, int colourIndex) {
  win::UniquePen pen(CreatePen(PS_SOLID, 1, GetSysColor(colourIndex)));
  win::Selection selected(dc, pen.Get());
  MoveToEx(dc, fromX, fromY, nullptr);
  LineTo(dc, toX, toY);
}

}  // namespace

SkinButton::State SkinButton::ReadState(const DRAWITEMSTRUCT& item) const {
  State state;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  state.pressed = checkBox_ ? (checked_ || selected) : (selected || alwaysPressed_ || menuShowing_);
  state.focused = (item.itemState & ODS_FOCUS) != 0;
  state.disabled = (item.itemState & ODS_DISABLED) != 0;
  state.hovering = hovering_;
  LRESULT uiState = SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0);
  state.focusCues = !(uiState & UISF_HIDEFOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
  return state;
}

POINT SkinButton::PressedOffset(const State& state) const {
  if (!state.pressed) return {0, 0};
  return pressedStyle_ == 1 ? POINT{0, 2} : POINT{1, 1};
}

INT_PTR SkinButton::OnDrawItem(WPARAM, LPARAM lParam) {
  const DRAWITEMSTRUCT& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  RECT whole = {0, 0, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
  if (whole.right <= 0 || whole.bottom <= 0) return TRUE;
  // Drawn off screen and copied in one go, so the steps never show one by one.
  win::UniqueBitmap bufferBitmap(CreateCompatibleBitmap(item.hDC, whole.right, whole.bottom));
  win::MemoryDc buffer(item.hDC, bufferBitmap.Get());
  if (!buffer) return TRUE;
  HDC dc = buffer.Get();
  win::Selection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));

  State state = ReadState(item);
  RECT rect = whole;
  DrawBackground(dc, rect, state);
  DrawBorder(dc, rect, state);
  RECT textRect = DrawImage(dc, whole, state);
  if (!imageOnly_) DrawCaption(dc, textRect, state);
  // A keyboard user must see where the focus is, on flat buttons too.
  if (state.focused && (!flat_ || flatFocus_ || state.focusCues)) {
    RECT focus = whole;
    // A picture button is hardly larger than its picture: the mark goes round it.
    int inset = imageOnly_ ? 1 : 3;
    InflateRect(&focus, -inset, -inset);
    DrawFocusRect(dc, &focus);
  }
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, whole.right, whole.bottom, dc, 0, 0, SRCCOPY);
  return TRUE;
}

void SkinButton::DrawBackground(HDC dc, RECT& rect, const State& state) {
  if (transparent_) {
    SIZE kept = BitmapSize(background_.Get());
    if (kept.cx != rect.right || kept.cy != rect.bottom) {
      background_.Reset(CreateCompatibleBitmap(dc, rect.right, rect.bottom));
      win::MemoryDc copy(dc, background_.Get());
      PaintParentBackground(Handle(), copy.Get());
    }
    DrawBitmap(dc, 0, 0, background_.Get(), CLR_NONE);
    return;
  }
  if (!flat_ && (state.focused || default_)) {
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&rect, -1, -1);
  }
  int slot = state.hovering || state.pressed ? kBackHover : state.focused ? kBackFocus : kBackNormal;
  FillSolid(dc, rect, colours_[slot]);
}

void SkinButton::DrawBorder(HDC dc, const RECT& rect, const State& state) const {
  RECT edge = rect;
  if (state.pressed) {
    if (!flat_)
      FrameRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));
    else if (border_)
      DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    return;
  }
  if (flat_) {
    if (border_ && state.hovering) DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    return;
  }
  // The classic raised edge: highlight and light on the top-left, dark shadow and shadow on the
  // bottom-right, outer ring first.
  int right = edge.right - 1, bottom = edge.bottom - 1;
  Line(dc, edge.left, bottom, edge.left, edge.top, COLOR_3DHILIGHT);
  Line(dc, edge.left, edge.top, right, edge.top, COLOR_3DHILIGHT);
  Line(dc, edge.left + 1, bottom - 1, edge.left + 1, edge.top + 1, COLOR_3DLIGHT);
  Line(dc, edge.left + 1, edge.top + 1, right - 1, edge.top + 1, COLOR_3DLIGHT);
  Line(dc, edge.left, bottom, right + 1, bottom, COLOR_3DDKSHADOW);
  Line(dc, right, edge.top, right, bottom, COLOR_3DDKSHADOW);
  Line(dc, edge.left + 1, bottom - 1, right, bottom - 1, COLOR_3DSHADOW);
  Line(dc, right - 1, edge.top + 1, right - 1, bottom - 1, COLOR_3DSHADOW);
}

RECT SkinButton::DrawImage(HDC dc, const RECT& rect, const State& state) const {
  bool useHover = checkBox_ ? checked_ : (state.hovering || state.pressed);
  const Image& image = useHover || !normal_ ? hover_ : normal_;
  if (!image) return rect;
  SIZE size = image.size;
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  RECT text = rect;
  POINT at = {rect.left, rect.top};
  switch (alignment_) {
    case kImageLeft:
      at = {rect.left + 3, rect.top + (height - size.cy) / 2};
      text.left = at.x + size.cx;
      break;
    case kImageTop:
      at = {rect.left + (width - size.cx) / 2, rect.top + 3};
      text.top = at.y + size.cy;
      break;
    case kImageRight:
      at = {rect.right - 3 - size.cx, rect.top + (height - size.cy) / 2};
      text.right = at.x;
      break;
    default:
      break;  // over the whole button, text on top of it
  }
  POINT offset = PressedOffset(state);
  at.x += offset.x;
  at.y += offset.y;
  UINT disabled = state.disabled ? DSS_DISABLED : DSS_NORMAL;
  if (image.icon) {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image.icon.Get()), 0, at.x, at.y, size.cx, size.cy,
               DST_ICON | disabled);
  } else if (state.disabled) {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image.bitmap.Get()), 0, at.x, at.y, size.cx, size.cy,
               DST_BITMAP | DSS_DISABLED);
  } else {
    DrawBitmap(dc, at.x, at.y, image.bitmap.Get(), image.transparent);
  }
  return text;
}

void SkinButton::DrawCaption(HDC dc, RECT rect, const State& state) const {
  int length = GetWindowTextLengthW(Handle());
  if (length <= 0) return;
  std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
  caption.resize(GetWindowTextW(Handle(), caption.data(), length + 1));
  POINT offset = PressedOffset(state);
  OffsetRect(&rect, offset.x, offset.y);
  // DT_VCENTER ignores word-wrapped text: measure, then centre by hand.
  RECT measured = rect;
  DrawTextW(dc, caption.c_str(), -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
  int top = rect.top + ((rect.bottom - rect.top) - (measured.bottom - measured.top)) / 2;
  rect.top = top;
  rect.bottom = top + (measured.bottom - measured.top);
  int mode = SetBkMode(dc, TRANSPARENT);
  UINT format = DT_CENTER | DT_WORDBREAK;
  if (state.disabled) {
    // Embossed: the highlight one pixel down-right, the shadow on top.
    RECT raised = rect;
    OffsetRect(&raised, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, caption.c_str(), -1, &raised, format);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
  } else {
    int slot = state.hovering || state.pressed ? kTextHover : state.focused ? kTextFocus : kTextNormal;
    SetTextColor(dc, colours_[slot]);
  }
  DrawTextW(dc, caption.c_str(), -1, &rect, format);
  SetBkMode(dc, mode);
}
