// Well-known identifiers, GUID normalisation and creation.
#include "common/BcdIds.h"

#include <windows.h>
#include <objbase.h>

#include <cwctype>

#include "common/Text.h"

namespace standin {

std::wstring NormalizeGuid(std::wstring_view text) {
  // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}
  if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') return {};
  for (size_t i = 1; i < 37; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? text[i] != L'-' : !std::iswxdigit(text[i])) return {};
  }
  return Lower(text);
}

std::optional<std::wstring> GuidOfAlias(std::wstring_view alias) {
  for (const auto& id : kWellKnownIds)
    if (EqualsNoCase(alias, id.alias)) return std::wstring(id.guid);
  return std::nullopt;
}

std::optional<std::wstring> AliasOfGuid(std::wstring_view guid) {
  for (const auto& id : kWellKnownIds)
    if (EqualsNoCase(guid, id.guid)) return std::wstring(id.alias);
  return std::nullopt;
}

std::wstring NewGuid() {
  GUID guid;
  CoCreateGuid(&guid);
  wchar_t text[64];
  StringFromGUID2(guid, text, 64);
  return Lower(text);
}

}  // namespace standin
