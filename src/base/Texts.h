// The program's texts by number: the chosen language file first, then the built-in English table.
#pragma once
#include <windows.h>

#include <string>

#include "core/LineBreaks.h"

// Text n of the string table, or of a dialog's section (dialogId != 0) of the language file.
std::wstring GetText(UINT id, UINT dialogId = 0);
// Text n of the built-in (English) table; empty when it has none.
std::wstring BuiltInText(UINT id);

// The footer line (control 1007) of the main window and the about page; no language changes it.
inline constexpr wchar_t kFooterText[] = L"\u00A9 Tavro Studio";

// The program's own fixed failure texts, the same words in every language, shown with the error icon.
inline constexpr wchar_t kWriteStoreError[] = L"Write BCD store error!";
inline constexpr wchar_t kWriteBootIniError[] = L"Write Boot.ini error!";
// A boot.ini write of the default or the timeout that failed.
inline constexpr wchar_t kBootIniWriteFailed[] = L"Boot.ini \u5199\u5165\u5931\u8d25!";
