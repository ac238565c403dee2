// The listing printer of the bcdedit stand-in.
#include "common/Listing.h"

#include "common/BcdIds.h"
#include "common/DeviceText.h"
#include "common/Text.h"

namespace standin {

namespace {

void AddLine(std::wstring& out, const std::wstring& name, const std::wstring& value) {
  std::wstring line = name;
  line.append(line.size() < kValueColumn ? kValueColumn - line.size() : 1, L' ');
  out += line + value + L"\r\n";
}

std::vector<std::wstring> ValueLines(const BcdStore& store, const BcdObject& object, const Element& element,
                                     bool verbose) {
  switch (element.Format()) {
    case ElementFormat::Device:
      return {DisplayDeviceText(element.text, verbose)};
    case ElementFormat::String:
      return {element.text};
    case ElementFormat::Object:
      return {DisplayIdentifier(store, element.text, verbose)};
    case ElementFormat::ObjectList: {
      std::vector<std::wstring> lines;
      for (const auto& guid : element.objects) lines.push_back(DisplayIdentifier(store, guid, verbose));
      return lines;
    }
    case ElementFormat::Integer:
      return {IntegerText(element.number, object.type, element.integers.empty() ? 0 : element.integers[0])};
    case ElementFormat::Boolean:
      return {!element.integers.empty() && element.integers[0] ? L"Yes" : L"No"};
    case ElementFormat::IntegerList: {
      std::vector<std::wstring> lines;
      for (auto value : element.integers) lines.push_back(IntegerText(element.number, object.type, value));
      return lines;
    }
  }
  return {element.text};
}

}  // namespace

std::wstring IdentifierKey(std::wstring_view language) {
  static const struct {
    const wchar_t* language;
    const wchar_t* key;
  } kKeys[] = {
      {L"de", L"Bezeichner"},    {L"fr", L"identificateur"}, {L"it", L"identificatore"},
      {L"pt", L"identificador"}, {L"ru", L"Идентификатор"},  {L"da", L"id"},
      {L"zh", L"标识符"},
  };
  for (const auto& entry : kKeys)
    if (EqualsNoCase(language, entry.language)) return entry.key;
  return kEnglishIdentifierKey;
}

std::wstring DisplayIdentifier(const BcdStore& store, const std::wstring& guid, bool verbose) {
  if (verbose) return guid;
  if (!store.current.empty() && guid == store.current) return L"{current}";
  if (auto alias = AliasOfGuid(guid)) return *alias;
  if (guid == store.DefaultGuid()) return L"{default}";
  return guid;
}

std::wstring FormatObject(const BcdStore& store, const BcdObject& object, bool verbose,
                          std::wstring_view identifierKey) {
  std::wstring title = TitleOf(object.type, object.guid);
  std::wstring out = title + L"\r\n" + std::wstring(title.size(), L'-') + L"\r\n";
  AddLine(out, std::wstring(identifierKey), DisplayIdentifier(store, object.guid, verbose));
  for (const auto& [number, element] : object.elements) {
    std::vector<std::wstring> lines = ValueLines(store, object, element, verbose);
    AddLine(out, ElementName(number, object.type), lines.empty() ? std::wstring() : lines[0]);
    for (size_t i = 1; i < lines.size(); ++i) AddLine(out, std::wstring(), lines[i]);
  }
  return out;
}

std::wstring FormatListing(const BcdStore& store, const std::vector<const BcdObject*>& objects, bool verbose,
                           std::wstring_view identifierKey) {
  std::wstring out = L"\r\n";
  for (size_t i = 0; i < objects.size(); ++i) {
    if (i > 0) out += L"\r\n";
    out += FormatObject(store, *objects[i], verbose, identifierKey);
  }
  return out;
}

}  // namespace standin
