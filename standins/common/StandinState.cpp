// Records of the bootsect and wpeutil stand-ins in the registry.
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
  wchar_t buffer[512];
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS)
    return {};
  return buffer;
}

}  // namespace standin
