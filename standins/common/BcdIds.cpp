// Well-known identifiers, GUID normalisation and creation.
#include "common/BcdIds.h"

#include <windows.h>
#include <rpc.h>

#include <cwchar>
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

// UuidCreate and our own formatting rather than ole32's CoCreateGuid and StringFromGUID2: ole32
// brings user32 and gdi32, and under Wine every start of the tool then set up the fonts, which
// took most of each run's time.
std::wstring NewGuid() {
  UUID guid = {};
  UuidCreate(&guid);
  wchar_t text[64];
  swprintf(text, 64, L"{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}", static_cast<unsigned long>(guid.Data1),
           guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
           guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

}  // namespace standin
