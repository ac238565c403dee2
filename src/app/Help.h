// Opening things in the shell: the maker's pages, the e-mail address, and help (the help file
// when one ships beside the program, else the online help page).
#pragma once
#include <string>

inline constexpr wchar_t kProductPage[] = L"https://vexa.tavro.example/";
inline constexpr wchar_t kOnlineHelpPage[] = L"https://vexa.tavro.example/help/";
inline constexpr wchar_t kDonationPage[] = L"https://vexa.tavro.example/donate/";
inline constexpr wchar_t kMakerEmail[] = L"vexa@tavro.example";

// Shell "open" of a file, web address or other shell target, shown as a normal window.
void OpenInShell(const std::wstring& target);
// Sets AppSettings.helpFile: the language's own help file when present, else the general one.
void ChooseHelpFile();
// Help: helpFile when it exists, else the online help page.
void ShowHelp(const std::wstring& helpFile);
