// The skinned push button: owner-drawn with flat colours, icons or bitmaps, hover tracking, a
// cursor and a tooltip; optionally a check box, a drop-down menu or a link.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "controls/Tooltip.h"
#include "win/Control.h"
#include "win/Handles.h"

class SkinButton : public win::Control {
 public:
  // Colour slots.
  static constexpr int kBackHover = 0;  // hovered or pressed
  static constexpr int kTextHover = 1;
  static constexpr int kBackNormal = 2;
  static constexpr int kTextNormal = 3;
  static constexpr int kBackFocus = 4;
  static constexpr int kTextFocus = 5;
  static constexpr int kColourSlots = 6;

  // Where the image goes.
  static constexpr int kImageLeft = 0;   // left of the text
  static constexpr int kImageTop = 1;    // above the text
  static constexpr int kImageRight = 2;  // right of the text
  static constexpr int kImageFill = 3;   // over the whole button from its top-left corner

  SkinButton();

  // False (and nothing changes) for a slot outside 0 to 5.
  bool SetColour(int slot, COLORREF colour, bool redraw = true);
  // Adds delta (-255 to 255) to red, green and blue alike, cut so that no channel leaves 0 to 255.
  bool ShiftColour(int slot, int delta, bool redraw = true);
  // CLR_INVALID outside 0 to 5.
  COLORREF Colour(int slot) const;
  void SetDefaultColours(bool redraw = true);

  // The hover image; with no normal image it shows in every state. Sizes and pictures are those of
  // 96 DPI: the button takes them at its window's DPI, and again when that changes.
  bool SetIcon(UINT iconId, int width, int height, HINSTANCE instance = nullptr);
  // normalIndex -1: no normal image.
  bool SetIconsFromImageList(HIMAGELIST list, int hoverIndex, int normalIndex = -1);
  // normalId 0: no normal image. transparent: the colour left undrawn, or CLR_NONE.
  bool SetBitmaps(UINT hoverId, COLORREF hoverTransparent, UINT normalId, COLORREF normalTransparent,
                  HINSTANCE instance = nullptr);
  void ClearImages(bool redraw = true);

  // 0: the default arrow.
  void SetCursor(UINT cursorId, bool redraw = false, HINSTANCE instance = nullptr);
  void SetTooltipText(const std::wstring& text, bool activate = true);
  // iconId 0: the system's information icon.
  void SetTooltipTitle(const std::wstring& title, UINT iconId = 0, int iconSize = 16);
  // Before the first tooltip text.
  void UseBalloonTooltips() { tooltip_.UseBalloon(); }

  void SetFlat(bool flat, bool redraw = true);
  // The 3-D edge of flat mode.
  void SetBorder(bool border, bool redraw = true);
  void SetAlignment(int alignment, bool redraw = true);
  // Style 0 moves image and text by (1,1) while pressed, style 1 by (0,2).
  void SetPressedOffset(int style, bool redraw = true);
  // The focus rectangle in flat mode too.
  void SetFlatFocus(bool flatFocus, bool redraw = true);
  // The window text stays a name for screen readers and is never drawn: a picture button.
  void SetImageOnly(bool imageOnly, bool redraw = true);
  bool IsImageOnly() const { return imageOnly_; }
  // Drawn pressed whatever the state (the selected page button).
  void SetAlwaysPressed(bool alwaysPressed, bool redraw = true);
  // Resizes the button to its (hover) image, and again when the DPI changes the image.
  void SizeToImage();
  // Draws over a copy of the parent's background, taken again at the next paint.
  void DrawTransparent(bool redraw = true);

  void SetCheckBoxMode(bool checkBox) { checkBox_ = checkBox; }
  bool IsChecked() const { return checked_; }
  // The first submenu of menu resource menuId drops down below the button; the chosen command is
  // posted to owner (the button's parent when null).
  bool SetMenu(UINT menuId, HWND owner = nullptr, HINSTANCE instance = nullptr);
  // Opened by the shell when clicked (at most 260 characters are kept).
  void SetLinkTarget(const std::wstring& target);
  // Wave files played on entering and on clicking; empty: none.
  void SetSounds(const std::wstring& hover, const std::wstring& click);

  bool IsHovering() const { return hovering_; }

 protected:
  void OnAttached() override;

 private:
  struct Image {
    win::UniqueIcon icon;
    win::UniqueBitmap bitmap;
    COLORREF transparent = CLR_NONE;
    SIZE size = {0, 0};
    explicit operator bool() const { return icon || bitmap; }
  };
  struct State {
    bool pressed, focused, disabled, hovering;
    // The window's UI state shows focus cues (the keyboard has been used in it).
    bool focusCues;
  };

  INT_PTR OnDrawItem(WPARAM, LPARAM);
  INT_PTR OnColour(WPARAM, LPARAM);
  INT_PTR OnReflectedCommand(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  // Leaving, losing the focus, a cancelled mode: the hover look ends, the message goes on.
  template <UINT Message>
  INT_PTR OnHoverEnd(WPARAM wParam, LPARAM lParam) {
    CancelHover();
    return CallDefault(Message, wParam, lParam);
  }
  INT_PTR OnActivate(WPARAM, LPARAM);
  INT_PTR OnEnable(WPARAM, LPARAM);
  INT_PTR OnSetCursor(WPARAM, LPARAM);
  INT_PTR OnSysColourChange(WPARAM, LPARAM);
  INT_PTR OnSetStyle(WPARAM, LPARAM);
  INT_PTR OnSetCheck(WPARAM, LPARAM);
  INT_PTR OnGetCheck(WPARAM, LPARAM);
  INT_PTR OnGetDialogCode(WPARAM, LPARAM);
  INT_PTR OnUiStateChange(WPARAM, LPARAM);
  INT_PTR OnDestroy(WPARAM, LPARAM);
  INT_PTR OnDpiChanged(WPARAM, LPARAM);

  void Click();
  void ShowMenu();
  void CancelHover();
  void Redraw(bool redraw = true);
  void Play(const std::wstring& sound) const;

  // Drawing steps, on a buffer the size of the button.
  State ReadState(const DRAWITEMSTRUCT& item) const;
  void DrawBackground(HDC dc, RECT& rect, const State& state);
  void DrawBorder(HDC dc, const RECT& rect, const State& state) const;
  // Returns where the text goes.
  RECT DrawImage(HDC dc, const RECT& rect, const State& state) const;
  void DrawCaption(HDC dc, RECT rect, const State& state) const;
  POINT PressedOffset(const State& state) const;

  static const win::MessageEntry<SkinButton> kMessages[];

  // How the images were set, to take them again at another DPI.
  struct Source {
    enum Kind { kNone, kIcon, kImageList, kBitmaps } kind = kNone;
    UINT hoverId = 0, normalId = 0;
    COLORREF hoverTransparent = CLR_NONE, normalTransparent = CLR_NONE;
    SIZE iconSize = {0, 0};
    HINSTANCE instance = nullptr;
    HIMAGELIST list = nullptr;
    int hoverIndex = -1, normalIndex = -1;
  };

  COLORREF colours_[kColourSlots];
  Image hover_;
  Image normal_;
  Source source_;
  bool sizedToImage_ = false;
  int alignment_ = kImageLeft;
  int pressedStyle_ = 0;
  bool flat_ = true;
  bool border_ = true;
  bool flatFocus_ = false;
  bool alwaysPressed_ = false;
  bool imageOnly_ = false;
  bool transparent_ = false;
  win::UniqueBitmap background_;

  HCURSOR cursor_ = nullptr;
  Tooltip tooltip_;
  win::UniqueMenu menu_;
  HWND menuOwner_ = nullptr;
  bool menuShowing_ = false;
  std::wstring link_;
  std::wstring hoverSound_;
  std::wstring clickSound_;

  bool checkBox_ = false;
  bool checked_ = false;
  bool default_ = false;
  bool hovering_ = false;
};
