// Writing a test boot store into the registry in the mounted layout.
#include "StoreHive.h"

namespace testing_support {

StoreHive::StoreHive() : StoreHive(L"VexaTestStore" + std::to_wstring(GetCurrentProcessId())) {}

StoreHive::StoreHive(std::wstring keyName) : keyName_(std::move(keyName)), guard_(HKEY_LOCAL_MACHINE, keyName_) {}

bool StoreHive::SetElement(const std::wstring& identifier, const std::wstring& element, DWORD type,
                           const void* data, DWORD size) const {
  std::wstring subkey = keyName_ + L"\\Objects\\" + identifier + L"\\Elements\\" + element;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG result = RegSetValueExW(key, L"Element", 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool StoreHive::SetText(const std::wstring& identifier, const std::wstring& element, const std::wstring& text,
                        DWORD type) const {
  return SetElement(identifier, element, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool StoreHive::SetInteger(const std::wstring& identifier, const std::wstring& element, std::uint64_t value) const {
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return SetBytes(identifier, element, bytes);
}

bool StoreHive::SetBytes(const std::wstring& identifier, const std::wstring& element,
                         const std::string& bytes) const {
  return SetElement(identifier, element, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

}  // namespace testing_support
