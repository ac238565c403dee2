// Small registry routines: write or remove a text value, probe a key, read a text or raw value.
#include <windows.h>

#include "store/RegistryRoutines.h"
#include "win/Handles.h"

namespace {

using OwnedKey = win::Owned<HKEY, win::KeyTraits>;

constexpr DWORD kTextBufferBytes = 65534;
constexpr DWORD kRawBufferBytes = 32767;

// Opens (or, with create, creates) a key; read-only unless creating.
bool OpenKey(HKEY root, const std::wstring& subkey, bool create, bool wow64, OwnedKey& key) {
  REGSAM access = (create ? KEY_ALL_ACCESS : KEY_READ) | (wow64 ? KEY_WOW64_64KEY : 0);
  if (create) {
    return RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, 0, access, nullptr, key.Receive(), nullptr) ==
           ERROR_SUCCESS;
  }
  return RegOpenKeyExW(root, subkey.c_str(), 0, access, key.Receive()) == ERROR_SUCCESS;
}

}  // namespace

bool RegWriteString(HKEY root, const std::wstring& subkey, const std::wstring& name, const std::wstring& value) {
  OwnedKey key;
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS &&
      !OpenKey(root, subkey, true, false, key)) {
    return false;
  }
  DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
         ERROR_SUCCESS;
}

bool RegRemoveValue(HKEY root, const std::wstring& subkey, const std::wstring& name) {
  OwnedKey key;
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) return false;
  return RegDeleteValueW(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const std::wstring& subkey, bool create, bool wow64) {
  OwnedKey key;
  return OpenKey(root, subkey, create, wow64, key);
}

std::wstring RegReadText(HKEY root, const std::wstring& subkey, const std::wstring& name, bool multi, bool wow64,
                         const std::wstring& fallback) {
  OwnedKey key;
  if (!OpenKey(root, subkey, false, wow64, key)) return fallback;
  std::vector<wchar_t> buffer(kTextBufferBytes / sizeof(wchar_t) + 1, L'\0');
  DWORD type = 0;
  DWORD bytes = kTextBufferBytes;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
      ERROR_SUCCESS) {
    return fallback;
  }
  // The stored data need not end in a NUL; the buffer's spare unit provides one.
  std::wstring data(buffer.data(), bytes / sizeof(wchar_t));
  if (multi) {
    std::wstring joined;
    size_t start = 0;
    while (start < data.size() && data[start] != L'\0') {
      size_t end = data.find(L'\0', start);
      if (end == std::wstring::npos) end = data.size();
      if (start > 0) joined += L'\n';
      joined.append(data, start, end - start);
      start = end + 1;
    }
    return joined;
  }
  std::wstring text(data.c_str());
  DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::vector<wchar_t> expanded(needed + 1, L'\0');
  if (ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed + 1) == 0) return text;
  return expanded.data();
}

std::optional<std::vector<BYTE>> RegReadRaw(HKEY root, const std::wstring& subkey, const std::wstring& name) {
  OwnedKey key;
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return std::nullopt;
  std::vector<BYTE> bytes(kRawBufferBytes);
  DWORD size = kRawBufferBytes;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, bytes.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  bytes.resize(size);
  return bytes;
}
