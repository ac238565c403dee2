// Lays a dialog out at a DPI as its 96-DPI layout times the DPI's scale.
//
// The dialog manager measures dialog units in the template's font made for the DPI, and font
// heights do not grow in step with the DPI: Tahoma 8 is 13 pixels high at 96 DPI but 19 (not
// 19.5) at 144 and 16 (not 16.25) at 120, and 6 pixels wide on average at 96 but 7 (not 7.5) at
// 120. Left to it, a window at 150% is 3% shorter than 150% of the window at 100%, so the skin,
// the pictures and the rows, which scale exactly, drift off the controls drawn over them.
#pragma once
#include <windows.h>

namespace win {

// Sets every control the template made, and a top-level dialog's client size (keeping its centre),
// to the template's 96-DPI pixels times dpi / 96; a child dialog's own place and size are its
// parent's to set (a page area, a tab). Along an axis where the template's font grows faster than
// the DPI, the dialog manager's layout stays: text keeps its room. Nothing to do for a template
// that is not a DIALOGEX with a font. Controls are matched to the template's items by identifier,
// in creation order among controls sharing one.
void LayOutScaled(HWND dialog, HINSTANCE instance, UINT templateId, UINT dpi);

// The template's font made for dpi, as the dialog manager makes it; {} when the template is not a
// DIALOGEX with a font.
LOGFONTW TemplateFont(HINSTANCE instance, UINT templateId, UINT dpi);

}  // namespace win
