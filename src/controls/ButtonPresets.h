// The looks the main window gives its buttons and the pages give theirs: image buttons, primary
// colours and the page buttons' selected and unselected looks.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

class SkinButton;

// An icon-only button: no border, over the parent's background, the tooltip's text (without its
// mnemonic) as the window text that screen readers read and the button never draws. imageIndex
// -1: no image. An empty title adds no title line.
void MakeImageButton(SkinButton& button, HIMAGELIST images, int imageIndex, UINT cursorId, const std::wstring& tooltip,
                     const std::wstring& tooltipTitle = L"");
// A picture that is no button to press (a page's icon): no border, over the parent's background,
// out of the tab order, name (without its mnemonic) for screen readers only.
void MakePictureButton(SkinButton& button, const std::wstring& name);
// text with the single '&' of a mnemonic taken out ("&&" stays: it is how a literal '&' is read).
std::wstring WithoutMnemonic(const std::wstring& text);
// White on blue (primary) or on green, a lighter blue or green under the mouse.
void SetPrimaryColours(SkinButton& button, bool primary);
// What every page button has, selected or not.
void SetPageButtonBaseLook(SkinButton& button);
// The page button of the page on show: pressed for good, bitmapId over the whole button (red
// transparent), the button sized to it. iconId (0: none) goes at 48x48 on largeIcon when given.
void SetPageButtonSelectedLook(SkinButton& button, UINT bitmapId, UINT iconId, SkinButton* largeIcon,
                               HINSTANCE instance = nullptr);
void SetPageButtonUnselectedLook(SkinButton& button);
// The main window's shared button images for dpi: the button strip, then art::kAppendedIcons, at
// the size drawn nearest to 16 pixels at 96 DPI. The caller owns the list.
HIMAGELIST MakeButtonImages(UINT dpi);
// The same list's images again, for another DPI.
void FillButtonImages(HIMAGELIST images, UINT dpi);
int ButtonImageSize(UINT dpi);
