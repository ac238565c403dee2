// The texts the bcdedit stand-in prints, worded as the real tool prints them.
#pragma once
#include <string_view>

namespace standin::bcdedit_text {

inline constexpr wchar_t kSuccess[] = L"The operation completed successfully.";
inline constexpr wchar_t kRunHelp[] = L"Run \"bcdedit /?\" for command line assistance.";
inline constexpr wchar_t kParameterIncorrect[] = L"The parameter is incorrect.";
inline constexpr wchar_t kReferenceError[] = L"An error occurred while attempting to reference the specified entry.";
inline constexpr wchar_t kElementUnknown[] =
    L"The element data type specified is not recognized, or does not apply to the specified entry.";
inline constexpr wchar_t kElementNotFound[] = L"Element not found.";
inline constexpr wchar_t kSetFailed[] = L"An error has occurred setting the element data.";
inline constexpr wchar_t kDeleteValueFailed[] = L"An error occurred while attempting to delete the specified data element.";
inline constexpr wchar_t kIntegerInvalid[] = L"The integer data is not valid as specified.";
inline constexpr wchar_t kStoreNotOpened[] = L"The boot configuration data store could not be opened.";
inline constexpr wchar_t kStoreNotCreated[] = L"The boot configuration data store could not be created.";
inline constexpr wchar_t kNoObjects[] = L"There are no matching objects or the store is empty.";
inline constexpr wchar_t kCreateFailed[] = L"An error occurred while attempting to create the specified entry.";
inline constexpr wchar_t kDeleteFailed[] = L"An error occurred while attempting to delete the specified entry.";
inline constexpr wchar_t kWellKnownNeedsForce[] =
    L"The specified entry has a well-known identifier and can be deleted only with the /f option.";
inline constexpr wchar_t kExportFailed[] = L"The export operation has failed.";
inline constexpr wchar_t kImportFailed[] = L"The import operation has failed.";
inline constexpr wchar_t kInvalidSwitch[] = L"Invalid command line switch: ";
// %s: the copy's identifier.
inline constexpr wchar_t kCopied[] = L"The entry was successfully copied to %s.";
inline constexpr wchar_t kStoreWriteFailed[] = L"The boot configuration data store could not be written.";

// A few messages as a bcdedit on a German or Russian Windows prints them, so that the program
// meets letters outside ASCII in the tool's own words too (VEXA_STANDIN_LANGUAGE de or ru).
struct TranslatedText {
  const wchar_t* english;
  const wchar_t* language;
  const wchar_t* text;
};
inline constexpr TranslatedText kTranslations[] = {
    {kSuccess, L"de", L"Der Vorgang wurde erfolgreich beendet."},
    {kSuccess, L"ru", L"\u041E\u043F\u0435\u0440\u0430\u0446\u0438\u044F \u0443\u0441\u043F\u0435\u0448\u043D\u043E "
                      L"\u0437\u0430\u0432\u0435\u0440\u0448\u0435\u043D\u0430."},
    {kCopied, L"de", L"Der Eintrag wurde erfolgreich nach %s kopiert."},
    {kCopied, L"ru", L"\u0417\u0430\u043F\u0438\u0441\u044C \u0443\u0441\u043F\u0435\u0448\u043D\u043E "
                     L"\u0441\u043A\u043E\u043F\u0438\u0440\u043E\u0432\u0430\u043D\u0430 \u0432 %s."},
    {kStoreNotOpened, L"de", L"Der Startkonfigurationsdatenspeicher konnte nicht ge\u00F6ffnet werden."},
    {kStoreNotOpened, L"ru",
     L"\u041D\u0435 \u0443\u0434\u0430\u0435\u0442\u0441\u044F \u043E\u0442\u043A\u0440\u044B\u0442\u044C "
     L"\u0445\u0440\u0430\u043D\u0438\u043B\u0438\u0449\u0435 \u0434\u0430\u043D\u043D\u044B\u0445 "
     L"\u043A\u043E\u043D\u0444\u0438\u0433\u0443\u0440\u0430\u0446\u0438\u0438 \u0437\u0430\u0433\u0440\u0443\u0437\u043A\u0438."},
};

// english as the tool prints it on a Windows in language; english itself when no translation is known.
inline const wchar_t* InLanguage(const wchar_t* english, std::wstring_view language) {
  for (const TranslatedText& entry : kTranslations) {
    if (entry.english == english && language == entry.language) return entry.text;
  }
  return english;
}

}  // namespace standin::bcdedit_text
