// Reads and writes the system store in the registry.
#include "common/RegistryStore.h"

#include <windows.h>

#include <set>
#include <vector>

#include "common/BcdIds.h"
#include "common/Journal.h"
#include "common/Text.h"

namespace standin {

namespace {

class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  bool Open(HKEY parent, const std::wstring& name, REGSAM access) {
    return RegOpenKeyExW(parent, name.c_str(), 0, access, &key_) == ERROR_SUCCESS;
  }
  bool Create(HKEY parent, const std::wstring& name) {
    return RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) ==
           ERROR_SUCCESS;
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::vector<std::wstring> SubkeyNames(HKEY key) {
  std::vector<std::wstring> names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

bool ReadValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  data.assign(size, 0);
  return RegQueryValueExW(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
}

std::wstring TextOf(const std::vector<BYTE>& data) {
  std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  size_t nul = text.find(L'\0');
  if (nul != std::wstring::npos) text.resize(nul);
  return text;
}

std::vector<std::wstring> MultiOf(const std::vector<BYTE>& data) {
  std::wstring all(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  std::vector<std::wstring> list;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find(L'\0', start);
    if (end == std::wstring::npos) end = all.size();
    if (end == start) break;
    list.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return list;
}

bool ReadElement(HKEY elementsKey, const std::wstring& name, Element& element) {
  std::uint64_t number = 0;
  if (name.size() != 8 || !ParseNumber(L"0x" + name, number)) return false;
  Key key;
  if (!key.Open(elementsKey, name, KEY_READ)) return false;
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!ReadValue(key.get(), L"Element", type, data)) return false;
  element.number = static_cast<std::uint32_t>(number);
  switch (element.Format()) {
    case ElementFormat::ObjectList:
      element.objects = MultiOf(data);
      for (auto& guid : element.objects) guid = Lower(guid);
      break;
    case ElementFormat::Boolean:
      element.integers = {data.empty() ? 0u : (data[0] ? 1u : 0u)};
      break;
    case ElementFormat::Integer:
    case ElementFormat::IntegerList:
      for (size_t offset = 0; offset < data.size(); offset += 8) {
        std::uint64_t value = 0;
        for (size_t i = 0; i < 8 && offset + i < data.size(); ++i)
          value |= static_cast<std::uint64_t>(data[offset + i]) << (8 * i);
        element.integers.push_back(value);
        if (element.Format() == ElementFormat::Integer) break;
      }
      if (element.integers.empty() && element.Format() == ElementFormat::Integer) element.integers = {0};
      break;
    case ElementFormat::Object:
      element.text = Lower(TextOf(data));
      break;
    default:
      element.text = TextOf(data);
      break;
  }
  return true;
}

bool WriteElement(HKEY elementsKey, const Element& element) {
  Key key;
  if (!key.Create(elementsKey, Hex8(element.number))) return false;
  std::vector<BYTE> data;
  DWORD type = REG_SZ;
  auto appendText = [&data](const std::wstring& text) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    data.insert(data.end(), bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
  };
  switch (element.Format()) {
    case ElementFormat::ObjectList:
      type = REG_MULTI_SZ;
      for (const auto& guid : element.objects) appendText(guid);
      appendText(L"");
      break;
    case ElementFormat::Boolean:
      type = REG_BINARY;
      data.push_back(!element.integers.empty() && element.integers[0] ? 1 : 0);
      break;
    case ElementFormat::Integer:
    case ElementFormat::IntegerList:
      type = REG_BINARY;
      for (auto value : element.integers)
        for (int i = 0; i < 8; ++i) data.push_back(static_cast<BYTE>(value >> (8 * i)));
      break;
    default:
      appendText(element.text);
      break;
  }
  return RegSetValueExW(key.get(), L"Element", 0, type, data.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool SetDword(HKEY key, const wchar_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
         ERROR_SUCCESS;
}

bool SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

std::wstring SystemStoreRoot() {
  std::wstring root = EnvironmentValue(kRootVariable);
  return root.empty() ? std::wstring(kDefaultRoot) : root;
}

bool RegistryStore::Load(BcdStore& store) const {
  Key objectsKey;
  if (!objectsKey.Open(HKEY_LOCAL_MACHINE, root_ + L"\\Objects", KEY_READ)) return false;
  store = BcdStore();
  Key description;
  if (description.Open(HKEY_LOCAL_MACHINE, root_ + L"\\Description", KEY_READ)) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (ReadValue(description.get(), kCurrentValue, type, data) && type == REG_SZ)
      store.current = NormalizeGuid(TextOf(data));
  }
  for (const auto& name : SubkeyNames(objectsKey.get())) {
    std::wstring guid = NormalizeGuid(name);
    if (guid.empty()) continue;
    Key typeKey;
    DWORD valueType = 0;
    std::vector<BYTE> data;
    if (!typeKey.Open(objectsKey.get(), name + L"\\Description", KEY_READ) ||
        !ReadValue(typeKey.get(), L"Type", valueType, data) || data.size() < 4)
      continue;
    BcdObject& object = store.Add(guid, *reinterpret_cast<const DWORD*>(data.data()));
    Key elementsKey;
    if (!elementsKey.Open(objectsKey.get(), name + L"\\Elements", KEY_READ)) continue;
    for (const auto& elementName : SubkeyNames(elementsKey.get())) {
      Element element;
      if (ReadElement(elementsKey.get(), elementName, element)) object.elements[element.number] = element;
    }
  }
  return true;
}

bool RegistryStore::Save(const BcdStore& store) const {
  Key rootKey, description, objectsKey;
  if (!rootKey.Create(HKEY_LOCAL_MACHINE, root_) || !description.Create(rootKey.get(), L"Description") ||
      !objectsKey.Create(rootKey.get(), L"Objects"))
    return false;
  bool ok = SetString(description.get(), L"KeyName", root_) && SetDword(description.get(), L"System", 1) &&
            SetDword(description.get(), L"TreatAsSystem", 1);
  if (store.current.empty())
    RegDeleteValueW(description.get(), kCurrentValue);
  else
    ok = SetString(description.get(), kCurrentValue, store.current) && ok;

  for (const auto& name : SubkeyNames(objectsKey.get())) {
    std::wstring guid = NormalizeGuid(name);
    if (guid.empty() || guid != name || !store.Find(guid)) {
      RegDeleteTreeW(objectsKey.get(), name.c_str());
      RegDeleteKeyW(objectsKey.get(), name.c_str());
    }
  }

  for (const auto& [guid, object] : store.objects) {
    Key objectKey, typeKey, elementsKey;
    if (!objectKey.Create(objectsKey.get(), guid) || !typeKey.Create(objectKey.get(), L"Description") ||
        !elementsKey.Create(objectKey.get(), L"Elements")) {
      ok = false;
      continue;
    }
    ok = SetDword(typeKey.get(), L"Type", object.type) && ok;
    std::set<std::wstring> wanted;
    for (const auto& [number, element] : object.elements) wanted.insert(Hex8(number));
    for (const auto& name : SubkeyNames(elementsKey.get()))
      if (!wanted.count(Upper(name)) || Upper(name) != name) {
        RegDeleteTreeW(elementsKey.get(), name.c_str());
        RegDeleteKeyW(elementsKey.get(), name.c_str());
      }
    for (const auto& [number, element] : object.elements) ok = WriteElement(elementsKey.get(), element) && ok;
  }
  return ok;
}

}  // namespace standin
