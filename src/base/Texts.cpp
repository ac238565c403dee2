// Text lookup: the language file first, then the built-in string table.
#include "base/Texts.h"

#include "base/AppSettings.h"
#include "base/Format.h"

namespace {

constexpr DWORD kValueBuffer = 1000;

std::wstring ReadLanguageValue(const std::wstring& section, const std::wstring& key) {
  wchar_t buffer[kValueBuffer] = {};
  GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, kValueBuffer,
                           AppSettings.languageFile.c_str());
  return buffer;
}

}  // namespace

std::wstring BuiltInText(UINT id) {
  // With a zero length LoadStringW hands back a pointer into the resource itself, so texts of
  // any length come back whole.
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || !text) return {};
  return std::wstring(text, static_cast<size_t>(length));
}

std::wstring GetText(UINT id, UINT dialogId) {
  if (AppSettings.languageFile.empty()) return dialogId == 0 ? BuiltInText(id) : std::wstring();
  std::wstring section = dialogId == 0 ? std::wstring(L"String") : base::Format(L"DLG%d", dialogId);
  std::wstring value = ReadLanguageValue(section, base::Format(L"%d", id));
  if (!value.empty()) return ExpandLineBreaks(value);
  if (dialogId != 0) return GetText(id, 0);
  return BuiltInText(id);
}
