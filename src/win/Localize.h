// Puts the chosen language's texts and font on dialogs and menus.
#pragma once
#include <windows.h>

// Caption, controls and font of a dialog made from template templateId.
void LocalizeDialog(HWND dialog, UINT templateId, bool useAppTitle);
// The dialog's font made again for the DPI it now has, on it and its controls: the language
// file's, else the template's own.
void PutDialogFont(HWND dialog, HINSTANCE instance, UINT templateId);
// Item texts of a menu; parentIndex is the menu's position in its parent (0 for a top menu).
void LocalizeMenu(HMENU menu, UINT parentIndex, UINT dialogId);
