// The program's texts by number (built-in English or the chosen language file), and putting a
// language's texts and font on dialogs and menus.
#pragma once
#include <windows.h>

#include <string>

// Text n of the string table, or of a dialog's section (dialogId != 0) of the language file.
std::wstring GetText(UINT id, UINT dialogId = 0);
// Text n of the built-in (English) table; empty when it has none.
std::wstring BuiltInText(UINT id);
// Replaces every backslash-n pair of a language file value by a line break.
std::wstring ExpandLineBreaks(const std::wstring& value);

// Caption, controls and font of a dialog made from template templateId.
void LocalizeDialog(HWND dialog, UINT templateId, bool useAppTitle);
// Item texts of a menu; parentIndex is the menu's position in its parent (0 for a top menu).
void LocalizeMenu(HMENU menu, UINT parentIndex, UINT dialogId);

// The footer line (control 1007) of the main window and the about page; no language changes it.
inline constexpr wchar_t kFooterText[] = L"\u00A9 Tavro Studio";
