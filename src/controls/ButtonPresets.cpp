// Button looks shared by the main window and its pages.
#include "controls/ButtonPresets.h"

#include <cstdlib>

#include "art.h"
#include "controls/Drawing.h"
#include "controls/SkinButton.h"
#include "win/Dpi.h"
#include "win/Handles.h"

namespace {

constexpr COLORREF kPrimaryBlue = RGB(0, 122, 204);
constexpr COLORREF kSecondaryGreen = RGB(0, 142, 69);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kHoverLift = 30;
constexpr COLORREF kSelectedTransparent = RGB(255, 0, 0);
constexpr int kLargeIconSize = 48;

}  // namespace

void MakeImageButton(SkinButton& button, HIMAGELIST images, int imageIndex, UINT cursorId, const std::wstring& tooltip,
                     const std::wstring& tooltipTitle) {
  button.SetBorder(false, false);
  button.DrawTransparent(false);
  button.SetImageOnly(true, false);
  // Without its '&' the name gives the button no mnemonic of its own: the tooltips' letters would
  // take those of the page buttons and the text buttons.
  SetWindowTextW(button.Handle(), WithoutMnemonic(tooltip).c_str());
  button.SetCursor(cursorId);
  if (imageIndex >= 0)
    button.SetIconsFromImageList(images, imageIndex);
  else
    button.ClearImages();
  button.SetTooltipText(tooltip);
  if (!tooltipTitle.empty()) button.SetTooltipTitle(tooltipTitle);
}

void MakePictureButton(SkinButton& button, const std::wstring& name) {
  button.SetBorder(false, false);
  button.DrawTransparent(false);
  button.SetImageOnly(true, false);
  SetWindowTextW(button.Handle(), WithoutMnemonic(name).c_str());
  LONG_PTR style = GetWindowLongPtrW(button.Handle(), GWL_STYLE);
  SetWindowLongPtrW(button.Handle(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

std::wstring WithoutMnemonic(const std::wstring& text) {
  std::wstring name;
  name.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'&') {
      name += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == L'&') {
      name += L"&&";
      ++i;
    }
  }
  return name;
}

void SetPrimaryColours(SkinButton& button, bool primary) {
  COLORREF back = primary ? kPrimaryBlue : kSecondaryGreen;
  button.SetBorder(false, false);
  for (int slot : {SkinButton::kBackHover, SkinButton::kBackNormal, SkinButton::kBackFocus})
    button.SetColour(slot, back, false);
  button.ShiftColour(SkinButton::kBackHover, kHoverLift, false);
  for (int slot : {SkinButton::kTextHover, SkinButton::kTextNormal, SkinButton::kTextFocus})
    button.SetColour(slot, kWhite, false);
  if (button.Handle()) InvalidateRect(button.Handle(), nullptr, TRUE);
}

void SetPageButtonBaseLook(SkinButton& button) {
  button.SetBorder(false, false);
  button.DrawTransparent(false);
  button.SetCursor(kHandCursor);
  button.SetColour(SkinButton::kTextHover, kWhite);
}

void SetPageButtonSelectedLook(SkinButton& button, UINT bitmapId, UINT iconId, SkinButton* largeIcon,
                               HINSTANCE instance) {
  button.SetAlwaysPressed(true, false);
  button.SetBitmaps(bitmapId, kSelectedTransparent, 0, CLR_NONE, instance);
  button.SetAlignment(SkinButton::kImageFill, false);
  button.SizeToImage();
  if (iconId && largeIcon) largeIcon->SetIcon(iconId, kLargeIconSize, kLargeIconSize, instance);
}

void SetPageButtonUnselectedLook(SkinButton& button) {
  button.ClearImages(false);
  button.SetAlignment(SkinButton::kImageLeft, false);
  button.SetAlwaysPressed(false);
}

namespace {

// The strip's drawings: the nearest to the DPI's size is taken, never a scaled one.
struct Strip {
  int size;
  UINT id;
};
constexpr Strip kStrips[] = {
    {16, IDB_BUTTON_STRIP}, {20, IDB_BUTTON_STRIP_20}, {24, IDB_BUTTON_STRIP_24}, {32, IDB_BUTTON_STRIP_32}};

const Strip& StripFor(UINT dpi) {
  int wanted = win::ScaleToDpi(16, dpi);
  const Strip* best = &kStrips[0];
  for (const Strip& strip : kStrips) {
    if (std::abs(strip.size - wanted) <= std::abs(best->size - wanted)) best = &strip;
  }
  return *best;
}

}  // namespace

int ButtonImageSize(UINT dpi) { return StripFor(dpi).size; }

void FillButtonImages(HIMAGELIST images, UINT dpi) {
  const Strip& strip = StripFor(dpi);
  // A new size empties the list; its handle, which the lists and buttons hold, stays.
  ImageList_SetIconSize(images, strip.size, strip.size);
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (win::UniqueBitmap bitmap{static_cast<HBITMAP>(
          LoadImageW(module, MAKEINTRESOURCEW(strip.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))})
    ImageList_AddMasked(images, bitmap.Get(), art::kMagentaTransparent);
  for (int icon : art::kAppendedIcons) {
    win::UniqueIcon loaded(
        static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(icon), IMAGE_ICON, strip.size, strip.size, 0)));
    if (loaded) ImageList_AddIcon(images, loaded.Get());
  }
}

HIMAGELIST MakeButtonImages(UINT dpi) {
  int size = ButtonImageSize(dpi);
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 24, 4);
  if (images) FillButtonImages(images, dpi);
  return images;
}
