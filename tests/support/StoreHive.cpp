// Writing a test boot store into the registry in the mounted layout.
#include "StoreHive.h"

namespace testing_support {

StoreHive::StoreHive() : StoreHive(L"VexaTestStore" + std::to_wstring(GetCurrentProcessId())) {}

StoreHive::StoreHive(std::wstring keyName) : keyName_(std::move(keyName)), guard_(HKEY_LOCAL_MACHINE, keyName_) {}

std::wstring StoreHive::ElementKey(const std::wstring& identifier, const std::wstring& element) const {
  return keyName_ + L"\\Objects\\" + identifier + L"\\Elements\\" + element;
}

bool StoreHive::SetValue(const std::wstring& subkey, const wchar_t* name, DWORD type, const void* data,
                         DWORD size) const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG result = ERROR_SUCCESS;
  if (name) result = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool StoreHive::SetType(const std::wstring& identifier, DWORD type) const {
  return SetValue(keyName_ + L"\\Objects\\" + identifier + L"\\Description", L"Type", REG_DWORD, &type,
                  sizeof type);
}

bool StoreHive::SetText(const std::wstring& identifier, const std::wstring& element, const std::wstring& text,
                        DWORD type) const {
  return SetValue(ElementKey(identifier, element), L"Element", type, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool StoreHive::SetList(const std::wstring& identifier, const std::wstring& element,
                        const std::vector<std::wstring>& items) const {
  std::wstring data;
  for (const std::wstring& item : items) data += item + L'\0';
  data += L'\0';
  return SetValue(ElementKey(identifier, element), L"Element", REG_MULTI_SZ, data.data(),
                  static_cast<DWORD>(data.size() * sizeof(wchar_t)));
}

bool StoreHive::SetInteger(const std::wstring& identifier, const std::wstring& element, std::uint64_t value) const {
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return SetBytes(identifier, element, bytes);
}

bool StoreHive::SetBytes(const std::wstring& identifier, const std::wstring& element,
                         const std::string& bytes) const {
  return SetValue(ElementKey(identifier, element), L"Element", REG_BINARY, bytes.data(),
                  static_cast<DWORD>(bytes.size()));
}

bool StoreHive::AddKey(const std::wstring& identifier, const std::wstring& element) const {
  return SetValue(ElementKey(identifier, element), nullptr, 0, nullptr, 0);
}

}  // namespace testing_support
