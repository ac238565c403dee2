// Small registry routines: write or remove a text value, probe a key, read a text or raw value
// (RegistryRoutines.cpp).
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

bool RegWriteString(HKEY root, const std::wstring& subkey, const std::wstring& name, const std::wstring& value);
bool RegRemoveValue(HKEY root, const std::wstring& subkey, const std::wstring& name);
bool RegKeyExists(HKEY root, const std::wstring& subkey, bool create, bool wow64);
std::wstring RegReadText(HKEY root, const std::wstring& subkey, const std::wstring& name, bool multi, bool wow64,
                         const std::wstring& fallback);
// The value's bytes (at most 32767), or nothing when the key or value cannot be read.
std::optional<std::vector<BYTE>> RegReadRaw(HKEY root, const std::wstring& subkey, const std::wstring& name);
