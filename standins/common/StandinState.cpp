// Records of the stand-ins in the registry.
#include "common/StandinState.h"

#include <windows.h>

namespace standin {

bool RecordState(const std::wstring& tool, const std::wstring& name, const std::wstring& value) {
  HKEY key = nullptr;
  std::wstring path = std::wstring(kStateKey) + L"\\" + tool;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool ok = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

std::wstring ReadState(const std::wstring& tool, const std::wstring& name) {
  std::wstring path = std::wstring(kStateKey) + L"\\" + tool;
  // A task's definition runs to kilobytes: the size is asked first.
  DWORD size = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
          ERROR_SUCCESS ||
      size < sizeof(wchar_t))
    return {};
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size) !=
      ERROR_SUCCESS)
    return {};
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}

bool RemoveState(const std::wstring& tool, const std::wstring& name) {
  std::wstring path = std::wstring(kStateKey) + L"\\" + tool;
  return RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::wstring> StateNames(const std::wstring& tool) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  std::wstring path = std::wstring(kStateKey) + L"\\" + tool;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return names;
  wchar_t name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD length = 16384;
    if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
  return names;
}

}  // namespace standin
