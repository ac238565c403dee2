// The skinned button's operations, hover tracking, clicks and message handling.
#include "controls/SkinButton.h"

#include <windowsx.h>
#include <mmsystem.h>

#include <algorithm>

#include "controls/Drawing.h"
#include "win/Dpi.h"
#include "win/Dialog.h"
#include "win/Seams.h"

namespace {

constexpr size_t kMaximumLink = 260;

}  // namespace

const win::MessageEntry<SkinButton> SkinButton::kMessages[] = {
    win::OnMessage(win::kReflectBase + WM_DRAWITEM, &SkinButton::OnDrawItem),
    win::OnMessage(win::kReflectBase + WM_CTLCOLORBTN, &SkinButton::OnColour),
    win::OnMessage(win::kReflectBase + WM_COMMAND, &SkinButton::OnReflectedCommand),
    win::OnMessage(WM_ERASEBKGND, &SkinButton::OnEraseBackground),
    win::OnMessage(WM_MOUSEMOVE, &SkinButton::OnMouseMove),
    win::OnMessage(WM_MOUSELEAVE, &SkinButton::OnHoverEnd<WM_MOUSELEAVE>),
    win::OnMessage(WM_KILLFOCUS, &SkinButton::OnHoverEnd<WM_KILLFOCUS>),
    win::OnMessage(WM_CANCELMODE, &SkinButton::OnHoverEnd<WM_CANCELMODE>),
    win::OnMessage(WM_ACTIVATE, &SkinButton::OnActivate),
    win::OnMessage(WM_ENABLE, &SkinButton::OnEnable),
    win::OnMessage(WM_SETCURSOR, &SkinButton::OnSetCursor),
    win::OnMessage(WM_SYSCOLORCHANGE, &SkinButton::OnSysColourChange),
    win::OnMessage(BM_SETSTYLE, &SkinButton::OnSetStyle),
    win::OnMessage(BM_SETCHECK, &SkinButton::OnSetCheck),
    win::OnMessage(BM_GETCHECK, &SkinButton::OnGetCheck),
    win::OnMessage(WM_GETDLGCODE, &SkinButton::OnGetDialogCode),
    win::OnMessage(WM_UPDATEUISTATE, &SkinButton::OnUiStateChange),
    win::OnMessage(WM_DESTROY, &SkinButton::OnDestroy),
    win::OnMessage(win::kDpiChangedAfterParent, &SkinButton::OnDpiChanged),
};

SkinButton::SkinButton() : win::Control(kMessages) { SetDefaultColours(false); }

void SkinButton::OnAttached() {
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  default_ = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  Redraw();
}

void SkinButton::Redraw(bool redraw) {
  if (redraw && Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool SkinButton::SetColour(int slot, COLORREF colour, bool redraw) {
  if (slot < 0 || slot >= kColourSlots) return false;
  colours_[slot] = colour;
  Redraw(redraw);
  return true;
}

bool SkinButton::ShiftColour(int slot, int delta, bool redraw) {
  if (slot < 0 || slot >= kColourSlots || delta < -255 || delta > 255) return false;
  COLORREF colour = colours_[slot];
  int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
  // The same amount on every channel keeps the hue: the shift stops where the first channel would.
  if (delta > 0) delta = std::min(delta, 255 - std::max({red, green, blue}));
  if (delta < 0) delta = std::max(delta, -std::min({red, green, blue}));
  return SetColour(slot, RGB(red + delta, green + delta, blue + delta), redraw);
}

COLORREF SkinButton::Colour(int slot) const {
  return slot >= 0 && slot < kColourSlots ? colours_[slot] : CLR_INVALID;
}

void SkinButton::SetDefaultColours(bool redraw) {
  for (int slot = 0; slot < kColourSlots; ++slot)
    colours_[slot] = GetSysColor(slot % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
  Redraw(redraw);
}

bool SkinButton::SetIcon(UINT iconId, int width, int height, HINSTANCE instance) {
  ClearImages(false);
  source_ = {Source::kIcon, iconId, 0, CLR_NONE, CLR_NONE, {width, height}, instance, nullptr, -1, -1};
  UINT dpi = win::DpiOf(Handle());
  hover_.icon = LoadIconResource(iconId, win::ScaleToDpi(width, dpi), win::ScaleToDpi(height, dpi), instance);
  hover_.size = IconSize(hover_.icon.Get());
  Redraw();
  return static_cast<bool>(hover_);
}

bool SkinButton::SetIconsFromImageList(HIMAGELIST list, int hoverIndex, int normalIndex) {
  ClearImages(false);
  source_ = {Source::kImageList, 0, 0, CLR_NONE, CLR_NONE, {0, 0}, nullptr, list, hoverIndex, normalIndex};
  int width = 0, height = 0;
  if (list) ImageList_GetIconSize(list, &width, &height);
  if (list && hoverIndex >= 0) hover_.icon.Reset(ImageList_GetIcon(list, hoverIndex, ILD_NORMAL));
  if (list && normalIndex >= 0) normal_.icon.Reset(ImageList_GetIcon(list, normalIndex, ILD_NORMAL));
  hover_.size = normal_.size = {width, height};
  Redraw();
  return static_cast<bool>(hover_);
}

bool SkinButton::SetBitmaps(UINT hoverId, COLORREF hoverTransparent, UINT normalId, COLORREF normalTransparent,
                            HINSTANCE instance) {
  ClearImages(false);
  source_ = {Source::kBitmaps, hoverId, normalId, hoverTransparent, normalTransparent, {0, 0}, instance, nullptr, -1, -1};
  UINT dpi = win::DpiOf(Handle());
  hover_.bitmap = LoadArtForDpi(hoverId, dpi, hoverTransparent, instance);
  hover_.transparent = hoverTransparent;
  hover_.size = BitmapSize(hover_.bitmap.Get());
  normal_.bitmap = LoadArtForDpi(normalId, dpi, normalTransparent, instance);
  normal_.transparent = normalTransparent;
  normal_.size = BitmapSize(normal_.bitmap.Get());
  Redraw();
  return static_cast<bool>(hover_);
}

void SkinButton::ClearImages(bool redraw) {
  hover_ = Image();
  normal_ = Image();
  source_ = Source();
  sizedToImage_ = false;
  Redraw(redraw);
}

INT_PTR SkinButton::OnDpiChanged(WPARAM, LPARAM) {
  // Taken again for the DPI the window now has: the same pictures, drawn for it.
  Source source = source_;
  bool sized = sizedToImage_;
  switch (source.kind) {
    case Source::kIcon:
      SetIcon(source.hoverId, source.iconSize.cx, source.iconSize.cy, source.instance);
      break;
    case Source::kImageList:
      SetIconsFromImageList(source.list, source.hoverIndex, source.normalIndex);
      break;
    case Source::kBitmaps:
      SetBitmaps(source.hoverId, source.hoverTransparent, source.normalId, source.normalTransparent, source.instance);
      break;
    default:
      break;
  }
  if (sized) SizeToImage();
  background_.Reset();
  return 0;
}

void SkinButton::SetCursor(UINT cursorId, bool redraw, HINSTANCE instance) {
  cursor_ = LoadCursorResource(cursorId, instance);
  Redraw(redraw);
}

void SkinButton::SetTooltipText(const std::wstring& text, bool activate) { tooltip_.SetText(Handle(), text, activate); }

void SkinButton::SetTooltipTitle(const std::wstring& title, UINT iconId, int iconSize) {
  tooltip_.SetTitle(Handle(), title, iconId, iconSize);
}

void SkinButton::SetFlat(bool flat, bool redraw) {
  flat_ = flat;
  Redraw(redraw);
}

void SkinButton::SetBorder(bool border, bool redraw) {
  border_ = border;
  Redraw(redraw);
}

void SkinButton::SetAlignment(int alignment, bool redraw) {
  if (alignment < kImageLeft || alignment > kImageFill) return;
  alignment_ = alignment;
  Redraw(redraw);
}

void SkinButton::SetPressedOffset(int style, bool redraw) {
  pressedStyle_ = style;
  Redraw(redraw);
}

void SkinButton::SetFlatFocus(bool flatFocus, bool redraw) {
  flatFocus_ = flatFocus;
  Redraw(redraw);
}

void SkinButton::SetImageOnly(bool imageOnly, bool redraw) {
  imageOnly_ = imageOnly;
  Redraw(redraw);
}

void SkinButton::SetAlwaysPressed(bool alwaysPressed, bool redraw) {
  alwaysPressed_ = alwaysPressed;
  Redraw(redraw);
}

void SkinButton::SizeToImage() {
  if (!hover_ || !Handle()) return;
  sizedToImage_ = true;
  SetWindowPos(Handle(), nullptr, 0, 0, hover_.size.cx, hover_.size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Redraw();
}

void SkinButton::DrawTransparent(bool redraw) {
  transparent_ = true;
  background_.Reset();
  Redraw(redraw);
}

bool SkinButton::SetMenu(UINT menuId, HWND owner, HINSTANCE instance) {
  menu_.Reset(LoadMenuW(ResourceModule(instance), MAKEINTRESOURCEW(menuId)));
  menuOwner_ = owner;
  return static_cast<bool>(menu_);
}

void SkinButton::SetLinkTarget(const std::wstring& target) { link_ = target.substr(0, kMaximumLink); }

void SkinButton::SetSounds(const std::wstring& hover, const std::wstring& click) {
  hoverSound_ = hover;
  clickSound_ = click;
}

void SkinButton::Play(const std::wstring& sound) const {
  if (!sound.empty()) PlaySoundW(sound.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void SkinButton::Click() {
  Play(clickSound_);
  if (checkBox_) {
    checked_ = !checked_;
    Redraw();
  } else if (menu_) {
    ShowMenu();
  } else if (!link_.empty()) {
    // No owner window: a link that cannot be opened fails quietly instead of raising a box.
    win::ShellRun(nullptr, L"open", link_, L"", L"", SW_SHOWMAXIMIZED);
  }
}

void SkinButton::ShowMenu() {
  HMENU popup = GetSubMenu(menu_.Get(), 0);
  if (!popup) return;
  HWND owner = menuOwner_ ? menuOwner_ : GetParent(Handle());
  RECT rect;
  GetWindowRect(Handle(), &rect);
  menuShowing_ = true;
  Redraw();
  UpdateWindow(Handle());
  UINT command = TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, rect.left,
                                  rect.bottom, owner, nullptr);
  menuShowing_ = false;
  Redraw();
  if (command) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void SkinButton::CancelHover() {
  if (!hovering_) return;
  hovering_ = false;
  Redraw();
}

INT_PTR SkinButton::OnReflectedCommand(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) == BN_CLICKED) Click();
  return 0;
}

INT_PTR SkinButton::OnColour(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH)); }

// The whole button is drawn by OnDrawItem; erasing first would only flicker.
INT_PTR SkinButton::OnEraseBackground(WPARAM, LPARAM) { return TRUE; }

INT_PTR SkinButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  // A press that started elsewhere and slides onto the button does not light it up.
  if (flat_ && !((wParam & MK_LBUTTON) && !hovering_)) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Handle(), &point);
    if (WindowFromPoint(point) != Handle()) {
      CancelHover();
    } else if (!hovering_) {
      hovering_ = true;
      Redraw();
      Play(hoverSound_);
      TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
      TrackMouseEvent(&track);
    }
  }
  return CallDefault(WM_MOUSEMOVE, wParam, lParam);
}

INT_PTR SkinButton::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) CancelHover();
  return CallDefault(WM_ACTIVATE, wParam, lParam);
}

INT_PTR SkinButton::OnEnable(WPARAM wParam, LPARAM lParam) {
  if (!wParam) {
    // A disabled window keeping the focus would leave the keyboard dead.
    if (GetFocus() == Handle()) {
      HWND parent = GetParent(Handle());
      HWND next = GetNextDlgTabItem(parent, Handle(), FALSE);
      ::SetFocus(next && next != Handle() ? next : parent);
    }
    CancelHover();
  }
  return CallDefault(WM_ENABLE, wParam, lParam);
}

INT_PTR SkinButton::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  if (!cursor_) return CallDefault(WM_SETCURSOR, wParam, lParam);
  ::SetCursor(cursor_);
  return TRUE;
}

INT_PTR SkinButton::OnSysColourChange(WPARAM wParam, LPARAM lParam) {
  background_.Reset();
  SetDefaultColours();
  return CallDefault(WM_SYSCOLORCHANGE, wParam, lParam);
}

INT_PTR SkinButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  // The dialog manager moves the default button around with this message; the button stays
  // owner-drawn and only remembers which it is.
  default_ = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return CallDefault(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
}

INT_PTR SkinButton::OnSetCheck(WPARAM wParam, LPARAM lParam) {
  if (!checkBox_) return CallDefault(BM_SETCHECK, wParam, lParam);
  checked_ = wParam == BST_CHECKED;
  Redraw();
  return 0;
}

INT_PTR SkinButton::OnGetCheck(WPARAM wParam, LPARAM lParam) {
  if (!checkBox_) return CallDefault(BM_GETCHECK, wParam, lParam);
  return checked_ ? BST_CHECKED : BST_UNCHECKED;
}

INT_PTR SkinButton::OnGetDialogCode(WPARAM, LPARAM) {
  return DLGC_BUTTON | (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The first key press in the window shows the focus cues: the focus mark must appear at once.
INT_PTR SkinButton::OnUiStateChange(WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallDefault(WM_UPDATEUISTATE, wParam, lParam);
  Redraw();
  return result;
}

INT_PTR SkinButton::OnDestroy(WPARAM wParam, LPARAM lParam) {
  tooltip_.Destroy();
  return CallDefault(WM_DESTROY, wParam, lParam);
}
